#pragma once
// The field elements an item element may hold, whatever its kind: identity, presentation,
// appearance and deprecation, the value element, the set block, number ranges, group flags,
// alias targets and assignments. The item readers take them all in one pass
// (`ItemChildren`) and pick the ones of their kind.

#include <optional>

#include "VantorelData/format/ChildElements.h"
#include "VantorelData/model/SetBase.h"
#include "VantorelData/model/ValueItem.h"

namespace vantorel::format {

enum class ItemField {
    id, name, profile, format, appearance, autoContrast, deprecated, deprecatedReason,
    color, colors, shadow, shadows, number, boolean, string, min, max,
    steps, interpolation, curve, curveAmount, type, middle, naming,
    expanded, providesNamespace, buildGroupId, testGroupId, testPosition,
    typeLightHighContrast, typeDark, typeDarkHighContrast,
    referencedItemId, referencedItemIdLightHighContrast, referencedItemIdDark, referencedItemIdDarkHighContrast,
    subIndex, subIndexLightHighContrast, subIndexDark, subIndexDarkHighContrast,
    count
};

inline constexpr ElementNames<ItemField> itemFieldNames({{
    {ItemField::id, "id"},
    {ItemField::name, "name"},
    {ItemField::profile, "profile"},
    {ItemField::format, "format"},
    {ItemField::appearance, "appearance"},
    {ItemField::autoContrast, "autoContrast"},
    {ItemField::deprecated, "deprecated"},
    {ItemField::deprecatedReason, "deprecatedReason"},
    {ItemField::color, "color"},
    {ItemField::colors, "colors"},
    {ItemField::shadow, "shadow"},
    {ItemField::shadows, "shadows"},
    {ItemField::number, "number"},
    {ItemField::boolean, "boolean"},
    {ItemField::string, "string"},
    {ItemField::min, "min"},
    {ItemField::max, "max"},
    {ItemField::steps, "steps"},
    {ItemField::interpolation, "interpolation"},
    {ItemField::curve, "curve"},
    {ItemField::curveAmount, "curveAmount"},
    {ItemField::type, "type"},
    {ItemField::middle, "middle"},
    {ItemField::naming, "naming"},
    {ItemField::expanded, "expanded"},
    {ItemField::providesNamespace, "namespace"},
    {ItemField::buildGroupId, "buildGroupId"},
    {ItemField::testGroupId, "testGroupId"},
    {ItemField::testPosition, "testPosition"},
    {ItemField::typeLightHighContrast, "typeLightHighContrast"},
    {ItemField::typeDark, "typeDark"},
    {ItemField::typeDarkHighContrast, "typeDarkHighContrast"},
    {ItemField::referencedItemId, "referencedItemId"},
    {ItemField::referencedItemIdLightHighContrast, "referencedItemIdLightHighContrast"},
    {ItemField::referencedItemIdDark, "referencedItemIdDark"},
    {ItemField::referencedItemIdDarkHighContrast, "referencedItemIdDarkHighContrast"},
    {ItemField::subIndex, "subIndex"},
    {ItemField::subIndexLightHighContrast, "subIndexLightHighContrast"},
    {ItemField::subIndexDark, "subIndexDark"},
    {ItemField::subIndexDarkHighContrast, "subIndexDarkHighContrast"},
}});

template <class Element>
class ItemChildren : public ChildElements<ItemField, Element> {
public:
    explicit ItemChildren(Element itemElement) : ChildElements<ItemField, Element>(itemElement, itemFieldNames) {}
    ItemChildren() = default;
    void take(Element child) { ChildElements<ItemField, Element>::take(child, itemFieldNames); }
};

// The appearance and deprecation blocks, and the set block (none when `middle`,
// `interpolation`, `naming` or `type` cannot be read), from fields already taken.
template <class Element>
CommonValueFields readCommonFields(const ItemChildren<Element>& fields);
template <class Element>
std::optional<SetParameters> readSetBlock(const ItemChildren<Element>& fields);

}  // namespace vantorel::format
