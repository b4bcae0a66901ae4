#include "app/testing/TestGroupEditor.h"

#include <QFormLayout>
#include <QLocale>
#include <QTreeWidget>
#include <tuple>

#include "app/DocumentSession.h"
#include "app/ItemPresentation.h"
#include "app/testing/TestRunController.h"

namespace vantorel::app {
namespace {

template <class Enum, std::size_t count>
FieldChoices optionalChoices(const std::array<Enum, count>& cases) {
    return enumChoices(cases, QStringLiteral("Default"));
}

template <class Enum>
int optionalCode(const std::optional<Enum>& value) {
    return value ? static_cast<int>(*value) : unsetChoice;
}

template <class Enum>
std::optional<Enum> fromCode(int code) {
    return code == unsetChoice ? std::nullopt : std::optional(static_cast<Enum>(code));
}

// A number as the user writes it; empty for none.
QString numberText(const std::optional<double>& value) {
    return value ? QLocale().toString(*value, 'g', 6) : QString();
}

constexpr GroupKind<TestGroup, TestTask> testGroupKind{
    &QuenzColorProject::testGroups, &TestGroup::tests, [](const TestTask& test) { return displayName(test.taskType()); },
    &QuenzColorDocumentEditor::addTestGroup, &SelectionManager::setSelectedTestGroup,
    &QuenzColorDocumentEditor::deleteTestGroup, &QuenzColorDocumentEditor::deleteTestTask};

}  // namespace

TestGroupEditor::TestGroupEditor(DocumentSession& session, TestRunController& runs, QWidget* parent)
    : GroupEditorOf(session, QStringLiteral("Test Groups"), testGroupKind, parent), runs_(runs) {
    setObjectName(QStringLiteral("testGroupEditor"));
    addButton(QStringLiteral("Add Group"), QStringLiteral("addTestGroupButton"), [this] { addGroup(); });
    const auto addTest = [this](TestTaskType type) {
        return [this, type] { addTask([type](QuenzColorDocumentEditor& editor) { return editor.addTestTask(type); }); };
    };
    addButton(QStringLiteral("Add WCAG"), QStringLiteral("addWcagTestButton"), addTest(TestTaskType::wcagContrastTest));
    addButton(QStringLiteral("Add APCA"), QStringLiteral("addApcaTestButton"), addTest(TestTaskType::apcaContrastTest));
    addButton(QStringLiteral("Delete"), QStringLiteral("deleteTestButton"), [this] { deleteSelected(); });
    addButton(QStringLiteral("Run Group"), QStringLiteral("runTestGroupButton"), [this] {
        if (!selectedGroup().empty()) runs_.runGroup(selectedGroup());
    });
    addButton(QStringLiteral("Run All"), QStringLiteral("runAllTestsButton"), [this] { runs_.runAll(); });
    refresh();
}

void TestGroupEditor::fillGroupForm(QFormLayout& form, const TestGroup& group) {
    const std::string uuid = group.uuid();
    addTextField(form, QStringLiteral("Group Name"), QStringLiteral("groupNameField"), qText(group.name()),
                 [this, uuid](const QString& name) { session().editor().changeTestGroupName(uuid, name.toStdString()); });
    // The colors the group tests, with their roles: what the test pairs up.
    auto* colors = new QTreeWidget;
    colors->setObjectName(QStringLiteral("testedItems"));
    colors->setHeaderLabels({QStringLiteral("Role"), QStringLiteral("Items")});
    colors->setRootIsDecorated(false);
    for (const auto& item : session().project()->itemsInTestGroup(group)) {
        new QTreeWidgetItem(colors, {qText(displayName(item->testPosition())), qText(item->name())});
    }
    colors->resizeColumnToContents(0);
    form.addRow(QStringLiteral("Colors"), colors);
    addNote(form, QStringLiteral("Assign colors to the group and choose their roles in the inspector."));
}

void TestGroupEditor::fillTaskForm(QFormLayout& form, const TestTask& test) {
    QuenzColorDocumentEditor& editor = session().editor();
    const std::string uuid = test.uuid();
    const auto change = [&editor, uuid](std::function<void(TestTask&)> apply) {
        editor.changeTestTask(uuid, [apply = std::move(apply)](TestTask& task) {
            const auto settings = [&task] {
                return std::tuple(task.taskType(), task.threshold(), task.minFontSize(), task.minFontWeight(),
                                  task.thresholdType());
            };
            const auto before = settings();
            apply(task);
            return settings() != before;
        });
    };
    addTextField(form, QStringLiteral("Name"), QStringLiteral("testNameField"), qText(test.name()),
                 [&editor, uuid](const QString& text) { editor.changeTestTaskName(uuid, text.toStdString()); });
    addChoiceField(form, QStringLiteral("Test"), QStringLiteral("testTypeField"),
                   enumChoices(std::array{TestTaskType::wcagContrastTest, TestTaskType::apcaContrastTest}),
                   static_cast<int>(test.taskType()), [change](int code) {
                       change([code](TestTask& task) { task.setTaskType(static_cast<TestTaskType>(code)); });
                   });
    addChoiceField(form, QStringLiteral("Threshold By"), QStringLiteral("thresholdTypeField"),
                   optionalChoices(std::array{TestThresholdType::luminosity, TestThresholdType::textSize}),
                   optionalCode(test.thresholdType()), [change](int code) {
                       change([code](TestTask& task) { task.setThresholdType(fromCode<TestThresholdType>(code)); });
                   });
    addTextField(form, QStringLiteral("Threshold"), QStringLiteral("thresholdField"), numberText(test.threshold()),
                 [change](const QString& text) {
                     bool ok = false;
                     const double value = QLocale().toDouble(text, &ok);
                     change([value, ok, empty = text.trimmed().isEmpty()](TestTask& task) {
                         if (empty) task.setThreshold(std::nullopt);
                         else if (ok) task.setThreshold(value);
                     });
                 });
    addTextField(form, QStringLiteral("Min Font Size"), QStringLiteral("minFontSizeField"),
                 test.minFontSize() ? QString::number(*test.minFontSize()) : QString(), [change](const QString& text) {
                     bool ok = false;
                     const int value = text.toInt(&ok);
                     change([value, ok, empty = text.trimmed().isEmpty()](TestTask& task) {
                         if (empty) task.setMinFontSize(std::nullopt);
                         else if (ok && value > 0) task.setMinFontSize(value);
                     });
                 });
    addChoiceField(form, QStringLiteral("Min Font Weight"), QStringLiteral("minFontWeightField"),
                   optionalChoices(std::array{TestFontWeight::twoHundred, TestFontWeight::threeHundred,
                                              TestFontWeight::fourHundred, TestFontWeight::fiveHundred,
                                              TestFontWeight::sixHundred, TestFontWeight::sevenHundred}),
                   optionalCode(test.minFontWeight()), [change](int code) {
                       change([code](TestTask& task) { task.setMinFontWeight(fromCode<TestFontWeight>(code)); });
                   });
    addNote(form, QStringLiteral("Empty fields use the test's defaults."));
}

}  // namespace vantorel::app
