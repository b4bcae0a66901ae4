#pragma once
// Bounds that keep a hostile or mistaken template from exhausting the stack, memory or time.

#include <cstddef>
#include <cstdint>

namespace stencil {

struct Limits {
    std::size_t maxNestingDepth = 100;                 // blocks inside blocks, parentheses, subscripts
    std::size_t maxIncludeDepth = 32;                  // includes and extends inside each other
    std::size_t maxOutputBytes = std::size_t{1} << 30;  // per render
    std::uint64_t maxLoopIterations = 100'000'000;     // over all loops of one render
};

}  // namespace stencil
