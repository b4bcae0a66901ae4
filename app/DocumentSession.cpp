#include "app/DocumentSession.h"

#include <QFileInfo>
#include <QPointer>
#include <QTimer>

#include "app/ItemPresentation.h"
#include "app/tools/SettingsWindow.h"

namespace vantorel::app {

DocumentSession::DocumentSession(std::shared_ptr<shell::Document> document, QObject* parent)
    : QObject(parent), document_(std::move(document)) {
    // The executor asks for a drain whenever work arrives on an empty queue; the drain runs on
    // the next turn of the event loop, never inside the post that asked for it.
    QPointer<DocumentSession> self(this);
    document_->executor().setWakeUp([self] {
        if (!self || self->drainQueued_) return;
        self->drainQueued_ = true;
        QTimer::singleShot(0, self, [self] {
            if (self) self->drainExecutor();
        });
    });
    undoObserver_ = undoManager().addObserver([this](const EnhancedUndoManager&, UndoEvent event) {
        emit undoStateChanged();
        // Steps change the project; the views hear it once the step is complete.
        if (event != UndoEvent::willUndo && event != UndoEvent::willRedo) emit contentsChanged();
    });
    selectionObserver_ = selection().addObserver([this](SelectionPart part) { emit selectionChanged(static_cast<int>(part)); });
    // New colors are drawn by the random color algorithm chosen in the settings.
    editor().setNewColorDefaults(
        [] { return NewColorDefaults{.algorithm = storedRandomColorAlgorithm(applicationSettings())}; });
    watchProject();
    watchFile();
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] {
        // An atomic save replaces the file, which ends the watch on the old one.
        watchFile();
        emit fileChanged();
    });
}

DocumentSession::~DocumentSession() {
    document_->executor().setWakeUp({});
    undoManager().removeObserver(undoObserver_);
    selection().removeObserver(selectionObserver_);
    if (watchedProject_) watchedProject_->removeObserver(projectObserver_);
}

void DocumentSession::drainExecutor() {
    drainQueued_ = false;
    document_->settle();
}

void DocumentSession::watchProject() {
    if (watchedProject_ == document_->project()) return;
    if (watchedProject_) watchedProject_->removeObserver(projectObserver_);
    watchedProject_ = document_->project();
    // Restores replace the project's lists; settings (the display mode) change in place.
    projectObserver_ = watchedProject_->addObserver([this](const Observable&, PropertyId) { emit contentsChanged(); });
}

void DocumentSession::watchFile() {
    const QString path = filePath();
    if (path.isEmpty()) return;
    if (!watcher_.files().isEmpty() && watcher_.files().constFirst() != path) watcher_.removePaths(watcher_.files());
    if (QFileInfo::exists(path) && !watcher_.files().contains(path)) watcher_.addPath(path);
}

QString DocumentSession::displayName() const { return qText(document_->displayName()); }

QString DocumentSession::filePath() const {
    return document_->file() ? QString::fromStdString(document_->file()->string()) : QString();
}

QString DocumentSession::save() {
    if (auto error = document_->save()) return qText(error->message);
    watchFile();
    emit undoStateChanged();
    return {};
}

QString DocumentSession::saveAs(const QString& path) {
    if (auto error = document_->saveAs(path.toStdString())) return qText(error->message);
    watchFile();
    emit undoStateChanged();
    return {};
}

bool DocumentSession::reloadIfChanged() {
    const shell::ReloadResult result = document_->reloadIfChangedOnDisk();
    if (result.outcome != shell::ReloadOutcome::reloaded) return false;
    watchProject();
    emit projectReplaced();
    emit undoStateChanged();
    return true;
}

QString DocumentSession::revertToSaved() {
    const QString path = filePath();
    if (path.isEmpty()) return QStringLiteral("The document has not been saved yet.");
    const shell::ReloadResult result = document_->revertToSaved();
    if (result.error) return qText(result.error->message);
    watchProject();
    emit projectReplaced();
    emit undoStateChanged();
    return {};
}

}  // namespace vantorel::app
