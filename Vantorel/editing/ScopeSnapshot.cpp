#include "Vantorel/editing/ScopeSnapshot.h"

#include <utility>

namespace vantorel {

ScopeSnapshot::Builder::Builder(std::shared_ptr<const ScopeSnapshot> previous) : previous_(std::move(previous)) {
    pending_.reserve(chunkSize);
}

void ScopeSnapshot::Builder::append(CompressedElementPtr element) {
    pending_.push_back(std::move(element));
    ++size_;
    if (pending_.size() == chunkSize) closeChunk();
}

void ScopeSnapshot::Builder::closeChunk() {
    const std::size_t index = chunks_.size();
    if (previous_ && index < previous_->chunks_.size() && *previous_->chunks_[index] == pending_) {
        chunks_.push_back(previous_->chunks_[index]);
    } else {
        chunks_.push_back(std::make_shared<const Chunk>(std::move(pending_)));
    }
    pending_ = Chunk();
    pending_.reserve(chunkSize);
}

std::shared_ptr<const ScopeSnapshot> ScopeSnapshot::Builder::finish() {
    if (!pending_.empty()) closeChunk();
    if (previous_ && previous_->size_ == size_ && previous_->chunks_ == chunks_) return previous_;
    auto snapshot = std::make_shared<ScopeSnapshot>();
    snapshot->chunks_ = std::move(chunks_);
    snapshot->size_ = size_;
    return snapshot;
}

std::shared_ptr<const ScopeSnapshot> ScopeSnapshot::withReplaced(
    const std::vector<std::pair<std::size_t, CompressedElementPtr>>& replacements) const {
    auto copy = std::make_shared<ScopeSnapshot>(*this);
    std::vector<std::shared_ptr<Chunk>> edited(chunks_.size());
    for (const auto& [index, entry] : replacements) {
        if (index >= size_) continue;
        auto& chunk = edited[index / chunkSize];
        if (!chunk) chunk = std::make_shared<Chunk>(*chunks_[index / chunkSize]);
        (*chunk)[index % chunkSize] = entry;
    }
    for (std::size_t i = 0; i < edited.size(); ++i) {
        if (edited[i]) copy->chunks_[i] = std::move(edited[i]);
    }
    return copy;
}

}  // namespace vantorel
