#pragma once
// How much whitespace the engine removes around block tags (`{% ... %}`), so that control
// flow on lines of its own leaves no blank lines behind. Whatever the behaviour, `{%-` and
// `-%}` remove all whitespace and line breaks on their side, and `{%+` and `+%}` keep it.

namespace stencil {

enum class Trim {
    nothing,                  // keep the text as written
    whitespace,               // spaces and tabs
    whitespaceAndOneNewLine,  // spaces and tabs, then one line break
    whitespaceAndNewLines,    // all spaces, tabs and line breaks
};

struct TrimBehaviour {
    Trim leading = Trim::nothing;   // in the text before a block tag
    Trim trailing = Trim::nothing;  // in the text after a block tag

    static constexpr TrimBehaviour nothing() { return {Trim::nothing, Trim::nothing}; }
    // Spaces before the tag on its line; spaces and the line break after it.
    static constexpr TrimBehaviour smart() { return {Trim::whitespace, Trim::whitespaceAndOneNewLine}; }
    static constexpr TrimBehaviour all() { return {Trim::whitespaceAndNewLines, Trim::whitespaceAndNewLines}; }

    friend bool operator==(const TrimBehaviour&, const TrimBehaviour&) = default;
};

}  // namespace stencil
