#pragma once
// A snapshot of one scope list: per element, in list order, the element's document XML
// compressed with LZFSE. Snapshots are immutable and share what they can: an element's bytes
// are shared by every snapshot that holds the unchanged element, and the entries are kept in
// fixed-size chunks that consecutive snapshots share wherever no element of the chunk changed.
// A step that renames one item of a 10,000-item list therefore costs one element's bytes and
// one chunk, not a copy of the list.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace vantorel {

using CompressedElement = std::vector<std::uint8_t>;
using CompressedElementPtr = std::shared_ptr<const CompressedElement>;

class ScopeSnapshot {
public:
    static constexpr std::size_t chunkSize = 64;
    using Chunk = std::vector<CompressedElementPtr>;
    using ChunkPtr = std::shared_ptr<const Chunk>;

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const CompressedElementPtr& operator[](std::size_t index) const {
        return (*chunks_[index / chunkSize])[index % chunkSize];
    }
    const std::vector<ChunkPtr>& chunks() const { return chunks_; }

    // A copy with the entries at some positions replaced; only the chunks holding them are new.
    std::shared_ptr<const ScopeSnapshot> withReplaced(
        const std::vector<std::pair<std::size_t, CompressedElementPtr>>& replacements) const;

    // Collects the entries of a new snapshot; chunks equal (entry by entry) to those at the same
    // place in `previous` are taken over from it instead of being stored again.
    class Builder {
    public:
        explicit Builder(std::shared_ptr<const ScopeSnapshot> previous = nullptr);
        void append(CompressedElementPtr element);
        // The finished snapshot: `previous` itself when nothing differs from it.
        std::shared_ptr<const ScopeSnapshot> finish();

    private:
        void closeChunk();

        std::shared_ptr<const ScopeSnapshot> previous_;
        std::vector<ChunkPtr> chunks_;
        Chunk pending_;
        std::size_t size_ = 0;
    };

private:
    std::vector<ChunkPtr> chunks_;
    std::size_t size_ = 0;
};

using ScopeSnapshotPtr = std::shared_ptr<const ScopeSnapshot>;

}  // namespace vantorel
