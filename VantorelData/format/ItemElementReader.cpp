#include <array>
#include <cstring>

#include "VantorelData/format/ItemElements.h"
#include "VantorelData/format/NumberText.h"
#include "VantorelData/format/ValueElements.h"
#include "VantorelData/format/XmlReading.h"

namespace vantorel::format {
namespace {

// Alias elements per appearance, in ColorSource order (light, light high contrast, dark,
// dark high contrast).
struct AliasElementNames {
    const char* type;
    const char* identifier;
    const char* index;
};
constexpr std::array<AliasElementNames, 4> aliasElements = {{
    {"type", "referencedItemId", "subIndex"},
    {"typeLightHighContrast", "referencedItemIdLightHighContrast", "subIndexLightHighContrast"},
    {"typeDark", "referencedItemIdDark", "subIndexDark"},
    {"typeDarkHighContrast", "referencedItemIdDarkHighContrast", "subIndexDarkHighContrast"},
}};

AliasSetTargets readSetAliasTargets(pugi::xml_node element) {
    AliasSetTargets targets;
    for (std::size_t i = 0; i < aliasElements.size(); ++i) {
        const auto& names = aliasElements[i];
        const std::string_view code = childText(element, names.type).value_or("4");
        std::string identifier = childTextOr(element, names.identifier);
        if (code == "1") {
            targets[i] = AliasSetType::item(std::move(identifier));
        } else if (code == "2") {
            targets[i] = AliasSetType::set(std::move(identifier));
        } else if (code == "3") {
            const auto index = childText(element, names.index);
            targets[i] = AliasSetType::setItem(std::move(identifier), index ? parseInt(*index).value_or(0) : 0);
        }
    }
    return targets;
}

ItemAliasTargets readItemAliasTargets(pugi::xml_node element) {
    ItemAliasTargets targets;
    for (std::size_t i = 0; i < aliasElements.size(); ++i) {
        if (childText(element, aliasElements[i].type).value_or("1") == "2") {
            targets[i] = ItemAliasType::item(childTextOr(element, aliasElements[i].identifier));
        }
    }
    return targets;
}

ColorPresentation readPresentation(pugi::xml_node element) {
    return {profileSpace(childText(element, "profile")), storedColorFormat(childText(element, "format"))};
}

std::optional<ProjectItemPayload> readColor(pugi::xml_node element) {
    const ColorPresentation presentation = readPresentation(element);
    auto color = readColorValue(element.child("color"), componentSpace(presentation.colorSpace));
    if (!color) return std::nullopt;
    return std::make_shared<QuenzColorItem>(std::move(*color), presentation, readCommonFields(element));
}

std::optional<ProjectItemPayload> readColorSet(pugi::xml_node element) {
    const auto parameters = readSetBlock(element);
    if (!parameters) return std::nullopt;
    const ColorPresentation presentation = readPresentation(element);
    const quenz::RGBSpace space = componentSpace(presentation.colorSpace);
    std::vector<ThemeableColor> colors;
    for (const pugi::xml_node step : element.child("colors").children("color")) {
        if (auto color = readColorValue(step, space)) colors.push_back(std::move(*color));
    }
    return std::make_shared<QuenzColorSet>(std::move(colors), *parameters, presentation, readCommonFields(element));
}

std::optional<ProjectItemPayload> readShadow(pugi::xml_node element) {
    const ColorPresentation presentation = readPresentation(element);
    auto shadow = readShadowValue(element.child("shadow"), componentSpace(presentation.colorSpace));
    if (!shadow) return std::nullopt;
    return std::make_shared<QuenzColorShadow>(std::move(*shadow), presentation, readCommonFields(element));
}

std::optional<ProjectItemPayload> readShadowSet(pugi::xml_node element) {
    const auto parameters = readSetBlock(element);
    if (!parameters) return std::nullopt;
    const ColorPresentation presentation = readPresentation(element);
    const quenz::RGBSpace space = componentSpace(presentation.colorSpace);
    std::vector<ThemeableShadow> shadows;
    for (const pugi::xml_node step : element.child("shadows").children("shadow")) {
        if (auto shadow = readShadowValue(step, space)) shadows.push_back(std::move(*shadow));
    }
    return std::make_shared<QuenzColorShadowSet>(std::move(shadows), *parameters, presentation,
                                                 readCommonFields(element));
}

std::optional<ProjectItemPayload> readNumber(pugi::xml_node element) {
    auto value = readNumberValue(element.child("number"));
    if (!value) return std::nullopt;
    const auto min = childText(element, "min");
    const auto max = childText(element, "max");
    const auto steps = childText(element, "steps");
    return std::make_shared<QuenzColorNumber>(std::move(*value), min ? parseMeasuredNumber(*min) : std::nullopt,
                                              max ? parseMeasuredNumber(*max) : std::nullopt,
                                              steps ? parseInt(*steps) : std::nullopt, readCommonFields(element));
}

std::optional<ProjectItemPayload> readBoolean(pugi::xml_node element) {
    auto value = readBooleanValue(element.child("boolean"));
    if (!value) return std::nullopt;
    return std::make_shared<QuenzColorBoolean>(std::move(*value), readCommonFields(element));
}

std::optional<ProjectItemPayload> readString(pugi::xml_node element) {
    auto value = readStringValue(element.child("string"));
    if (!value) return std::nullopt;
    return std::make_shared<QuenzColorString>(std::move(*value), readCommonFields(element));
}

template <class Alias>
std::optional<ProjectItemPayload> readSetAlias(pugi::xml_node element) {
    return std::make_shared<Alias>(readSetAliasTargets(element), readCommonFields(element));
}

template <class Alias>
std::optional<ProjectItemPayload> readItemAlias(pugi::xml_node element) {
    return std::make_shared<Alias>(readItemAliasTargets(element), readCommonFields(element));
}

std::optional<ProjectItemPayload> readGroup(pugi::xml_node element, const QuenzColorProject& project,
                                            bool generateNewIds, int depth) {
    std::vector<ProjectItemPtr> children;
    if (depth < maximumGroupDepth) {
        for (const pugi::xml_node child : element.children()) {
            if (child.type() != pugi::node_element) continue;
            if (auto item = readItemElement(child, project, generateNewIds, depth + 1)) children.push_back(std::move(item));
        }
    }
    return std::make_shared<QuenzColorGroup>(std::move(children), childTextIs(element, "namespace", "1"));
}

enum class ElementKind { none, group, color, alias, colorSet, number, numberAlias, boolean, booleanAlias, string,
                         stringAlias, shadow, shadowSet, shadowAlias };

ElementKind elementKind(const char* name) {
    struct Entry {
        const char* name;
        ElementKind kind;
    };
    static constexpr Entry entries[] = {
        {"group", ElementKind::group},           {"colorItem", ElementKind::color},
        {"alias", ElementKind::alias},           {"colorSet", ElementKind::colorSet},
        {"numberItem", ElementKind::number},     {"numberAlias", ElementKind::numberAlias},
        {"booleanItem", ElementKind::boolean},   {"booleanAlias", ElementKind::booleanAlias},
        {"stringItem", ElementKind::string},     {"stringAlias", ElementKind::stringAlias},
        {"shadowItem", ElementKind::shadow},     {"shadowSet", ElementKind::shadowSet},
        {"shadowAlias", ElementKind::shadowAlias},
    };
    for (const auto& entry : entries) {
        if (std::strcmp(entry.name, name) == 0) return entry.kind;
    }
    return ElementKind::none;
}

bool isAlias(ElementKind kind) {
    return kind == ElementKind::alias || kind == ElementKind::numberAlias || kind == ElementKind::booleanAlias ||
           kind == ElementKind::stringAlias || kind == ElementKind::shadowAlias;
}

std::optional<ProjectItemPayload> readPayload(ElementKind kind, pugi::xml_node element,
                                              const QuenzColorProject& project, bool generateNewIds, int depth) {
    switch (kind) {
        case ElementKind::none: return std::nullopt;
        case ElementKind::group: return readGroup(element, project, generateNewIds, depth);
        case ElementKind::color: return readColor(element);
        case ElementKind::alias: return readSetAlias<QuenzColorAlias>(element);
        case ElementKind::colorSet: return readColorSet(element);
        case ElementKind::number: return readNumber(element);
        case ElementKind::numberAlias: return readItemAlias<QuenzColorNumberAlias>(element);
        case ElementKind::boolean: return readBoolean(element);
        case ElementKind::booleanAlias: return readItemAlias<QuenzColorBooleanAlias>(element);
        case ElementKind::string: return readString(element);
        case ElementKind::stringAlias: return readItemAlias<QuenzColorStringAlias>(element);
        case ElementKind::shadow: return readShadow(element);
        case ElementKind::shadowSet: return readShadowSet(element);
        case ElementKind::shadowAlias: return readSetAlias<QuenzColorShadowAlias>(element);
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

}  // namespace

ProjectItemPtr readItemElement(pugi::xml_node element, const QuenzColorProject& project, bool generateNewIds,
                               int depth) {
    const ElementKind kind = elementKind(element.name());
    if (kind == ElementKind::none) return nullptr;
    auto payload = readPayload(kind, element, project, generateNewIds, depth);
    if (!payload) return nullptr;

    std::string uuid;
    if (isAlias(kind) || generateNewIds) {
        uuid = makeUuid();
    } else {
        const auto stored = childText(element, "id");
        uuid = stored ? std::string(*stored) : makeUuid();
    }
    auto item = std::make_shared<QuenzColorProjectItem>(std::move(uuid), childTextOr(element, "name"),
                                                        std::move(*payload));
    if (kind == ElementKind::group && childTextIs(element, "expanded", "1")) item->setExpanded(true);
    if (const auto buildGroupId = childText(element, "buildGroupId")) {
        item->setBuildGroup(groupWithId(project.buildGroups(), *buildGroupId));
    }
    if (const auto testGroupId = childText(element, "testGroupId")) {
        item->setTestGroup(groupWithId(project.testGroups(), *testGroupId));
        const auto position = childText(element, "testPosition");
        item->setTestPosition(position ? testPositionFromRawString(*position).value_or(TestPosition::both)
                                       : TestPosition::both);
    }
    return item;
}

}  // namespace vantorel::format
