// One setter per editable property of an item, each recorded under its own step name.

#include "Vantorel/editing/DocumentEditor.h"

#include <type_traits>

namespace vantorel {
namespace {

template <class Payload>
std::shared_ptr<Payload> payloadAs(const QuenzColorProjectItem& item) {
    if constexpr (std::is_same_v<Payload, QuenzColorGroup>) {
        return item.group();
    } else {
        return std::dynamic_pointer_cast<Payload>(item.valueItem());
    }
}

// Sets a value through `set` when it differs from what `get` reads; whether it did.
template <class Object, class Value, class Get, class Set>
bool assign(Object& object, const Value& value, Get get, Set set) {
    if ((object.*get)() == value) return false;
    (object.*set)(value);
    return true;
}

// Sets regenerate their automatic steps when the appearance they interpolate changes.
void refreshSetSteps(const QuenzColorProjectItem& item) {
    if (const auto set = item.colorSet(); set && set->type() != SetType::manual) set->regenerate();
    if (const auto set = item.shadowSet(); set && set->type() != SetType::manual) set->regenerate();
}

}  // namespace

bool QuenzColorDocumentEditor::editItem(const std::string& itemUuid, UndoName name, const ItemChange& change) {
    return edit(TransactionScope::items, name, [&](QuenzColorProject& project) {
        const ProjectItemPtr item = project.itemWithId(itemUuid);
        return item && change(*item, project);
    });
}

template <class Payload>
bool QuenzColorDocumentEditor::editPayload(const std::string& itemUuid, UndoName name,
                                           const std::function<bool(Payload&)>& change) {
    return editItem(itemUuid, name, [&](QuenzColorProjectItem& item, QuenzColorProject&) {
        const std::shared_ptr<Payload> payload = payloadAs<Payload>(item);
        return payload && change(*payload);
    });
}

bool QuenzColorDocumentEditor::changeName(const std::string& itemUuid, std::string name) {
    return editItem(itemUuid, UndoName::changeName, [&](QuenzColorProjectItem& item, QuenzColorProject&) {
        return assign(item, name, &QuenzColorProjectItem::name, &QuenzColorProjectItem::setName);
    });
}

bool QuenzColorDocumentEditor::changeBuildGroup(const std::string& itemUuid,
                                                const std::optional<std::string>& buildGroupUuid) {
    return editItem(itemUuid, UndoName::changeBuildGroup, [&](QuenzColorProjectItem& item, QuenzColorProject& project) {
        BuildGroupPtr group;
        if (buildGroupUuid) {
            for (const BuildGroupPtr& candidate : project.buildGroups()) {
                if (candidate && candidate->uuid() == *buildGroupUuid) {
                    group = candidate;
                    break;
                }
            }
            if (!group) return false;
        }
        if (item.buildGroup() == group) return false;
        item.setBuildGroup(group);
        return true;
    });
}

bool QuenzColorDocumentEditor::changeTestGroup(const std::string& itemUuid,
                                               const std::optional<std::string>& testGroupUuid) {
    return editItem(itemUuid, UndoName::changeTestGroup, [&](QuenzColorProjectItem& item, QuenzColorProject& project) {
        TestGroupPtr group;
        if (testGroupUuid) {
            for (const TestGroupPtr& candidate : project.testGroups()) {
                if (candidate && candidate->uuid() == *testGroupUuid) {
                    group = candidate;
                    break;
                }
            }
            if (!group) return false;
        }
        if (item.testGroup() == group) return false;
        item.setTestGroup(group);
        // Outside a test group an item has no role; documents do not keep one.
        if (!group) item.setTestPosition(TestPosition::both);
        return true;
    });
}

bool QuenzColorDocumentEditor::changeTestPosition(const std::string& itemUuid, TestPosition position) {
    return editItem(itemUuid, UndoName::changeTestPosition, [&](QuenzColorProjectItem& item, QuenzColorProject&) {
        return assign(item, position, &QuenzColorProjectItem::testPosition, &QuenzColorProjectItem::setTestPosition);
    });
}

bool QuenzColorDocumentEditor::changeProvidesNamespace(const std::string& groupUuid, bool provides) {
    return editPayload<QuenzColorGroup>(groupUuid, UndoName::changeProvidesNamespace, [&](QuenzColorGroup& group) {
        return assign(group, provides, &QuenzColorGroup::providesNamespace, &QuenzColorGroup::setProvidesNamespace);
    });
}

bool QuenzColorDocumentEditor::changeAppearanceType(const std::string& itemUuid, AppearanceType type) {
    return editItem(itemUuid, UndoName::changeAppearanceType, [&](QuenzColorProjectItem& item, QuenzColorProject&) {
        const auto value = item.valueItem();
        if (!value || !assign(*value, type, &QuenzValueItem::appearanceType, &QuenzValueItem::setAppearanceType)) {
            return false;
        }
        refreshSetSteps(item);
        return true;
    });
}

bool QuenzColorDocumentEditor::changeAutoContrastAmount(const std::string& itemUuid, double amount) {
    return editItem(itemUuid, UndoName::changeAppearanceType, [&](QuenzColorProjectItem& item, QuenzColorProject&) {
        const auto value = item.valueItem();
        if (!value ||
            !assign(*value, amount, &QuenzValueItem::autoContrastAmount, &QuenzValueItem::setAutoContrastAmount)) {
            return false;
        }
        refreshSetSteps(item);
        return true;
    });
}

bool QuenzColorDocumentEditor::changeDeprecated(const std::string& itemUuid, bool deprecated) {
    return editPayload<QuenzValueItem>(itemUuid, UndoName::changeDeprecated, [&](QuenzValueItem& value) {
        return assign(value, deprecated, &QuenzValueItem::deprecated, &QuenzValueItem::setDeprecated);
    });
}

bool QuenzColorDocumentEditor::changeDeprecatedReason(const std::string& itemUuid, std::optional<std::string> reason) {
    return editPayload<QuenzValueItem>(itemUuid, UndoName::changeDeprecatedReason, [&](QuenzValueItem& value) {
        return assign(value, reason, &QuenzValueItem::deprecatedReason, &QuenzValueItem::setDeprecatedReason);
    });
}

bool QuenzColorDocumentEditor::changeColor(const std::string& itemUuid, const quenz::ColorValue& color,
                                           ColorSource source) {
    return editItem(itemUuid, UndoName::changeColor, [&](QuenzColorProjectItem& item, QuenzColorProject&) {
        if (const auto colorItem = item.color()) {
            if (colorItem->color().variant(source) == color) return false;
            colorItem->setColor(color, source);
            return true;
        }
        if (const auto shadow = item.shadow()) {
            ShadowDetails details = shadow->shadow().value(source);
            if (shadow->shadow().variant(source) && details.color == color) return false;
            details.color = color;
            shadow->setShadow(details, source);
            return true;
        }
        return false;
    });
}

bool QuenzColorDocumentEditor::changeColorSpace(const std::string& itemUuid, quenz::ColorSpace space) {
    return editPayload<QuenzColoredItem>(itemUuid, UndoName::changeColorSpace, [&](QuenzColoredItem& item) {
        return assign(item, space, &QuenzColoredItem::colorSpace, &QuenzColoredItem::setColorSpace);
    });
}

bool QuenzColorDocumentEditor::changeColorFormat(const std::string& itemUuid, quenz::ColorFormat format) {
    return editPayload<QuenzColoredItem>(itemUuid, UndoName::changeColorSpace, [&](QuenzColoredItem& item) {
        return assign(item, format, &QuenzColoredItem::colorFormat, &QuenzColoredItem::setColorFormat);
    });
}

bool QuenzColorDocumentEditor::changeAliasLink(const std::string& aliasUuid, ColorSource source, AliasSetType target) {
    return editItem(aliasUuid, UndoName::changeAliasLink, [&](QuenzColorProjectItem& item, QuenzColorProject& project) {
        std::shared_ptr<QuenzSetAliasBase> alias = item.colorAlias();
        if (!alias) alias = item.shadowAlias();
        if (!alias || alias->target(source) == target) return false;
        alias->setTarget(target, source);
        const ResolvedAliasTarget resolved = project.resolveAliasTarget(target);
        alias->setReference(source, resolved.item, resolved.index);
        return true;
    });
}

bool QuenzColorDocumentEditor::changeAliasLink(const std::string& aliasUuid, ColorSource source, ItemAliasType target) {
    return editItem(aliasUuid, UndoName::changeAliasLink, [&](QuenzColorProjectItem& item, QuenzColorProject& project) {
        std::shared_ptr<QuenzItemAliasBase> alias = item.numberAlias();
        if (!alias) alias = item.booleanAlias();
        if (!alias) alias = item.stringAlias();
        if (!alias || alias->target(source) == target) return false;
        alias->setTarget(target, source);
        alias->setReference(source, project.resolveAliasTarget(target));
        return true;
    });
}

namespace {
template <class Plain, class V>
bool setVariant(Plain& item, const V& value, ColorSource source) {
    if (item.value().variant(source) == value) return false;
    item.setValue(value, source);
    return true;
}
}  // namespace

bool QuenzColorDocumentEditor::changeNumberValue(const std::string& itemUuid, double value, ColorSource source) {
    return editPayload<QuenzColorNumber>(itemUuid, UndoName::changeNumberValue,
                                         [&](QuenzColorNumber& number) { return setVariant(number, value, source); });
}

bool QuenzColorDocumentEditor::changeNumberMin(const std::string& itemUuid, std::optional<double> value) {
    return editPayload<QuenzColorNumber>(itemUuid, UndoName::changeNumberMin, [&](QuenzColorNumber& number) {
        return assign(number, value, &QuenzColorNumber::minValue, &QuenzColorNumber::setMinValue);
    });
}

bool QuenzColorDocumentEditor::changeNumberMax(const std::string& itemUuid, std::optional<double> value) {
    return editPayload<QuenzColorNumber>(itemUuid, UndoName::changeNumberMax, [&](QuenzColorNumber& number) {
        return assign(number, value, &QuenzColorNumber::maxValue, &QuenzColorNumber::setMaxValue);
    });
}

bool QuenzColorDocumentEditor::changeNumberSteps(const std::string& itemUuid, std::optional<int> steps) {
    return editPayload<QuenzColorNumber>(itemUuid, UndoName::changeNumberSteps, [&](QuenzColorNumber& number) {
        return assign(number, steps, &QuenzColorNumber::steps, &QuenzColorNumber::setSteps);
    });
}

bool QuenzColorDocumentEditor::changeBooleanValue(const std::string& itemUuid, bool value, ColorSource source) {
    return editPayload<QuenzColorBoolean>(itemUuid, UndoName::changeBooleanValue,
                                          [&](QuenzColorBoolean& item) { return setVariant(item, value, source); });
}

// Step names have no case for string values; a string is a value like a number is.
bool QuenzColorDocumentEditor::changeStringValue(const std::string& itemUuid, std::string value, ColorSource source) {
    return editPayload<QuenzColorString>(itemUuid, UndoName::changeNumberValue,
                                         [&](QuenzColorString& item) { return setVariant(item, value, source); });
}

bool QuenzColorDocumentEditor::changeShadowDetail(const std::string& itemUuid, UndoName name, ColorSource source,
                                                  const std::function<bool(ShadowDetails&)>& change) {
    return editPayload<QuenzColorShadow>(itemUuid, name, [&](QuenzColorShadow& shadow) {
        ShadowDetails details = shadow.shadow().value(source);
        if (!change(details)) return false;
        shadow.setShadow(details, source);
        return true;
    });
}

namespace {
std::function<bool(ShadowDetails&)> setDetail(double ShadowDetails::*field, double value) {
    return [field, value](ShadowDetails& details) {
        if (details.*field == value) return false;
        details.*field = value;
        return true;
    };
}
}  // namespace

bool QuenzColorDocumentEditor::changeShadowX(const std::string& itemUuid, double value, ColorSource source) {
    return changeShadowDetail(itemUuid, UndoName::changeShadowX, source, setDetail(&ShadowDetails::xOffset, value));
}

bool QuenzColorDocumentEditor::changeShadowY(const std::string& itemUuid, double value, ColorSource source) {
    return changeShadowDetail(itemUuid, UndoName::changeShadowY, source, setDetail(&ShadowDetails::yOffset, value));
}

bool QuenzColorDocumentEditor::changeShadowBlur(const std::string& itemUuid, double value, ColorSource source) {
    return changeShadowDetail(itemUuid, UndoName::changeShadowBlur, source, setDetail(&ShadowDetails::blur, value));
}

bool QuenzColorDocumentEditor::changeShadowSpread(const std::string& itemUuid, double value, ColorSource source) {
    return changeShadowDetail(itemUuid, UndoName::changeShadowSpread, source, setDetail(&ShadowDetails::spread, value));
}

}  // namespace vantorel
