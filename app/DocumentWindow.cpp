#include "app/DocumentWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "VantorelData/model/ItemSearch.h"
#include "app/DocumentManager.h"
#include "app/SwatchPainter.h"
#include "app/Inspector.h"
#include "app/ItemListModel.h"
#include "app/ItemPresentation.h"
#include "app/ItemTreeModel.h"
#include "app/Prompts.h"
#include "app/SwatchGridDelegate.h"
#include "app/TaskGroupListModel.h"
#include "app/builds/BuildController.h"
#include "app/builds/BuildGroupEditor.h"
#include "app/imports/ImportController.h"
#include "app/testing/TestGroupEditor.h"
#include "app/testing/TestRunController.h"

namespace vantorel::app {
namespace {

// The sidebar's filter: an item shows when it matches the search text (a group also when one
// of its items does), by the core's search rule.
class ItemFilterProxy final : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setSearchText(const QString& text) {
        search_ = text.toStdString();
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        if (search_.empty()) return true;
        auto* tree = static_cast<ItemTreeModel*>(sourceModel());
        const ProjectItemPtr item = tree->itemAt(tree->index(row, 0, parent));
        return item && matchesSearch(*item, search_);
    }

private:
    std::string search_;
};

QLabel* sidebarHeading(const QString& text) {
    auto* label = new QLabel(text.toUpper());
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    font.setBold(true);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: palette(placeholder-text); padding: 8px 4px 2px 4px;"));
    return label;
}

}  // namespace

DocumentWindow::DocumentWindow(DocumentManager& manager, std::shared_ptr<shell::Document> document)
    : manager_(manager), session_(std::make_unique<DocumentSession>(std::move(document))) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("documentWindow"));
    setWindowIcon(applicationIcon());
    treeModel_ = new ItemTreeModel(session_->editor(), this);
    listModel_ = new ItemListModel(session_->editor(), this);
    buildGroups_ = new TaskGroupListModel(TaskGroupListModel::Kind::build, session_->editor(), this);
    testGroups_ = new TaskGroupListModel(TaskGroupListModel::Kind::test, session_->editor(), this);

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setObjectName(QStringLiteral("documentSplitter"));
    splitter->addWidget(buildSidebar());
    splitter->addWidget(buildContent());
    inspector_ = new Inspector(*session_);
    splitter->addWidget(inspector_);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setStretchFactor(2, 0);
    splitter->setSizes({230, 620, 330});
    setCentralWidget(splitter);
    builds_ = new BuildController(*session_, manager_.prompts(), *this);
    testRuns_ = new TestRunController(*session_, manager_.prompts(), *this, [this](const std::vector<std::string>& uuids) {
        if (uuids.empty()) return;
        revealItem(uuids.front());
        std::vector<ProjectItemPtr> items;
        for (const std::string& uuid : uuids) {
            if (ProjectItemPtr item = session_->project()->itemWithId(uuid)) items.push_back(std::move(item));
        }
        session_->selection().selectItems(std::move(items));
    });
    imports_ = new ImportController(*session_, manager_.prompts(), *this, [this](const std::string& uuid) { revealItem(uuid); });
    buildMenus();
    resize(1180, 720);

    connect(session_.get(), &DocumentSession::contentsChanged, this, &DocumentWindow::contentsChanged);
    connect(session_.get(), &DocumentSession::projectReplaced, this, &DocumentWindow::projectChanged);
    connect(session_.get(), &DocumentSession::undoStateChanged, this, [this] {
        updateActions();
        updateTitle();
    });
    connect(session_.get(), &DocumentSession::selectionChanged, this, &DocumentWindow::selectionChanged);
    connect(session_.get(), &DocumentSession::fileChanged, this, &DocumentWindow::checkFileOnDisk);
    projectChanged();
}

DocumentWindow::~DocumentWindow() {
    // The views and the inspector call into the document; they go before it does.
    delete takeCentralWidget();
}

