#include "VantorelData/model/ProjectItem.h"

#include <array>

#include "VantorelData/model/EnumText.h"

namespace vantorel {
namespace {

constexpr std::array<std::string_view, projectItemTypeCount> itemTypeNames = {
    "group",        "color",  "colorSet",    "colorAlias", "number",    "numberAlias", "boolean",
    "booleanAlias", "string", "stringAlias", "shadow",     "shadowSet", "shadowAlias"};

constexpr std::array<std::string_view, projectItemTypeCount> itemTypeDisplayNames = {
    "Group",         "Color",  "Color Set",    "Color Alias", "Number",     "Number Alias", "Boolean",
    "Boolean Alias", "String", "String Alias", "Shadow",      "Shadow Set", "Shadow Alias"};

}  // namespace

std::string_view caseName(ProjectItemType type) { return enum_text::textOf(itemTypeNames, type); }
std::string_view displayName(ProjectItemType type) { return enum_text::textOf(itemTypeDisplayNames, type); }

bool isAlias(ProjectItemType type) {
    switch (type) {
        case ProjectItemType::colorAlias:
        case ProjectItemType::numberAlias:
        case ProjectItemType::booleanAlias:
        case ProjectItemType::stringAlias:
        case ProjectItemType::shadowAlias: return true;
        default: return false;
    }
}

std::shared_ptr<QuenzColorGroup> QuenzColorProjectItem::group() const { return slot<0>(); }
QuenzColorItemPtr QuenzColorProjectItem::color() const { return slot<1>(); }
QuenzColorSetPtr QuenzColorProjectItem::colorSet() const { return slot<2>(); }
QuenzColorAliasPtr QuenzColorProjectItem::colorAlias() const { return slot<3>(); }
QuenzColorNumberPtr QuenzColorProjectItem::number() const { return slot<4>(); }
QuenzColorNumberAliasPtr QuenzColorProjectItem::numberAlias() const { return slot<5>(); }
QuenzColorBooleanPtr QuenzColorProjectItem::boolean() const { return slot<6>(); }
QuenzColorBooleanAliasPtr QuenzColorProjectItem::booleanAlias() const { return slot<7>(); }
QuenzColorStringPtr QuenzColorProjectItem::string() const { return slot<8>(); }
QuenzColorStringAliasPtr QuenzColorProjectItem::stringAlias() const { return slot<9>(); }
QuenzColorShadowPtr QuenzColorProjectItem::shadow() const { return slot<10>(); }
QuenzColorShadowSetPtr QuenzColorProjectItem::shadowSet() const { return slot<11>(); }
QuenzColorShadowAliasPtr QuenzColorProjectItem::shadowAlias() const { return slot<12>(); }

QuenzColorProjectItem::QuenzColorProjectItem(const QuenzColorProjectItem& other)
    : Observable(other),
      isExpanded_(other.isExpanded_),
      kind_(other.kind_),
      testPosition_(other.testPosition_),
      uuid_(other.uuid_),
      name_(other.name_),
      payload_(other.payload_),
      assignments_(other.assignments_ ? std::make_unique<Assignments>(*other.assignments_) : nullptr) {}

QuenzColorProjectItem& QuenzColorProjectItem::operator=(const QuenzColorProjectItem& other) {
    if (this == &other) return *this;
    Observable::operator=(other);
    uuid_ = other.uuid_;
    name_ = other.name_;
    payload_ = other.payload_;
    kind_ = other.kind_;
    assignments_ = other.assignments_ ? std::make_unique<Assignments>(*other.assignments_) : nullptr;
    testPosition_ = other.testPosition_;
    isExpanded_ = other.isExpanded_;
    return *this;
}

QuenzColorProjectItem::~QuenzColorProjectItem() = default;

const BuildGroupPtr& QuenzColorProjectItem::buildGroup() const {
    static const BuildGroupPtr none;
    return assignments_ ? assignments_->buildGroup : none;
}

const TestGroupPtr& QuenzColorProjectItem::testGroup() const {
    static const TestGroupPtr none;
    return assignments_ ? assignments_->testGroup : none;
}

QuenzColorProjectItem::Assignments& QuenzColorProjectItem::assignmentsToChange() {
    if (!assignments_) assignments_ = std::make_unique<Assignments>();
    return *assignments_;
}

void QuenzColorProjectItem::dropEmptyAssignments() {
    if (assignments_ && !assignments_->buildGroup && !assignments_->testGroup) assignments_.reset();
}

void QuenzColorProjectItem::setBuildGroup(BuildGroupPtr group) {
    if (buildGroup() == group) return;
    assignmentsToChange().buildGroup = std::move(group);
    dropEmptyAssignments();
    notifyChanged(PropertyId::buildGroup);
}

void QuenzColorProjectItem::setTestGroup(TestGroupPtr group) {
    if (testGroup() == group) return;
    assignmentsToChange().testGroup = std::move(group);
    dropEmptyAssignments();
    notifyChanged(PropertyId::testGroup);
}

QuenzColorProjectItem::QuenzColorProjectItem(Identifier uuid, ItemName name, ProjectItemPayload payload)
    : kind_(static_cast<std::uint8_t>(payload.index())), uuid_(std::move(uuid)), name_(std::move(name)) {
    std::visit(
        [this](auto& filled) {
            using Payload = typename std::decay_t<decltype(filled)>::element_type;
            if (!filled) filled = std::make_shared<Payload>();
            payload_ = std::move(filled);
        },
        payload);
}

ProjectItemPayload QuenzColorProjectItem::payload() const {
    return [this]<std::size_t... I>(std::index_sequence<I...>) {
        ProjectItemPayload payload;
        (void)((kind_ == I && (payload = slot<I>(), true)) || ...);
        return payload;
    }(std::make_index_sequence<projectItemTypeCount>{});
}

std::shared_ptr<QuenzValueItem> QuenzColorProjectItem::valueItem() const {
    // Every kind but a group is a value item.
    if (isGroup()) return nullptr;
    return std::static_pointer_cast<QuenzValueItem>(payload_);
}

QuenzColorGroup::~QuenzColorGroup() {
    std::vector<ProjectItemPtr> pending = std::move(items_);
    while (!pending.empty()) {
        ProjectItemPtr item = std::move(pending.back());
        pending.pop_back();
        // Only a last owner destroys the item and its group here; the group's children move to
        // the list first, so that it is destroyed empty.
        if (!item || item.use_count() != 1) continue;
        auto* group = item->payloadIf<QuenzColorGroup>();
        if (!group || item->payload_.use_count() != 1) continue;
        std::vector<ProjectItemPtr>& children = group->items_;
        pending.insert(pending.end(), std::make_move_iterator(children.begin()), std::make_move_iterator(children.end()));
        children.clear();
    }
}

const std::string& QuenzColorGroup::searchFilter() const {
    static const std::string none;
    return searchFilter_ ? *searchFilter_ : none;
}

void QuenzColorGroup::setSearchFilter(std::string filter) {
    if (filter == searchFilter()) return;
    if (filter.empty()) {
        searchFilter_.reset();
    } else {
        searchFilter_ = std::make_unique<std::string>(std::move(filter));
    }
    notifyChanged(PropertyId::searchFilter);
}

void QuenzColorGroup::insertItem(ProjectItemPtr item, std::size_t index) {
    if (!item) return;
    const auto position = items_.begin() + static_cast<std::ptrdiff_t>(std::min(index, items_.size()));
    items_.insert(position, std::move(item));
    notifyChanged(PropertyId::items);
}

ProjectItemPtr QuenzColorGroup::removeItemAt(std::size_t index) {
    if (index >= items_.size()) return nullptr;
    ProjectItemPtr removed = items_[index];
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    notifyChanged(PropertyId::items);
    return removed;
}

}  // namespace vantorel
