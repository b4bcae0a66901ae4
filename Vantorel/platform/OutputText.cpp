#include "Vantorel/platform/OutputText.h"

#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <cstdint>

namespace vantorel::platform {

bool isValidUTF8(std::string_view text) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<std::int32_t>(text.size());
    for (std::int32_t i = 0; i < length;) {
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        if (c < 0) return false;
    }
    return true;
}

std::string validUTF8(std::string_view text) {
    if (isValidUTF8(text)) return std::string(text);
    // ICU's UTF-8 reading substitutes U+FFFD for each maximal ill-formed subsequence.
    std::string result;
    icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())))
        .toUTF8String(result);
    return result;
}

}  // namespace vantorel::platform
