#pragma once
// A bundle of custom filters and tags that an environment makes available to its templates,
// in addition to the built-in ones (an extension's names take precedence).

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Stencil/Context.h"
#include "Stencil/Error.h"
#include "Stencil/Expression.h"
#include "Stencil/Node.h"
#include "Stencil/Token.h"

namespace stencil {

class TokenParser;

// Text that `{% name %}` writes, computed from the context at render time.
using SimpleTagFunction = std::function<Result<std::string>(Context& context)>;
// Compiles `{% name arguments %}` (the token) into a node; it may read further tokens, as a
// tag with a body does, through the parser.
using TagParserFunction = std::function<Result<std::unique_ptr<Node>>(TokenParser& parser, const Token& token)>;

class Extension {
public:
    void registerFilter(std::string name, FilterFunction filter);
    // A filter of the value alone; written with arguments, it fails the render.
    void registerFilter(std::string name, std::function<Result<Value>(const Value& value)> filter);
    void registerFilter(std::string name,
                        std::function<Result<Value>(const Value& value, std::span<const Value> arguments)> filter);
    void registerSimpleTag(std::string name, SimpleTagFunction tag);
    void registerTag(std::string name, TagParserFunction parser);

    const FilterTable& filters() const { return filters_; }
    const std::vector<std::pair<std::string, TagParserFunction>>& tags() const { return tags_; }

private:
    FilterTable filters_;
    std::vector<std::pair<std::string, TagParserFunction>> tags_;
};

}  // namespace stencil