QWidget* DocumentWindow::buildSidebar() {
    auto* sidebar = new QWidget;
    sidebar->setObjectName(QStringLiteral("sidebar"));
    auto* layout = new QVBoxLayout(sidebar);
    layout->setContentsMargins(6, 6, 0, 6);
    layout->setSpacing(2);
    filter_ = new QLineEdit;
    filter_->setObjectName(QStringLiteral("filterField"));
    filter_->setPlaceholderText(QStringLiteral("Filter"));
    filter_->setClearButtonEnabled(true);
    layout->addWidget(filter_);

    layout->addWidget(sidebarHeading(QStringLiteral("Items")));
    auto* proxy = new ItemFilterProxy(this);
    proxy->setSourceModel(treeModel_);
    treeProxy_ = proxy;
    tree_ = new QTreeView;
    tree_->setObjectName(QStringLiteral("itemTree"));
    tree_->setModel(proxy);
    tree_->setHeaderHidden(true);
    tree_->setUniformRowHeights(true);
    tree_->setDragDropMode(QAbstractItemView::DragDrop);
    tree_->setDefaultDropAction(Qt::MoveAction);
    tree_->setDropIndicatorShown(true);
    tree_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    tree_->setFrameShape(QFrame::NoFrame);
    tree_->setAttribute(Qt::WA_MacShowFocusRect, false);
    layout->addWidget(tree_, 3);

    const auto groupList = [this, layout](const QString& title, const QString& name, TaskGroupListModel* model) {
        layout->addWidget(sidebarHeading(title));
        auto* list = new QListView;
        list->setObjectName(name);
        list->setModel(model);
        list->setFrameShape(QFrame::NoFrame);
        list->setAcceptDrops(true);
        list->setDragDropMode(QAbstractItemView::DropOnly);
        list->setDropIndicatorShown(true);
        list->setStyleSheet(QStringLiteral("QListView::item { padding: 3px 8px; }"));
        layout->addWidget(list);
        // The list is as tall as its groups, up to six rows, so that the item tree above
        // keeps the room a short list does not need.
        const auto fitRows = [list, model] {
            const int rowHeight = model->rowCount() > 0 ? list->sizeHintForRow(0) : list->fontMetrics().height() + 6;
            const int rows = std::clamp(model->rowCount(), 1, 6);
            list->setFixedHeight(rows * rowHeight + 2 * list->frameWidth() + 4);
        };
        fitRows();
        connect(model, &QAbstractItemModel::rowsInserted, list, fitRows);
        connect(model, &QAbstractItemModel::rowsRemoved, list, fitRows);
        connect(model, &QAbstractItemModel::modelReset, list, fitRows);
        return list;
    };
    QListView* buildList = groupList(QStringLiteral("Build Groups"), QStringLiteral("buildGroupList"), buildGroups_);
    QListView* testList = groupList(QStringLiteral("Test Groups"), QStringLiteral("testGroupList"), testGroups_);
    connect(buildList, &QListView::clicked, this, [this](const QModelIndex& index) {
        const std::string uuid = buildGroups_->uuidAt(index.row());
        for (const auto& group : session_->project()->buildGroups()) {
            if (group->uuid() == uuid) session_->selection().setSelectedBuildGroup(group);
        }
    });
    // A double click opens the group in its window.
    connect(buildList, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        showBuildGroupEditor().select(buildGroups_->uuidAt(index.row()));
    });
    connect(testList, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        showTestGroupEditor().select(testGroups_->uuidAt(index.row()));
    });
    connect(testList, &QListView::clicked, this, [this](const QModelIndex& index) {
        const std::string uuid = testGroups_->uuidAt(index.row());
        for (const auto& group : session_->project()->testGroups()) {
            if (group->uuid() == uuid) session_->selection().setSelectedTestGroup(group);
        }
    });

    connect(filter_, &QLineEdit::textChanged, this, [this, proxy](const QString& text) {
        proxy->setSearchText(text);
        listModel_->setSearchText(text);
        if (!text.isEmpty()) tree_->expandAll(); else applyExpansion();
    });
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { if (!syncingSelection_) selectSidebarIndex(current); });
    // The expand state belongs to the document: it is saved with the groups.
    const auto keepExpansion = [this](bool expanded) {
        return [this, expanded](const QModelIndex& proxyIndex) {
            if (syncingSelection_ || !filter_->text().isEmpty()) return;
            if (const ProjectItemPtr item = treeModel_->itemAt(treeProxy_->mapToSource(proxyIndex))) item->setExpanded(expanded);
        };
    };
    connect(tree_, &QTreeView::expanded, this, keepExpansion(true));
    connect(tree_, &QTreeView::collapsed, this, keepExpansion(false));
    connect(treeModel_, &QAbstractItemModel::modelReset, this, &DocumentWindow::applyExpansion);
    return sidebar;
}

