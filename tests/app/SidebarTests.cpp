// The sidebar and the content pane as the user sees them: the selected item highlighted in the
// tree with its group in bold, the header naming the group and its item count, and items
// dragged with drag events through the real views onto groups, build groups and test groups.

#include <QApplication>
#include <QDragEnterEvent>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QTableView>
#include <QTreeView>

#include "AppTestSupport.h"
#include "app/TaskGroupListModel.h"

using namespace vantorel;
using namespace vantorel::app;
using namespace vantorel::app::testing;

namespace {

// A drag entering the view, moving to `at` and dropped there, as the window system sends it.
void dropOnto(QAbstractItemView& view, const QPoint& at, const QMimeData& data) {
    QWidget* viewport = view.viewport();
    QDragEnterEvent enter(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QDragMoveEvent move(at, Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QVERIFY2(move.isAccepted(), "the view refuses the drag");
    QDropEvent drop(QPointF(at), Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
}

}  // namespace

class SidebarTests : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { useTestSettings(); }

    void theSelectedItemIsHighlightedUnderItsGroup() {
        EditorFixture fixture;
        DocumentWindow* window = fixture.manager->openFile(fixture.exampleCopy(QStringLiteral("Sidebar")));
        QVERIFY(window);
        const QuenzColorProjectPtr project = window->session().project();
        const ProjectItemPtr teal = itemNamed(*project, "Teal");
        window->revealItem(teal->uuid());

        QTreeView& tree = window->itemTree();
        const QModelIndex current = tree.currentIndex();
        QCOMPARE(current.data().toString(), QStringLiteral("Teal"));
        QVERIFY(tree.selectionModel()->isSelected(current));
        QVERIFY(current.parent().data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(!current.data(Qt::FontRole).value<QFont>().bold());

        auto* header = window->findChild<QLabel*>(QStringLiteral("contentHeader"));
        QVERIFY(header);
        const int brandCount = window->itemListModel().rowCount();
        QVERIFY(header->text().contains(QStringLiteral("Brand")));
        QVERIFY(header->text().contains(QStringLiteral("%1 items").arg(brandCount)));
        // The filter narrows what the content shows; the count follows.
        window->filterField().setText(QStringLiteral("teal"));
        QTRY_VERIFY(header->text().contains(QStringLiteral("1 item")));
    }

    void dragAndDropThroughTheViews_data() {
        QTest::addColumn<QString>("sourceView");
        QTest::addColumn<QString>("targetView");
        QTest::addColumn<QString>("undoTitle");
        QTest::newRow("tree onto a group") << "itemTree" << "itemTree" << "Undo Move";
        QTest::newRow("table onto a group") << "itemTable" << "itemTree" << "Undo Move";
        QTest::newRow("table onto a test group") << "itemTable" << "testGroupList" << "Undo Change Test Group";
        QTest::newRow("tree onto a build group") << "itemTree" << "buildGroupList" << "Undo Change Build Group";
    }
    void dragAndDropThroughTheViews() {
        QFETCH(QString, sourceView);
        QFETCH(QString, targetView);
        QFETCH(QString, undoTitle);
        EditorFixture fixture;
        DocumentWindow* window = fixture.manager->openFile(fixture.exampleCopy(QStringLiteral("Drop")));
        QVERIFY(window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QuenzColorProjectPtr project = window->session().project();
        const ProjectItemPtr blue = itemNamed(*project, "Blue");
        const ProjectItemPtr spacing = itemNamed(*project, "Spacing");
        window->revealItem(blue->uuid());
        QApplication::processEvents();

        // What the source view puts in the drag for Blue's row.
        auto* source = window->findChild<QAbstractItemView*>(sourceView);
        QVERIFY(source);
        const QModelIndexList rows = source->selectionModel()->selectedIndexes();
        QVERIFY(!rows.isEmpty());
        std::unique_ptr<QMimeData> data(source->model()->mimeData(rows));
        QVERIFY(data);

        auto* target = window->findChild<QAbstractItemView*>(targetView);
        QVERIFY(target);
        QModelIndex onto;
        if (targetView == QStringLiteral("itemTree")) {
            for (int row = 0; row < target->model()->rowCount(); ++row) {
                if (target->model()->index(row, 0).data().toString() == QStringLiteral("Spacing")) onto = target->model()->index(row, 0);
            }
        } else {
            onto = target->model()->index(target->model()->rowCount() - 1, 0);
        }
        QVERIFY(onto.isValid());
        target->scrollTo(onto);
        dropOnto(*target, target->visualRect(onto).center(), *data);

        QCOMPARE(window->action(QStringLiteral("undoAction"))->text(), undoTitle);
        const ProjectItemPtr moved = itemNamed(*window->session().project(), "Blue");
        if (targetView == QStringLiteral("itemTree")) {
            QCOMPARE(spacing->group()->items().back()->uuid(), blue->uuid());
        } else {
            const auto* groups = static_cast<const TaskGroupListModel*>(target->model());
            const bool test = targetView == QStringLiteral("testGroupList");
            const std::string assigned = test ? (moved->testGroup() ? moved->testGroup()->uuid() : std::string())
                                              : (moved->buildGroup() ? moved->buildGroup()->uuid() : std::string());
            QCOMPARE(assigned, groups->uuidAt(groups->rowCount() - 1));
        }
    }
};

QTEST_MAIN(SidebarTests)
#include "SidebarTests.moc"
