#pragma once
// The engine's internals shared by environments, templates and the built-in tags: compiled
// templates, the environment's tables and cache, and the bookkeeping of one render.

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "Stencil/Expression.h"
#include "Stencil/Extension.h"
#include "Stencil/Limits.h"
#include "Stencil/Loader.h"
#include "Stencil/Node.h"
#include "Stencil/TrimBehaviour.h"

namespace stencil::detail {

class BlockNode;
class ExtendsNode;

using BlockTable = std::unordered_map<std::string, const BlockNode*>;

// What the parser notes about a template besides its nodes.
struct ParseRecords {
    const ExtendsNode* extends = nullptr;
    BlockTable blocks;
};

struct CompiledTemplate {
    std::string name;
    NodeList nodes;
    ParseRecords records;
    // The size of the last output, so that the next render reserves it at once.
    mutable std::atomic<std::size_t> lastOutputSize{0};
};

using TagTable = std::map<std::string, TagParserFunction, std::less<>>;

struct EnvironmentState {
    std::shared_ptr<const Loader> loader;
    FilterTable filters;
    TagTable tags;
    TrimBehaviour trim;
    Limits limits;

    Result<std::shared_ptr<const CompiledTemplate>> compile(std::string_view source, std::string name) const;
    // Loads through the loader once per name and keeps the compiled template.
    Result<std::shared_ptr<const CompiledTemplate>> load(std::string_view name) const;

private:
    mutable std::mutex cacheMutex_;
    mutable std::map<std::string, std::shared_ptr<const CompiledTemplate>, std::less<>> cache_;
};

// A `break` or `continue` on its way out to the loop it names (the innermost when unnamed).
struct LoopJump {
    enum class Kind { none, breakLoop, continueLoop };
    Kind kind = Kind::none;
    std::string label;
};

struct RenderState {
    const EnvironmentState* environment = nullptr;
    // Block overrides of the templates that extend the one rendering, most derived first.
    std::vector<const BlockTable*> blockLayers;
    // The templates of the current extends chain, to catch circles.
    std::vector<std::string> extendsChain;
    // The template whose nodes are rendering, for error messages.
    const std::string* templateName = nullptr;
    std::size_t includeDepth = 0;
    std::uint64_t loopIterations = 0;
    // While set, bodies stop rendering until the loop it names takes it.
    LoopJump jump;
    // The labelled loops running, innermost last, with the `forloop` value of their current pass.
    std::vector<std::pair<std::string, Value>> labelledLoops;
    // The last output of every block rendered so far, for `{{ block.name }}`.
    std::unordered_map<std::string, std::string> renderedBlocks;
    // How deeply `filter` filters apply filters named by other `filter` filters.
    std::size_t filterDepth = 0;
};

// Renders a compiled template, following its extends chain.
Status renderCompiled(const CompiledTemplate& compiled, Context& context, std::string& out);

}  // namespace stencil::detail
