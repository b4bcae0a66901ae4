#include "VantorelData/model/ItemArena.h"

#include <cstdint>

#if defined(__SANITIZE_ADDRESS__)
#define VANTOREL_ARENA_POISONING 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VANTOREL_ARENA_POISONING 1
#endif
#endif

#ifdef VANTOREL_ARENA_POISONING
#include <sanitizer/asan_interface.h>
#endif

namespace vantorel {
namespace {

std::byte* alignUp(std::byte* pointer, std::size_t alignment) {
    const auto address = reinterpret_cast<std::uintptr_t>(pointer);
    const std::uintptr_t aligned = (address + alignment - 1) & ~static_cast<std::uintptr_t>(alignment - 1);
    return pointer + (aligned - address);
}

}  // namespace

ItemArena::~ItemArena() {
#ifdef VANTOREL_ARENA_POISONING
    for (const Block& block : blocks_) ASAN_UNPOISON_MEMORY_REGION(block.memory.get(), block.size);
#endif
}

void ItemArena::release([[maybe_unused]] void* memory, [[maybe_unused]] std::size_t bytes) noexcept {
#ifdef VANTOREL_ARENA_POISONING
    ASAN_POISON_MEMORY_REGION(memory, bytes);
#endif
}

std::byte* ItemArena::addBlock(std::size_t size) {
    Block& block = blocks_.emplace_back(Block{std::unique_ptr<std::byte[]>(new std::byte[size]), size});
    reserved_ += size;
    return block.memory.get();
}

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
    if (needed > blockSize / 4) return alignUp(addBlock(needed), alignment);
    std::byte* block = addBlock(blockSize);
    std::byte* start = alignUp(block, alignment);
    next_ = start + bytes;
    end_ = block + blockSize;
    return start;
}

}  // namespace vantorel
