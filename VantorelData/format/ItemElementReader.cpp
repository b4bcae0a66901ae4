#include <array>

#include "VantorelData/format/ChildElements.h"
#include "VantorelData/format/FlatXmlDocument.h"
#include "VantorelData/format/ItemElements.h"
#include "VantorelData/format/ItemFields.h"
#include "VantorelData/format/NumberText.h"
#include "VantorelData/format/ValueElements.h"

namespace vantorel::format {
namespace {

// Alias fields per appearance, in ColorSource order (light, light high contrast, dark, dark
// high contrast).
struct AliasFields {
    ItemField type;
    ItemField identifier;
    ItemField index;
};
constexpr std::array<AliasFields, 4> aliasFields = {{
    {ItemField::type, ItemField::referencedItemId, ItemField::subIndex},
    {ItemField::typeLightHighContrast, ItemField::referencedItemIdLightHighContrast,
     ItemField::subIndexLightHighContrast},
    {ItemField::typeDark, ItemField::referencedItemIdDark, ItemField::subIndexDark},
    {ItemField::typeDarkHighContrast, ItemField::referencedItemIdDarkHighContrast,
     ItemField::subIndexDarkHighContrast},
}};

template <class Element>
AliasSetTargets readSetAliasTargets(const ItemChildren<Element>& fields) {
    AliasSetTargets targets;
    for (std::size_t i = 0; i < aliasFields.size(); ++i) {
        const auto& names = aliasFields[i];
        const std::string_view code = fields.text(names.type).value_or("4");
        if (code == "1") {
            targets[i] = AliasSetType::item(Identifier(fields.text(names.identifier).value_or("")));
        } else if (code == "2") {
            targets[i] = AliasSetType::set(Identifier(fields.text(names.identifier).value_or("")));
        } else if (code == "3") {
            const auto index = fields.text(names.index);
            targets[i] =
                AliasSetType::setItem(Identifier(fields.text(names.identifier).value_or("")), index ? parseInt(*index).value_or(0) : 0);
        }
    }
    return targets;
}

template <class Element>
ItemAliasTargets readItemAliasTargets(const ItemChildren<Element>& fields) {
    ItemAliasTargets targets;
    for (std::size_t i = 0; i < aliasFields.size(); ++i) {
        if (fields.text(aliasFields[i].type).value_or("1") == "2") {
            targets[i] = ItemAliasType::item(Identifier(fields.text(aliasFields[i].identifier).value_or("")));
        }
    }
    return targets;
}

template <class Element>
ColorPresentation readPresentation(const ItemChildren<Element>& fields) {
    return {profileSpace(fields.text(ItemField::profile)), storedColorFormat(fields.text(ItemField::format))};
}

// The element children of a list element (`colors`, `shadows`, a group), for reserving.
template <class Element>
std::size_t elementChildCount(Element element) {
    std::size_t count = 0;
    for (Element child = element.firstChild(); child; child = child.nextSibling()) ++count;
    return count;
}

template <class Element>
std::optional<ProjectItemPayload> readColor(const ItemChildren<Element>& fields, const ItemArenaPtr& arena) {
    const ColorPresentation presentation = readPresentation(fields);
    auto color = readColorValue(fields.node(ItemField::color), componentSpace(presentation.colorSpace));
    if (!color) return std::nullopt;
    return makeShared<QuenzColorItem>(arena, std::move(*color), presentation, readCommonFields(fields));
}

template <class Element>
std::optional<ProjectItemPayload> readColorSet(const ItemChildren<Element>& fields, const ItemArenaPtr& arena) {
    const auto parameters = readSetBlock(fields);
    if (!parameters) return std::nullopt;
    const ColorPresentation presentation = readPresentation(fields);
    const quenz::RGBSpace space = componentSpace(presentation.colorSpace);
    const Element list = fields.node(ItemField::colors);
    std::vector<ThemeableColor> colors;
    colors.reserve(elementChildCount(list));
    for (Element step = list.firstChild(); step; step = step.nextSibling()) {
        if (step.name() != "color") continue;
        if (auto color = readColorValue(step, space)) colors.push_back(std::move(*color));
    }
    return makeShared<QuenzColorSet>(arena, std::move(colors), *parameters, presentation, readCommonFields(fields));
}

template <class Element>
std::optional<ProjectItemPayload> readShadow(const ItemChildren<Element>& fields, const ItemArenaPtr& arena) {
    const ColorPresentation presentation = readPresentation(fields);
    auto shadow = readShadowValue(fields.node(ItemField::shadow), componentSpace(presentation.colorSpace));
    if (!shadow) return std::nullopt;
    return makeShared<QuenzColorShadow>(arena, std::move(*shadow), presentation, readCommonFields(fields));
}

template <class Element>
std::optional<ProjectItemPayload> readShadowSet(const ItemChildren<Element>& fields, const ItemArenaPtr& arena) {
    const auto parameters = readSetBlock(fields);
    if (!parameters) return std::nullopt;
    const ColorPresentation presentation = readPresentation(fields);
    const quenz::RGBSpace space = componentSpace(presentation.colorSpace);
    const Element list = fields.node(ItemField::shadows);
    std::vector<ThemeableShadow> shadows;
    shadows.reserve(elementChildCount(list));
    for (Element step = list.firstChild(); step; step = step.nextSibling()) {
        if (step.name() != "shadow") continue;
        if (auto shadow = readShadowValue(step, space)) shadows.push_back(std::move(*shadow));
    }
    return makeShared<QuenzColorShadowSet>(arena, std::move(shadows), *parameters, presentation,
                                                 readCommonFields(fields));
}

template <class Element>
std::optional<ProjectItemPayload> readNumber(const ItemChildren<Element>& fields, const ItemArenaPtr& arena) {
    auto value = readNumberValue(fields.node(ItemField::number));
    if (!value) return std::nullopt;
    const auto min = fields.text(ItemField::min);
    const auto max = fields.text(ItemField::max);
    const auto steps = fields.text(ItemField::steps);
    return makeShared<QuenzColorNumber>(arena, std::move(*value), min ? parseMeasuredNumber(*min) : std::nullopt,
                                              max ? parseMeasuredNumber(*max) : std::nullopt,
                                              steps ? parseInt(*steps) : std::nullopt, readCommonFields(fields));
}

template <class Element>
std::optional<ProjectItemPayload> readBoolean(const ItemChildren<Element>& fields, const ItemArenaPtr& arena) {
    auto value = readBooleanValue(fields.node(ItemField::boolean));
    if (!value) return std::nullopt;
    return makeShared<QuenzColorBoolean>(arena, std::move(*value), readCommonFields(fields));
}

template <class Element>
std::optional<ProjectItemPayload> readString(const ItemChildren<Element>& fields, const ItemArenaPtr& arena) {
    auto value = readStringValue(fields.node(ItemField::string));
    if (!value) return std::nullopt;
    return makeShared<QuenzColorString>(arena, std::move(*value), readCommonFields(fields));
}

template <class Alias, class Element>
std::optional<ProjectItemPayload> readSetAlias(const ItemChildren<Element>& fields, const ItemArenaPtr& arena) {
    return makeShared<Alias>(arena, readSetAliasTargets(fields), readCommonFields(fields));
}

template <class Alias, class Element>
std::optional<ProjectItemPayload> readItemAlias(const ItemChildren<Element>& fields, const ItemArenaPtr& arena) {
    return makeShared<Alias>(arena, readItemAliasTargets(fields), readCommonFields(fields));
}

enum class ElementKind { group, color, alias, colorSet, number, numberAlias, boolean, booleanAlias, string,
                         stringAlias, shadow, shadowSet, shadowAlias, count };

constexpr ElementNames<ElementKind> elementKindNames({{
    {ElementKind::group, "group"},
    {ElementKind::color, "colorItem"},
    {ElementKind::alias, "alias"},
    {ElementKind::colorSet, "colorSet"},
    {ElementKind::number, "numberItem"},
    {ElementKind::numberAlias, "numberAlias"},
    {ElementKind::boolean, "booleanItem"},
    {ElementKind::booleanAlias, "booleanAlias"},
    {ElementKind::string, "stringItem"},
    {ElementKind::stringAlias, "stringAlias"},
    {ElementKind::shadow, "shadowItem"},
    {ElementKind::shadowSet, "shadowSet"},
    {ElementKind::shadowAlias, "shadowAlias"},
}});

bool isAlias(ElementKind kind) {
    return kind == ElementKind::alias || kind == ElementKind::numberAlias || kind == ElementKind::booleanAlias ||
           kind == ElementKind::stringAlias || kind == ElementKind::shadowAlias;
}

// The content of every kind but groups, whose children the tree reader below collects.
template <class Element>
std::optional<ProjectItemPayload> readPayload(ElementKind kind, const ItemChildren<Element>& fields, const ItemArenaPtr& arena) {
    switch (kind) {
        case ElementKind::group: break;
        case ElementKind::color: return readColor(fields, arena);
        case ElementKind::alias: return readSetAlias<QuenzColorAlias>(fields, arena);
        case ElementKind::colorSet: return readColorSet(fields, arena);
        case ElementKind::number: return readNumber(fields, arena);
        case ElementKind::numberAlias: return readItemAlias<QuenzColorNumberAlias>(fields, arena);
        case ElementKind::boolean: return readBoolean(fields, arena);
        case ElementKind::booleanAlias: return readItemAlias<QuenzColorBooleanAlias>(fields, arena);
        case ElementKind::string: return readString(fields, arena);
        case ElementKind::stringAlias: return readItemAlias<QuenzColorStringAlias>(fields, arena);
        case ElementKind::shadow: return readShadow(fields, arena);
        case ElementKind::shadowSet: return readShadowSet(fields, arena);
        case ElementKind::shadowAlias: return readSetAlias<QuenzColorShadowAlias>(fields, arena);
        case ElementKind::count: break;
    }
    return std::nullopt;
}

template <class GroupPtr>
GroupPtr groupWithId(const std::vector<GroupPtr>& groups, std::string_view uuid) {
    for (const auto& group : groups) {
        if (group && group->uuid() == uuid) return group;
    }
    return nullptr;
}

void assignGroups(QuenzColorProjectItem& item, const QuenzColorProject& project,
                  std::optional<std::string_view> buildGroupId, std::optional<std::string_view> testGroupId,
                  TestPosition testPosition) {
    if (buildGroupId) item.setBuildGroup(groupWithId(project.buildGroups(), *buildGroupId));
    if (testGroupId) {
        item.setTestGroup(groupWithId(project.testGroups(), *testGroupId));
        item.setTestPosition(testPosition);
    }
}

// The item made from a read element and its content: identifier, name and assignments.
template <class Element>
ProjectItemPtr finishItem(ElementKind kind, const ItemChildren<Element>& fields, ProjectItemPayload payload,
                          const QuenzColorProject& project, bool generateNewIds, const ItemArenaPtr& arena,
                          PendingAssignments* pending) {
    const auto stored = isAlias(kind) || generateNewIds ? std::nullopt : fields.text(ItemField::id);
    Identifier uuid = stored ? Identifier(*stored) : makeUuidIdentifier();
    auto item = makeShared<QuenzColorProjectItem>(arena, std::move(uuid), fields.textOr(ItemField::name), std::move(payload));
    if (kind == ElementKind::group && fields.textIs(ItemField::expanded, "1")) item->setExpanded(true);
    const auto buildGroupId = fields.text(ItemField::buildGroupId);
    const auto testGroupId = fields.text(ItemField::testGroupId);
    if (!buildGroupId && !testGroupId) return item;
    TestPosition testPosition = TestPosition::both;
    if (const auto position = fields.text(ItemField::testPosition); testGroupId && position) {
        testPosition = testPositionFromRawString(*position).value_or(TestPosition::both);
    }
    if (pending) {
        pending->hold(*item, buildGroupId, testGroupId, testPosition);
    } else {
        assignGroups(*item, project, buildGroupId, testGroupId, testPosition);
    }
    return item;
}

// A group element being read: its fields, its place in search order and the children read so far.
template <class Element>
struct OpenGroup {
    OpenGroup(Element element, ReferenceLinker* linker)
        : place(linker ? linker->claimPlace() : 0), next(element.firstChild()) {
        // The list is handed to the group as it is: sized once, it is neither grown nor left
        // with room to spare.
        std::size_t items = 0;
        for (Element child = next; child; child = child.nextSibling()) items += elementKindNames.find(child.name()) ? 1 : 0;
        children.reserve(items);
    }
    // Taken as the children are read, in the same walk: a large group's children are most of
    // the document, and walking them twice costs a cache miss per child each time.
    ItemChildren<Element> fields;
    std::size_t place;
    Element next;  // the next child element to read
    std::vector<ProjectItemPtr> children;
};

}  // namespace

void PendingAssignments::hold(QuenzColorProjectItem& item, std::optional<std::string_view> buildGroupId,
                              std::optional<std::string_view> testGroupId, TestPosition testPosition) {
    held_.push_back({&item, buildGroupId, testGroupId, testPosition});
}

void PendingAssignments::assign(const QuenzColorProject& project) const {
    for (const Held& held : held_) {
        using Text = std::optional<Identifier::Text>;
        const Text buildGroupId = held.buildGroupId ? Text(held.buildGroupId->text()) : std::nullopt;
        const Text testGroupId = held.testGroupId ? Text(held.testGroupId->text()) : std::nullopt;
        assignGroups(*held.item, project, buildGroupId ? std::optional(buildGroupId->view()) : std::nullopt,
                     testGroupId ? std::optional(testGroupId->view()) : std::nullopt, held.testPosition);
    }
}

template <class Element>
ProjectItemPtr readItemElement(Element element, const QuenzColorProject& project, bool generateNewIds,
                               ReferenceLinker* linker, const ItemArenaPtr& arena, PendingAssignments* pending) {
    // Groups nest to any depth, so the open groups are kept in a list rather than on the stack.
    // A group's place in search order comes before its children's, which are read first.
    std::vector<OpenGroup<Element>> open;
    Element current = element;
    for (;;) {
        ProjectItemPtr item;
        if (const auto kind = elementKindNames.find(current.name()); kind == ElementKind::group) {
            open.emplace_back(current, linker);
        } else if (kind) {
            const ItemChildren<Element> fields(current);
            const std::size_t place = linker ? linker->claimPlace() : 0;
            if (auto payload = readPayload(*kind, fields, arena)) {
                item = finishItem(*kind, fields, std::move(*payload), project, generateNewIds, arena, pending);
                if (linker) linker->fillPlace(place, item);
            }
        }
        if (open.empty()) return item;  // the element was not a group
        if (item) open.back().children.push_back(std::move(item));

        // The next child element of the innermost open group; groups whose children are all read
        // are finished and become a child of the group around them.
        for (;;) {
            OpenGroup<Element>& group = open.back();
            if (group.next) {
                group.fields.take(group.next);
                current = group.next;
                group.next = group.next.nextSibling();
                break;
            }
            auto payload = makeShared<QuenzColorGroup>(arena, std::move(group.children),
                                                       group.fields.textIs(ItemField::providesNamespace, "1"));
            ProjectItemPtr finished =
                finishItem(ElementKind::group, group.fields, std::move(payload), project, generateNewIds, arena, pending);
            if (linker) linker->fillPlace(group.place, finished);
            open.pop_back();
            if (open.empty()) return finished;
            open.back().children.push_back(std::move(finished));
        }
    }
}

template ProjectItemPtr readItemElement(PugiElement, const QuenzColorProject&, bool, ReferenceLinker*, const ItemArenaPtr&,
                                        PendingAssignments*);
template ProjectItemPtr readItemElement(FlatXmlElement, const QuenzColorProject&, bool, ReferenceLinker*,
                                        const ItemArenaPtr&, PendingAssignments*);

}  // namespace vantorel::format
