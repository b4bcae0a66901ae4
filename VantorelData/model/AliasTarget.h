#pragma once
// What an alias points at for one appearance, stored by identifier: a whole item, a set as a
// whole, one step of a set, or nothing.

#include <string>
#include <utility>

namespace vantorel {

// Targets of color and shadow aliases.
struct AliasSetType {
    enum class Kind { item, set, setItem, notSet };

    static AliasSetType item(std::string itemUuid) { return {Kind::item, std::move(itemUuid), 0}; }
    static AliasSetType set(std::string setUuid) { return {Kind::set, std::move(setUuid), 0}; }
    static AliasSetType setItem(std::string setUuid, int index) { return {Kind::setItem, std::move(setUuid), index}; }
    static AliasSetType notSet() { return {}; }

    bool isSet() const { return kind != Kind::notSet; }

    Kind kind = Kind::notSet;
    // The item's identifier for `item`, the set's for `set` and `setItem`; empty for `notSet`.
    std::string uuid;
    // The step, counted from 0, for `setItem`.
    int index = 0;

    friend bool operator==(const AliasSetType&, const AliasSetType&) = default;
};

// Targets of number, boolean and string aliases.
struct ItemAliasType {
    enum class Kind { item, notSet };

    static ItemAliasType item(std::string itemUuid) { return {Kind::item, std::move(itemUuid)}; }
    static ItemAliasType notSet() { return {}; }

    bool isSet() const { return kind != Kind::notSet; }

    Kind kind = Kind::notSet;
    std::string uuid;

    friend bool operator==(const ItemAliasType&, const ItemAliasType&) = default;
};

}  // namespace vantorel
