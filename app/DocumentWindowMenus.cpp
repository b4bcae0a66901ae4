// The document window's menus: File, Edit, Item, View, Window and Help, with the platform's
// standard shortcuts. Each command calls the core's document, editor or undo manager.

#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QToolBar>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

#include "app/DocumentManager.h"
#include "app/DocumentWindow.h"
#include "app/Inspector.h"
#include "app/ItemListModel.h"
#include "app/ItemPresentation.h"
#include "app/tools/ColorPickerDialog.h"
#include "app/tools/QuickConvertWindow.h"
#include "app/tools/SettingsWindow.h"
#include "app/tools/SwatchProofing.h"
#include "app/builds/BuildController.h"
#include "app/builds/BuildGroupEditor.h"
#include "app/imports/ImportController.h"
#include "app/testing/TestGroupEditor.h"
#include "app/testing/TestRunController.h"

namespace vantorel::app {
namespace {

QAction* menuAction(QMenu* menu, const QString& title, const QString& name, const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(title);
    action->setObjectName(name);
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    return action;
}

void raiseWindow(QWidget& window) {
    window.show();
    window.raise();
    window.activateWindow();
}

struct NewItemCommand {
    ProjectItemType type;
    const char* actionName;
    QKeySequence shortcut;
};

const NewItemCommand newItemCommands[] = {
    {ProjectItemType::color, "addColorAction", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
    {ProjectItemType::colorSet, "addColorSetAction", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R)},
    {ProjectItemType::colorAlias, "addColorAliasAction", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A)},
    {ProjectItemType::number, "addNumberAction", {}},
    {ProjectItemType::numberAlias, "addNumberAliasAction", {}},
    {ProjectItemType::boolean, "addBooleanAction", {}},
    {ProjectItemType::booleanAlias, "addBooleanAliasAction", {}},
    {ProjectItemType::string, "addStringAction", {}},
    {ProjectItemType::stringAlias, "addStringAliasAction", {}},
    {ProjectItemType::shadow, "addShadowAction", {}},
    {ProjectItemType::shadowSet, "addShadowSetAction", {}},
    {ProjectItemType::shadowAlias, "addShadowAliasAction", {}},
    {ProjectItemType::group, "addGroupAction", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_N)},
};

}  // namespace

void DocumentWindow::buildMenus() {
    buildFileMenu();
    buildEditMenu();
    buildItemMenu();
    buildViewMenu();
    buildBuildMenu();
    buildWindowMenu();
    buildHelpMenu();

    QToolBar* toolbar = addToolBar(QStringLiteral("Document"));
    toolbar->setObjectName(QStringLiteral("documentToolbar"));
    toolbar->setMovable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    toolbar->addAction(action(QStringLiteral("addColorAction")));
    toolbar->addAction(action(QStringLiteral("addColorSetAction")));
    toolbar->addAction(action(QStringLiteral("addGroupAction")));
    toolbar->addSeparator();
    for (QAction* mode : displayModes_->actions()) toolbar->addAction(mode);
    if (auto* proofing = findChild<QLabel*>(QStringLiteral("proofingIndicator"))) {
        auto* spacer = new QWidget(toolbar);
        spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        toolbar->addWidget(spacer);
        QAction* shown = toolbar->addWidget(proofing);
        shown->setObjectName(QStringLiteral("proofingIndicatorAction"));
        shown->setVisible(SwatchProofing::instance().mode() != ProofingMode::none);
    }
    updateActions();
}

