#include "Vantorel/editing/DragSession.h"

#include <utility>

namespace vantorel {

void ItemDragSession::begin(std::vector<std::string> itemUuids, Pasteboard& dragPasteboard) {
    std::vector<PasteboardItem> items;
    items.reserve(itemUuids.size());
    for (const std::string& uuid : itemUuids) items.push_back(IdPasteboardProvider{uuid}.pasteboardItem());
    dragPasteboard.setItems(std::move(items));
    draggedIds_ = std::move(itemUuids);
}

bool ItemDragSession::drop(QuenzColorDocumentEditor& editor, const std::optional<std::string>& toParent, int atIndex) {
    const std::vector<std::string> ids = std::move(draggedIds_);
    draggedIds_.clear();
    if (ids.empty()) return false;
    return editor.move(ids, toParent, atIndex);
}

}  // namespace vantorel
