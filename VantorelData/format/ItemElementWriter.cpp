#include "VantorelData/format/ItemElements.h"
#include "VantorelData/format/NumberText.h"
#include "VantorelData/format/ValueElements.h"
#include "VantorelData/model/ItemTreeWalk.h"

namespace vantorel::format {
namespace {

struct ReferenceElements {
    const char* identifier;
    const char* index;
};

// Per appearance, in the order they are written: light, light high contrast, dark, dark high
// contrast.
constexpr ColorSource referenceOrder[] = {ColorSource::light, ColorSource::lightHighContrast, ColorSource::dark,
                                          ColorSource::darkHighContrast};
constexpr ReferenceElements referenceElements[] = {
    {"referencedItemId", "subIndex"},
    {"referencedItemIdLightHighContrast", "subIndexLightHighContrast"},
    {"referencedItemIdDark", "subIndexDark"},
    {"referencedItemIdDarkHighContrast", "subIndexDarkHighContrast"},
};
// The alias type elements; the light one is always written.
constexpr const char* typeElements[] = {"type", "typeLightHighContrast", "typeDark", "typeDarkHighContrast"};

void leaf(XmlSink& sink, const char* name, const Identifier& identifier) {
    const Identifier::Text text = identifier.text();
    sink.leaf(name, text);
}

int typeCode(const AliasSetType& target) {
    switch (target.kind) {
        case AliasSetType::Kind::item: return 1;
        case AliasSetType::Kind::set: return 2;
        case AliasSetType::Kind::setItem: return 3;
        case AliasSetType::Kind::notSet: return 4;
    }
    return 4;
}

int typeCode(const ItemAliasType& target) { return target.kind == ItemAliasType::Kind::item ? 2 : 1; }

void writeReference(XmlSink& sink, const ReferenceElements& names, const AliasSetType& target) {
    if (!target.isSet()) return;
    leaf(sink, names.identifier, target.uuid);
    if (target.kind == AliasSetType::Kind::setItem) sink.leaf(names.index, integerText(target.index).view());
}

void writeReference(XmlSink& sink, const ReferenceElements& names, const ItemAliasType& target) {
    if (target.isSet()) leaf(sink, names.identifier, target.uuid);
}

template <class Target>
void writeAlias(XmlSink& sink, const QuenzAliasBase<Target>& alias) {
    for (std::size_t i = 0; i < 4; ++i) {
        const Target& target = alias.target(referenceOrder[i]);
        if (i == 0 || target.isSet()) sink.leaf(typeElements[i], integerText(typeCode(target)).view());
    }
    writeValueItemBlocks(sink, alias);
    for (std::size_t i = 0; i < 4; ++i) writeReference(sink, referenceElements[i], alias.target(referenceOrder[i]));
}

void writeIdentity(XmlSink& sink, const QuenzColorProjectItem& item) {
    leaf(sink, "id", item.uuid());
    sink.leaf("name", item.name());
}

// `profile`, `format`, then the appearance and deprecation blocks of a colored item.
void writeColoredHeader(XmlSink& sink, const QuenzColoredItem& colored) {
    sink.leaf("profile", profileText(colored.colorSpace()));
    sink.leaf("format", integerText(static_cast<int>(colored.colorFormat())).view());
    writeValueItemBlocks(sink, colored);
}

void writeOptionalMeasured(XmlSink& sink, const char* name, std::optional<double> value) {
    if (!value) return;
    const auto text = measuredNumberText(*value);
    sink.leaf(name, text ? text->view() : std::string_view{});
}

void writeAssignments(XmlSink& sink, const QuenzColorProjectItem& item) {
    if (const auto& group = item.buildGroup()) sink.leaf("buildGroupId", group->uuid());
    if (const auto& group = item.testGroup()) {
        sink.leaf("testGroupId", group->uuid());
        sink.leaf("testPosition", rawString(item.testPosition()));
    }
}

// The kind's element name and content (for a group, its fields up to the children); false for
// an item without payload.
bool writeContent(XmlSink& sink, const QuenzColorProjectItem& item) {
    switch (item.itemType()) {
        case ProjectItemType::color: {
            const auto* color = item.payloadIf<QuenzColorItem>();
            if (!color) return false;
            sink.open("colorItem");
            writeIdentity(sink, item);
            writeColoredHeader(sink, *color);
            writeColorValue(sink, color->color());
            return true;
        }
        case ProjectItemType::colorSet: {
            const auto* set = item.payloadIf<QuenzColorSet>();
            if (!set) return false;
            sink.open("colorSet");
            writeIdentity(sink, item);
            writeColoredHeader(sink, *set);
            writeSetBlock(sink, set->steps(), set->parameters());
            sink.open("colors");
            for (const auto& step : set->colors()) writeColorValue(sink, step);
            sink.close();
            return true;
        }
        case ProjectItemType::group: {
            const auto* group = item.payloadIf<QuenzColorGroup>();
            if (!group) return false;
            sink.open("group");
            writeIdentity(sink, item);
            if (item.isExpanded()) sink.leaf("expanded", "1");
            if (group->providesNamespace()) sink.leaf("namespace", "1");
            return true;  // the children follow, written by the tree walk
        }
        case ProjectItemType::colorAlias: {
            const auto* alias = item.payloadIf<QuenzColorAlias>();
            if (!alias) return false;
            sink.open("alias");
            sink.leaf("name", item.name());
            writeAlias(sink, *alias);
            return true;
        }
        case ProjectItemType::number: {
            const auto* number = item.payloadIf<QuenzColorNumber>();
            if (!number) return false;
            sink.open("numberItem");
            writeIdentity(sink, item);
            writeNumberValue(sink, number->value());
            writeOptionalMeasured(sink, "min", number->minValue());
            writeOptionalMeasured(sink, "max", number->maxValue());
            if (const auto steps = number->steps()) sink.leaf("steps", integerText(*steps).view());
            writeValueItemBlocks(sink, *number);
            return true;
        }
        case ProjectItemType::numberAlias: {
            const auto* alias = item.payloadIf<QuenzColorNumberAlias>();
            if (!alias) return false;
            sink.open("numberAlias");
            sink.leaf("name", item.name());
            writeAlias(sink, *alias);
            return true;
        }
        case ProjectItemType::boolean: {
            const auto* boolean = item.payloadIf<QuenzColorBoolean>();
            if (!boolean) return false;
            sink.open("booleanItem");
            writeIdentity(sink, item);
            writeBooleanValue(sink, boolean->value());
            writeValueItemBlocks(sink, *boolean);
            return true;
        }
        case ProjectItemType::booleanAlias: {
            const auto* alias = item.payloadIf<QuenzColorBooleanAlias>();
            if (!alias) return false;
            sink.open("booleanAlias");
            sink.leaf("name", item.name());
            writeAlias(sink, *alias);
            return true;
        }
        case ProjectItemType::string: {
            const auto* string = item.payloadIf<QuenzColorString>();
            if (!string) return false;
            sink.open("stringItem");
            writeIdentity(sink, item);
            writeStringValue(sink, string->value());
            writeValueItemBlocks(sink, *string);
            return true;
        }
        case ProjectItemType::stringAlias: {
            const auto* alias = item.payloadIf<QuenzColorStringAlias>();
            if (!alias) return false;
            sink.open("stringAlias");
            sink.leaf("name", item.name());
            writeAlias(sink, *alias);
            return true;
        }
        case ProjectItemType::shadow: {
            const auto* shadow = item.payloadIf<QuenzColorShadow>();
            if (!shadow) return false;
            sink.open("shadowItem");
            writeIdentity(sink, item);
            writeColoredHeader(sink, *shadow);
            writeShadowValue(sink, shadow->shadow());
            return true;
        }
        case ProjectItemType::shadowSet: {
            const auto* set = item.payloadIf<QuenzColorShadowSet>();
            if (!set) return false;
            sink.open("shadowSet");
            writeIdentity(sink, item);
            writeColoredHeader(sink, *set);
            writeSetBlock(sink, set->steps(), set->parameters());
            sink.open("shadows");
            for (const auto& step : set->shadows()) writeShadowValue(sink, step);
            sink.close();
            return true;
        }
        case ProjectItemType::shadowAlias: {
            const auto* alias = item.payloadIf<QuenzColorShadowAlias>();
            if (!alias) return false;
            sink.open("shadowAlias");
            sink.leaf("name", item.name());
            writeAlias(sink, *alias);
            return true;
        }
    }
    return false;
}

}  // namespace

bool writeItemElement(XmlSink& sink, const QuenzColorProjectItem& item) {
    if (!writeContent(sink, item)) return false;
    if (const auto* group = item.payloadIf<QuenzColorGroup>()) {
        const bool walked = walkItemTree(
            group->items(),
            [&](const ProjectItemPtr& child) {
                if (!writeContent(sink, *child)) return WalkStep::stop;
                if (!child->isGroup()) {
                    writeAssignments(sink, *child);
                    sink.close();
                }
                return WalkStep::descend;
            },
            [&](const ProjectItemPtr& finished) {
                writeAssignments(sink, *finished);
                sink.close();
            });
        if (!walked) return false;
    }
    writeAssignments(sink, item);
    sink.close();
    return true;
}

}  // namespace vantorel::format
