#include "VantorelData/model/ReferenceLinker.h"

#include <bit>
#include <cstdint>
#include <functional>
#include <optional>
#include <type_traits>
#include <string>

namespace vantorel {
namespace {

// The first item of each identifier. Open addressing in a table at most half full. A slot keeps
// part of the identifier's hash, the item's place and the item itself, so that building the
// table reads no item and a probe reads only the item whose hash agrees, straight from the slot.
class FirstItemById {
public:
    FirstItemById(const std::vector<ProjectItemPtr>& items, const std::vector<std::size_t>& hashes)
        : items_(items), slots_(std::bit_ceil(2 * items.size() + 1)), mask_(slots_.size() - 1) {
        for (std::size_t place = 0; place < items.size(); ++place) {
            // The table is far larger than the cache: the slot of an item a little ahead is
            // fetched while this one is placed.
            if (place + prefetchDistance < items.size()) __builtin_prefetch(&slots_[hashes[place + prefetchDistance] & mask_], 1);
            if (items[place]) insertFirst(place, hashes[place]);
        }
    }

    // Where a probe for this hash starts; fetching it early hides the table's cache miss.
    const void* home(std::size_t hash) const { return &slots_[hash & mask_]; }
    // The item a probe for this hash would compare first, if any, for fetching its identifier early.
    const QuenzColorProjectItem* firstCandidate(std::size_t hash) const {
        for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
            const Slot& slot = slots_[i];
            if (!slot.item || slot.tag == tagOf(hash)) return slot.item;
        }
    }

    // The item with this identifier; the null pointer when there is none.
    const ProjectItemPtr& find(const Identifier& uuid, std::size_t hash) const {
        static const ProjectItemPtr none;
        for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
            const Slot& slot = slots_[i];
            if (!slot.item) return none;
            if (slot.tag == tagOf(hash) && slot.item->uuid() == uuid) return items_[slot.place];
        }
    }

    static constexpr std::size_t prefetchDistance = 16;

private:
    struct Slot {
        std::uint32_t tag = 0;
        std::uint32_t place = 0;
        const QuenzColorProjectItem* item = nullptr;
    };
    static std::uint32_t tagOf(std::size_t hash) { return static_cast<std::uint32_t>(hash >> 32); }

    void insertFirst(std::size_t place, std::size_t hash) {
        const QuenzColorProjectItem* item = items_[place].get();
        for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
            Slot& slot = slots_[i];
            if (!slot.item) {
                slot = {tagOf(hash), static_cast<std::uint32_t>(place), item};
                return;
            }
            // An earlier item keeps the identifier.
            if (slot.tag == tagOf(hash) && slot.item->uuid() == item->uuid()) return;
        }
    }

    const std::vector<ProjectItemPtr>& items_;
    std::vector<Slot> slots_;
    std::size_t mask_;
};

bool namesItem(const AliasSetType& target) { return target.kind != AliasSetType::Kind::notSet; }
bool namesItem(const ItemAliasType& target) { return target.kind == ItemAliasType::Kind::item; }

// Calls `visit` with the payload of an alias item, whichever kind of alias it is.
template <class Visit>
void visitAlias(const QuenzColorProjectItem& item, Visit&& visit) {
    if (auto* color = item.payloadIf<QuenzColorAlias>()) {
        visit(*color);
    } else if (auto* shadow = item.payloadIf<QuenzColorShadowAlias>()) {
        visit(*shadow);
    } else if (auto* number = item.payloadIf<QuenzColorNumberAlias>()) {
        visit(*number);
    } else if (auto* boolean = item.payloadIf<QuenzColorBooleanAlias>()) {
        visit(*boolean);
    } else if (auto* string = item.payloadIf<QuenzColorStringAlias>()) {
        visit(*string);
    }
}