void DocumentWindow::buildFileMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&File"));
    connect(menuAction(menu, QStringLiteral("&New"), QStringLiteral("newAction"), QKeySequence::New), &QAction::triggered,
            &manager_, [this] { manager_.newDocument(); });
    connect(menuAction(menu, QStringLiteral("&Open…"), QStringLiteral("openAction"), QKeySequence::Open),
            &QAction::triggered, &manager_, [this] { manager_.openChosenFiles(this); });
    QMenu* recent = menu->addMenu(QStringLiteral("Open &Recent"));
    recent->setObjectName(QStringLiteral("openRecentMenu"));
    connect(recent, &QMenu::aboutToShow, this, [this, recent] { manager_.fillRecentMenu(recent); });
    QMenu* importMenu = menu->addMenu(QStringLiteral("&Import"));
    importMenu->setObjectName(QStringLiteral("importMenu"));
    imports_->fillMenu(*importMenu);
    menu->addSeparator();
    connect(menuAction(menu, QStringLiteral("&Close"), QStringLiteral("closeAction"), QKeySequence::Close),
            &QAction::triggered, this, [this] { closeAsking(); });
    connect(menuAction(menu, QStringLiteral("&Save"), QStringLiteral("saveAction"), QKeySequence::Save),
            &QAction::triggered, this, [this] { save(); });
    connect(menuAction(menu, QStringLiteral("Save &As…"), QStringLiteral("saveAsAction"), QKeySequence::SaveAs),
            &QAction::triggered, this, [this] { saveAs(); });
    connect(menuAction(menu, QStringLiteral("Revert to Saved"), QStringLiteral("revertAction")), &QAction::triggered,
            this, [this] {
                const QString error = session_->revertToSaved();
                if (!error.isEmpty()) manager_.prompts().showError(this, QStringLiteral("Could Not Revert"), error);
            });
    menu->addSeparator();
    QAction* quit = menuAction(menu, QStringLiteral("&Quit"), QStringLiteral("quitAction"), QKeySequence::Quit);
    quit->setMenuRole(QAction::QuitRole);
    connect(quit, &QAction::triggered, &manager_, [this] { manager_.quit(); });
}

void DocumentWindow::buildEditMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Edit"));
    connect(menuAction(menu, QStringLiteral("Undo"), QStringLiteral("undoAction"), QKeySequence::Undo),
            &QAction::triggered, this, [this] { session_->undoManager().undo(); });
    connect(menuAction(menu, QStringLiteral("Redo"), QStringLiteral("redoAction"), QKeySequence::Redo),
            &QAction::triggered, this, [this] { session_->undoManager().redo(); });
    menu->addSeparator();
    connect(menuAction(menu, QStringLiteral("Cu&t"), QStringLiteral("cutAction"), QKeySequence::Cut), &QAction::triggered,
            this, [this] { session_->document().cut(); });
    connect(menuAction(menu, QStringLiteral("&Copy"), QStringLiteral("copyAction"), QKeySequence::Copy),
            &QAction::triggered, this, [this] { session_->document().copySelection(); });
    connect(menuAction(menu, QStringLiteral("&Paste"), QStringLiteral("pasteAction"), QKeySequence::Paste),
            &QAction::triggered, this, [this] { session_->document().paste(); });
    connect(menuAction(menu, QStringLiteral("&Delete"), QStringLiteral("deleteAction"), QKeySequence::Delete),
            &QAction::triggered, this, [this] { session_->editor().deleteItems(selectedUuids()); });
    connect(menuAction(menu, QStringLiteral("Select &All"), QStringLiteral("selectAllAction"), QKeySequence::SelectAll),
            &QAction::triggered, this, [this] {
                std::vector<ProjectItemPtr> items;
                for (int row = 0; row < listModel_->rowCount(); ++row) items.push_back(listModel_->itemAt(row));
                session_->selection().selectItems(std::move(items));
            });
    menu->addSeparator();
    QAction* settings = menuAction(menu, QStringLiteral("Se&ttings…"), QStringLiteral("settingsAction"),
                                   QKeySequence::Preferences);
    settings->setMenuRole(QAction::PreferencesRole);
    connect(settings, &QAction::triggered, this, [] { raiseWindow(SettingsWindow::shared()); });
}

