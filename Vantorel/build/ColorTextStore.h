#pragma once
// The color texts of one build, shared by all its color records. A document repeats colors (a
// palette's values under many names, aliases, the light value standing in for a missing
// high-contrast one), and outputs write each color in a form or two: each distinct color is
// formatted once per form and set of options, and every record with the same components reads
// that text again. Texts stay valid as long as the store.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <memory_resource>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "QuenzColorUtils/ColorConverter.h"
#include "QuenzColorUtils/ColorValue.h"

namespace vantorel::build {

// Converter options as a tag keeps them: made once per tag.
using SharedColorOptions = std::shared_ptr<const quenz::ColorConverterOptions>;

// Options that write alike: the same object, or equal fields.
bool sameColorOptions(const SharedColorOptions& a, const SharedColorOptions& b);

class ColorTextStore {
public:
    // Texts and the table are carved from blocks of `memory` (the heap when null), which must
    // outlive the store; the store gives them back when it ends.
    explicit ColorTextStore(std::pmr::memory_resource* memory = nullptr);
    ColorTextStore(const ColorTextStore&) = delete;
    ColorTextStore& operator=(const ColorTextStore&) = delete;

    // The color written by the shared color formatter in `space`, formatted on first use; none
    // when the format cannot write it. Components are told apart bit for bit.
    std::optional<std::string_view> text(const quenz::ColorValue& color, quenz::ColorFormat format,
                                         quenz::ColorSpace space, const SharedColorOptions& options);

    // The text `write` appends to a string for the color, under a form of the caller's own
    // (`form` tells its forms apart); written on first use. `write` returns false when the
    // color has no such text.
    template <class Write>
    std::optional<std::string_view> text(const quenz::ColorValue& color, std::uint32_t form, Write&& write) {
        return find(keyOf(color, form, ownForms, ownForms), [&](std::string& out) { return write(out); });
    }

private:
    static constexpr std::uint32_t ownForms = 0xFFFFFFFF;  // space and options of callers' own forms
    struct Key {
        std::uint64_t components[5];
        std::uint32_t space, format, options;
        friend bool operator==(const Key&, const Key&) = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const noexcept;
    };
    // The text, or an empty view with `written` false when the formatter gave none.
    struct Text {
        std::string_view text;
        bool written = false;
    };
    std::uint32_t optionsIndex(const SharedColorOptions& options);
    Text keep(std::string_view written);
    static Key keyOf(const quenz::ColorValue& color, std::uint32_t format, std::uint32_t space, std::uint32_t options);
    // The text under `key`, written by `write` on first use.
    template <class Write>
    std::optional<std::string_view> find(const Key& key, Write&& write) {
        auto [entry, added] = texts_.try_emplace(key);
        if (added) {
            std::string& written = scratch();
            written.clear();
            if (write(written) && !written.empty()) entry->second = keep(written);
        }
        if (!entry->second.written) return std::nullopt;
        return entry->second.text;
    }
    // A buffer of the thread's that texts are written into before they are kept.
    static std::string& scratch();

    std::pmr::monotonic_buffer_resource memory_;
    std::vector<SharedColorOptions> options_;  // the distinct options met, a handful at most
    std::pmr::unordered_map<Key, Text, KeyHash> texts_;
};

}  // namespace vantorel::build
