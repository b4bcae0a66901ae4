#pragma once
// DocumentParts: what every open document ties together, whether it lives in memory only or
// belongs to a file: the project, the queue of its thread, the undo manager, the edited mark,
// the selection and the document editor, wired to one another.

#include <memory>
#include <utility>

#include "Vantorel/editing/ColorDocumentHandle.h"
#include "Vantorel/editing/DocumentEditedState.h"
#include "Vantorel/editing/DocumentEditor.h"
#include "Vantorel/editing/DocumentExecutor.h"
#include "Vantorel/editing/EnhancedUndoManager.h"
#include "Vantorel/editing/SelectionManager.h"

namespace vantorel {

class DocumentParts : public ColorDocumentHandle {
public:
    QuenzColorProjectPtr project() const override { return project_; }
    SelectionManager& selectionManager() override { return selection_; }
    EnhancedUndoManager* undoManager() override { return &undoManager_; }
    DocumentExecutor& executor() override { return executor_; }

    QuenzColorDocumentEditor& editor() { return *editor_; }
    EnhancedUndoManager& enhancedUndoManager() { return undoManager_; }

    // Undo or redo one step and run the queue until it is idle.
    void undo();
    void redo();
    // Runs queued work (deferred selections, undo and redo tasks) until the queue is idle.
    void settle() { executor_.runUntilIdle(); }

protected:
    // Parts around `project` (a new empty project when null).
    explicit DocumentParts(QuenzColorProjectPtr project);
    // A document of kind D (constructible from a project), owned by a shared pointer, to which
    // the selection and the editor hold on weakly.
    template <class D>
    static std::shared_ptr<D> makeConnected(QuenzColorProjectPtr project) {
        auto document = std::make_shared<D>(std::move(project));
        document->connect(document);
        return document;
    }

    DocumentExecutor executor_;
    EnhancedUndoManager undoManager_{executor_};
    std::shared_ptr<DocumentEditedState> edited_ = std::make_shared<DocumentEditedState>();
    SelectionManager selection_;
    QuenzColorProjectPtr project_;
    std::shared_ptr<QuenzColorDocumentEditor> editor_;

private:
    void connect(const std::weak_ptr<ColorDocumentHandle>& document);
};

}  // namespace vantorel
