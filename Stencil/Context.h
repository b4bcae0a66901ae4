#pragma once
// The names a template sees while it renders: the root value handed to the render, and the
// scopes that tags such as `for` add on top of it. Inner scopes hide outer ones.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Stencil/Value.h"

namespace stencil {

namespace detail {
struct RenderState;
}

// The `forloop` of pass `index` (from 0) of a loop of `length` passes: first, last, counter,
// counter0 and length.
Value loopPass(std::size_t index, std::size_t length);

class Context {
public:
    // The root is usually a dictionary; a host object serves its fields as names.
    explicit Context(Value root = Value(Dictionary{}));

    // The value of a name in the innermost scope that has it; null when none has.
    Value lookup(std::string_view name) const;
    // The same without copying: the value where the context keeps it, or `holder` filled with a
    // host object's field; null when no scope has the name.
    const Value* find(std::string_view name, Value& holder) const;

    // A new innermost scope. Its names come from `set`, then from `base` (a dictionary or host
    // object) when given.
    void pushScope(Value base = {});
    void popScope();
    // Sets a name in the innermost scope.
    void set(std::string name, Value value);
    // Sets a name in the innermost scope to a value that outlives the scope, such as an element
    // of the collection a loop walks, without copying it.
    void setReference(std::string_view name, const Value& value);
    // Makes the innermost scope pass `index` (from 0) of `length` of a loop: its `forloop`
    // (first, last, counter, counter0, length) is made from them when a template reads it.
    void setLoopPass(std::size_t index, std::size_t length);

    // Pushes a scope for its lifetime.
    class Scope {
    public:
        explicit Scope(Context& context, Value base = {}) : context_(context) { context_.pushScope(std::move(base)); }
        ~Scope() { context_.popScope(); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        Context& context_;
    };

    // The engine's bookkeeping for the render in progress; null outside a render.
    detail::RenderState* renderState() const { return state_; }
    void setRenderState(detail::RenderState* state) { state_ = state; }

private:
    struct Binding {
        std::string name;
        Value value;
        const Value* reference = nullptr;  // when set, the name stands for this value instead
    };
    struct Frame {
        std::vector<Binding> names;
        Value base;
        std::size_t passIndex = 0;
        std::size_t passLength = 0;  // 0 when the scope is no loop's pass
        mutable Value forloop;       // made on first read of the pass
        mutable bool forloopMade = false;
    };
    // Values found in a scope stay where they are while inner scopes come and go.
    std::deque<Frame> frames_;
    detail::RenderState* state_ = nullptr;
};

}  // namespace stencil
