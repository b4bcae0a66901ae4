#pragma once
// OtherVariants: the variants of a themeable value besides the light one. Most values are
// light only (every step of a plain ramp, most numbers and strings), and most of the others set
// one more appearance (dark): the variants live in one heap block that exists only while one
// of them is set, and holds only those that are, in appearance order, after a byte that says
// which they are.

#include <bit>
#include <cstddef>
#include <new>
#include <optional>
#include <utility>

namespace vantorel {

template <class V>
class OtherVariants {
public:
    // The appearances after light, in order: light high contrast, dark, dark high contrast.
    static constexpr int slotCount = 3;

    OtherVariants() noexcept = default;
    OtherVariants(std::optional<V> lightHighContrast, std::optional<V> dark, std::optional<V> darkHighContrast)
        : block_(make({std::move(lightHighContrast), std::move(dark), std::move(darkHighContrast)})) {}
    OtherVariants(const OtherVariants& other) {
        if (other.block_) block_ = make(other.all());
    }
    OtherVariants(OtherVariants&& other) noexcept : block_(std::exchange(other.block_, nullptr)) {}
    OtherVariants& operator=(const OtherVariants& other) {
        if (this != &other) *this = OtherVariants(other);
        return *this;
    }
    OtherVariants& operator=(OtherVariants&& other) noexcept {
        std::swap(block_, other.block_);
        return *this;
    }
    ~OtherVariants() { destroy(block_); }

    // The variant of `slot`; empty when it is not set. The reference lives in the current block:
    // any set of this value makes a new block, so read what you need before setting.
    const std::optional<V>& get(int slot) const {
        static const std::optional<V> none;
        if (!block_ || !(block_->present & bit(slot))) return none;
        return block_->values()[std::popcount(static_cast<unsigned>(block_->present & (bit(slot) - 1)))];
    }

    // Stores or empties the variant of `slot`; the block is made again to hold what is set.
    void set(int slot, std::optional<V> value) {
        if (!block_ && !value) return;
        Variants variants = all();
        variants[slot] = std::move(value);
        Block* made = make(std::move(variants));
        destroy(block_);
        block_ = made;
    }

private:
    struct Variants {
        std::optional<V> values[slotCount];
        std::optional<V>& operator[](int slot) { return values[slot]; }
    };

    struct Block {
        unsigned char present;
        static constexpr std::size_t valuesOffset =
            (sizeof(unsigned char) + alignof(std::optional<V>) - 1) / alignof(std::optional<V>) * alignof(std::optional<V>);
        std::optional<V>* values() {
            return std::launder(reinterpret_cast<std::optional<V>*>(reinterpret_cast<std::byte*>(this) + valuesOffset));
        }
        const std::optional<V>* values() const { return const_cast<Block*>(this)->values(); }
        int count() const { return std::popcount(static_cast<unsigned>(present)); }
    };

    static constexpr unsigned char bit(int slot) { return static_cast<unsigned char>(1u << slot); }

    Variants all() const {
        Variants variants;
        for (int slot = 0; slot < slotCount; ++slot) variants[slot] = get(slot);
        return variants;
    }

    // A block holding the set variants of `variants`; null when none is set.
    static Block* make(Variants variants) {
        unsigned char present = 0;
        for (int slot = 0; slot < slotCount; ++slot)
            if (variants[slot]) present |= bit(slot);
        if (present == 0) return nullptr;
        const std::size_t count = static_cast<std::size_t>(std::popcount(static_cast<unsigned>(present)));
        void* memory = ::operator new(Block::valuesOffset + count * sizeof(std::optional<V>));
        Block* block = ::new (memory) Block{present};
        std::optional<V>* values = block->values();
        std::size_t made = 0;
        try {
            for (int slot = 0; slot < slotCount; ++slot)
                if (variants[slot]) ::new (static_cast<void*>(values + made++)) std::optional<V>(std::move(variants[slot]));
        } catch (...) {
            while (made > 0) values[--made].~optional();
            ::operator delete(memory);
            throw;
        }
        return block;
    }

    static void destroy(Block* block) noexcept {
        if (!block) return;
        std::optional<V>* values = block->values();
        for (int index = block->count(); index > 0; --index) values[index - 1].~optional();
        block->~Block();
        ::operator delete(static_cast<void*>(block));
    }

    Block* block_ = nullptr;
};

}  // namespace vantorel