void DocumentWindow::buildItemMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Item"));
    for (const NewItemCommand& command : newItemCommands) {
        const QString title = QStringLiteral("Add ") + qText(displayName(command.type));
        QAction* add = menuAction(menu, title, QString::fromLatin1(command.actionName), command.shortcut);
        const ProjectItemType type = command.type;
        connect(add, &QAction::triggered, this, [this, type] { addItem(type); });
        if (type == ProjectItemType::shadowAlias) menu->addSeparator();
    }
    menu->addSeparator();
    connect(menuAction(menu, QStringLiteral("&Group"), QStringLiteral("groupAction"), QKeySequence(Qt::CTRL | Qt::Key_G)),
            &QAction::triggered, this, [this] { session_->editor().groupSelection(); });
    connect(menuAction(menu, QStringLiteral("&Ungroup"), QStringLiteral("ungroupAction"),
                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G)),
            &QAction::triggered, this, [this] { session_->editor().unGroup(); });
    connect(menuAction(menu, QStringLiteral("Convert to Individual Colors"), QStringLiteral("convertAction")),
            &QAction::triggered, this, [this] { session_->editor().convertToIndividualColors(); });
    connect(menuAction(menu, QStringLiteral("Pick Color…"), QStringLiteral("pickColorAction"),
                      QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K)),
            &QAction::triggered, this, [this] {
                const std::vector<std::string> selected = selectedUuids();
                if (selected.size() == 1) pickItemColor(this, *session_, selected.front(), ColorSource::light);
            });
    menu->addSeparator();
    connect(menuAction(menu, QStringLiteral("Assign sRGB"), QStringLiteral("assignSRGBAction")), &QAction::triggered, this,
            [this] { session_->editor().assignSRGB(); });
    connect(menuAction(menu, QStringLiteral("Assign Display P3"), QStringLiteral("assignP3Action")), &QAction::triggered,
            this, [this] { session_->editor().assignP3(); });
    menu->addSeparator();
    connect(menuAction(menu, QStringLiteral("Add Build Task"), QStringLiteral("addBuildTaskAction")), &QAction::triggered,
            this, [this] { session_->editor().addBuildTask(); });
    connect(menuAction(menu, QStringLiteral("Add Test Group"), QStringLiteral("addTestGroupAction")), &QAction::triggered,
            this, [this] { session_->editor().addTestGroup(); });
    connect(menuAction(menu, QStringLiteral("Add WCAG Contrast Test"), QStringLiteral("addWcagTestAction")),
            &QAction::triggered, this, [this] { session_->editor().addTestTask(TestTaskType::wcagContrastTest); });
    connect(menuAction(menu, QStringLiteral("Add APCA Contrast Test"), QStringLiteral("addApcaTestAction")),
            &QAction::triggered, this, [this] { session_->editor().addTestTask(TestTaskType::apcaContrastTest); });
}

void DocumentWindow::buildViewMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&View"));
    displayModes_ = new QActionGroup(this);
    const std::array<std::tuple<QString, QString, AppContentMode, Qt::Key>, 3> modes = {{
        {QStringLiteral("as &Grid"), QStringLiteral("gridModeAction"), AppContentMode::grid, Qt::Key_1},
        {QStringLiteral("as &Table"), QStringLiteral("tableModeAction"), AppContentMode::table, Qt::Key_2},
        {QStringLiteral("as &Big Table"), QStringLiteral("bigTableModeAction"), AppContentMode::bigTable, Qt::Key_3},
    }};
    for (const auto& [title, name, mode, key] : modes) {
        QAction* modeAction = menuAction(menu, title, name, QKeySequence(Qt::CTRL | key));
        modeAction->setCheckable(true);
        modeAction->setData(static_cast<int>(mode));
        displayModes_->addAction(modeAction);
        const AppContentMode chosen = mode;
        connect(modeAction, &QAction::triggered, this, [this, chosen] {
            // The setting changes in place, which the project does not report: show it at once.
            session_->project()->setDisplayMode(chosen);
            applyDisplayMode();
        });
    }
    menu->addSeparator();
    buildProofingMenu(menu->addMenu(QStringLiteral("&Proofing")));
    menu->addSeparator();
    connect(menuAction(menu, QStringLiteral("&Filter Items"), QStringLiteral("findAction"), QKeySequence::Find),
            &QAction::triggered, this, [this] { filter_->setFocus(Qt::ShortcutFocusReason); filter_->selectAll(); });
}

