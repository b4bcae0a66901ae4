#include "VantorelData/model/ItemArena.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

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

// At the start of every block: how many objects made in it are still in use, plus one while
// the arena still fills it.
struct ItemArena::BlockHeader {
    std::atomic<std::size_t> inUse{1};
    std::size_t size = 0;
};

namespace {

thread_local ItemArena* fillingArena = nullptr;

std::byte* alignUp(std::byte* pointer, std::size_t alignment) {
    const auto address = reinterpret_cast<std::uintptr_t>(pointer);
    const std::uintptr_t aligned = (address + alignment - 1) & ~static_cast<std::uintptr_t>(alignment - 1);
    return pointer + (aligned - address);
}

template <class Header>
void dropUse(Header* block) noexcept {
    if (block->inUse.fetch_sub(1, std::memory_order_acq_rel) != 1) return;
#ifdef VANTOREL_ARENA_POISONING
    ASAN_UNPOISON_MEMORY_REGION(block, block->size);
#endif
    block->~Header();
    std::free(block);
}

}  // namespace

ItemArena* ItemArena::filling() noexcept { return fillingArena; }

ItemArena::Filling::Filling(ItemArena& arena) noexcept : previous_(fillingArena) { fillingArena = &arena; }
ItemArena::Filling::~Filling() { fillingArena = previous_; }

ItemArena::~ItemArena() {
    if (current_) dropUse(current_);
}

void ItemArena::release(void* memory, [[maybe_unused]] std::size_t bytes) noexcept {
#ifdef VANTOREL_ARENA_POISONING
    ASAN_POISON_MEMORY_REGION(memory, bytes);
#endif
    const auto address = reinterpret_cast<std::uintptr_t>(memory);
    dropUse(reinterpret_cast<BlockHeader*>(address & ~static_cast<std::uintptr_t>(blockSize - 1)));
}

ItemArena::BlockHeader* ItemArena::addBlock(std::size_t size) {
    void* memory = std::aligned_alloc(blockSize, size);
    if (!memory) throw std::bad_alloc();
    reserved_ += size;
    auto* block = new (memory) BlockHeader;
    block->size = size;
    return block;
}

void* ItemArena::allocate(std::size_t bytes, std::size_t alignment) {
    if (bytes == 0) bytes = 1;
    if (current_) {
        std::byte* start = alignUp(next_, alignment);
        if (start <= end_ && static_cast<std::size_t>(end_ - start) >= bytes) {
            next_ = start + bytes;
            current_->inUse.fetch_add(1, std::memory_order_relaxed);
            return start;
        }
    }
    // Room for the header and the worst misalignment after it; a large request's block is
    // rounded up to whole blocks (the only sizes an aligned block comes in) and is the
    // request's alone, its one use being the request.
    const std::size_t needed = sizeof(BlockHeader) + alignment + bytes;
    if (needed > blockSize / 4) {
        BlockHeader* own = addBlock((needed + blockSize - 1) / blockSize * blockSize);
        return alignUp(reinterpret_cast<std::byte*>(own + 1), alignment);
    }
    if (current_) dropUse(current_);
    current_ = addBlock(blockSize);
    auto* start = alignUp(reinterpret_cast<std::byte*>(current_ + 1), alignment);
    next_ = start + bytes;
    end_ = reinterpret_cast<std::byte*>(current_) + blockSize;
    current_->inUse.fetch_add(1, std::memory_order_relaxed);
    return start;
}

}  // namespace vantorel
