#include "Stencil/Error.h"

namespace stencil {

Error makeError(ErrorKind kind, std::string message) {
    Error error;
    error.kind = kind;
    error.message = std::move(message);
    return error;
}

std::string Error::describe() const {
    std::string text;
    if (!templateName.empty()) {
        text += templateName;
        text += line > 0 ? ":" : ": ";
    }
    if (line > 0) {
        text += std::to_string(line) + ":" + std::to_string(column) + ": ";
    }
    text += message;
    if (!token.empty()) {
        text += " (in '" + token + "')";
    }
    return text;
}

}  // namespace stencil