void DocumentWindow::buildProofingMenu(QMenu* menu) {
    menu->setObjectName(QStringLiteral("proofingMenu"));
    auto* modes = new QActionGroup(menu);
    for (const ProofingModeEntry& entry : proofingModes()) {
        QAction* modeAction = menuAction(menu, QString::fromUtf8(entry.title), QString::fromLatin1(entry.objectName));
        modeAction->setCheckable(true);
        modeAction->setChecked(entry.mode == SwatchProofing::instance().mode());
        modes->addAction(modeAction);
        const ProofingMode mode = entry.mode;
        connect(modeAction, &QAction::triggered, this, [mode] { SwatchProofing::instance().setMode(mode); });
        if (entry.mode == ProofingMode::none || entry.mode == ProofingMode::nightShift) menu->addSeparator();
    }
    // Proofed swatches must never pass for the real colors: the toolbar says which mode is on.
    auto* indicator = new QLabel(this);
    indicator->setObjectName(QStringLiteral("proofingIndicator"));
    indicator->setStyleSheet(QStringLiteral("QLabel { background: #FFF3C4; color: #5C4300; border: 1px solid #E8C95A;"
                                            " border-radius: 9px; padding: 1px 9px; margin-right: 6px; }"));
    const auto showIndicator = [indicator](ProofingMode mode) {
        const ProofingModeEntry& entry = proofingModes()[static_cast<std::size_t>(mode)];
        indicator->setText(QStringLiteral("Proofing: ") + QString::fromUtf8(entry.title));
    };
    showIndicator(SwatchProofing::instance().mode());
    // Every window shows the one mode: follow changes made in any of them.
    connect(&SwatchProofing::instance(), &SwatchProofing::modeChanged, this, [this, modes, showIndicator](ProofingMode mode) {
        const QString chosen = QString::fromLatin1(proofingModes()[static_cast<std::size_t>(mode)].objectName);
        for (QAction* modeAction : modes->actions()) modeAction->setChecked(modeAction->objectName() == chosen);
        showIndicator(mode);
        if (auto* shown = findChild<QAction*>(QStringLiteral("proofingIndicatorAction"))) {
            shown->setVisible(mode != ProofingMode::none);
        }
        for (QAbstractItemView* view : findChildren<QAbstractItemView*>()) view->viewport()->update();
        inspector_->refresh();  // its swatches are pictures drawn once
        update();
    });
}

void DocumentWindow::buildBuildMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Build"));
    connect(menuAction(menu, QStringLiteral("&Build All"), QStringLiteral("buildAllAction"), QKeySequence(Qt::CTRL | Qt::Key_B)),
            &QAction::triggered, builds_, &BuildController::buildAll);
    connect(menuAction(menu, QStringLiteral("Build Selected &Group"), QStringLiteral("buildSelectedGroupAction")),
            &QAction::triggered, this, [this] {
                if (const BuildGroupPtr& group = session_->selection().selectedBuildGroup()) builds_->buildGroup(group->uuid());
            });
    connect(menuAction(menu, QStringLiteral("Cancel Build"), QStringLiteral("cancelBuildAction")), &QAction::triggered,
            builds_, &BuildController::cancel);
    connect(menuAction(menu, QStringLiteral("Edit Build Groups…"), QStringLiteral("editBuildGroupsAction")),
            &QAction::triggered, this, [this] { showBuildGroupEditor(); });
    menu->addSeparator();
    connect(menuAction(menu, QStringLiteral("&Run All Tests"), QStringLiteral("runAllTestsAction"), QKeySequence(Qt::CTRL | Qt::Key_U)),
            &QAction::triggered, testRuns_, &TestRunController::runAll);
    connect(menuAction(menu, QStringLiteral("Run Selected Test Group"), QStringLiteral("runSelectedTestGroupAction")),
            &QAction::triggered, this, [this] {
                if (const TestGroupPtr& group = session_->selection().selectedTestGroup()) testRuns_->runGroup(group->uuid());
            });
    connect(menuAction(menu, QStringLiteral("Edit Test Groups…"), QStringLiteral("editTestGroupsAction")),
            &QAction::triggered, this, [this] { showTestGroupEditor(); });
}

BuildGroupEditor& DocumentWindow::showBuildGroupEditor() {
    if (!buildEditor_) buildEditor_ = new BuildGroupEditor(*session_, *builds_, this);
    buildEditor_->show();
    buildEditor_->raise();
    return *buildEditor_;
}

TestGroupEditor& DocumentWindow::showTestGroupEditor() {
    if (!testEditor_) testEditor_ = new TestGroupEditor(*session_, *testRuns_, this);
    testEditor_->show();
    testEditor_->raise();
    return *testEditor_;
}

