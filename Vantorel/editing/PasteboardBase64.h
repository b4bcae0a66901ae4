#pragma once
// Base64 text of byte strings, as the pasteboard payload carries its compressed items: the
// standard alphabet with "=" padding and no line breaks. Decoding is strict (a text with any
// other character, or of a length that is not a multiple of four, is not Base64), because
// what it reads comes from other programs.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vantorel::base64 {

std::string encode(std::span<const std::uint8_t> bytes);

// None when `text` is not well-formed Base64.
std::optional<std::vector<std::uint8_t>> decode(std::string_view text);

}  // namespace vantorel::base64
