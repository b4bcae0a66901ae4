#pragma once
// QuenzColorProjectItem: one node of a project's item tree, a named holder of exactly one
// payload (a group, a color, a set, an alias, …) with its assignments to a build group and a
// test group. QuenzColorGroup: the payload of a group, the ordered children.

#include <cstdint>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "VantorelData/model/Alias.h"
#include "VantorelData/model/BuildGroup.h"
#include "VantorelData/model/ColorItem.h"
#include "VantorelData/model/ColorSet.h"
#include "VantorelData/model/Identifier.h"
#include "VantorelData/model/Observable.h"
#include "VantorelData/model/PlainValueItems.h"
#include "VantorelData/model/Shadow.h"
#include "VantorelData/model/TestTask.h"
#include "VantorelData/model/Uuid.h"

namespace vantorel {

class QuenzColorGroup;

enum class ProjectItemType {
    group,
    color,
    colorSet,
    colorAlias,
    number,
    numberAlias,
    boolean,
    booleanAlias,
    string,
    stringAlias,
    shadow,
    shadowSet,
    shadowAlias,
};
inline constexpr int projectItemTypeCount = 13;

// The case name ("colorSet").
std::string_view caseName(ProjectItemType type);
// The kind's name for people ("Color Set"), which new items of the kind are also named.
std::string_view displayName(ProjectItemType type);
// True for the five alias kinds, which name another item instead of holding a value.
bool isAlias(ProjectItemType type);

// The payload slots, in ProjectItemType order.
using ProjectItemPayload =
    std::variant<std::shared_ptr<QuenzColorGroup>, QuenzColorItemPtr, QuenzColorSetPtr, QuenzColorAliasPtr,
                 QuenzColorNumberPtr, QuenzColorNumberAliasPtr, QuenzColorBooleanPtr, QuenzColorBooleanAliasPtr,
                 QuenzColorStringPtr, QuenzColorStringAliasPtr, QuenzColorShadowPtr, QuenzColorShadowSetPtr,
                 QuenzColorShadowAliasPtr>;

class QuenzColorProjectItem : public Observable {
public:
    // An item of the payload's kind; an empty payload pointer is replaced by a default one, so
    // that the filled slot always matches `itemType`.
    QuenzColorProjectItem(Identifier uuid, ItemName name, ProjectItemPayload payload);
    // A copy shares the payload and the groups, and starts without observers.
    QuenzColorProjectItem(const QuenzColorProjectItem& other);
    QuenzColorProjectItem& operator=(const QuenzColorProjectItem& other);
    ~QuenzColorProjectItem() override;

    template <class Payload>
    static ProjectItemPtr make(Identifier uuid, ItemName name, std::shared_ptr<Payload> payload) {
        return std::make_shared<QuenzColorProjectItem>(std::move(uuid), std::move(name),
                                                       ProjectItemPayload(std::move(payload)));
    }
    // A new item with a fresh identifier.
    template <class Payload>
    static ProjectItemPtr make(ItemName name, std::shared_ptr<Payload> payload) {
        return make(makeUuidIdentifier(), std::move(name), std::move(payload));
    }

    const Identifier& uuid() const { return uuid_; }
    const ItemName& name() const { return name_; }
    void setName(ItemName name) { update(name_, std::move(name), PropertyId::name); }
    ProjectItemType itemType() const { return static_cast<ProjectItemType>(kind_); }
    // The payload in its slot (a copy that shares it).
    ProjectItemPayload payload() const;
    // Calls `visit` with the payload object, typed by its kind, without sharing it.
    template <class Visit>
    void visitPayload(Visit&& visit) const;

    // The payload accessors: the filled slot, or null for every other kind. (Kept out of line:
    // callers that checked `itemType` dereference them without compiler null-path warnings.)
    std::shared_ptr<QuenzColorGroup> group() const;
    QuenzColorItemPtr color() const;
    QuenzColorSetPtr colorSet() const;
    QuenzColorAliasPtr colorAlias() const;
    QuenzColorNumberPtr number() const;
    QuenzColorNumberAliasPtr numberAlias() const;
    QuenzColorBooleanPtr boolean() const;
    QuenzColorBooleanAliasPtr booleanAlias() const;
    QuenzColorStringPtr string() const;
    QuenzColorStringAliasPtr stringAlias() const;
    QuenzColorShadowPtr shadow() const;
    QuenzColorShadowSetPtr shadowSet() const;
    QuenzColorShadowAliasPtr shadowAlias() const;
    // The payload of kind P in place, without sharing it: walks over a whole tree (saving,
    // linking aliases) would otherwise pay two atomic reference-count updates per item. Null
    // for every other kind.
    template <class P>
    P* payloadIf() const {
        return kind_ == kindOf<P>() ? static_cast<P*>(payload_.get()) : nullptr;
    }
    // The common value fields of every kind except groups; null for a group.
    std::shared_ptr<QuenzValueItem> valueItem() const;
    bool isGroup() const { return itemType() == ProjectItemType::group; }

