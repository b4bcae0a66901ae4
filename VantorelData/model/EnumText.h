#pragma once
// Small helpers behind the enumerations of the model: each enumeration keeps its stored codes
// and display names in arrays indexed by the case's position, and looks cases up from them.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace vantorel::enum_text {

// The case at a 0-based position, none outside the enumeration.
template <class E, std::size_t N>
constexpr std::optional<E> caseAt(long long position) {
    if (position < 0 || position >= static_cast<long long>(N)) return std::nullopt;
    return static_cast<E>(position);
}

// The text of a case from a table indexed by the case's position.
template <class E, std::size_t N>
constexpr std::string_view textOf(const std::array<std::string_view, N>& texts, E value) {
    const auto position = static_cast<std::size_t>(value);
    return position < N ? texts[position] : std::string_view{};
}

// The case whose text equals `text` exactly (case-sensitive), none when no case has it.
template <class E, std::size_t N>
constexpr std::optional<E> caseWithText(const std::array<std::string_view, N>& texts, std::string_view text) {
    for (std::size_t i = 0; i < N; ++i) {
        if (texts[i] == text) return static_cast<E>(i);
    }
    return std::nullopt;
}

}  // namespace vantorel::enum_text
