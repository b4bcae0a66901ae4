#pragma once
// A document's undo history: a linear stack of at most 128 named steps. Undo and redo run as
// tasks on the document's executor, one step at a time; while a step runs, new registrations
// are dropped, because the step's closures change the project through the same editor
// operations that record undo. Registering, undoing and redoing update the document's edited
// mark, and observers hear of every change so that a window can retitle its Undo/Redo items.
//
// Confined to the document's thread, like its executor.

#include "Vantorel/editing/DocumentEditedState.h"
#include "Vantorel/editing/DocumentExecutor.h"
#include "Vantorel/editing/UndoAction.h"
#include "Vantorel/editing/UndoName.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantorel {

// What observers are told, in the host platform's terms.
enum class UndoEvent {
    checkpoint,       // a step was recorded
    willUndo,         // an undo step starts; the position has not moved yet
    willRedo,         // a redo step starts
    didUndo,          // an undo step has run completely
    didRedo,          // a redo step has run completely
    removedAllSteps,  // the history was cleared
};

class EnhancedUndoManager {
public:
    // The most steps the history keeps; recording one more drops the oldest.
    static constexpr std::size_t levelsOfUndo = 128;

    using Observer = std::function<void(const EnhancedUndoManager&, UndoEvent)>;
    using ObserverId = std::uint64_t;
    using CurrentDocumentLookup = std::function<std::shared_ptr<DocumentEditedState>()>;

    // `executor` is the document's own and must outlive the manager.
    explicit EnhancedUndoManager(DocumentExecutor& executor);
    EnhancedUndoManager(const EnhancedUndoManager&) = delete;
    EnhancedUndoManager& operator=(const EnhancedUndoManager&) = delete;

    // The document whose edited mark steps update. While it is unset or gone, the application's
    // current document (when a lookup is given and finds one) is marked instead.
    void setDocument(std::weak_ptr<DocumentEditedState> document);
    void setCurrentDocumentLookup(CurrentDocumentLookup lookup);

    // Records one step named `name` holding one action; `undo` and `redo` are called as
    // `undo(Editor&, UndoCompletion)` and must call the completion once when done. Dropped
    // while a step is being undone or redone, and when there is no editor.
    template <class Editor, class Undo, class Redo>
    void registerUndo(UndoName name, Undo undo, Redo redo, std::shared_ptr<Editor> editor);
    void registerUndo(UndoName name, DocumentUndoAction action);

    // Records a prepared step, possibly of several actions; the way every registration ends.
    // Discards the redo steps, drops the oldest step when the history is full, marks the
    // document edited and notifies `checkpoint`. Dropped while a step is being undone or redone.
    void pushStep(UndoActionList step);

    // Queue one undo or redo task on the executor when there is a step to undo or redo now.
    // A task that starts while another step is still running waits for it to finish; each task
    // takes the step that is current when it starts, so two quick undos revert two steps.
    void undo();
    void redo();

    bool canUndo() const;
    bool canRedo() const;
    // Titles of the steps that undo and redo would take, or "" when there is none.
    std::string_view undoActionName() const;
    std::string_view redoActionName() const;
    // Menu item titles: "Undo Add Color", or just "Undo" when there is nothing to undo.
    std::string undoMenuItemTitle() const;
    std::string redoMenuItemTitle() const;

    // Steps that can be undone (stackPosition + 1) and redone.
    int undoCount() const { return stackPosition_ + 1; }
    int redoCount() const { return static_cast<int>(undoStack_.size()) - stackPosition_ - 1; }
    std::size_t stepCount() const { return undoStack_.size(); }
    // Index of the step the next undo reverts; -1 when there is nothing to undo.
    int stackPosition() const { return stackPosition_; }

    bool isUndoing() const { return currentlyUndoing_; }
    bool isRedoing() const { return currentlyRedoing_; }

    // Both clear the whole history; steps are never partly removed, whatever the target.
    void removeAllActions();
    void removeAllActions(const void* target);

    // Closes the current step for merging (clears its provisional flag).
    void collationTimerFired() { finalizeCurrent(); }

    // Observers are called on the document's thread after the manager's state has changed.
    ObserverId addObserver(Observer observer);
    void removeObserver(ObserverId id);

private:
    struct StepRun;
    enum class Request { undo, redo };

    void request(Request kind);
    void start(Request kind);
    void resumeWaiting();
    void runActions(std::shared_ptr<StepRun> run);  // by value: a completion may be destroyed meanwhile
    void finish(const StepRun& run);
    void finalizeCurrent();
    void markDocument(DocumentChange change);
    void notify(UndoEvent event);
    void assertOwningThread() const;

    DocumentExecutor& executor_;
    // Tasks and completions hold this weakly, so that they do nothing once the manager is gone.
    std::shared_ptr<EnhancedUndoManager*> self_;

    bool currentlyUndoing_ = false;
    bool currentlyRedoing_ = false;
    int stackPosition_ = -1;
    std::vector<UndoActionList> undoStack_;  // oldest first; above stackPosition_: redo steps
    std::deque<Request> waiting_;            // requests that started while a step was running

    std::weak_ptr<DocumentEditedState> document_;
    CurrentDocumentLookup currentDocument_;

    std::vector<std::pair<ObserverId, Observer>> observers_;
    ObserverId nextObserverId_ = 1;
};

template <class Editor, class Undo, class Redo>
void EnhancedUndoManager::registerUndo(UndoName name, Undo undo, Redo redo,
                                       std::shared_ptr<Editor> editor) {
    if (!editor) return;
    Editor* target = editor.get();
    DocumentUndoAction action;
    action.undo = [target, revert = std::move(undo)](UndoCompletion done) {
        revert(*target, std::move(done));
    };
    action.redo = [target, reapply = std::move(redo)](UndoCompletion done) {
        reapply(*target, std::move(done));
    };
    action.editor = std::move(editor);
    registerUndo(name, std::move(action));
}

}  // namespace vantorel