    const BuildGroupPtr& buildGroup() const;
    const TestGroupPtr& testGroup() const;
    TestPosition testPosition() const { return testPosition_; }
    bool isExpanded() const { return isExpanded_; }
    void setBuildGroup(BuildGroupPtr group);
    void setTestGroup(TestGroupPtr group);
    void setTestPosition(TestPosition position) { update(testPosition_, position, PropertyId::testPosition); }
    void setExpanded(bool expanded) { update(isExpanded_, expanded, PropertyId::isExpanded); }

private:
    friend class QuenzColorGroup;

    // The index of P's slot in ProjectItemPayload.
    template <class P, std::size_t I = 0>
    static constexpr std::uint8_t kindOf() {
        if constexpr (std::is_same_v<std::variant_alternative_t<I, ProjectItemPayload>, std::shared_ptr<P>>) {
            return static_cast<std::uint8_t>(I);
        } else {
            return kindOf<P, I + 1>();
        }
    }
    template <std::size_t I>
    std::variant_alternative_t<I, ProjectItemPayload> slot() const;

    // The small fields first, where they share the base's last word; the payload's kind is kept
    // there too, beside one pointer to the payload that every kind shares.
    bool isExpanded_ = false;
    std::uint8_t kind_ = 0;
    TestPosition testPosition_ = TestPosition::both;
    Identifier uuid_;
    ItemName name_;
    std::shared_ptr<Observable> payload_;
    // Most items belong to no build or test group: the two assignments share a block that
    // exists while either is set.
    struct Assignments {
        BuildGroupPtr buildGroup;
        TestGroupPtr testGroup;
    };
    Assignments& assignmentsToChange();
    void dropEmptyAssignments();

    std::unique_ptr<Assignments> assignments_;
};

class QuenzColorGroup : public Observable {
public:
    // A list handed over with room to spare (one grown while reading) is trimmed to its items.
    explicit QuenzColorGroup(std::vector<ProjectItemPtr> items = {}, bool providesNamespace = false)
        : providesNamespace_(providesNamespace), items_(std::move(items)) {
        items_.shrink_to_fit();
    }
    // Takes the nested groups apart one at a time, so that a deeply nested tree does not end in
    // one destructor call per level.
    ~QuenzColorGroup() override;

    const std::vector<ProjectItemPtr>& items() const { return items_; }
    void setItems(std::vector<ProjectItemPtr> items) { update(items_, std::move(items), PropertyId::items); }
    // Inserts at min(index, count); a null item is ignored.
    void insertItem(ProjectItemPtr item, std::size_t index);
    void appendItem(ProjectItemPtr item) { insertItem(std::move(item), items_.size()); }
    // Removes and returns the child at `index`; null when there is none.
    ProjectItemPtr removeItemAt(std::size_t index);

    bool providesNamespace() const { return providesNamespace_; }
    void setProvidesNamespace(bool provides) {
        update(providesNamespace_, provides, PropertyId::providesNamespace);
    }
    const std::string& searchFilter() const;
    void setSearchFilter(std::string filter);

private:
    bool providesNamespace_;  // shares the base's last word
    std::vector<ProjectItemPtr> items_;
    // Only the group a window filters has a filter: it is kept apart, while it is not empty.
    std::unique_ptr<std::string> searchFilter_;
};

using QuenzColorGroupPtr = std::shared_ptr<QuenzColorGroup>;

template <std::size_t I>
std::variant_alternative_t<I, ProjectItemPayload> QuenzColorProjectItem::slot() const {
    using Payload = typename std::variant_alternative_t<I, ProjectItemPayload>::element_type;
    if (kind_ != I) return nullptr;
    return std::static_pointer_cast<Payload>(payload_);
}

template <class Visit>
void QuenzColorProjectItem::visitPayload(Visit&& visit) const {
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        using Payloads = ProjectItemPayload;
        (void)((kind_ == I && (visit(*static_cast<typename std::variant_alternative_t<I, Payloads>::element_type*>(
                                   payload_.get())),
                               true)) ||
               ...);
    }(std::make_index_sequence<projectItemTypeCount>{});
}

}  // namespace vantorel
