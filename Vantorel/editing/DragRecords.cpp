#include "Vantorel/editing/DragRecords.h"

#include <nlohmann/json.hpp>

namespace vantorel {
namespace {
constexpr const char* idsKey = "ids";
}

std::optional<std::string> IdPasteboardProvider::data(std::string_view type) const {
    if (type != itemUuidPasteboardType) return std::nullopt;
    return uuid;
}

PasteboardItem IdPasteboardProvider::pasteboardItem() const {
    PasteboardItem item;
    item.setData(itemUuidPasteboardType, uuid);
    return item;
}

std::string DragSelection::encode() const {
    nlohmann::json object = nlohmann::json::object();
    object[idsKey] = ids;
    // Identifiers come from documents and might hold bytes that are not UTF-8; replace those
    // rather than fail, since a drag that cannot be encoded cannot be dropped either way.
    return object.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::optional<DragSelection> DragSelection::decode(std::string_view json) {
    const nlohmann::json object = nlohmann::json::parse(json, nullptr, /*allow_exceptions=*/false);
    if (!object.is_object()) return std::nullopt;
    const auto ids = object.find(idsKey);
    if (ids == object.end() || !ids->is_array()) return std::nullopt;
    DragSelection selection;
    for (const nlohmann::json& id : *ids) {
        if (!id.is_string()) return std::nullopt;
        selection.ids.push_back(id.get<std::string>());
    }
    return selection;
}

std::vector<std::string> draggedIdsOn(const Pasteboard& pasteboard) {
    std::vector<std::string> ids;
    for (const PasteboardItem& item : pasteboard.items()) {
        const auto uuid = item.data(itemUuidPasteboardType);
        if (uuid && !uuid->empty()) ids.emplace_back(*uuid);
    }
    return ids;
}

}  // namespace vantorel
