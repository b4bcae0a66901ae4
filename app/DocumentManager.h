#pragma once
// DocumentManager: the one object that owns the open document windows and the application's
// shared state: the recent documents, the welcome window, the system clipboard as the core's
// general pasteboard, and the prompts windows ask the user through. Windows ask it, never
// each other.

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <vector>

#include "app/Prompts.h"
#include "app/WelcomeWindow.h"

class QMenu;
class QWidget;

namespace vantorel::app {

class DocumentWindow;
class SystemClipboard;

class DocumentManager final : public QObject {
    Q_OBJECT
public:
    DocumentManager();
    ~DocumentManager() override;

    Prompts& prompts() { return *prompts_; }
    // Tests answer in place of the user.
    void setPrompts(std::unique_ptr<Prompts> prompts) { prompts_ = std::move(prompts); }

    // A new untitled document from the default document.
    DocumentWindow* newDocument();
    // Opens the file, or brings its window forward when it is open already; null (and an
    // alert) when it cannot be read.
    DocumentWindow* openFile(const QString& path);
    void openChosenFiles(QWidget* parent);
    const std::vector<DocumentWindow*>& windows() const { return windows_; }

    QStringList recentFiles() const;
    void noteRecentFile(const QString& path);
    void fillRecentMenu(QMenu* menu);
    // The example document that comes with the editor.
    static QString exampleDocumentPath();

    void showWelcome();
    WelcomeWindow* welcomeWindow() const { return welcome_; }
    // Closes every window, asking about unsaved changes; quits when all closed.
    bool quit();

    // Called by a window as it closes.
    void windowClosing(DocumentWindow* window);

private:
    DocumentWindow* adopt(DocumentWindow* window);

    std::unique_ptr<Prompts> prompts_;
    std::shared_ptr<SystemClipboard> clipboard_;
    std::vector<DocumentWindow*> windows_;
    QPointer<WelcomeWindow> welcome_;
    bool quitting_ = false;
};

}  // namespace vantorel::app
