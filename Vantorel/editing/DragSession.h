#pragma once
// ItemDragSession: the drag of project items in progress in one document's sidebar. Starting
// it puts one `IdPasteboardProvider` per dragged item on the drag pasteboard; a drop moves the
// dragged identifiers with the editor's `move` (one undo step "Move") and ends the session.
// Confined to the document's thread.

#include <optional>
#include <string>
#include <vector>

#include "Vantorel/editing/DocumentEditor.h"
#include "Vantorel/editing/DragRecords.h"
#include "Vantorel/editing/Pasteboard.h"

namespace vantorel {

class ItemDragSession {
public:
    // Starts a drag of `itemUuids` (in drag order), writing them to `dragPasteboard`.
    void begin(std::vector<std::string> itemUuids, Pasteboard& dragPasteboard);
    // The identifiers of the items being dragged; empty when no drag is in progress.
    const std::vector<std::string>& draggedIds() const { return draggedIds_; }
    bool isDragging() const { return !draggedIds_.empty(); }
    DragSelection selection() const { return DragSelection{draggedIds_}; }

    // Moves the dragged items into the group `toParent` (the top level when none) from
    // `atIndex` on and ends the drag. False when nothing was dragged or nothing moved.
    bool drop(QuenzColorDocumentEditor& editor, const std::optional<std::string>& toParent, int atIndex);
    // A drag that ends without a drop here (cancelled, or dropped in another window).
    void end() { draggedIds_.clear(); }

private:
    std::vector<std::string> draggedIds_;
};

}  // namespace vantorel
