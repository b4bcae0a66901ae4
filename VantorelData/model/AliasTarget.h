#pragma once
// What an alias points at for one appearance, stored by identifier: a whole item, a set as a
// whole, one step of a set, or nothing.

#include <string>

#include "VantorelData/model/Identifier.h"
#include <utility>

namespace vantorel {

// Targets of color and shadow aliases.
struct AliasSetType {
    enum class Kind { item, set, setItem, notSet };

    static AliasSetType item(Identifier itemUuid) { return {Kind::item, std::move(itemUuid), 0}; }
    static AliasSetType set(Identifier setUuid) { return {Kind::set, std::move(setUuid), 0}; }
    static AliasSetType setItem(Identifier setUuid, int index) { return {Kind::setItem, std::move(setUuid), index}; }
    static AliasSetType notSet() { return {}; }

    bool isSet() const { return kind != Kind::notSet; }

    Kind kind = Kind::notSet;
    // The item's identifier for `item`, the set's for `set` and `setItem`; empty for `notSet`.
    Identifier uuid;
    // The step, counted from 0, for `setItem`.
    int index = 0;

    friend bool operator==(const AliasSetType& a, const AliasSetType& b) {
        return a.kind == b.kind && a.uuid.view() == b.uuid.view() && a.index == b.index;
    }
};

// Targets of number, boolean and string aliases.
struct ItemAliasType {
    enum class Kind { item, notSet };

    static ItemAliasType item(Identifier itemUuid) { return {Kind::item, std::move(itemUuid)}; }
    static ItemAliasType notSet() { return {}; }

    bool isSet() const { return kind != Kind::notSet; }

    Kind kind = Kind::notSet;
    Identifier uuid;

    friend bool operator==(const ItemAliasType& a, const ItemAliasType& b) {
        return a.kind == b.kind && a.uuid.view() == b.uuid.view();
    }
};

}  // namespace vantorel
