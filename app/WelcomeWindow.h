#pragma once
// The window shown when no document is open: start a new document, open one, open the example
// that comes with the editor, or pick one of the recent documents.

#include <QWidget>

class QListWidget;

namespace vantorel::app {

class DocumentManager;

class WelcomeWindow final : public QWidget {
    Q_OBJECT
public:
    explicit WelcomeWindow(DocumentManager& manager);
    // Lists the recent documents again.
    void refresh();

private:
    DocumentManager& manager_;
    QListWidget* recent_ = nullptr;
};

}  // namespace vantorel::app
