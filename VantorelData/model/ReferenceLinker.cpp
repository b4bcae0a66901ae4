#include "VantorelData/model/ReferenceLinker.h"

#include <bit>
#include <functional>
#include <string>

namespace vantorel {
namespace {

std::size_t hashOf(std::string_view uuid) { return std::hash<std::string_view>{}(uuid); }

// The first item of each identifier. Open addressing in a table at most half full; a slot
// keeps the hash and the item, so that building the table reads no item (an item's identifier
// is read only when hashes agree), and a slot is small enough for four to share a cache line.
class FirstItemById {
public:
    explicit FirstItemById(std::size_t count) : slots_(std::bit_ceil(2 * count + 1)), mask_(slots_.size() - 1) {}

    void insertFirst(const ProjectItemPtr& item, std::size_t hash) {
        for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
            Slot& slot = slots_[i];
            if (!slot.item) {
                slot = {hash, &item};
                return;
            }
            // An earlier item keeps the identifier.
            if (slot.hash == hash && (*slot.item)->uuid().view() == item->uuid().view()) return;
        }
    }

    // The item with this identifier; the null pointer when there is none.
    const ProjectItemPtr& find(std::string_view uuid) const {
        static const ProjectItemPtr none;
        const std::size_t hash = hashOf(uuid);
        for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
            const Slot& slot = slots_[i];
            if (!slot.item) return none;
            if (slot.hash == hash && (*slot.item)->uuid().view() == uuid) return *slot.item;
        }
    }

private:
    struct Slot {
        std::size_t hash = 0;
        const ProjectItemPtr* item = nullptr;
    };
    std::vector<Slot> slots_;
    std::size_t mask_;
};

template <class Alias>
void linkSetAlias(const FirstItemById& items, Alias& alias) {
    for (ColorSource source : allColorSources) {
        const AliasSetType& target = alias.target(source);
        switch (target.kind) {
            case AliasSetType::Kind::item:
            case AliasSetType::Kind::set: alias.setReference(source, items.find(target.uuid), std::nullopt); break;
            case AliasSetType::Kind::setItem: alias.setReference(source, items.find(target.uuid), target.index); break;
            case AliasSetType::Kind::notSet: alias.setReference(source, nullptr, std::nullopt); break;
        }
    }
}

template <class Alias>
void linkItemAlias(const FirstItemById& items, Alias& alias) {
    for (ColorSource source : allColorSources) {
        const ItemAliasType& target = alias.target(source);
        if (target.kind == ItemAliasType::Kind::item) {
            alias.setReference(source, items.find(target.uuid));
        } else {
            alias.setReference(source, nullptr);
        }
    }
}

}  // namespace

std::size_t ReferenceLinker::claimPlace() {
    entries_.emplace_back();
    return entries_.size() - 1;
}

void ReferenceLinker::fillPlace(std::size_t place, ProjectItemPtr item) {
    if (place >= entries_.size() || !item) return;
    // Hashed now, while a reader has just written the identifier and it is still in cache.
    entries_[place].hash = hashOf(item->uuid());
    if (isAlias(item->itemType())) aliases_.push_back(place);
    entries_[place].item = std::move(item);
}

void ReferenceLinker::link() const {
    FirstItemById firstItems(entries_.size());
    for (const Entry& entry : entries_) {
        if (entry.item) firstItems.insertFirst(entry.item, entry.hash);
    }
    for (const std::size_t place : aliases_) {
        const QuenzColorProjectItem& item = *entries_[place].item;
        if (auto* color = item.payloadIf<QuenzColorAlias>()) {
            linkSetAlias(firstItems, *color);
        } else if (auto* shadow = item.payloadIf<QuenzColorShadowAlias>()) {
            linkSetAlias(firstItems, *shadow);
        } else if (auto* number = item.payloadIf<QuenzColorNumberAlias>()) {
            linkItemAlias(firstItems, *number);
        } else if (auto* boolean = item.payloadIf<QuenzColorBooleanAlias>()) {
            linkItemAlias(firstItems, *boolean);
        } else if (auto* string = item.payloadIf<QuenzColorStringAlias>()) {
            linkItemAlias(firstItems, *string);
        }
    }
}

}  // namespace vantorel
