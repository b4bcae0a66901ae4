// The document window driven as a user drives it: menus, the inspector, the clipboard between
// two windows, drag and drop, the display modes.

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QListView>
#include <QMimeData>
#include <QStackedWidget>
#include <QTableView>
#include <QTreeView>

#include "AppTestSupport.h"
#include "app/ItemTreeModel.h"
#include "app/SystemClipboard.h"
#include "app/TaskGroupListModel.h"

using namespace vantorel;
using namespace vantorel::app;
using namespace vantorel::app::testing;

class EditingWindowTests : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useTestSettings(); }

    void addRenameRecolorAndUndoBackToTheOpenedState() {
        EditorFixture fixture;
        DocumentWindow* window = fixture.manager->openFile(fixture.exampleCopy(QStringLiteral("Aurora")));
        QVERIFY(window);
        const QuenzColorProjectPtr project = window->session().project();
        const std::string opened = documentText(*project);
        QCOMPARE(window->action(QStringLiteral("undoAction"))->text(), QStringLiteral("Undo"));

        trigger(*window, "addColorAction");
        // The new color becomes the selection on the next turn of the event loop.
        QTRY_VERIFY(inspectorField<QLineEdit>(*window, "nameField"));
        QCOMPARE(inspectorField<QLineEdit>(*window, "nameField")->text(), QStringLiteral("Color"));
        QCOMPARE(window->action(QStringLiteral("undoAction"))->text(), QStringLiteral("Undo Add Color"));
        QVERIFY(window->isWindowModified());

        typeInto(inspectorField<QLineEdit>(*window, "nameField"), QStringLiteral("Signal Orange"));
        QVERIFY(itemNamed(*project, "Signal Orange"));
        QCOMPARE(window->action(QStringLiteral("undoAction"))->text(), QStringLiteral("Undo Change Name"));

        // Light & Dark brings the dark field; typing a color there changes only the dark value.
        auto* appearance = inspectorField<QComboBox>(*window, "appearanceField");
        QVERIFY(appearance);
        const int lightAndDark = appearance->findData(QString::number(static_cast<int>(DisplayableAppearance::lightAndDark)));
        appearance->setCurrentIndex(lightAndDark);
        emit appearance->activated(lightAndDark);
        QCOMPARE(window->action(QStringLiteral("undoAction"))->text(), QStringLiteral("Undo Change Appearance"));
        QTRY_VERIFY(inspectorField<QLineEdit>(*window, "colorField-dark"));
        typeInto(inspectorField<QLineEdit>(*window, "colorField-dark"), QStringLiteral("#102030"));
        QCOMPARE(window->action(QStringLiteral("undoAction"))->text(), QStringLiteral("Undo Change Color"));
        const ProjectItemPtr highlight = itemNamed(*project, "Signal Orange");
        QVERIFY(highlight && highlight->color());
        const quenz::ColorValue dark = highlight->color()->color().value(ColorSource::dark);
        QCOMPARE(qRound(dark.red * 255), 0x10);
        QCOMPARE(qRound(dark.blue * 255), 0x30);
        QVERIFY(highlight->color()->color().value(ColorSource::light) != dark);

        // Text that is no color is refused and changes nothing.
        typeInto(inspectorField<QLineEdit>(*window, "colorField-dark"), QStringLiteral("not a color"));
        QCOMPARE(window->action(QStringLiteral("undoAction"))->text(), QStringLiteral("Undo Change Color"));

        // Each undo takes back one step, under the title the menu showed.
        for (const char* title : {"Undo Change Color", "Undo Change Appearance", "Undo Change Name", "Undo Add Color"}) {
            QTRY_COMPARE(window->action(QStringLiteral("undoAction"))->text(), QString::fromLatin1(title));
            trigger(*window, "undoAction");
        }
        QTRY_COMPARE(window->action(QStringLiteral("undoAction"))->text(), QStringLiteral("Undo"));
        QCOMPARE(documentText(*window->session().project()), opened);
        QVERIFY(!window->isWindowModified());
        QCOMPARE(window->action(QStringLiteral("redoAction"))->text(), QStringLiteral("Redo Add Color"));

        // Redo everything, save, and find every change in the file.
        for (int step = 0; step < 4; ++step) {
            QTRY_VERIFY(window->action(QStringLiteral("redoAction"))->isEnabled());
            trigger(*window, "redoAction");
        }
        QTRY_COMPARE(window->action(QStringLiteral("undoAction"))->text(), QStringLiteral("Undo Change Color"));
        QVERIFY(window->save());
        QVERIFY(!window->isWindowModified());
        const auto reopened = shell::Document::open(window->session().filePath().toStdString()).document;
        QVERIFY(reopened);
        const ProjectItemPtr saved = itemNamed(*reopened->project(), "Signal Orange");
        QVERIFY(saved && saved->color());
        QCOMPARE(saved->color()->appearanceType(), AppearanceType::lightAndDark);
        QCOMPARE(qRound(saved->color()->color().value(ColorSource::dark).green * 255), 0x20);
        QCOMPARE(documentText(*reopened->project()), documentText(*window->session().project()));
    }

    // Each kind added from the Item menu shows its own fields in the inspector.
    void theInspectorShowsTheFieldsOfEachKind_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("field");
        QTest::newRow("color") << "addColorAction" << "colorField-light";
        QTest::newRow("color set") << "addColorSetAction" << "stepCountField";
        QTest::newRow("color alias") << "addColorAliasAction" << "aliasTargetField-light";
        QTest::newRow("number") << "addNumberAction" << "numberField-light";
        QTest::newRow("number alias") << "addNumberAliasAction" << "aliasTargetField-light";
        QTest::newRow("boolean") << "addBooleanAction" << "booleanField-light";
        QTest::newRow("string") << "addStringAction" << "stringField-light";
        QTest::newRow("shadow") << "addShadowAction" << "shadowBlurField-light";
        QTest::newRow("shadow set") << "addShadowSetAction" << "curveField";
        QTest::newRow("shadow alias") << "addShadowAliasAction" << "aliasTargetField-light";
        QTest::newRow("group") << "addGroupAction" << "providesNamespaceField";
    }
    void theInspectorShowsTheFieldsOfEachKind() {
        QFETCH(QString, action);
        QFETCH(QString, field);
        EditorFixture fixture;
        DocumentWindow* window = fixture.manager->newDocument();
        QVERIFY(window);
        trigger(*window, action.toLatin1().constData());
        QTRY_VERIFY(window->inspector().findChild<QWidget*>(field));
        QVERIFY(window->inspector().findChild<QLineEdit*>(QStringLiteral("nameField")));
        QVERIFY(window->action(QStringLiteral("undoAction"))->text().startsWith(QStringLiteral("Undo Add ")));
    }

    void copyInOneWindowAndPasteInAnother() {
        EditorFixture fixture;
        DocumentWindow* source = fixture.manager->openFile(fixture.exampleCopy(QStringLiteral("Source")));
        DocumentWindow* target = fixture.manager->newDocument();
        QVERIFY(source && target);
        const ProjectItemPtr teal = itemNamed(*source->session().project(), "Teal");
        QVERIFY(teal);
        source->revealItem(teal->uuid());
        trigger(*source, "copyAction");

        const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
        QVERIFY(clipboard->hasFormat(QString::fromLatin1(projectItemsMimeType)));
        QVERIFY(clipboard->text().contains(QStringLiteral("Teal")));

        trigger(*target, "pasteAction");
        const ProjectItemPtr pasted = itemNamed(*target->session().project(), "Teal");
        QVERIFY(pasted && pasted->colorSet());
        QVERIFY(pasted->uuid() != teal->uuid());
        QCOMPARE(pasted->colorSet()->stepValues().size(), teal->colorSet()->stepValues().size());
        QCOMPARE(target->action(QStringLiteral("undoAction"))->text(), QStringLiteral("Undo Paste"));
        QTRY_COMPARE(target->session().selection().selectedItems().size(), std::size_t{1});

        // A payload pasted as text, as `vantorel copy` prints it, pastes too.
        const QByteArray payload = clipboard->data(QString::fromLatin1(projectItemsMimeType));
        QGuiApplication::clipboard()->setText(QString::fromUtf8(payload));
        trigger(*target, "pasteAction");
        int teals = 0;
        target->session().project()->forEachItem([&](const ProjectItemPtr& item) { teals += item->name() == "Teal"; });
        QCOMPARE(teals, 2);
    }

    void dragAndDropMovesItemsAndAssignsThemToGroups() {
        EditorFixture fixture;
        DocumentWindow* window = fixture.manager->openFile(fixture.exampleCopy(QStringLiteral("Drag")));
        QVERIFY(window);
        const QuenzColorProjectPtr project = window->session().project();
        ItemTreeModel& tree = window->itemTreeModel();
        const ProjectItemPtr blue = itemNamed(*project, "Blue");
        const ProjectItemPtr spacing = itemNamed(*project, "Spacing");
        QVERIFY(blue && spacing && spacing->isGroup());

        std::unique_ptr<QMimeData> dragged(tree.mimeData({tree.indexOf(blue->uuid())}));
        tree.dropMimeData(dragged.get(), Qt::MoveAction, 0, 0, tree.indexOf(spacing->uuid()));
        QCOMPARE(spacing->group()->items().front(), blue);
        QCOMPARE(window->action(QStringLiteral("undoAction"))->text(), QStringLiteral("Undo Move"));
        // The sidebar shows the item in its new place.
        QCOMPARE(tree.parent(tree.indexOf(blue->uuid())), tree.indexOf(spacing->uuid()));

        // Dropped on a test group, the item is assigned to it.
        auto* testList = window->findChild<QListView*>(QStringLiteral("testGroupList"));
        QVERIFY(testList);
        auto* tests = static_cast<TaskGroupListModel*>(testList->model());
        const QModelIndex firstTestGroup = tests->index(0, 0);
        tests->dropMimeData(dragged.get(), Qt::MoveAction, -1, -1, firstTestGroup);
        QVERIFY(blue->testGroup());
        QCOMPARE(blue->testGroup()->uuid(), tests->uuidAt(0));
        QCOMPARE(window->action(QStringLiteral("undoAction"))->text(), QStringLiteral("Undo Change Test Group"));
    }

    void theViewMenuSetsTheDocumentsDisplayMode() {
        EditorFixture fixture;
        DocumentWindow* window = fixture.manager->newDocument();
        auto* content = window->findChild<QStackedWidget*>(QStringLiteral("content"));
        const std::array<std::tuple<const char*, AppContentMode, const char*>, 3> modes = {{
            {"tableModeAction", AppContentMode::table, "itemTable"},
            {"bigTableModeAction", AppContentMode::bigTable, "itemTable"},
            {"gridModeAction", AppContentMode::grid, "swatchGrid"},
        }};
        for (const auto& [action, mode, view] : modes) {
            trigger(*window, action);
            QCOMPARE(window->session().project()->displayMode(), mode);
            QCOMPARE(content->currentWidget()->objectName(), QString::fromLatin1(view));
            QVERIFY(window->action(QString::fromLatin1(action))->isChecked());
        }
        auto* table = window->findChild<QTableView*>(QStringLiteral("itemTable"));
        trigger(*window, "bigTableModeAction");
        QVERIFY(!table->isColumnHidden(ItemListModel::dark));
        trigger(*window, "tableModeAction");
        QVERIFY(table->isColumnHidden(ItemListModel::dark));
    }

    void theFilterFieldNarrowsTheTreeAndTheItems() {
        EditorFixture fixture;
        DocumentWindow* window = fixture.manager->openFile(fixture.exampleCopy(QStringLiteral("Filter")));
        QVERIFY(window);
        QTreeView& tree = window->itemTree();
        const int allTopLevel = tree.model()->rowCount();
        window->filterField().setText(QStringLiteral("teal"));
        QCOMPARE(tree.model()->rowCount(), 1);  // only the group holding "Teal"
        QCOMPARE(tree.model()->index(0, 0).data().toString(), QStringLiteral("Brand"));
        window->filterField().clear();
        QCOMPARE(tree.model()->rowCount(), allTopLevel);
    }
};

QTEST_MAIN(EditingWindowTests)
#include "EditingWindowTests.moc"
