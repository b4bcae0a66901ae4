#pragma once
// A document that lives only in memory: a project with its own executor, undo manager, edited
// mark, selection and editor, wired the way an open document wires them. Tools, tests and
// benchmarks edit through it; a document window's document adds the file around the same parts.

#include <memory>

#include "Vantorel/editing/ColorDocumentHandle.h"
#include "Vantorel/editing/DocumentEditedState.h"
#include "Vantorel/editing/DocumentEditor.h"
#include "Vantorel/editing/DocumentExecutor.h"
#include "Vantorel/editing/EnhancedUndoManager.h"
#include "Vantorel/editing/SelectionManager.h"

namespace vantorel {

class InMemoryColorDocument final : public ColorDocumentHandle,
                                    public std::enable_shared_from_this<InMemoryColorDocument> {
public:
    // A document around `project` (a new empty project when null). Create and use it on one thread.
    static std::shared_ptr<InMemoryColorDocument> make(QuenzColorProjectPtr project = nullptr);

    QuenzColorProjectPtr project() const override { return project_; }
    SelectionManager& selectionManager() override { return selection_; }
    EnhancedUndoManager* undoManager() override { return undoEnabled_ ? &undoManager_ : nullptr; }
    DocumentExecutor& executor() override { return executor_; }

    QuenzColorDocumentEditor& editor() { return *editor_; }
    const std::shared_ptr<DocumentEditedState>& editedState() const { return edited_; }
    EnhancedUndoManager& enhancedUndoManager() { return undoManager_; }

    // Replaces the project, as reading the file again does.
    void setProject(QuenzColorProjectPtr project);
    // Acts as if the host had given the document some other undo manager: edits record nothing.
    void setUndoEnabled(bool enabled) { undoEnabled_ = enabled; }

    // Undo or redo one step and run the queue until it is idle.
    void undo();
    void redo();
    // Runs queued work (deferred selections, undo and redo tasks) until the queue is idle.
    void settle() { executor_.runUntilIdle(); }

    explicit InMemoryColorDocument(QuenzColorProjectPtr project);  // use make()

private:
    DocumentExecutor executor_;
    EnhancedUndoManager undoManager_{executor_};
    std::shared_ptr<DocumentEditedState> edited_ = std::make_shared<DocumentEditedState>();
    SelectionManager selection_;
    QuenzColorProjectPtr project_;
    std::shared_ptr<QuenzColorDocumentEditor> editor_;
    bool undoEnabled_ = true;
};

}  // namespace vantorel