void DocumentWindow::buildWindowMenu() {
    windowMenu_ = menuBar()->addMenu(QStringLiteral("&Window"));
    connect(windowMenu_, &QMenu::aboutToShow, this, [this] {
        windowMenu_->clear();
        connect(menuAction(windowMenu_, QStringLiteral("&Minimize"), QStringLiteral("minimizeAction"),
                          QKeySequence(Qt::CTRL | Qt::Key_M)),
                &QAction::triggered, this, &QWidget::showMinimized);
        connect(menuAction(windowMenu_, QStringLiteral("Welcome Window"), QStringLiteral("welcomeAction")),
                &QAction::triggered, &manager_, [this] { manager_.showWelcome(); });
        connect(menuAction(windowMenu_, QStringLiteral("&Quick Convert"), QStringLiteral("quickConvertAction"),
                          QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_K)),
                &QAction::triggered, this, [] { raiseWindow(QuickConvertWindow::shared()); });
        windowMenu_->addSeparator();
        for (DocumentWindow* window : manager_.windows()) {
            QAction* entry = windowMenu_->addAction(window->session().displayName());
            entry->setCheckable(true);
            entry->setChecked(window == this);
            connect(entry, &QAction::triggered, window, [window] {
                window->showNormal();
                window->raise();
                window->activateWindow();
            });
        }
    });
}

void DocumentWindow::buildHelpMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Help"));
    QAction* about = menuAction(menu, QStringLiteral("&About Vantorel"), QStringLiteral("aboutAction"));
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, this, [this] {
        QMessageBox::about(this, QStringLiteral("About Vantorel"),
                           QStringLiteral("<h3>Vantorel %1</h3><p>A document editor and build tool for design "
                                          "systems.</p><p>The same documents build from the command line with "
                                          "<code>vantorel build</code>.</p>")
                               .arg(QStringLiteral(VANTOREL_VERSION)));
    });
}

void DocumentWindow::addItem(ProjectItemType type) {
    QuenzColorDocumentEditor& editor = session_->editor();
    const std::optional<ItemPath> position = session_->selection().insertionPath(true);
    const std::string name(displayName(type));
    switch (type) {
        case ProjectItemType::group: editor.addGroup(position, name); break;
        case ProjectItemType::color: editor.addColor(name, position); break;
        case ProjectItemType::colorSet: editor.addColorSet(name, position); break;
        case ProjectItemType::colorAlias: editor.addAlias(name, position); break;
        case ProjectItemType::number: editor.addNumber(name, position); break;
        case ProjectItemType::numberAlias: editor.addNumberAlias(name, position); break;
        case ProjectItemType::boolean: editor.addBoolean(name, position); break;
        case ProjectItemType::booleanAlias: editor.addBooleanAlias(name, position); break;
        case ProjectItemType::string: editor.addString(name, position); break;
        case ProjectItemType::stringAlias: editor.addStringAlias(name, position); break;
        case ProjectItemType::shadow: editor.addShadow(name, position); break;
        case ProjectItemType::shadowSet: editor.addShadowSet(name, position); break;
        case ProjectItemType::shadowAlias: editor.addShadowAlias(name, position); break;
    }
}

void DocumentWindow::updateActions() {
    const EnhancedUndoManager& undo = session_->undoManager();
    if (QAction* undoAction = action(QStringLiteral("undoAction"))) {
        undoAction->setText(QString::fromStdString(undo.undoMenuItemTitle()));
        undoAction->setEnabled(undo.canUndo());
    }
    if (QAction* redoAction = action(QStringLiteral("redoAction"))) {
        redoAction->setText(QString::fromStdString(undo.redoMenuItemTitle()));
        redoAction->setEnabled(undo.canRedo());
    }
    const bool hasSelection = !session_->selection().selectedItems().empty();
    for (const char* name : {"cutAction", "copyAction", "deleteAction", "groupAction"}) {
        if (QAction* selectionAction = action(QString::fromLatin1(name))) selectionAction->setEnabled(hasSelection);
    }
    if (QAction* revert = action(QStringLiteral("revertAction"))) {
        revert->setEnabled(!session_->filePath().isEmpty() && session_->document().isEdited());
    }
}

}  // namespace vantorel::app
