#pragma once
// ItemArena: memory for the items of one opened document. The reader makes every item and its
// payload here, side by side, from large blocks instead of one heap allocation each; freeing
// an item gives nothing back at once. Each block counts the objects still living in it and
// goes back to the heap with the last of them, so items that outlive the document (in undo
// steps, on the pasteboard) stay valid, and the document's blocks go as its items go. Objects
// made later, by editing, come from the heap as before.
//
// Blocks are aligned to their size, so an object finds its block's count from its own address:
// the shared objects made here carry no pointer to the arena, and their control blocks are as
// small as make_shared's.
//
// One thread fills an arena; objects made in it may be released on any thread. Under
// AddressSanitizer the memory of a released object is poisoned, so that a use after its release
// is reported as it would be for an object on the heap.

#include <cstddef>
#include <memory>
#include <utility>

namespace vantorel {

class ItemArena {
public:
    // Blocks are this large and aligned to it; a request of more than a quarter of it gets a
    // block of its own, so that little of a block is ever left unused.
    static constexpr std::size_t blockSize = 64 * 1024;

    ItemArena() = default;
    ItemArena(const ItemArena&) = delete;
    ItemArena& operator=(const ItemArena&) = delete;
    // Lets go of the block being filled; blocks still holding objects stay until those go.
    ~ItemArena();

    // `bytes` bytes aligned to `alignment` (a power of two), valid until `release`d.
    void* allocate(std::size_t bytes, std::size_t alignment);
    // Marks memory from `allocate` as no longer in use; it is not handed out again, and its
    // block goes back to the heap when nothing in it is in use and the arena has moved on.
    static void release(void* memory, std::size_t bytes) noexcept;

    // Bytes taken from the heap so far, in blocks.
    std::size_t reservedBytes() const { return reserved_; }

    // The arena that allocations through ArenaAllocator draw from on this thread, while an
    // `Filling` scope for it is open (see makeShared).
    static ItemArena* filling() noexcept;
    class Filling {
    public:
        explicit Filling(ItemArena& arena) noexcept;
        Filling(const Filling&) = delete;
        Filling& operator=(const Filling&) = delete;
        ~Filling();

    private:
        ItemArena* previous_;
    };

private:
    struct BlockHeader;
    BlockHeader* addBlock(std::size_t size);

    BlockHeader* current_ = nullptr;
    std::byte* next_ = nullptr;
    std::byte* end_ = nullptr;
    std::size_t reserved_ = 0;
};

using ItemArenaPtr = std::shared_ptr<ItemArena>;

// A standard allocator over the arena being filled on this thread. It holds nothing: memory
// finds its way back to its block by address, so a shared object's control block stays small.
template <class T>
class ArenaAllocator {
public:
    using value_type = T;

    ArenaAllocator() noexcept = default;
    template <class U>
    ArenaAllocator(const ArenaAllocator<U>&) noexcept {}

    T* allocate(std::size_t count) {
        return static_cast<T*>(ItemArena::filling()->allocate(count * sizeof(T), alignof(T)));
    }
    void deallocate(T* memory, std::size_t count) noexcept { ItemArena::release(memory, count * sizeof(T)); }

    template <class U>
    friend bool operator==(const ArenaAllocator&, const ArenaAllocator<U>&) noexcept {
        return true;
    }
};

// A shared object made in `arena`, or on the heap as by make_shared when there is none.
template <class T, class... Args>
std::shared_ptr<T> makeShared(const ItemArenaPtr& arena, Args&&... args) {
    if (!arena) return std::make_shared<T>(std::forward<Args>(args)...);
    const ItemArena::Filling filling(*arena);
    return std::allocate_shared<T>(ArenaAllocator<T>(), std::forward<Args>(args)...);
}

}  // namespace vantorel
