#include "VantorelData/model/ItemArena.h"

#include <cstdint>

namespace vantorel {
namespace {

std::byte* alignUp(std::byte* pointer, std::size_t alignment) {
    const auto address = reinterpret_cast<std::uintptr_t>(pointer);
    const std::uintptr_t aligned = (address + alignment - 1) & ~static_cast<std::uintptr_t>(alignment - 1);
    return pointer + (aligned - address);
}

}  // namespace

void* ItemArena::allocate(std::size_t bytes, std::size_t alignment) {
    if (bytes == 0) bytes = 1;
    if (next_) {
        std::byte* start = alignUp(next_, alignment);
        if (start <= end_ && static_cast<std::size_t>(end_ - start) >= bytes) {
            next_ = start + bytes;
            return start;
        }
    }
    // Room for the worst misalignment of the block's start, which is only guaranteed to suit
    // ordinary alignments.
    const std::size_t needed = bytes + alignment;
    if (needed > blockSize / 4) {
        auto& own = blocks_.emplace_back(new std::byte[needed]);
        reserved_ += needed;
        return alignUp(own.get(), alignment);
    }
    auto& block = blocks_.emplace_back(new std::byte[blockSize]);
    reserved_ += blockSize;
    std::byte* start = alignUp(block.get(), alignment);
    next_ = start + bytes;
    end_ = block.get() + blockSize;
    return start;
}

}  // namespace vantorel