QWidget* DocumentWindow::buildContent() {
    auto* pane = new QWidget;
    auto* paneLayout = new QVBoxLayout(pane);
    paneLayout->setContentsMargins(0, 0, 0, 0);
    paneLayout->setSpacing(0);
    contentHeader_ = new QLabel;
    contentHeader_->setObjectName(QStringLiteral("contentHeader"));
    contentHeader_->setTextFormat(Qt::RichText);
    contentHeader_->setContentsMargins(12, 8, 12, 8);
    contentHeader_->setStyleSheet(QStringLiteral("#contentHeader { border-bottom: 1px solid palette(midlight); }"));
    paneLayout->addWidget(contentHeader_);
    content_ = new QStackedWidget;
    paneLayout->addWidget(content_, 1);
    content_->setObjectName(QStringLiteral("content"));
    grid_ = new QListView;
    grid_->setObjectName(QStringLiteral("swatchGrid"));
    grid_->setViewMode(QListView::IconMode);
    grid_->setResizeMode(QListView::Adjust);
    grid_->setMovement(QListView::Static);
    grid_->setUniformItemSizes(true);
    grid_->setSpacing(4);
    grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    grid_->setDragEnabled(true);
    grid_->setDragDropMode(QAbstractItemView::DragOnly);
    grid_->setItemDelegate(new SwatchGridDelegate(grid_));
    grid_->setModel(listModel_);
    grid_->setFrameShape(QFrame::NoFrame);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    content_->addWidget(grid_);

    table_ = new QTableView;
    table_->setObjectName(QStringLiteral("itemTable"));
    table_->setModel(listModel_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setDragEnabled(true);
    table_->setDragDropMode(QAbstractItemView::DragOnly);
    table_->setShowGrid(false);
    table_->setAlternatingRowColors(true);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    table_->setFrameShape(QFrame::NoFrame);
    table_->setWordWrap(false);
    table_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::DoubleClicked);
    content_->addWidget(table_);

    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(grid_), static_cast<QAbstractItemView*>(table_)}) {
        connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, &DocumentWindow::contentSelectionChanged);
    }
    connect(listModel_, &QAbstractItemModel::modelReset, this, &DocumentWindow::pushSelectionToViews);
    connect(listModel_, &QAbstractItemModel::modelReset, this, &DocumentWindow::updateContentHeader);
    return pane;
}

QAbstractItemView& DocumentWindow::contentView() {
    return content_->currentWidget() == grid_ ? static_cast<QAbstractItemView&>(*grid_) : *table_;
}

QAction* DocumentWindow::action(const QString& objectName) const { return findChild<QAction*>(objectName); }

// --- Model to views ------------------------------------------------------------------------

void DocumentWindow::projectChanged() {
    const QuenzColorProjectPtr project = session_->project();
    treeModel_->setProject(project);
    listModel_->setProject(project);
    buildGroups_->setProject(project);
    testGroups_->setProject(project);
    contentsChanged();
    selectionChanged();
}

void DocumentWindow::contentsChanged() {
    treeModel_->refresh();
    listModel_->refresh();
    buildGroups_->refresh();
    testGroups_->refresh();
    inspector_->refresh();
    applyDisplayMode();
    updateActions();
    updateTitle();
}

void DocumentWindow::selectionChanged() {
    const ProjectItemPtr& group = session_->selection().selectedSideBarGroup();
    std::optional<std::string> container;
    if (group && group->isGroup()) container = group->uuid();
    listModel_->setContainer(container);
    treeModel_->setChosenGroup(container);
    updateContentHeader();
    pushSelectionToViews();
    inspector_->refresh();
    updateActions();
}

void DocumentWindow::updateContentHeader() {
    const ProjectItemPtr& group = session_->selection().selectedSideBarGroup();
    QStringList path = group ? treeModel_->pathOf(group->uuid()) : QStringList();
    if (path.isEmpty()) path << session_->displayName();
    const int count = listModel_->rowCount();
    for (QString& name : path) name = name.toHtmlEscaped();
    const QString last = path.takeLast();
    const QString quiet = contentHeader_->palette().color(QPalette::PlaceholderText).name();
    QString trail;
    for (const QString& name : path) trail += QStringLiteral("<span style='color:%1'>%2 › </span>").arg(quiet, name);
    contentHeader_->setText(QStringLiteral("%1<b>%2</b>&nbsp;&nbsp;<span style='color:%3'>%4</span>")
                                .arg(trail, last, quiet,
                                     count == 1 ? QStringLiteral("1 item") : QStringLiteral("%1 items").arg(count)));
}

