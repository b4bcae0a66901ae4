#pragma once
// DocumentWindow: the window of one open document. The sidebar shows the item tree (with the
// document's expand state), the build groups and the test groups, with a filter field; the
// middle shows the items of the chosen group as a swatch grid, a table or a big table (the
// document's display mode); the inspector edits the selection. The menus carry the document's
// commands; every change goes through the core's document editor.

#include <QMainWindow>
#include <memory>

#include "app/DocumentSession.h"

class QAbstractItemView;
class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QStackedWidget;
class QTableView;
class QTreeView;
class QSortFilterProxyModel;

namespace vantorel::app {

class BuildController;
class BuildGroupEditor;
class DocumentManager;
class ImportController;
class Inspector;
class TestGroupEditor;
class TestRunController;
class ItemListModel;
class ItemTreeModel;
class TaskGroupListModel;

class DocumentWindow final : public QMainWindow {
    Q_OBJECT
public:
    DocumentWindow(DocumentManager& manager, std::shared_ptr<shell::Document> document);
    ~DocumentWindow() override;

    DocumentSession& session() { return *session_; }
    Inspector& inspector() { return *inspector_; }
    QTreeView& itemTree() { return *tree_; }
    ItemTreeModel& itemTreeModel() { return *treeModel_; }
    ItemListModel& itemListModel() { return *listModel_; }
    QAbstractItemView& contentView();
    QLineEdit& filterField() { return *filter_; }
    // The menu action with this object name ("addColorAction", "undoAction", …).
    QAction* action(const QString& objectName) const;

    // Saves; an untitled document asks where. False when cancelled or failed (an alert says why).
    bool save();
    bool saveAs();
    // Closes after asking about unsaved changes; false when the user cancelled.
    bool closeAsking();
    // Reads the file again when it changed on disk, asking first when there are unsaved changes.
    void checkFileOnDisk();
    // Shows `uuid`'s group in the middle and selects the item.
    void revealItem(const std::string& uuid);

    BuildController& builds() { return *builds_; }
    TestRunController& testRuns() { return *testRuns_; }
    ImportController& imports() { return *imports_; }
    // The "Build Groups" and "Test Groups" windows, made on first use.
    BuildGroupEditor& showBuildGroupEditor();
    TestGroupEditor& showTestGroupEditor();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Asks about unsaved changes (saving when told to); true when the window may close.
    bool confirmClose();
    void buildMenus();
    void buildFileMenu();
    void buildEditMenu();
    void buildItemMenu();
    void buildViewMenu();
    void buildProofingMenu(QMenu* menu);
    void buildWindowMenu();
    void buildHelpMenu();
    void buildBuildMenu();
    QWidget* buildSidebar();
    QWidget* buildContent();

    void addItem(ProjectItemType type);
    void projectChanged();
    void contentsChanged();
    void selectionChanged();
    void updateActions();
    void updateTitle();
    void applyDisplayMode();
    // The chosen group's path and how many items the content shows.
    void updateContentHeader();
    void applyExpansion();
    void selectSidebarIndex(const QModelIndex& proxyIndex);
    void contentSelectionChanged();
    void pushSelectionToViews();
    std::vector<std::string> selectedUuids() const;

    DocumentManager& manager_;
    std::unique_ptr<DocumentSession> session_;
    ItemTreeModel* treeModel_ = nullptr;
    QSortFilterProxyModel* treeProxy_ = nullptr;
    ItemListModel* listModel_ = nullptr;
    TaskGroupListModel* buildGroups_ = nullptr;
    TaskGroupListModel* testGroups_ = nullptr;
    QTreeView* tree_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QLabel* contentHeader_ = nullptr;
    QStackedWidget* content_ = nullptr;
    QListView* grid_ = nullptr;
    QTableView* table_ = nullptr;
    Inspector* inspector_ = nullptr;
    BuildController* builds_ = nullptr;
    TestRunController* testRuns_ = nullptr;
    ImportController* imports_ = nullptr;
    BuildGroupEditor* buildEditor_ = nullptr;
    TestGroupEditor* testEditor_ = nullptr;
    QActionGroup* displayModes_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    bool syncingSelection_ = false;
    bool closeConfirmed_ = false;
};

}  // namespace vantorel::app
