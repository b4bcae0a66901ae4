#include "app/DocumentManager.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QTimer>

#include "app/DocumentWindow.h"
#include "app/ItemPresentation.h"
#include "app/SystemClipboard.h"
#include "app/WelcomeWindow.h"

namespace vantorel::app {
namespace {
const QString recentKey = QStringLiteral("RecentDocuments");
constexpr int recentLimit = 10;
}  // namespace

DocumentManager::DocumentManager()
    : prompts_(std::make_unique<DialogPrompts>()), clipboard_(std::make_shared<SystemClipboard>()) {
    setGeneralPasteboard(clipboard_);
}

DocumentManager::~DocumentManager() {
    // Windows hold their documents; closing them here keeps the order of teardown known.
    for (DocumentWindow* window : std::vector<DocumentWindow*>(windows_)) {
        window->disconnect(this);
        delete window;
    }
    delete welcome_.data();
    setGeneralPasteboard(nullptr);
}

DocumentWindow* DocumentManager::adopt(DocumentWindow* window) {
    windows_.push_back(window);
    window->show();
    window->raise();
    window->activateWindow();
    if (welcome_) welcome_->close();
    return window;
}

DocumentWindow* DocumentManager::newDocument() {
    shell::Document::Opened made = shell::Document::makeNew();
    if (!made.document) {
        prompts_->showError(nullptr, QStringLiteral("Could Not Create a Document"),
                            qText(made.error ? made.error->message : std::string()));
        return nullptr;
    }
    return adopt(new DocumentWindow(*this, std::move(made.document)));
}

DocumentWindow* DocumentManager::openFile(const QString& path) {
    const QString canonical = QFileInfo(path).absoluteFilePath();
    for (DocumentWindow* window : windows_) {
        if (QFileInfo(window->session().filePath()).absoluteFilePath() == canonical) {
            window->raise();
            window->activateWindow();
            return window;
        }
    }
    shell::Document::Opened opened = shell::Document::open(canonical.toStdString());
    if (!opened.document) {
        prompts_->showError(nullptr, QStringLiteral("Could Not Open"),
                            qText(opened.error ? opened.error->message : std::string()));
        return nullptr;
    }
    noteRecentFile(canonical);
    return adopt(new DocumentWindow(*this, std::move(opened.document)));
}

void DocumentManager::openChosenFiles(QWidget* parent) {
    for (const QString& path : prompts_->chooseFilesToOpen(parent)) openFile(path);
}

QStringList DocumentManager::recentFiles() const {
    QStringList files;
    for (const QString& path : QSettings().value(recentKey).toStringList()) {
        if (QFileInfo::exists(path)) files << path;
    }
    return files;
}

void DocumentManager::noteRecentFile(const QString& path) {
    QSettings settings;
    QStringList files = settings.value(recentKey).toStringList();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > recentLimit) files.removeLast();
    settings.setValue(recentKey, files);
}

void DocumentManager::fillRecentMenu(QMenu* menu) {
    menu->clear();
    const QStringList files = recentFiles();
    for (const QString& path : files) {
        QAction* entry = menu->addAction(QFileInfo(path).completeBaseName());
        entry->setToolTip(path);
        connect(entry, &QAction::triggered, this, [this, path] { openFile(path); });
    }
    if (files.isEmpty()) menu->addAction(QStringLiteral("No Recent Documents"))->setEnabled(false);
    menu->addSeparator();
    connect(menu->addAction(QStringLiteral("Clear Menu")), &QAction::triggered, this,
            [] { QSettings().remove(recentKey); });
}

QString DocumentManager::exampleDocumentPath() {
    // Installed beside the binary, or in the source tree for a build that is not installed.
    const QString installed =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/vantorel/examples/Showcase.vantorel"));
    if (QFileInfo::exists(installed)) return QFileInfo(installed).absoluteFilePath();
    return QStringLiteral(VANTOREL_EXAMPLES_DIR "/Showcase.vantorel");
}

void DocumentManager::showWelcome() {
    if (!welcome_) welcome_ = new WelcomeWindow(*this);
    welcome_->refresh();
    welcome_->show();
    welcome_->raise();
    welcome_->activateWindow();
}

bool DocumentManager::quit() {
    quitting_ = true;
    for (DocumentWindow* window : std::vector<DocumentWindow*>(windows_)) {
        if (!window->closeAsking()) {
            quitting_ = false;
            return false;
        }
    }
    if (welcome_) welcome_->close();
    QCoreApplication::quit();
    return true;
}

void DocumentManager::windowClosing(DocumentWindow* window) {
    std::erase(windows_, window);
    // With no document left open, the welcome window takes over (after the close completes).
    if (windows_.empty() && !quitting_) {
        QTimer::singleShot(0, this, [this] {
            if (windows_.empty() && !QCoreApplication::closingDown()) showWelcome();
        });
    }
}

}  // namespace vantorel::app
