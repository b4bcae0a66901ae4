#include "Stencil/tags/InheritanceTags.h"

#include <algorithm>

#include "Stencil/Parser.h"
#include "Stencil/tags/BuiltinTags.h"

namespace stencil::detail {

namespace {

Status renderChain(const std::vector<const BlockNode*>& chain, std::size_t index, Context& context, std::string& out);

}  // namespace

Status BlockNode::render(Context& context, std::string& out) const {
    std::vector<const BlockNode*> chain;
    if (const RenderState* state = context.renderState()) {
        for (const BlockTable* layer : state->blockLayers) {
            if (auto found = layer->find(name_); found != layer->end()) {
                chain.push_back(found->second);
            }
        }
    }
    chain.push_back(this);
    std::size_t start = out.size();
    Status status = renderChain(chain, 0, context, out);
    if (RenderState* state = context.renderState(); state && !status) {
        state->renderedBlocks[name_] = out.substr(start);
    }
    return status;
}

Status BlockNode::renderBody(Context& context, std::string& out, const std::string& superText) const {
    Context::Scope scope(context);
    context.set("block", Value(Dictionary{{"super", Value(superText)}}));
    return renderNodes(body_, context, out);
}

namespace {

Status renderChain(const std::vector<const BlockNode*>& chain, std::size_t index, Context& context, std::string& out) {
    std::string superText;
    if (index + 1 < chain.size()) {
        if (auto error = renderChain(chain, index + 1, context, superText)) {
            return error;
        }
    }
    return chain[index]->renderBody(context, out, superText);
}

}  // namespace

Status ExtendsNode::renderParent(const CompiledTemplate& child, Context& context, std::string& out) const {
    RenderState& state = *context.renderState();
    auto parentName = parent_.resolve(context);
    if (!parentName) {
        return place_.attach(std::move(parentName).error(), context);
    }
    const std::string* name = parentName->string();
    if (!name) {
        return place_.attach(makeError(ErrorKind::render, "'extends' needs a template name, got '" +
                                                               parentName->text() + "'"),
                             context);
    }
    bool circular = *name == child.name ||
                    std::find(state.extendsChain.begin(), state.extendsChain.end(), *name) != state.extendsChain.end();
    if (circular) {
        std::string path;
        for (const auto& link : state.extendsChain) {
            path += "'" + link + "' -> ";
        }
        path += "'" + child.name + "' -> '" + *name + "'";
        return place_.attach(makeError(ErrorKind::inheritanceCycle, "Templates extend each other in a circle: " + path),
                             context);
    }
    if (state.extendsChain.size() >= state.environment->limits.maxIncludeDepth) {
        return place_.attach(makeError(ErrorKind::nestingTooDeep, "Templates extend each other more than " +
                                                                      std::to_string(state.environment->limits.maxIncludeDepth) +
                                                                      " levels deep"),
                             context);
    }
    auto parent = state.environment->load(*name);
    if (!parent) {
        return place_.attach(std::move(parent).error(), context);
    }
    state.extendsChain.push_back(child.name);
    state.blockLayers.push_back(&child.records.blocks);
    Status status = renderCompiled(**parent, context, out);
    state.blockLayers.pop_back();
    state.extendsChain.pop_back();
    return status;
}

namespace {

Result<std::unique_ptr<Node>> parseExtends(TokenParser& parser, const Token& token) {
    auto words = token.components();
    if (words.size() != 2) {
        return TokenParser::errorAt(token, ErrorKind::syntax, "Expected '{% extends \"name\" %}'");
    }
    if (parser.depth() != 1) {
        return TokenParser::errorAt(token, ErrorKind::syntax, "'extends' must stand at the top level of a template");
    }
    if (parser.records().extends) {
        return TokenParser::errorAt(token, ErrorKind::syntax, "A template can extend only one other template");
    }
    auto parent = parser.compileFilter(words[1]);
    if (!parent) {
        return std::move(parent).error();
    }
    auto node = std::make_unique<ExtendsNode>(std::move(parent).value(), SourcePlace::of(token));
    parser.records().extends = node.get();
    return std::unique_ptr<Node>(std::move(node));
}

Result<std::unique_ptr<Node>> parseBlock(TokenParser& parser, const Token& token) {
    auto words = token.components();
    if (words.size() != 2) {
        return TokenParser::errorAt(token, ErrorKind::syntax, "Expected '{% block name %}'");
    }
    const std::string& name = words[1];
    auto body = parser.parse({"endblock"}, &token);
    if (!body) {
        return std::move(body).error();
    }
    if (parser.records().blocks.contains(name)) {
        return TokenParser::errorAt(token, ErrorKind::syntax, "Block '" + name + "' is defined twice");
    }
    auto end = parser.nextToken();
    if (auto closing = end->components(); closing.size() > 1 && closing[1] != name) {
        return TokenParser::errorAt(*end, ErrorKind::syntax,
                                    "'endblock " + closing[1] + "' closes block '" + name + "'");
    }
    auto node = std::make_unique<BlockNode>(name, std::move(body).value(), SourcePlace::of(token));
    parser.records().blocks[name] = node.get();
    return std::unique_ptr<Node>(std::move(node));
}

}  // namespace

void addInheritanceTags(TagTable& tags) {
    tags["extends"] = parseExtends;
    tags["block"] = parseBlock;
}

}  // namespace stencil::detail
