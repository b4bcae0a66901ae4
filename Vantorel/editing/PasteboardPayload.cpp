#include "Vantorel/editing/PasteboardPayload.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <exception>

#include "LZFSE/Lzfse.h"
#include "Vantorel/editing/PasteboardBase64.h"
#include "VantorelData/format/QuenzColorFileReader.h"
#include "VantorelData/format/QuenzColorFileWriter.h"
#include "VantorelData/model/ItemTreeWalk.h"

namespace vantorel::pasteboard {
namespace {

// No copied item comes near this once decompressed; the limit keeps a hostile payload from
// making us allocate without bound.
constexpr std::size_t maximumItemTextSize = std::size_t{64} << 20;

std::optional<std::string> compressedItem(const QuenzColorProjectItem& item) {
    const std::optional<std::string> text = format::QuenzColorFileWriter::itemText(item);
    if (!text) return std::nullopt;
    const std::vector<std::uint8_t> compressed = lzfse::encode(std::string_view(*text));
    if (compressed.empty()) return std::nullopt;
    return base64::encode(compressed);
}

// The byte strings of a payload; none unless it is a JSON array whose every entry is Base64 text.
std::optional<std::vector<std::vector<std::uint8_t>>> byteStrings(std::string_view payload) {
    const nlohmann::json array = nlohmann::json::parse(payload, nullptr, /*allow_exceptions=*/false);
    if (!array.is_array()) return std::nullopt;
    std::vector<std::vector<std::uint8_t>> entries;
    entries.reserve(array.size());
    for (const nlohmann::json& entry : array) {
        if (!entry.is_string()) return std::nullopt;
        auto bytes = base64::decode(entry.get_ref<const std::string&>());
        if (!bytes) return std::nullopt;
        entries.push_back(std::move(*bytes));
    }
    return entries;
}

std::string numberText(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

// Levels that are indented; deeper items keep the last indentation, so that the text of deeply
// nested groups grows with their number, not the square of their depth.
constexpr std::size_t indentedLevels = 32;

void describeOne(const QuenzColorProjectItem& item, std::size_t depth, std::string& text) {
    text.append(std::min(depth, indentedLevels) * 2, ' ');
    text += item.name();
    text += " (";
    text += displayName(item.itemType());
    text += ')';
    switch (item.itemType()) {
        case ProjectItemType::number: text += ": " + numberText(item.number()->value().lightVariant); break;
        case ProjectItemType::boolean: text += item.boolean()->value().lightVariant ? ": true" : ": false"; break;
        case ProjectItemType::string: text += ": " + item.string()->value().lightVariant; break;
        default: break;
    }
    text += '\n';
}

// The item and everything inside it, one line each, indented by depth.
void describe(const QuenzColorProjectItem& item, int depth, std::string& text) {
    const auto base = static_cast<std::size_t>(depth);
    describeOne(item, base, text);
    if (const auto* group = item.payloadIf<QuenzColorGroup>()) {
        walkItemTree(group->items(), [&](const ProjectItemPtr& child, const ItemPlace& place) {
            describeOne(*child, base + 1 + place.depth, text);
        });
    }
}

}  // namespace

std::optional<std::string> encodeItems(const std::vector<ProjectItemPtr>& items, const Diagnostics& diagnostics) {
    nlohmann::json array = nlohmann::json::array();
    for (const ProjectItemPtr& item : items) {
        if (!item) continue;
        if (auto entry = compressedItem(*item)) array.push_back(std::move(*entry));
    }
    try {
        return array.dump();
    } catch (const std::exception& error) {
        if (diagnostics) diagnostics(std::string("Failed to encode snippet data ") + error.what());
        return std::nullopt;
    }
}

std::vector<ProjectItemPtr> readItems(std::string_view payload, const QuenzColorProject& project) {
    std::vector<ProjectItemPtr> items;
    const auto entries = byteStrings(payload);
    if (!entries) return items;
    for (const std::vector<std::uint8_t>& entry : *entries) {
        const std::optional<std::string> text = lzfse::decodeToString(entry, maximumItemTextSize);
        if (!text) continue;
        if (ProjectItemPtr item = format::QuenzColorFileReader::readItemText(*text, project, /*generateNewIds=*/true)) {
            items.push_back(std::move(item));
        }
    }
    return items;
}

std::string describeItems(const std::vector<ProjectItemPtr>& items) {
    std::string text;
    for (const ProjectItemPtr& item : items) {
        if (item) describe(*item, 0, text);
    }
    return text;
}

}  // namespace vantorel::pasteboard
