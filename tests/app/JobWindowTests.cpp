// Builds, contrast test runs and imports driven from the document window's menus and the build
// and test group windows, as a user drives them, on copies of the example document.

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QCheckBox>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTreeWidget>

#include "../VantorelTesting/TestRunnerSupport.h"
#include "AppTestSupport.h"
#include "Vantorel/testing/TestRunner.h"
#include "VantorelData/format/QuenzColorFileReader.h"
#include "app/builds/BuildController.h"
#include "app/builds/BuildGroupEditor.h"
#include "app/builds/DesktopNotifications.h"
#include "app/builds/LocationChooser.h"
#include "app/builds/MissingBuildItemsDialog.h"
#include "app/imports/ImportController.h"
#include "app/testing/TestGroupEditor.h"
#include "app/testing/TestResultsTree.h"
#include "app/testing/TestResultsWindow.h"
#include "app/testing/TestedItems.h"
#include "app/testing/TestRunController.h"

using namespace vantorel;
using namespace vantorel::app;
using namespace vantorel::app::testing;

namespace {

namespace fs = std::filesystem;

// Answers every chooser with the next prepared path and records what it was asked.
class ScriptedChooser final : public LocationChooser {
public:
    QStringList answers;
    QStringList messages;
    QString chooseFolder(QWidget*, const QString& message, const QString&) override { return next(message); }
    QString chooseFile(QWidget*, const QString& message, const QString&, const QStringList&) override {
        return next(message);
    }

private:
    QString next(const QString& message) {
        messages << message;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

// A copy of the example with its template folder, opened in a window that posts notifications
// to a list instead of the desktop.
struct ExampleWindow {
    EditorFixture fixture;
    DocumentWindow* window = nullptr;
    std::vector<platform::UserNotification> notes;
    platform::CallbackNotificationCenter notifications{[this](const platform::UserNotification& note) { notes.push_back(note); }};
    ScriptedChooser* chooser = nullptr;

    ExampleWindow() {
        QDir().mkpath(fixture.folder.filePath(QStringLiteral("templates")));
        for (const QString& name : QDir(QStringLiteral(VANTOREL_SOURCE_DIR "/examples/templates")).entryList(QDir::Files)) {
            QFile::copy(QStringLiteral(VANTOREL_SOURCE_DIR "/examples/templates/") + name,
                        fixture.folder.filePath(QStringLiteral("templates/") + name));
        }
        window = fixture.manager->openFile(fixture.exampleCopy(QStringLiteral("Showcase")));
        window->builds().setNotificationCenter(&notifications);
        auto scripted = std::make_unique<ScriptedChooser>();
        chooser = scripted.get();
        setLocationChooser(std::move(scripted));
    }
    ~ExampleWindow() { setLocationChooser(nullptr); }

    QuenzColorProject& project() { return *window->session().project(); }
    fs::path folder() const { return fixture.folder.path().toStdString(); }

    // Where each task of the groups that have items writes, in build order.
    std::vector<fs::path> expectedOutputs() {
        std::vector<fs::path> outputs;
        for (const auto& group : project().buildGroups()) {
            if (project().itemsInBuildGroup(*group).empty()) continue;
            for (const auto& task : group->tasks())
                outputs.push_back((folder() / task->exportFileFolder() / task->outputFileName()).lexically_normal());
        }
        return outputs;
    }

    bool build(const char* action = "buildAllAction") {
        QSignalSpy finished(&window->builds(), &BuildController::buildFinished);
        trigger(*window, action);
        auto* status = window->findChild<QLabel*>(QStringLiteral("buildStatusText"));
        if (!status || !status->text().startsWith(QStringLiteral("Building"))) return false;
        if (!finished.wait(60000)) return false;
        return finished.front().front().toBool();
    }
};

}  // namespace

class JobWindowTests : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        useTestSettings();
        // The granted locations of the tests, not the user's, and a session bus that is not there.
        static QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArray("unix:path=") + config.filePath(QStringLiteral("no-bus")).toUtf8());
    }

    // Without a notification service "Build Completed" is dropped without an error.
    void notificationsDegradeQuietlyWithoutABus() {
        DesktopNotifications desktop;
        QCOMPARE(desktop.requestPermission().permission, platform::NotificationPermission::refused);
        QVERIFY(!platform::notifyUser(desktop, platform::UserNotification{"id", "Build Completed", "Showcase", true, {}}));
    }

    // A build from the menu writes every task's output and posts "Build Completed"; a task that
    // cannot write stops the build with "Build Error", keeping what earlier tasks wrote.
    void buildFromTheMenu_data() {
        QTest::addColumn<int>("blockedTask");
        QTest::newRow("every output written") << -1;
        QTest::newRow("third task blocked") << 2;
    }
    void buildFromTheMenu() {
        QFETCH(int, blockedTask);
        ExampleWindow example;
        const std::vector<fs::path> outputs = example.expectedOutputs();
        QVERIFY(outputs.size() > 3);
        QVERIFY(example.build());
        for (const fs::path& output : outputs) QVERIFY2(fs::exists(output), output.c_str());
        QCOMPARE(example.notes.size(), std::size_t(1));
        QCOMPARE(example.notes.front().title, std::string("Build Completed"));
        QCOMPARE(example.notes.front().body, std::string("Showcase"));
        if (blockedTask < 0) return;

        // A folder where the task's file belongs: the file cannot be replaced.
        const fs::path blocked = outputs[static_cast<std::size_t>(blockedTask)];
        fs::remove_all(blocked);
        fs::create_directories(blocked / "in-the-way");
        const fs::path earlier = outputs.front();
        fs::remove(earlier);
        QVERIFY(!example.build());
        QCOMPARE(example.fixture.prompts->questions.size(), qsizetype(1));
        QVERIFY2(example.fixture.prompts->questions.front().startsWith(
                     QStringLiteral("Build Error: An error occurred while building: ")),
                 qPrintable(example.fixture.prompts->questions.front()));
        QVERIFY(fs::exists(earlier));                      // written again before the failure
        QVERIFY(fs::exists(outputs.back()));               // from the first build, kept
        QVERIFY(fs::is_directory(blocked / "in-the-way")); // untouched
        QCOMPARE(example.notes.size(), std::size_t(1));
    }

    // Cancel stops the build before its next task, without an error alert or a notification.
    void cancelStopsTheBuildBeforeTheNextTask() {
        ExampleWindow example;
        const std::vector<fs::path> outputs = example.expectedOutputs();
        // The first task waits until the test has cancelled.
        auto release = std::make_shared<QSemaphore>();
        auto started = std::make_shared<QSemaphore>();
        example.window->builds().setExporterFactory([release, started](BuildFileType type, const QuenzColorProject& project) {
            if (started->available() == 0) {
                started->release();
                release->acquire();
            }
            return build::makeExporter(type, project);
        });
        QSignalSpy finished(&example.window->builds(), &BuildController::buildFinished);
        trigger(*example.window, "buildAllAction");
        QVERIFY(started->tryAcquire(1, 30000));
        started->release();
        QVERIFY(example.window->findChild<QWidget*>(QStringLiteral("buildStatus"))->isVisibleTo(example.window));
        example.window->findChild<QPushButton*>(QStringLiteral("cancelBuildButton"))->click();
        release->release();
        QVERIFY(finished.wait(30000));
        QVERIFY(!finished.front().front().toBool());
        QVERIFY(fs::exists(outputs.front()));
        QVERIFY(!fs::exists(outputs[1]));
        QVERIFY(example.fixture.prompts->questions.isEmpty());
        QVERIFY(example.notes.empty());
        QCOMPARE(example.window->statusBar()->currentMessage(), QStringLiteral("Build cancelled"));
    }

    // A custom template that cannot be found opens the pre-build check; choosing the template
    // makes the row ready, and Continue builds.
    void missingTemplateIsChosenInThePreBuildCheck() {
        ExampleWindow example;
        const fs::path templates = example.folder() / "templates";
        fs::rename(templates, example.folder() / "moved");
        example.chooser->answers << QString::fromStdString((example.folder() / "moved" / "Tokens.stencil").string());
        QSignalSpy finished(&example.window->builds(), &BuildController::buildFinished);
        trigger(*example.window, "buildAllAction");
        MissingBuildItemsDialog* check = nullptr;
        QTRY_VERIFY((check = example.window->findChild<MissingBuildItemsDialog*>()));
        QCOMPARE(check->windowTitle(), QStringLiteral("Missing Build Items"));
        auto* confirm = check->findChild<QPushButton*>(QStringLiteral("continueButton"));
        QCOMPARE(confirm->text(), QStringLiteral("Continue Anyway"));
        QCOMPARE(check->findChild<QLabel*>(QStringLiteral("statusLabel"))->text(), QStringLiteral("Missing"));

        check->findChild<QPushButton*>(QStringLiteral("chooseButton"))->click();
        QVERIFY(example.chooser->messages.front().startsWith(QStringLiteral("Locate the template file “")));
        QCOMPARE(confirm->text(), QStringLiteral("Continue"));
        QCOMPARE(check->findChild<QLabel*>(QStringLiteral("statusLabel"))->text(), QStringLiteral("Ready"));
        confirm->click();
        QVERIFY(finished.wait(60000));
        QVERIFY(finished.front().front().toBool());
        for (const fs::path& output : example.expectedOutputs()) QVERIFY2(fs::exists(output), output.c_str());
    }

    // A run of every test group shows every pair the core measures; failures only narrows them to
    // exactly the failed pairs, in run order, each with both colors and the verdict. Choosing one
    // selects the pair's two items.
    void testRunListsTheFailuresAndSelectsTheirItems() {
        ExampleWindow example;
        const auto expected = Tester(format::QuenzColorFileReader::read(documentText(example.project()))).runAll();
        std::vector<const TestColorResult*> failures;
        std::size_t measured = 0;
        for (const auto& group : expected)
            for (const auto& test : group.tests)
                for (const auto& pair : test.testColors) {
                    ++measured;
                    if (!pair.passed) failures.push_back(&pair);
                }
        QVERIFY(!failures.empty());

        QSignalSpy finished(&example.window->testRuns(), &TestRunController::runFinished);
        trigger(*example.window, "runAllTestsAction");
        QVERIFY(finished.wait(60000));
        TestResultsWindow* window = example.window->testRuns().resultsWindow();
        QVERIFY(window && window->isVisible());
        QCOMPARE(static_cast<std::size_t>(window->groups().topLevelItemCount()), expected.size());
        TestResultsTree& results = window->results();
        QCOMPARE(results.visiblePairRows().size(), measured);
        window->failuresOnly().setChecked(true);
        const auto rows = results.visiblePairRows();
        QCOMPARE(rows.size(), failures.size());
        const auto colorCell = [](const std::string& name, const std::string& css) {
            return qText(name) + QStringLiteral("\n") + qText(css);
        };
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const TestColorResult& pair = *failures[i];
            QCOMPARE(rows[i]->text(TestResultsTree::foregroundColumn),
                     colorCell(pair.foregroundColorName, pair.foregroundCSSColorString));
            QCOMPARE(rows[i]->text(TestResultsTree::backgroundColumn),
                     colorCell(pair.backgroundColorName, pair.backgroundCSSColorString));
            QVERIFY(rows[i]->text(TestResultsTree::resultColumn).endsWith(qText(pair.testResultSummary)));
        }

        results.setCurrentItem(rows.front());
        QStringList selected;
        for (const auto& item : example.window->session().selection().selectedItems()) selected << qText(item->name());
        QCOMPARE(selected, (QStringList{qText(failures.front()->foregroundColorName), qText(failures.front()->backgroundColorName)}));
    }

    // A run that measures no pair says so in place of empty tables.
    void runWithoutPairsSaysSo() {
        EditorFixture fixture;
        DocumentWindow* window = fixture.manager->newDocument();
        QSignalSpy finished(&window->testRuns(), &TestRunController::runFinished);
        trigger(*window, "runAllTestsAction");
        QVERIFY(finished.wait(60000));
        TestResultsWindow* results = window->testRuns().resultsWindow();
        QVERIFY(results && results->findChild<QLabel*>(QStringLiteral("noTestResults"))->isVisible());
        QVERIFY(!results->results().isVisible());
    }

    // A step of a set is tested as "Set-Step": its failure leads to the set, the set whose name
    // is the longest that fits when one set's name begins another's.
    void failuresLeadToTheItemsBehindTheirColors() {
        testsupport::TestProject setup;
        const auto mist = setup.color("Mist", TestPosition::foreground, testsupport::srgb(0.8, 0.8, 0.8));
        setup.colorSet("Blue", TestPosition::background, {{"100", testsupport::srgb(0.9, 0.9, 1)}});
        setup.colorSet("Blue-Gray", TestPosition::background, {{"100", testsupport::srgb(0.85, 0.85, 0.9)}});
        const auto results = Tester(setup.project).runAll();
        const TestedItems items(*setup.project, results.at(0).testGroupName);
        const auto& pairs = results.front().tests.at(0).testColors;
        QCOMPARE(pairs.size(), std::size_t(2 * 4));  // two pairs in every appearance
        for (const TestColorResult& pair : pairs) {
            const auto uuids = items.itemUuids(pair);
            QCOMPARE(uuids.size(), std::size_t(2));
            QCOMPARE(uuids.front(), mist->uuid());
            QCOMPARE(setup.project->itemWithId(uuids.back())->name() + "-100", pair.backgroundColorName);
        }
    }

    // File › Import adds one selected group named after the kind and the file, which one undo
    // removes; a file the importer cannot read shows "Import Error" and changes nothing.
    void importFromTheFileMenu_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("groupName");  // empty: the import fails
        QTest::newRow("design tokens")
            << "importTokensAction" << "tokens.json"
            << QByteArray("{\"brand\": {\"$type\": \"color\", \"$value\": {\"colorSpace\": \"srgb\", "
                          "\"components\": [1, 0.4, 0]}}, \"ink\": {\"$type\": \"color\", \"$value\": "
                          "{\"colorSpace\": \"srgb\", \"components\": [0.1, 0.1, 0.1]}}}")
            << "Design Tokens JSON Import - tokens.json";
        QTest::newRow("style sheet") << "importCssAction" << "site.css"
                                     << QByteArray(":root { --accent: #3366ff; --paper: rgb(250 250 245); }")
                                     << "CSS Import - site.css";
        QTest::newRow("broken tokens") << "importTokensAction" << "broken.json" << QByteArray("{\"brand\": ") << "";
    }
    void importFromTheFileMenu() {
        QFETCH(QString, action);
        QFETCH(QString, fileName);
        QFETCH(QByteArray, contents);
        QFETCH(QString, groupName);
        ExampleWindow example;
        const QString path = example.fixture.folder.filePath(fileName);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
        file.close();
        example.chooser->answers << path;
        const std::string before = documentText(example.project());
        const std::size_t topLevel = example.project().items().size();
        const bool couldUndo = example.window->session().undoManager().canUndo();

        QSignalSpy finished(&example.window->imports(), &ImportController::importFinished);
        trigger(*example.window, action.toLatin1().constData());
        QCOMPARE(example.window->statusBar()->currentMessage(), QStringLiteral("Importing…"));
        QVERIFY(finished.wait(30000));
        const QString uuid = finished.front().front().toString();
        if (groupName.isEmpty()) {
            QVERIFY(uuid.isEmpty());
            QCOMPARE(example.fixture.prompts->questions.size(), qsizetype(1));
            QVERIFY(example.fixture.prompts->questions.front().startsWith(QStringLiteral("Import Error: Failed to import colors: ")));
            QCOMPARE(documentText(example.project()), before);
            QCOMPARE(example.window->session().undoManager().canUndo(), couldUndo);
            return;
        }
        QCOMPARE(example.project().items().size(), topLevel + 1);
        const ProjectItemPtr group = example.project().itemWithId(uuid.toStdString());
        QVERIFY(group && group->isGroup());
        QCOMPARE(qText(group->name()), groupName);
        QCOMPARE(group->group()->items().size(), std::size_t(2));
        QCOMPARE(example.window->session().selection().selectedItems().front()->uuid(), uuid.toStdString());
        QCOMPARE(example.window->action(QStringLiteral("undoAction"))->text(), QStringLiteral("Undo Add Color"));

        trigger(*example.window, "undoAction");
        QTRY_COMPARE(example.project().items().size(), topLevel);
        QCOMPARE(documentText(example.project()), before);
    }

    // Each field and button of the build and test group windows commits one undo step that undo
    // reverts; a button that adds or deletes a task moves the window off the task it had chosen.
    void groupWindowFieldsAreOneUndoStepEach_data() {
        QTest::addColumn<bool>("buildWindow");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");  // a text field; empty: the combo box's last entry, or the button
        QTest::addColumn<QString>("undoTitle");
        QTest::newRow("task name") << true << "taskNameField" << "Web Colors" << "Undo Edit Build Task";
        QTest::newRow("task file name") << true << "fileNameField" << "palette" << "Undo Edit Build Task";
        QTest::newRow("task file type") << true << "fileTypeField" << "" << "Undo Edit Build Task";
        QTest::newRow("task prefix") << true << "prefixField" << "ds-" << "Undo Edit Build Task";
        QTest::newRow("test threshold") << false << "thresholdField" << "7" << "Undo Change Test Group";
        QTest::newRow("test font weight") << false << "minFontWeightField" << "" << "Undo Change Test Group";
        QTest::newRow("add build task") << true << "addBuildTaskButton" << "" << "Undo Add Build Task";
        QTest::newRow("delete build task") << true << "deleteBuildButton" << "" << "Undo Delete";
        QTest::newRow("add APCA test") << false << "addApcaTestButton" << "" << "Undo Add Test";
        QTest::newRow("delete test") << false << "deleteTestButton" << "" << "Undo Delete";
    }
    void groupWindowFieldsAreOneUndoStepEach() {
        QFETCH(bool, buildWindow);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, undoTitle);
        ExampleWindow example;
        TaskGroupEditor& editor = buildWindow ? static_cast<TaskGroupEditor&>(example.window->showBuildGroupEditor())
                                              : example.window->showTestGroupEditor();
        QTreeWidgetItem* firstTask = editor.tree().topLevelItem(0)->child(0);
        editor.tree().setCurrentItem(firstTask);
        QVERIFY(!editor.selectedTask().empty());
        const std::string before = documentText(example.project());

        const std::string chosen = editor.selectedTask();
        if (auto* button = editor.findChild<QPushButton*>(field)) {
            button->click();
            QTRY_VERIFY(editor.selectedTask() != chosen);
        } else if (typed.isEmpty()) {
            auto* box = editor.findChild<QComboBox*>(field);
            QVERIFY(box);
            const int last = box->count() - 1;
            QVERIFY(box->currentIndex() != last);
            box->setCurrentIndex(last);
            emit box->activated(last);
        } else {
            typeInto(editor.findChild<QLineEdit*>(field), typed);
        }
        QVERIFY(documentText(example.project()) != before);
        QCOMPARE(example.window->action(QStringLiteral("undoAction"))->text(), undoTitle);
        trigger(*example.window, "undoAction");
        QTRY_COMPARE(documentText(example.project()), before);
        // The window follows the undo.
        QTRY_VERIFY(editor.findChild<QWidget*>(field));
    }
};

QTEST_MAIN(JobWindowTests)
#include "JobWindowTests.moc"
