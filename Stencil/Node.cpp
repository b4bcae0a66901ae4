#include "Stencil/Node.h"

#include "Stencil/detail/EnvironmentState.h"

namespace stencil {

Status renderNodes(const NodeList& nodes, Context& context, std::string& out) {
    const detail::RenderState* state = context.renderState();
    std::size_t maxOutput = state ? state->environment->limits.maxOutputBytes : SIZE_MAX;
    for (const auto& node : nodes) {
        if (state && state->jump.kind != detail::LoopJump::Kind::none) {
            return std::nullopt;  // a break or continue leaves the rest of the body unrendered
        }
        if (auto error = node->render(context, out)) {
            return error;
        }
        if (out.size() > maxOutput) {
            Error error = makeError(ErrorKind::limitExceeded, "The output grew beyond " + std::to_string(maxOutput) +
                                                                  " bytes, the most one render may write");
            if (state->templateName) {
                error.templateName = *state->templateName;
            }
            return error;
        }
    }
    return std::nullopt;
}

Error SourcePlace::attach(Error error, const Context& context) const {
    if (error.line == 0) {
        error.line = line;
        error.column = column;
        error.token = token;
    }
    if (error.templateName.empty()) {
        if (const detail::RenderState* state = context.renderState(); state && state->templateName) {
            error.templateName = *state->templateName;
        }
    }
    return error;
}

}  // namespace stencil