void DocumentWindow::applyDisplayMode() {
    const AppContentMode mode = session_->project()->displayMode();
    const bool big = mode == AppContentMode::bigTable;
    content_->setCurrentWidget(mode == AppContentMode::grid ? static_cast<QWidget*>(grid_) : table_);
    for (int column : {ItemListModel::lightHighContrast, ItemListModel::dark, ItemListModel::darkHighContrast,
                       ItemListModel::testGroup}) {
        table_->setColumnHidden(column, !big);
    }
    table_->verticalHeader()->setDefaultSectionSize(big ? 40 : 24);
    table_->setIconSize(big ? QSize(40, 24) : QSize(28, 16));
    table_->setColumnWidth(ItemListModel::name, 190);
    table_->setColumnWidth(ItemListModel::kind, 100);
    for (int column : {ItemListModel::light, ItemListModel::lightHighContrast, ItemListModel::dark,
                       ItemListModel::darkHighContrast}) {
        table_->setColumnWidth(column, big ? 180 : 240);
    }
    if (displayModes_) {
        for (QAction* action : displayModes_->actions()) {
            action->setChecked(action->data().toInt() == static_cast<int>(mode));
        }
    }
}

void DocumentWindow::applyExpansion() {
    const bool wasSyncing = syncingSelection_;
    syncingSelection_ = true;
    std::function<void(const QModelIndex&)> walk = [&](const QModelIndex& parent) {
        for (int row = 0; row < treeProxy_->rowCount(parent); ++row) {
            const QModelIndex index = treeProxy_->index(row, 0, parent);
            const ProjectItemPtr item = treeModel_->itemAt(treeProxy_->mapToSource(index));
            if (!item || !item->isGroup()) continue;
            tree_->setExpanded(index, item->isExpanded());
            walk(index);
        }
    };
    walk({});
    syncingSelection_ = wasSyncing;
    pushSelectionToViews();
}

void DocumentWindow::pushSelectionToViews() {
    if (syncingSelection_) return;
    syncingSelection_ = true;
    const SelectionManager& selection = session_->selection();
    // The sidebar highlights the last selected item (its group stays in bold), or the chosen
    // group when no item is selected.
    const ProjectItemPtr& sidebarGroup = selection.selectedSideBarGroup();
    QModelIndex treeIndex;
    for (const ProjectItemPtr& item : selection.selectedItems()) {
        if (const QModelIndex found = treeProxy_->mapFromSource(treeModel_->indexOf(item->uuid())); found.isValid()) {
            treeIndex = found;
        }
    }
    if (!treeIndex.isValid() && sidebarGroup) treeIndex = treeProxy_->mapFromSource(treeModel_->indexOf(sidebarGroup->uuid()));
    if (treeIndex.isValid()) {
        tree_->selectionModel()->setCurrentIndex(treeIndex, QItemSelectionModel::ClearAndSelect);
        // An item out of sight is brought to the middle; one in sight stays where the user sees it.
        if (!tree_->viewport()->rect().contains(tree_->visualRect(treeIndex))) {
            tree_->scrollTo(treeIndex, QAbstractItemView::PositionAtCenter);
        }
    } else {
        tree_->selectionModel()->clearSelection();
    }

    QItemSelection items;
    QModelIndex last;
    for (const std::string& uuid : selection.selectedItemUuids()) {
        const int row = listModel_->rowOf(uuid);
        if (row < 0) continue;
        last = listModel_->index(row, 0);
        items.select(last, listModel_->index(row, ItemListModel::columnCount_ - 1));
    }
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(grid_), static_cast<QAbstractItemView*>(table_)}) {
        view->selectionModel()->select(items, QItemSelectionModel::ClearAndSelect);
        if (last.isValid()) {
            view->selectionModel()->setCurrentIndex(last, QItemSelectionModel::NoUpdate);
            view->scrollTo(last);
        }
    }
    syncingSelection_ = false;
}

// --- Views to model ------------------------------------------------------------------------

