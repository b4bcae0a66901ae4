#pragma once
// What the document editor and the selection manager need from an open document: its project,
// its selection, its undo manager and its thread of control. The document owns all of them;
// the editor and the selection hold the document weakly, so that once it is closed every
// operation ends at once without effect.

#include "VantorelData/model/Project.h"

namespace vantorel {

class DocumentExecutor;
class EnhancedUndoManager;
class SelectionManager;

class ColorDocumentHandle {
public:
    virtual ~ColorDocumentHandle() = default;

    // The document's project; it may be replaced when the file is read again.
    virtual QuenzColorProjectPtr project() const = 0;
    virtual SelectionManager& selectionManager() = 0;
    // The document's own undo manager; null when the host gives the document a different one,
    // in which case edits still apply but record no undo step.
    virtual EnhancedUndoManager* undoManager() = 0;
    // The queue of the document's thread, on which deferred work (the selection of new items)
    // runs after the current edit has finished.
    virtual DocumentExecutor& executor() = 0;
};

}  // namespace vantorel
