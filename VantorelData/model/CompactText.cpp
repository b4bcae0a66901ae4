#include "VantorelData/model/CompactText.h"

#include <cstring>
#include <new>

namespace vantorel {

template <std::size_t Footprint>
CompactText<Footprint>::CompactText(const CompactText& other) {
    if (other.isInline()) {
        std::memcpy(static_cast<void*>(this), static_cast<const void*>(&other), sizeof(CompactText));
    } else {
        assign(other.view());
    }
}

template <std::size_t Footprint>
CompactText<Footprint>::CompactText(CompactText&& other) noexcept {
    std::memcpy(static_cast<void*>(this), static_cast<const void*>(&other), sizeof(CompactText));
    other.clear();
}

template <std::size_t Footprint>
CompactText<Footprint>& CompactText<Footprint>::operator=(const CompactText& other) {
    if (this != &other) {
        CompactText copy(other);
        *this = std::move(copy);
    }
    return *this;
}

template <std::size_t Footprint>
CompactText<Footprint>& CompactText<Footprint>::operator=(CompactText&& other) noexcept {
    if (this != &other) {
        release();
        std::memcpy(static_cast<void*>(this), static_cast<const void*>(&other), sizeof(CompactText));
        other.clear();
    }
    return *this;
}

template <std::size_t Footprint>
void CompactText<Footprint>::assign(std::string_view text) {
    if (text.size() <= inlineCapacity) {
        std::memset(inline_, 0, inlineCapacity);
        std::memcpy(inline_, text.data(), text.size());
        tag() = static_cast<unsigned char>(inlineCapacity - text.size());
        return;
    }
    char* block = static_cast<char*>(::operator new(sizeof(std::size_t) + text.size() + 1));
    const std::size_t size = text.size();
    std::memcpy(block, &size, sizeof size);
    std::memcpy(block + sizeof size, text.data(), size);
    block[sizeof size + size] = '\0';
    heap_ = block;
    tag() = onHeap;
}

template <std::size_t Footprint>
std::size_t CompactText<Footprint>::heapSize() const noexcept {
    std::size_t size = 0;
    std::memcpy(&size, heap_, sizeof size);
    return size;
}

template <std::size_t Footprint>
void CompactText<Footprint>::release() noexcept {
    // Only the destructor and assignment call this, and both overwrite or drop the bytes.
    if (!isInline()) ::operator delete(heap_);
}

template class CompactText<16>;

}  // namespace vantorel
