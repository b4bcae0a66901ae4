// The document's file as the windows handle it: a change made on disk by another program is
// read again, closing with unsaved changes asks first, untitled documents are saved where the
// user says, and the welcome window stands in when no document is open.

#include <QFile>
#include <QListWidget>
#include <QPushButton>

#include "AppTestSupport.h"
#include "app/WelcomeWindow.h"

using namespace vantorel;
using namespace vantorel::app;
using namespace vantorel::app::testing;

namespace {

// Replaces the file the way editors and version control do: a new file renamed over the old.
void replaceOnDisk(const QString& path, const std::function<void(QuenzColorProject&)>& change) {
    const auto other = shell::Document::open(path.toStdString()).document;
    QVERIFY(other);
    change(*other->project());
    const std::string bytes = documentText(*other->project());
    QFile temporary(path + QStringLiteral(".new"));
    QVERIFY(temporary.open(QIODevice::WriteOnly));
    temporary.write(bytes.data(), static_cast<qint64>(bytes.size()));
    temporary.close();
    QFile::remove(path);
    QVERIFY(QFile::rename(temporary.fileName(), path));
}

void renameFirstItem(QuenzColorProject& project, const std::string& name) { project.items().front()->setName(name); }

}  // namespace

class DocumentFileTests : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useTestSettings(); }

    void aDocumentChangedOnDiskIsReadAgain() {
        EditorFixture fixture;
        const QString path = fixture.exampleCopy(QStringLiteral("Watched"));
        DocumentWindow* window = fixture.manager->openFile(path);
        QVERIFY(window);

        replaceOnDisk(path, [](QuenzColorProject& project) { renameFirstItem(project, "Renamed Elsewhere"); });
        // The file watcher notices without the user doing anything.
        QTRY_VERIFY_WITH_TIMEOUT(itemNamed(*window->session().project(), "Renamed Elsewhere"), 5000);
        QCOMPARE(window->itemTreeModel().index(0, 0).data().toString(), QStringLiteral("Renamed Elsewhere"));
        QVERIFY(fixture.prompts->questions.isEmpty());

        // With unsaved changes it asks first; declining keeps the user's work.
        trigger(*window, "addGroupAction");
        replaceOnDisk(path, [](QuenzColorProject& project) { renameFirstItem(project, "Second Change"); });
        QTRY_COMPARE_WITH_TIMEOUT(fixture.prompts->questions.size(), 1, 5000);
        QCOMPARE(fixture.prompts->questions.front(), QStringLiteral("reload Watched"));
        QVERIFY(!itemNamed(*window->session().project(), "Second Change"));
        QVERIFY(window->isWindowModified());
        fixture.prompts->reloadAnswers = {true};
        window->checkFileOnDisk();
        QVERIFY(itemNamed(*window->session().project(), "Second Change"));
        QVERIFY(!window->isWindowModified());
        QVERIFY(!window->action(QStringLiteral("undoAction"))->isEnabled());
    }

    void closingWithUnsavedChangesAsksFirst() {
        EditorFixture fixture;
        const QString path = fixture.exampleCopy(QStringLiteral("Closing"));
        DocumentWindow* window = fixture.manager->openFile(path);
        QVERIFY(window);
        trigger(*window, "addColorAction");

        // Cancel: the window stays.
        fixture.prompts->saveAnswers = {SaveChoice::cancel};
        QVERIFY(!window->close());
        QCOMPARE(fixture.prompts->questions, QStringList{QStringLiteral("save changes to Closing")});
        QCOMPARE(fixture.manager->windows().size(), std::size_t{1});

        // Save: the change is in the file, and the window is gone.
        fixture.prompts->saveAnswers = {SaveChoice::save};
        QPointer<DocumentWindow> closing(window);
        trigger(*window, "closeAction");
        QTRY_VERIFY(!closing);
        QVERIFY(fixture.manager->windows().empty());
        const auto saved = shell::Document::open(path.toStdString()).document;
        QVERIFY(itemNamed(*saved->project(), "Color"));

        // Discard: the file keeps what it had.
        window = fixture.manager->openFile(path);
        trigger(*window, "addGroupAction");
        fixture.prompts->saveAnswers = {SaveChoice::discard};
        closing = window;
        window->close();
        QTRY_VERIFY(!closing);
        QVERIFY(!itemNamed(*shell::Document::open(path.toStdString()).document->project(), "Group"));
        // A clean document closes without a question.
        window = fixture.manager->openFile(path);
        fixture.prompts->questions.clear();
        QVERIFY(window->close());
        QVERIFY(fixture.prompts->questions.isEmpty());
    }

    void quittingAsksAboutEachEditedDocumentAndCanBeCancelled() {
        EditorFixture fixture;
        DocumentWindow* clean = fixture.manager->openFile(fixture.exampleCopy(QStringLiteral("Clean")));
        DocumentWindow* edited = fixture.manager->openFile(fixture.exampleCopy(QStringLiteral("Edited")));
        QVERIFY(clean && edited);
        trigger(*edited, "addColorAction");

        fixture.prompts->saveAnswers = {SaveChoice::cancel};
        QVERIFY(!fixture.manager->quit());
        QCOMPARE(fixture.prompts->questions, QStringList{QStringLiteral("save changes to Edited")});
        QCOMPARE(fixture.manager->windows().size(), std::size_t{1});  // the clean one closed without asking
        QCOMPARE(fixture.manager->windows().front(), edited);

        fixture.prompts->saveAnswers = {SaveChoice::discard};
        QVERIFY(fixture.manager->quit());
        QVERIFY(fixture.manager->windows().empty());
    }

    void anUntitledDocumentIsSavedWhereTheUserSaysAndRevertsToIt() {
        EditorFixture fixture;
        DocumentWindow* window = fixture.manager->newDocument();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("Untitled[*]"));
        trigger(*window, "addNumberAction");
        fixture.prompts->saveFile = fixture.folder.filePath(QStringLiteral("Spacing.vantorel"));
        trigger(*window, "saveAction");
        QCOMPARE(fixture.prompts->questions, QStringList{QStringLiteral("save as")});
        QCOMPARE(window->session().filePath(), fixture.prompts->saveFile);
        QCOMPARE(window->windowTitle(), QStringLiteral("Spacing[*]"));
        QVERIFY(fixture.manager->recentFiles().contains(fixture.prompts->saveFile));

        trigger(*window, "addStringAction");
        QVERIFY(itemNamed(*window->session().project(), "String"));
        trigger(*window, "revertAction");
        QVERIFY(!itemNamed(*window->session().project(), "String"));
        QVERIFY(itemNamed(*window->session().project(), "Number"));
        QVERIFY(!window->isWindowModified());
    }

    void theWelcomeWindowOpensWhenNoDocumentIsOpen() {
        EditorFixture fixture;
        DocumentWindow* window = fixture.manager->openFile(fixture.exampleCopy(QStringLiteral("Recent")));
        QVERIFY(window);
        window->close();
        QTRY_VERIFY(fixture.manager->welcomeWindow() && fixture.manager->welcomeWindow()->isVisible());
        WelcomeWindow* welcome = fixture.manager->welcomeWindow();
        auto* recent = welcome->findChild<QListWidget*>(QStringLiteral("welcomeRecentList"));
        QVERIFY(recent->count() >= 1);
        QVERIFY(recent->item(0)->text().startsWith(QStringLiteral("Recent")));

        welcome->findChild<QPushButton*>(QStringLiteral("welcomeExampleButton"))->click();
        QCOMPARE(fixture.manager->windows().size(), std::size_t{1});
        QCOMPARE(fixture.manager->windows().front()->session().displayName(), QStringLiteral("Showcase"));
        QTRY_VERIFY(!fixture.manager->welcomeWindow());
    }
};

QTEST_MAIN(DocumentFileTests)
#include "DocumentFileTests.moc"
