#include "Stencil/Environment.h"

#include "Stencil/BuiltinFilters.h"
#include "Stencil/Lexer.h"
#include "Stencil/Parser.h"
#include "Stencil/detail/EnvironmentState.h"
#include "Stencil/tags/BuiltinTags.h"
#include "Stencil/tags/InheritanceTags.h"

namespace stencil {

namespace detail {

Result<std::shared_ptr<const CompiledTemplate>> EnvironmentState::compile(std::string_view source,
                                                                          std::string name) const {
    auto named = [&name](Error error) {
        if (error.templateName.empty()) {
            error.templateName = name;
        }
        return error;
    };
    // `name` stays intact for error messages; the compiled template takes a copy.
    auto tokens = tokenize(source, trim);
    if (!tokens) {
        return named(std::move(tokens).error());
    }
    auto compiled = std::make_shared<CompiledTemplate>();
    compiled->name = name;
    TokenParser parser(std::move(tokens).value(), *this, compiled->records);
    auto nodes = parser.parse();
    if (!nodes) {
        return named(std::move(nodes).error());
    }
    compiled->nodes = std::move(nodes).value();
    return std::shared_ptr<const CompiledTemplate>(std::move(compiled));
}

Result<std::shared_ptr<const CompiledTemplate>> EnvironmentState::load(std::string_view name) const {
    {
        std::lock_guard lock(cacheMutex_);
        if (auto found = cache_.find(name); found != cache_.end()) {
            return found->second;
        }
    }
    if (!loader) {
        return makeError(ErrorKind::templateNotFound,
                         "Template named '" + std::string(name) + "' does not exist: no template loader is set up");
    }
    auto source = loader->loadSource(name);
    if (!source) {
        return std::move(source).error();
    }
    auto compiled = compile(*source, std::string(name));
    if (compiled) {
        std::lock_guard lock(cacheMutex_);
        cache_.emplace(std::string(name), *compiled);
    }
    return compiled;
}

Status renderCompiled(const CompiledTemplate& compiled, Context& context, std::string& out) {
    RenderState& state = *context.renderState();
    const std::string* outerName = state.templateName;
    state.templateName = &compiled.name;
    Status status = compiled.records.extends ? compiled.records.extends->renderParent(compiled, context, out)
                                             : renderNodes(compiled.nodes, context, out);
    state.templateName = outerName;
    return status;
}

}  // namespace detail

Template::Template(std::shared_ptr<const detail::EnvironmentState> environment,
                   std::shared_ptr<const detail::CompiledTemplate> compiled)
    : environment_(std::move(environment)), compiled_(std::move(compiled)) {}

const std::string& Template::name() const { return compiled_->name; }

Result<std::string> Template::render(const Value& context) const {
    Context prepared(context);
    std::string out;
    out.reserve(compiled_->lastOutputSize.load(std::memory_order_relaxed));
    if (auto error = render(prepared, out)) {
        return std::move(*error);
    }
    compiled_->lastOutputSize.store(out.size(), std::memory_order_relaxed);
    return out;
}

Status Template::render(Context& context, std::string& out) const {
    detail::RenderState state;
    state.environment = environment_.get();
    detail::RenderState* outer = context.renderState();
    context.setRenderState(&state);
    Status status = detail::renderCompiled(*compiled_, context, out);
    context.setRenderState(outer);
    return status;
}

Environment::Environment(std::shared_ptr<const Loader> loader, std::vector<Extension> extensions, TrimBehaviour trim,
                         Limits limits)
    : state_(std::make_shared<detail::EnvironmentState>()) {
    state_->loader = std::move(loader);
    state_->trim = trim;
    state_->limits = limits;
    addBuiltinFilters(state_->filters);
    detail::addBuiltinTags(state_->tags);
    for (const auto& extension : extensions) {
        for (const auto& [name, filter] : extension.filters()) {
            state_->filters[name] = filter;
        }
        for (const auto& [name, tag] : extension.tags()) {
            state_->tags[name] = tag;
        }
    }
}

Result<Template> Environment::templateFromString(std::string_view source, std::string name) const {
    auto compiled = state_->compile(source, std::move(name));
    if (!compiled) {
        return std::move(compiled).error();
    }
    return Template(state_, std::move(compiled).value());
}

Result<Template> Environment::loadTemplate(std::string_view name) const {
    auto compiled = state_->load(name);
    if (!compiled) {
        return std::move(compiled).error();
    }
    return Template(state_, std::move(compiled).value());
}

Result<std::string> Environment::renderString(std::string_view source, const Value& context) const {
    auto compiled = templateFromString(source);
    if (!compiled) {
        return std::move(compiled).error();
    }
    return compiled->render(context);
}

Result<std::string> Environment::renderTemplate(std::string_view name, const Value& context) const {
    auto loaded = loadTemplate(name);
    if (!loaded) {
        return std::move(loaded).error();
    }
    return loaded->render(context);
}

TrimBehaviour Environment::trimBehaviour() const { return state_->trim; }

}  // namespace stencil
