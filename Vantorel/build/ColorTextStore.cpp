#include "Vantorel/build/ColorTextStore.h"

#include <bit>
#include <cstring>
#include <string>

namespace vantorel::build {

bool sameColorOptions(const SharedColorOptions& a, const SharedColorOptions& b) {
    return a == b || (a->roundedTo == b->roundedTo && a->forceClip == b->forceClip && a->p3Prefix == b->p3Prefix &&
                      a->suffixWhenClipped == b->suffixWhenClipped);
}

ColorTextStore::ColorTextStore(std::pmr::memory_resource* memory)
    : memory_(memory ? memory : std::pmr::new_delete_resource()), texts_(&memory_) {}

std::size_t ColorTextStore::KeyHash::operator()(const Key& key) const noexcept {
    std::uint64_t hash = 0x9E3779B97F4A7C15u ^ (std::uint64_t{key.space} << 40 | std::uint64_t{key.format} << 20 |
                                                 key.options);
    for (std::uint64_t part : key.components) {
        hash ^= part + 0x9E3779B97F4A7C15u + (hash << 6) + (hash >> 2);
    }
    return static_cast<std::size_t>(hash ^ (hash >> 29));
}

std::uint32_t ColorTextStore::optionsIndex(const SharedColorOptions& options) {
    for (std::size_t i = 0; i < options_.size(); ++i) {
        if (options_[i] == options) return static_cast<std::uint32_t>(i);
    }
    for (std::size_t i = 0; i < options_.size(); ++i) {
        if (sameColorOptions(options_[i], options)) return static_cast<std::uint32_t>(i);
    }
    options_.push_back(options);
    return static_cast<std::uint32_t>(options_.size() - 1);
}

ColorTextStore::Key ColorTextStore::keyOf(const quenz::ColorValue& color, std::uint32_t format, std::uint32_t space,
                                          std::uint32_t options) {
    return Key{{std::bit_cast<std::uint64_t>(color.red), std::bit_cast<std::uint64_t>(color.green),
                std::bit_cast<std::uint64_t>(color.blue), std::bit_cast<std::uint64_t>(color.alpha),
                std::bit_cast<std::uint64_t>(color.cmykBlack)},
               static_cast<std::uint32_t>(color.space) << 8 ^ space,
               format,
               options};
}

std::string& ColorTextStore::scratch() {
    thread_local std::string written;
    return written;
}

ColorTextStore::Text ColorTextStore::keep(std::string_view written) {
    auto* bytes = static_cast<char*>(memory_.allocate(written.size(), 1));
    std::memcpy(bytes, written.data(), written.size());
    return {std::string_view(bytes, written.size()), true};
}

std::optional<std::string_view> ColorTextStore::text(const quenz::ColorValue& color, quenz::ColorFormat format,
                                                     quenz::ColorSpace space, const SharedColorOptions& options) {
    const Key key = keyOf(color, static_cast<std::uint32_t>(format), static_cast<std::uint32_t>(space),
                          optionsIndex(options));
    return find(key, [&](std::string& out) {
        return quenz::ColorConverter::appendFormattedColor(out, color, format, space, *options).has_value();
    });
}

}  // namespace vantorel::build
