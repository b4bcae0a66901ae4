#pragma once
// ItemArena: memory for the items of one opened document. The reader makes every item and its
// payload here, side by side, from large blocks instead of one heap allocation each; freeing
// an item gives nothing back, and the blocks are released together when the last object made
// in the arena is gone (every object's control block shares ownership of the arena, so items
// that outlive the document, in undo steps or on the pasteboard, stay valid). Objects made
// later, by editing, come from the heap as before.
//
// One thread fills an arena; objects made in it may be released on any thread. Under
// AddressSanitizer the memory of a released object is poisoned, so that a use after its release
// is reported as it would be for an object on the heap.

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace vantorel {

class ItemArena {
public:
    // Blocks are this large; a request of more than a quarter of it gets a block of its own, so
    // that little of a block is ever left unused.
    static constexpr std::size_t blockSize = 64 * 1024;

    ItemArena() = default;
    ItemArena(const ItemArena&) = delete;
    ItemArena& operator=(const ItemArena&) = delete;

    ~ItemArena();

    // `bytes` bytes aligned to `alignment` (a power of two), valid until the arena is destroyed.
    void* allocate(std::size_t bytes, std::size_t alignment);
    // Marks memory from `allocate` as no longer in use; it is not handed out again.
    static void release(void* memory, std::size_t bytes) noexcept;

    // Bytes taken from the heap so far, in blocks.
    std::size_t reservedBytes() const { return reserved_; }

private:
    struct Block {
        std::unique_ptr<std::byte[]> memory;
        std::size_t size;
    };
    std::byte* addBlock(std::size_t size);

    std::vector<Block> blocks_;
    std::byte* next_ = nullptr;
    std::byte* end_ = nullptr;
    std::size_t reserved_ = 0;
};

using ItemArenaPtr = std::shared_ptr<ItemArena>;

// A standard allocator over an arena that keeps the arena alive; deallocation does nothing.
template <class T>
class ArenaAllocator {
public:
    using value_type = T;

    explicit ArenaAllocator(ItemArenaPtr arena) noexcept : arena_(std::move(arena)) {}
    template <class U>
    ArenaAllocator(const ArenaAllocator<U>& other) noexcept : arena_(other.arena()) {}

    T* allocate(std::size_t count) { return static_cast<T*>(arena_->allocate(count * sizeof(T), alignof(T))); }
    void deallocate(T* memory, std::size_t count) noexcept { ItemArena::release(memory, count * sizeof(T)); }

    const ItemArenaPtr& arena() const noexcept { return arena_; }

    template <class U>
    friend bool operator==(const ArenaAllocator& a, const ArenaAllocator<U>& b) noexcept {
        return a.arena() == b.arena();
    }

private:
    ItemArenaPtr arena_;
};

// A shared object made in `arena`, or on the heap as by make_shared when there is none.
template <class T, class... Args>
std::shared_ptr<T> makeShared(const ItemArenaPtr& arena, Args&&... args) {
    if (arena) return std::allocate_shared<T>(ArenaAllocator<T>(arena), std::forward<Args>(args)...);
    return std::make_shared<T>(std::forward<Args>(args)...);
}

}  // namespace vantorel