void DocumentWindow::selectSidebarIndex(const QModelIndex& proxyIndex) {
    const ProjectItemPtr item = treeModel_->itemAt(treeProxy_->mapToSource(proxyIndex));
    SelectionManager& selection = session_->selection();
    syncingSelection_ = true;
    if (!item) {
        selection.setSelectedSideBarGroup(nullptr);
    } else if (item->isGroup()) {
        selection.setSelectedSideBarGroup(item);
        selection.selectItems({});
    } else {
        // A value in the tree: show its group and select it there.
        const QModelIndex parent = treeModel_->parent(treeProxy_->mapToSource(proxyIndex));
        selection.setSelectedSideBarGroup(treeModel_->itemAt(parent));
        selection.selectItems({item});
    }
    syncingSelection_ = false;
    selectionChanged();
}

void DocumentWindow::contentSelectionChanged() {
    if (syncingSelection_) return;
    auto* model = contentView().selectionModel();
    std::vector<ProjectItemPtr> items;
    std::set<int> rows;
    for (const QModelIndex& index : model->selectedIndexes()) rows.insert(index.row());
    for (int row : rows) {
        if (ProjectItemPtr item = listModel_->itemAt(row)) items.push_back(std::move(item));
    }
    syncingSelection_ = true;
    session_->selection().selectItems(std::move(items));
    syncingSelection_ = false;
    // Keep the other content view in step.
    pushSelectionToViews();
    inspector_->refresh();
    updateActions();
}

std::vector<std::string> DocumentWindow::selectedUuids() const {
    std::vector<std::string> uuids;
    for (const ProjectItemPtr& item : session_->selection().selectedItems()) {
        if (item) uuids.push_back(item->uuid());
    }
    return uuids;
}

void DocumentWindow::revealItem(const std::string& uuid) {
    const QModelIndex index = treeModel_->indexOf(uuid);
    const ProjectItemPtr item = treeModel_->itemAt(index);
    if (!item) return;
    SelectionManager& selection = session_->selection();
    selection.setSelectedSideBarGroup(treeModel_->itemAt(treeModel_->parent(index)));
    selection.selectItems({item});
    selectionChanged();
}

void DocumentWindow::updateTitle() {
    setWindowTitle(session_->displayName() + QStringLiteral("[*]"));
    setWindowFilePath(session_->filePath());
    setWindowModified(session_->document().isEdited());
}

// --- Closing and the file on disk ----------------------------------------------------------

bool DocumentWindow::save() {
    if (session_->filePath().isEmpty()) return saveAs();
    const QString error = session_->save();
    if (!error.isEmpty()) {
        manager_.prompts().showError(this, QStringLiteral("Could Not Save"), error);
        return false;
    }
    manager_.noteRecentFile(session_->filePath());
    updateTitle();
    return true;
}

bool DocumentWindow::saveAs() {
    const QString suggested = session_->filePath().isEmpty() ? session_->displayName() + QStringLiteral(".vantorel")
                                                              : session_->filePath();
    const QString path = manager_.prompts().chooseSaveFile(this, suggested);
    if (path.isEmpty()) return false;
    const QString error = session_->saveAs(path);
    if (!error.isEmpty()) {
        manager_.prompts().showError(this, QStringLiteral("Could Not Save"), error);
        return false;
    }
    manager_.noteRecentFile(path);
    updateTitle();
    return true;
}

bool DocumentWindow::confirmClose() {
    if (!session_->document().isEdited()) return true;
    switch (manager_.prompts().askSaveChanges(this, session_->displayName())) {
        case SaveChoice::cancel: return false;
        case SaveChoice::save: return save();
        case SaveChoice::discard: return true;
    }
    return false;
}

bool DocumentWindow::closeAsking() {
    if (!confirmClose()) return false;
    closeConfirmed_ = true;
    close();
    return true;
}

void DocumentWindow::closeEvent(QCloseEvent* event) {
    // A close from the window manager or close() asks here; closeAsking has asked already.
    if (!closeConfirmed_ && !confirmClose()) {
        event->ignore();
        return;
    }
    closeConfirmed_ = true;
    event->accept();
    manager_.windowClosing(this);
}

void DocumentWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // Coming back to the window is when a change made by another program is noticed at the latest.
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) checkFileOnDisk();
}

void DocumentWindow::checkFileOnDisk() {
    if (!session_->document().fileChangedOnDisk()) return;
    // With unsaved changes, reading the file again would lose them: ask first.
    if (session_->document().isEdited() && !manager_.prompts().askReloadChangedFile(this, session_->displayName())) return;
    session_->reloadIfChanged();
}

}  // namespace vantorel::app
