#include "Vantorel/build/BuildArena.h"

#include <iterator>
#include <new>
#include <vector>

namespace vantorel::build {

namespace {

// The blocks arenas of this thread gave back, handed out again for requests of the same size:
// an arena grows through the same sizes on every build of a document, so exact sizes match.
class KeptBlocks final : public std::pmr::memory_resource {
public:
    KeptBlocks() { blocks_.reserve(64); }
    ~KeptBlocks() override {
        for (const auto& block : blocks_)
            ::operator delete(block.memory, std::align_val_t{block.alignment});
    }

private:
    struct Block {
        void* memory;
        std::size_t size, alignment;
    };
    // Enough for the records of several builds of a large document; beyond it blocks go back.
    static constexpr std::size_t keptBytesLimit = std::size_t{64} << 20;

    void* do_allocate(std::size_t bytes, std::size_t alignment) override {
        // The most recently given back first: its pages are the likeliest still in cache.
        for (auto block = blocks_.rbegin(); block != blocks_.rend(); ++block) {
            if (block->size == bytes && block->alignment == alignment) {
                void* memory = block->memory;
                keptBytes_ -= bytes;
                blocks_.erase(std::next(block).base());
                return memory;
            }
        }
        return ::operator new (bytes, std::align_val_t{alignment});
    }
    void do_deallocate(void* memory, std::size_t bytes, std::size_t alignment) override {
        if (keptBytes_ + bytes > keptBytesLimit || blocks_.size() == blocks_.capacity()) {
            ::operator delete(memory, std::align_val_t{alignment});
            return;
        }
        blocks_.push_back({memory, bytes, alignment});
        keptBytes_ += bytes;
    }
    bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override {
        return this == &other;
    }

    std::vector<Block> blocks_;
    std::size_t keptBytes_ = 0;
};

KeptBlocks& keptBlocks() {
    thread_local KeptBlocks blocks;
    return blocks;
}

// The first block: room for the records of a few hundred items, doubling from there.
constexpr std::size_t firstBlockSize = std::size_t{256} << 10;

}  // namespace

BuildArena::BuildArena() : buffer_(firstBlockSize, &keptBlocks()) {}

}  // namespace vantorel::build
