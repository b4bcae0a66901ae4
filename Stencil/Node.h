#pragma once
// A compiled piece of a template. Templates compile once into a tree of nodes, and the tree
// renders any number of times; nodes never change after parsing.

#include <memory>
#include <string>
#include <vector>

#include "Stencil/Context.h"
#include "Stencil/Error.h"
#include "Stencil/Token.h"

namespace stencil {

class Node {
public:
    virtual ~Node() = default;
    // Appends the node's output; an error stops the render.
    virtual Status render(Context& context, std::string& out) const = 0;
};

using NodeList = std::vector<std::unique_ptr<Node>>;

// Renders the nodes in order, stopping at the first error, when the render's output budget is
// spent, or after a `break` or `continue`.
Status renderNodes(const NodeList& nodes, Context& context, std::string& out);

// Where a node came from, so that errors found while rendering point at their tag.
struct SourcePlace {
    std::size_t line = 0;
    std::size_t column = 0;
    std::string token;

    static SourcePlace of(const Token& token) { return {token.line, token.column, token.source}; }
    // Fills in the place and the template's name where the error does not have them yet.
    Error attach(Error error, const Context& context) const;
};

}  // namespace stencil
