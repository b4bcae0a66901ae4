#pragma once
// Text written for other programs to read (JSON data, JUnit XML) is always valid UTF-8, even
// when a name in a document is not: such bytes become U+FFFD, the Unicode replacement
// character, one per maximal ill-formed subsequence, the same way in every output.

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantorel::platform {

bool isValidUTF8(std::string_view text);

// `text` with every ill-formed sequence replaced by U+FFFD; valid text comes back unchanged.
std::string validUTF8(std::string_view text);

// `value` as JSON text (indented by `indent` spaces, one line when negative), with every string
// and key made valid UTF-8 first. Works for sorted and ordered JSON objects alike.
template <class Json = nlohmann::json>
std::string jsonOutputText(Json value, int indent = 2) {
    // A work list rather than recursion: the item tree of a document can nest very deeply.
    std::vector<Json*> pending{&value};
    while (!pending.empty()) {
        Json& node = *pending.back();
        pending.pop_back();
        if (node.is_string()) {
            auto& text = node.template get_ref<std::string&>();
            if (!isValidUTF8(text)) text = validUTF8(text);
        } else if (node.is_object()) {
            std::vector<std::string> badKeys;
            for (const auto& entry : node.items()) {
                if (!isValidUTF8(entry.key())) badKeys.push_back(entry.key());
            }
            for (const auto& key : badKeys) {
                Json moved = std::move(node[key]);
                node.erase(key);
                node[validUTF8(key)] = std::move(moved);
            }
            for (auto& entry : node.items()) pending.push_back(&entry.value());
        } else if (node.is_array()) {
            for (auto& child : node) pending.push_back(&child);
        }
    }
    return value.dump(indent);
}

}  // namespace vantorel::platform
