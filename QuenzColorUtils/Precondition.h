#pragma once
// Precondition checks for programming errors that ordinary input never produces: the message
// is written to stderr and the program stops. Never use these for document or user input.

#include <string_view>

namespace quenz {

// Prints "Precondition failed: <message>" to stderr and aborts.
[[noreturn]] void preconditionFailure(std::string_view message);

inline void precondition(bool condition, std::string_view message) {
    if (!condition) {
        preconditionFailure(message);
    }
}

}  // namespace quenz
