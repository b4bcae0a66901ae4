#pragma once
// One piece of template source: literal text, a `{{ variable }}`, a `{% tag %}` or a
// `{# comment #}`, with the place where it starts for error messages.

#include <cstddef>
#include <string>
#include <vector>

namespace stencil {

struct Token {
    enum class Kind { text, variable, block, comment };

    Kind kind = Kind::text;
    std::string contents;  // the text, or what stands between the delimiters, trimmed
    std::string source;    // the token as written, delimiters included (empty for text)
    std::string label;     // a block tag's label, `outer` in `{% outer: for ... %}`; kept out of contents
    std::size_t line = 1;
    std::size_t column = 1;

    // The contents split into words at whitespace. Quoted strings stay whole, and words joined
    // by ",", ":" or "|" stay together, so `key, value` and `x|default: "a b"` are one word each.
    std::vector<std::string> components() const;
};

// Splits tag contents as Token::components does.
std::vector<std::string> splitComponents(const std::string& contents);

}  // namespace stencil
