#pragma once
// What an alias points at for one appearance, stored by identifier: a whole item, a set as a
// whole, one step of a set, or nothing.

#include <cstdint>
#include <utility>

#include "VantorelData/model/Identifier.h"

namespace vantorel {

// Targets of color and shadow aliases.
struct AliasSetType {
    enum class Kind : std::uint8_t { item, set, setItem, notSet };

    static AliasSetType item(Identifier itemUuid) { return {std::move(itemUuid), Kind::item, 0}; }
    static AliasSetType set(Identifier setUuid) { return {std::move(setUuid), Kind::set, 0}; }
    static AliasSetType setItem(Identifier setUuid, int index) { return {std::move(setUuid), Kind::setItem, index}; }
    static AliasSetType notSet() { return {}; }

    bool isSet() const { return kind != Kind::notSet; }

    // The item's identifier for `item`, the set's for `set` and `setItem`; empty for `notSet`.
    // (First, so that the kind and the step fill one word after it.)
    Identifier uuid;
    Kind kind = Kind::notSet;
    // The step, counted from 0, for `setItem`.
    int index = 0;

    friend bool operator==(const AliasSetType& a, const AliasSetType& b) {
        return a.kind == b.kind && a.uuid == b.uuid && a.index == b.index;
    }
};

// Targets of number, boolean and string aliases.
struct ItemAliasType {
    enum class Kind : std::uint8_t { item, notSet };

    static ItemAliasType item(Identifier itemUuid) { return {std::move(itemUuid), Kind::item}; }
    static ItemAliasType notSet() { return {}; }

    bool isSet() const { return kind != Kind::notSet; }

    Identifier uuid;
    Kind kind = Kind::notSet;

    friend bool operator==(const ItemAliasType& a, const ItemAliasType& b) {
        return a.kind == b.kind && a.uuid == b.uuid;
    }
};

static_assert(sizeof(AliasSetType) == 24 && sizeof(ItemAliasType) == 24);

}  // namespace vantorel
