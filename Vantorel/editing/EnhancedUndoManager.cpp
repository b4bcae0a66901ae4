#include "Vantorel/editing/EnhancedUndoManager.h"

#include <algorithm>
#include <cassert>
#include <cstddef>

namespace vantorel {

// A step being undone or redone, carried from one action to the next across completions.
struct EnhancedUndoManager::StepRun {
    UndoActionList step;
    bool undoing = true;
    std::size_t started = 0;  // actions started so far
};

EnhancedUndoManager::EnhancedUndoManager(DocumentExecutor& executor)
    : executor_(executor), self_(std::make_shared<EnhancedUndoManager*>(this)) {}

void EnhancedUndoManager::assertOwningThread() const {
    assert(executor_.isOwningThread() && "a document's undo runs only on its own thread");
}

void EnhancedUndoManager::setDocument(std::weak_ptr<DocumentEditedState> document) {
    document_ = std::move(document);
}

void EnhancedUndoManager::setCurrentDocumentLookup(CurrentDocumentLookup lookup) {
    currentDocument_ = std::move(lookup);
}

// --- Recording ---

void EnhancedUndoManager::registerUndo(UndoName name, DocumentUndoAction action) {
    UndoActionList step;
    step.name = name;
    step.actions.emplace_back(std::move(action));
    pushStep(std::move(step));
}

void EnhancedUndoManager::pushStep(UndoActionList step) {
    assertOwningThread();
    // The closures of a running step edit through the same operations that record undo.
    if (currentlyUndoing_ || currentlyRedoing_) return;

    if (canRedo()) undoStack_.resize(static_cast<std::size_t>(stackPosition_ + 1));
    if (undoStack_.size() >= levelsOfUndo) {
        undoStack_.erase(undoStack_.begin());
        --stackPosition_;
    }
    step.isProvisional = false;
    undoStack_.push_back(std::move(step));
    ++stackPosition_;

    markDocument(DocumentChange::done);
    notify(UndoEvent::checkpoint);
}

// --- Queries ---

bool EnhancedUndoManager::canUndo() const {
    return stackPosition_ >= 0 && static_cast<std::size_t>(stackPosition_) < undoStack_.size();
}

bool EnhancedUndoManager::canRedo() const {
    return stackPosition_ + 1 >= 0 &&
           static_cast<std::size_t>(stackPosition_ + 1) < undoStack_.size();
}

std::string_view EnhancedUndoManager::undoActionName() const {
    if (!canUndo()) return {};
    return undoTitle(undoStack_[static_cast<std::size_t>(stackPosition_)].name);
}

std::string_view EnhancedUndoManager::redoActionName() const {
    if (!canRedo()) return {};
    return undoTitle(undoStack_[static_cast<std::size_t>(stackPosition_ + 1)].name);
}

namespace {
std::string menuItemTitle(std::string_view verb, std::string_view stepTitle) {
    std::string title(verb);
    if (!stepTitle.empty()) {
        title += ' ';
        title += stepTitle;
    }
    return title;
}
}  // namespace

std::string EnhancedUndoManager::undoMenuItemTitle() const {
    return menuItemTitle("Undo", undoActionName());
}

std::string EnhancedUndoManager::redoMenuItemTitle() const {
    return menuItemTitle("Redo", redoActionName());
}

// --- Clearing ---

void EnhancedUndoManager::removeAllActions() {
    assertOwningThread();
    undoStack_.clear();
    stackPosition_ = -1;
    notify(UndoEvent::removedAllSteps);
}

void EnhancedUndoManager::removeAllActions(const void* /*target*/) { removeAllActions(); }

void EnhancedUndoManager::finalizeCurrent() {
    if (canUndo()) undoStack_[static_cast<std::size_t>(stackPosition_)].isProvisional = false;
}

// --- Undo and redo ---

void EnhancedUndoManager::undo() {
    assertOwningThread();
    if (canUndo()) request(Request::undo);
}

void EnhancedUndoManager::redo() {
    assertOwningThread();
    if (canRedo()) request(Request::redo);
}

namespace {

// The manager behind a weak lifetime handle, or null once it is gone. The handle is not kept
// locked: a step's closures may destroy the manager, and that must show as expiry.
EnhancedUndoManager* managerOf(const std::weak_ptr<EnhancedUndoManager*>& handle) {
    const auto locked = handle.lock();
    return locked ? *locked : nullptr;
}

}  // namespace

void EnhancedUndoManager::request(Request kind) {
    executor_.post([self = std::weak_ptr<EnhancedUndoManager*>(self_), kind] {
        if (auto* manager = managerOf(self)) manager->start(kind);
    });
}

void EnhancedUndoManager::start(Request kind) {
    if (currentlyUndoing_ || currentlyRedoing_) {
        // One step at a time: this request goes again once the running step has finished.
        waiting_.push_back(kind);
        return;
    }
    auto run = std::make_shared<StepRun>();
    run->undoing = kind == Request::undo;
    if (run->undoing ? !canUndo() : !canRedo()) {
        // The history moved or was cleared since the request was made.
        resumeWaiting();
        return;
    }
    if (run->undoing) {
        run->step = undoStack_[static_cast<std::size_t>(stackPosition_)];
        currentlyUndoing_ = true;
        notify(UndoEvent::willUndo);
        finalizeCurrent();
        if (stackPosition_ >= 0) --stackPosition_;  // an observer may have cleared the history
    } else {
        run->step = undoStack_[static_cast<std::size_t>(stackPosition_ + 1)];
        currentlyRedoing_ = true;
        notify(UndoEvent::willRedo);
        if (canRedo()) ++stackPosition_;
    }
    runActions(run);
}

void EnhancedUndoManager::resumeWaiting() {
    if (waiting_.empty()) return;
    const Request next = waiting_.front();
    waiting_.pop_front();
    request(next);
}

namespace {

// Whether an asynchronous closure has finished, and whether it finished before returning.
struct ActionProgress {
    bool insideCall = true;
    bool finished = false;
};

}  // namespace

void EnhancedUndoManager::runActions(std::shared_ptr<StepRun> run) {
    // A closure may close the document, and the manager with it.
    const std::weak_ptr<EnhancedUndoManager*> alive = self_;
    const std::size_t count = run->step.actions.size();
    while (run->started < count) {
        // Undo takes the actions last-recorded first; redo in recorded order.
        const std::size_t index = run->undoing ? count - 1 - run->started : run->started;
        ++run->started;
        UndoAction& action = run->step.actions[index];

        if (auto* generic = std::get_if<GenericUndoAction>(&action)) {
            const auto& closure = run->undoing ? generic->undo : generic->redo;
            if (closure) closure();
            if (alive.expired()) return;
            continue;
        }

        auto& document = std::get<DocumentUndoAction>(action);
        const auto& closure = run->undoing ? document.undo : document.redo;
        if (!closure) continue;
        auto progress = std::make_shared<ActionProgress>();
        closure([alive, progress, run] {
            if (progress->finished) return;  // a completion called twice counts once
            progress->finished = true;
            if (progress->insideCall) return;  // the loop below carries on
            if (auto* manager = managerOf(alive)) manager->runActions(run);
        });
        if (alive.expired()) return;
        progress->insideCall = false;
        if (!progress->finished) return;  // resumed by the completion
    }
    finish(*run);
}

void EnhancedUndoManager::finish(const StepRun& run) {
    if (run.undoing) {
        markDocument(DocumentChange::undone);
        currentlyUndoing_ = false;
        notify(UndoEvent::didUndo);
    } else {
        markDocument(DocumentChange::redone);
        currentlyRedoing_ = false;
        notify(UndoEvent::didRedo);
    }
    resumeWaiting();
}

// --- Document and observers ---

void EnhancedUndoManager::markDocument(DocumentChange change) {
    std::shared_ptr<DocumentEditedState> document = document_.lock();
    if (!document && currentDocument_) document = currentDocument_();
    if (document) document->updateChangeCount(change);
}

EnhancedUndoManager::ObserverId EnhancedUndoManager::addObserver(Observer observer) {
    assertOwningThread();
    const ObserverId id = nextObserverId_++;
    if (observer) observers_.emplace_back(id, std::move(observer));
    return id;
}

void EnhancedUndoManager::removeObserver(ObserverId id) {
    assertOwningThread();
    std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void EnhancedUndoManager::notify(UndoEvent event) {
    // A copy, so observers may add or remove observers while being told.
    const auto observers = observers_;
    const std::weak_ptr<EnhancedUndoManager*> alive = self_;
    for (const auto& [id, observer] : observers) {
        if (alive.expired()) return;
        observer(*this, event);
    }
}

}  // namespace vantorel
