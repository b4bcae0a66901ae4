#pragma once
// The names a template sees while it renders: the root value handed to the render, and the
// scopes that tags such as `for` add on top of it. Inner scopes hide outer ones.

#include <array>
#include <cstddef>
#include <cstdint>
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
    // The same for a name written at one place of a compiled template, `site`: a number that
    // stands for that place and name alone (see newSite). As long as no scope came or went and
    // no name was added since the last read from there, the answer is where it was, without a
    // search.
    const Value* find(std::string_view name, Value& holder, std::uint64_t site) const {
        // Most reads repeat the last read from their place: answered here, without a call.
        const Remembered& entry = remembered_.entries[memoryIndex(site)];
        if (entry.shape == shape_ && entry.site == site) [[likely]] {
            switch (entry.found.kind) {
            case Found::Kind::binding: {
                const auto& binding = *static_cast<const Binding*>(entry.found.where);
                return binding.reference ? binding.reference : &binding.value;
            }
            case Found::Kind::value: return static_cast<const Value*>(entry.found.where);
            case Found::Kind::missing: return nullptr;
            default: break;
            }
        }
        return findAndRemember(name, holder, site);
    }
    // A site number never handed out before in this process.
    static std::uint64_t newSite();

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
    // Where a search found a name: a binding, a loop pass's `forloop`, a value kept in a
    // dictionary, or nowhere.
    struct Found {
        enum class Kind : std::uint8_t { none, binding, forloop, value, missing };
        Kind kind = Kind::none;
        const void* where = nullptr;
    };
    Found search(std::string_view name, Value& holder, const Value*& answer) const;
    const Value* findAndRemember(std::string_view name, Value& holder, std::uint64_t site) const;
    const Value* answerOf(const Found& found) const;
    // Marks that names may now be found elsewhere than before.
    void reshape() { ++shape_; }

    // Values found in a scope stay where they are while inner scopes come and go.
    std::deque<Frame> frames_;
    detail::RenderState* state_ = nullptr;

    // Answers remembered per place in a template, valid while `shape_` is what it was. A copy
    // of the context remembers nothing: the answers point into this one's scopes.
    struct Remembered {
        std::uint64_t shape = 0;
        std::uint64_t site = 0;
        Found found;
    };
    struct Memory {
        static constexpr unsigned bits = 8;
        static constexpr std::size_t size = std::size_t{1} << bits;
        std::array<Remembered, size> entries{};
        Memory() = default;
        Memory(const Memory&) {}
        Memory& operator=(const Memory&) {
            entries = {};
            return *this;
        }
    };
    // Sites are spread by a multiplicative hash, so that the places of one template rarely share an entry.
    static std::size_t memoryIndex(std::uint64_t site) {
        return static_cast<std::size_t>((site * 0x9E3779B97F4A7C15u) >> (64 - Memory::bits));
    }
    std::uint64_t shape_ = 1;
    mutable Memory remembered_;
};

}  // namespace stencil
