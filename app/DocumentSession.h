#pragma once
// DocumentSession: one open document for the windows, as a Qt object. It owns the core's
// Document, drains the document's executor from the Qt event loop (undo, redo and deferred
// selections run there), turns the core's observers (project, undo manager, selection) into Qt
// signals, and watches the file so that a document changed on disk is read again.

#include <QFileSystemWatcher>
#include <QObject>
#include <memory>

#include "Vantorel/shell/Document.h"

namespace vantorel::app {

class DocumentSession final : public QObject {
    Q_OBJECT
public:
    explicit DocumentSession(std::shared_ptr<shell::Document> document, QObject* parent = nullptr);
    ~DocumentSession() override;

    shell::Document& document() { return *document_; }
    QuenzColorProjectPtr project() const { return document_->project(); }
    QuenzColorDocumentEditor& editor() { return document_->editor(); }
    SelectionManager& selection() { return document_->selectionManager(); }
    EnhancedUndoManager& undoManager() { return document_->enhancedUndoManager(); }
    QString displayName() const;
    QString filePath() const;

    // Saves to the document's file, or to `path` (which becomes its file); an error message
    // for an alert on failure, empty on success.
    QString save();
    QString saveAs(const QString& path);
    // Reads the file again when it changed on disk; true when it was read again.
    bool reloadIfChanged();
    // Reads the file again whatever its state ("Revert to Saved").
    QString revertToSaved();

signals:
    // Something in the project changed (an edit, an undo or redo, a setting): views refresh.
    void contentsChanged();
    // The project object itself was replaced (the file was read again): views rebind.
    void projectReplaced();
    void undoStateChanged();
    void selectionChanged(int part);  // a SelectionPart
    void fileChanged();  // the watched file changed on disk

private:
    void watchProject();
    void watchFile();
    void drainExecutor();

    std::shared_ptr<shell::Document> document_;
    QuenzColorProjectPtr watchedProject_;
    ObserverToken projectObserver_ = 0;
    EnhancedUndoManager::ObserverId undoObserver_ = 0;
    SelectionManager::ObserverId selectionObserver_ = 0;
    QFileSystemWatcher watcher_;
    bool drainQueued_ = false;
};

}  // namespace vantorel::app