// The identifiers an alias names, in the order `linkTargets` asks for them.
template <class Alias, class Note>
void noteTargets(const Alias& alias, Note&& note) {
    for (ColorSource source : allColorSources) {
        if (const auto& target = alias.target(source); namesItem(target)) note(target.uuid);
    }
}

// Points each target at the item `next` gives for it, in the order `noteTargets` named them.
template <class Alias, class Next>
void linkTargets(Alias& alias, Next&& next) {
    for (ColorSource source : allColorSources) {
        const auto& target = alias.target(source);
        if constexpr (std::is_same_v<std::decay_t<decltype(target)>, AliasSetType>) {
            const bool indexed = target.kind == AliasSetType::Kind::setItem;
            if (namesItem(target)) {
                alias.setReference(source, next(), indexed ? std::optional(target.index) : std::nullopt);
            } else {
                alias.setReference(source, nullptr, std::nullopt);
            }
        } else {
            alias.setReference(source, namesItem(target) ? next() : nullptr);
        }
    }
}

}  // namespace

std::size_t ReferenceLinker::claimPlace() {
    items_.emplace_back();
    hashes_.push_back(0);
    return items_.size() - 1;
}

void ReferenceLinker::fillPlace(std::size_t place, ProjectItemPtr item) {
    if (place >= items_.size() || !item) return;
    // Hashed now, while a reader has just written the identifier and it is still in cache.
    hashes_[place] = item->uuid().hash();
    if (isAlias(item->itemType())) {
        aliases_.push_back(place);
        // Noted now for the same reason: the alias has just been read.
        visitAlias(*item, [&](const auto& alias) {
            noteTargets(alias, [&](const Identifier& uuid) { targets_.push_back({&uuid, uuid.hash()}); });
        });
    }
    items_[place] = std::move(item);
}

// Aliases lie far apart in a large document, and each is an item pointing at its payload: the
// item of an alias some way ahead is fetched, and the payload of one nearer, whose item came in.
void ReferenceLinker::prefetchAlias(std::size_t k) const {
    constexpr std::size_t ahead = 8;
    if (k + 2 * ahead < aliases_.size()) __builtin_prefetch(items_[aliases_[k + 2 * ahead]].get());
    if (k + ahead < aliases_.size()) {
        // An alias's four targets and links span several cache lines; all of them are read.
        items_[aliases_[k + ahead]]->visitPayload([](const auto& payload) {
            const auto* bytes = reinterpret_cast<const char*>(&payload);
            for (std::size_t at = 0; at < sizeof(payload); at += 64) __builtin_prefetch(bytes + at);
        });
    }
}

void ReferenceLinker::link() const {
    const FirstItemById firstItems(items_, hashes_);
    // Every target is looked up first, each a few lookups ahead of the one resolved: its table
    // slot, then the item that slot holds, are fetched early, so that the misses overlap.
    const std::vector<Target>& targets = targets_;
    std::vector<const ProjectItemPtr*> found(targets.size());
    constexpr std::size_t ahead = FirstItemById::prefetchDistance;
    for (std::size_t i = 0; i < targets.size(); ++i) {
        if (i + 2 * ahead < targets.size()) __builtin_prefetch(firstItems.home(targets[i + 2 * ahead].hash));
        if (i + ahead < targets.size()) {
            // The identifier is stored near the item's start; asking for its text would wait for it.
            if (const auto* candidate = firstItems.firstCandidate(targets[i + ahead].hash)) {
                __builtin_prefetch(candidate);
                __builtin_prefetch(&candidate->uuid() + 1);
            }
        }
        found[i] = &firstItems.find(*targets[i].uuid, targets[i].hash);
    }
    std::size_t next = 0;
    const auto replay = [&]() -> const ProjectItemPtr& { return *found[next++]; };
    for (std::size_t k = 0; k < aliases_.size(); ++k) {
        prefetchAlias(k);
        visitAlias(*items_[aliases_[k]], [&](auto& alias) { linkTargets(alias, replay); });
    }
}

}  // namespace vantorel
