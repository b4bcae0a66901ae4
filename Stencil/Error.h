#pragma once
// Errors of the template engine as plain values: what went wrong, where in which template,
// and the tag or variable text that caused it. Nothing in the engine throws to its callers.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace stencil {

enum class ErrorKind {
    syntax,            // malformed tag, variable or expression
    unknownTag,        // a `{% name %}` that no built-in or extension defines
    unknownFilter,     // a `|name` that no built-in or extension defines
    unclosedBlock,     // `{% for %}` without `{% endfor %}`, and the like
    templateNotFound,  // include or extends of a template the loader cannot give
    accessDenied,      // a template name that would read outside the loader's folder
    nestingTooDeep,    // blocks, expressions or includes nested beyond the engine's limit
    inheritanceCycle,  // templates that extend each other in a circle
    limitExceeded,     // the render budget (output size, loop iterations) ran out
    render,            // a filter or tag refused its input while rendering
};

struct Error {
    ErrorKind kind = ErrorKind::render;
    std::string message;
    std::string templateName;  // empty for a template made from a string without a name
    std::size_t line = 0;      // 1-based; 0 when the error has no place in a template
    std::size_t column = 0;    // 1-based, in characters
    std::string token;         // the source text of the offending tag or variable

    // "name:line:column: message (in '{% token %}')", leaving out the parts that are unknown.
    std::string describe() const;
};

Error makeError(ErrorKind kind, std::string message);

// A value or the error that prevented it.
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::move(value)) {}  // NOLINT: implicit by design
    Result(Error error) : state_(std::move(error)) {}  // NOLINT

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(state_); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    const Error& error() const& { return std::get<1>(state_); }
    Error&& error() && { return std::get<1>(std::move(state_)); }

private:
    std::variant<T, Error> state_;
};

// Values that cost nothing to make empty, as the engine's lookups return them by the million:
// the value inline and the rare error out of line, so that a success is a value and one null
// pointer, made and dropped without looking at an error's texts.
template <class T>
    requires std::is_nothrow_default_constructible_v<T> && std::is_nothrow_move_constructible_v<T>
class [[nodiscard]] Result<T> {
public:
    Result(T value) noexcept : value_(std::move(value)) {}  // NOLINT: implicit by design
    Result(Error error) : error_(std::make_unique<Error>(std::move(error))) {}  // NOLINT

    bool ok() const { return !error_; }
    explicit operator bool() const { return ok(); }

    T& value() & { return value_; }
    const T& value() const& { return value_; }
    T&& value() && { return std::move(value_); }
    T& operator*() & { return value_; }
    const T& operator*() const& { return value_; }
    T* operator->() { return &value_; }
    const T* operator->() const { return &value_; }

    const Error& error() const& { return *error_; }
    Error&& error() && { return std::move(*error_); }

private:
    T value_{};
    std::unique_ptr<Error> error_;
};

// The outcome of an operation that yields nothing but may fail: empty on success.
using Status = std::optional<Error>;

}  // namespace stencil
