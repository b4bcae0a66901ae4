#pragma once
// What a drag of items in the sidebar carries. Each dragged item goes on the drag pasteboard as
// one pasteboard item holding its identifier (`IdPasteboardProvider`); the drop side learns
// what moves from the `ItemDragSession` of the drag in progress, and `DragSelection` is the
// encodable list of identifiers (JSON object with key "ids") for hosts that pass drags as data.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Vantorel/editing/Pasteboard.h"

namespace vantorel {

// Provides the identifier of one dragged item under the item-identifier type.
struct IdPasteboardProvider {
    std::string uuid;

    std::vector<std::string> writableTypes() const { return {std::string(itemUuidPasteboardType)}; }
    // The UUID text for the item-identifier type; none for any other type.
    std::optional<std::string> data(std::string_view type) const;
    PasteboardItem pasteboardItem() const;
};

struct DragSelection {
    std::vector<std::string> ids;

    // {"ids":[...]}
    std::string encode() const;
    // None unless `json` is an object whose "ids" is an array of strings.
    static std::optional<DragSelection> decode(std::string_view json);

    friend bool operator==(const DragSelection&, const DragSelection&) = default;
};

// The identifiers on a drag pasteboard, one per pasteboard item carrying the identifier type,
// in pasteboard order; empty texts are passed over.
std::vector<std::string> draggedIdsOn(const Pasteboard& pasteboard);

}  // namespace vantorel
