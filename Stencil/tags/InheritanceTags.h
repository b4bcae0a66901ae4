#pragma once
// `{% extends "base" %}` and `{% block name %}`: a template that extends another renders the
// other, with its own blocks in place of the blocks of the same name; `{{ block.super }}`
// renders the block it replaces, and `{{ block.name }}` writes again what a block rendered last.

#include "Stencil/detail/EnvironmentState.h"

namespace stencil::detail {

class BlockNode final : public Node {
public:
    BlockNode(std::string name, NodeList body, SourcePlace place)
        : name_(std::move(name)), body_(std::move(body)), place_(std::move(place)) {}
    // Renders the most derived version of the block and keeps its output for `{{ block.name }}`.
    Status render(Context& context, std::string& out) const override;
    const std::string& name() const { return name_; }
    // The block's own body, with `block.super` standing for the text of the block it replaces.
    Status renderBody(Context& context, std::string& out, const std::string& superText) const;

private:
    std::string name_;
    NodeList body_;
    SourcePlace place_;
};

class ExtendsNode final : public Node {
public:
    ExtendsNode(FilterExpression parent, SourcePlace place) : parent_(std::move(parent)), place_(std::move(place)) {}
    // Its work happens in renderParent; in place, the tag writes nothing.
    Status render(Context&, std::string&) const override { return std::nullopt; }
    // Renders the parent template with the child's blocks in force.
    Status renderParent(const CompiledTemplate& child, Context& context, std::string& out) const;

private:
    FilterExpression parent_;
    SourcePlace place_;
};

}  // namespace stencil::detail
