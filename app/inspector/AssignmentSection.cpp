#include <QComboBox>
#include <QLineEdit>

#include "app/inspector/FormBuilder.h"
#include "app/inspector/Sections.h"

namespace vantorel::app::inspector {

namespace {

// A choice of one of the project's build or test groups, or none.
template <class Groups, class Read, class Commit>
void groupChoice(FormBuilder& form, const QString& label, const QString& name, const Groups& groups, Read read,
                 Commit commit) {
    Options options = {{QStringLiteral("None"), QString()}};
    for (const auto& group : groups) options.emplace_back(qText(group->name()), qText(group->uuid()));
    form.choice(label, name, options,
                [&form, read] { const auto& group = read(*form.item()); return group ? qText(group->uuid()) : QString(); },
                [&form, commit](const QString& key) {
                    (form.editor().*commit)(form.uuid(), key.isEmpty() ? std::nullopt : std::optional(key.toStdString()));
                });
}

}  // namespace

void addAssignments(FormBuilder& form) {
    form.section(QStringLiteral("Build & Test"));
    groupChoice(form, QStringLiteral("Build Group"), QStringLiteral("buildGroupField"), form.project().buildGroups(),
                [](const QuenzColorProjectItem& item) { return item.buildGroup(); },
                &QuenzColorDocumentEditor::changeBuildGroup);
    groupChoice(form, QStringLiteral("Test Group"), QStringLiteral("testGroupField"), form.project().testGroups(),
                [](const QuenzColorProjectItem& item) { return item.testGroup(); },
                &QuenzColorDocumentEditor::changeTestGroup);
    // The role is what a contrast test pairs the item as; it is kept only with a test group.
    QComboBox* role = form.choice(QStringLiteral("Test Role"), QStringLiteral("testRoleField"),
                enumOptions(std::array{TestPosition::foreground, TestPosition::background, TestPosition::both},
                            [](TestPosition p) { return displayName(p); }),
                [&form] { return enumKey(form.item()->testPosition()); },
                [&form](const QString& key) {
                    form.editor().changeTestPosition(form.uuid(), static_cast<TestPosition>(key.toInt()));
                });
    form.keepUpdated([&form, role] { role->setEnabled(form.item()->testGroup() != nullptr); });
}

void addDeprecation(FormBuilder& form) {
    form.section(QStringLiteral("Deprecation"));
    form.check(QStringLiteral("Deprecated"), QStringLiteral("deprecatedField"),
               [&form] { return form.item()->valueItem()->deprecated(); },
               [&form](bool on) { form.editor().changeDeprecated(form.uuid(), on); });
    QLineEdit* reason = form.text(
        QStringLiteral("Reason"), QStringLiteral("deprecatedReasonField"),
        [&form] { return qText(form.item()->valueItem()->deprecatedReason().value_or(std::string())); },
        [&form](const QString& t) {
            return form.editor().changeDeprecatedReason(
                form.uuid(), t.isEmpty() ? std::nullopt : std::optional(t.toStdString()));
        });
    reason->setPlaceholderText(QStringLiteral("Use … instead"));
}

}  // namespace vantorel::app::inspector
