#pragma once
// A document that lives only in memory: a project with its own executor, undo manager, edited
// mark, selection and editor, wired the way an open document wires them. Tools, tests and
// benchmarks edit through it; a document window's document adds the file around the same parts.

#include <memory>

#include "Vantorel/editing/DocumentParts.h"

namespace vantorel {

class InMemoryColorDocument final : public DocumentParts,
                                    public std::enable_shared_from_this<InMemoryColorDocument> {
public:
    // A document around `project` (a new empty project when null). Create and use it on one thread.
    static std::shared_ptr<InMemoryColorDocument> make(QuenzColorProjectPtr project = nullptr) {
        return makeConnected<InMemoryColorDocument>(std::move(project));
    }

    EnhancedUndoManager* undoManager() override { return undoEnabled_ ? &undoManager_ : nullptr; }
    const std::shared_ptr<DocumentEditedState>& editedState() const { return edited_; }

    // Replaces the project, as reading the file again does.
    void setProject(QuenzColorProjectPtr project) {
        if (project) project_ = std::move(project);
    }
    // Acts as if the host had given the document some other undo manager: edits record nothing.
    void setUndoEnabled(bool enabled) { undoEnabled_ = enabled; }

    explicit InMemoryColorDocument(QuenzColorProjectPtr project) : DocumentParts(std::move(project)) {}  // use make()

private:
    bool undoEnabled_ = true;
};

}  // namespace vantorel
