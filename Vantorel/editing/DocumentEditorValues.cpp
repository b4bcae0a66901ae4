// Edits of the values of selected items and of ramps: assigning a color space, sorting a ramp's
// colors and naming its steps.

#include "Vantorel/editing/DocumentEditor.h"

#include "Vantorel/editing/SelectionManager.h"

namespace vantorel {
namespace {

void reinterpret(quenz::ColorValue& color, quenz::RGBSpace space) { color.space = space; }
void reinterpret(ShadowDetails& shadow, quenz::RGBSpace space) { shadow.color.space = space; }

// Every variant keeps its components and is read in `space` from now on.
template <class Value>
Value reinterpreted(Value value, quenz::RGBSpace space) {
    for (ColorSource source : allColorSources) {
        if (auto variant = value.variant(source)) {
            reinterpret(*variant, space);
            value.setVariant(std::move(variant), source);
        }
    }
    return value;
}

template <class Value>
std::vector<Value> reinterpreted(std::vector<Value> values, quenz::RGBSpace space) {
    for (Value& value : values) value = reinterpreted(std::move(value), space);
    return values;
}

// Assigns the space to one item; false when the item holds no colors or nothing changes.
bool assignTo(const QuenzColorProjectItem& item, quenz::ColorSpace colorSpace) {
    const quenz::RGBSpace space = quenz::rgbSpaceFor(colorSpace);
    std::shared_ptr<QuenzColoredItem> colored;
    bool changed = false;
    if (const auto color = item.color()) {
        colored = color;
        auto value = reinterpreted(color->color(), space);
        changed = !(value == color->color());
        color->setColor(std::move(value));
    } else if (const auto set = item.colorSet()) {
        colored = set;
        auto steps = reinterpreted(set->colors(), space);
        changed = steps != set->colors();
        set->setColors(std::move(steps));
    } else if (const auto shadow = item.shadow()) {
        colored = shadow;
        auto value = reinterpreted(shadow->shadow(), space);
        changed = !(value == shadow->shadow());
        shadow->setShadow(std::move(value));
    } else if (const auto shadows = item.shadowSet()) {
        colored = shadows;
        auto steps = reinterpreted(shadows->shadows(), space);
        changed = steps != shadows->shadows();
        shadows->setShadows(std::move(steps));
    } else {
        return false;
    }
    if (colored->colorSpace() != colorSpace) {
        // The components are already those of the new space: no conversion.
        colored->setIgnoreColorspaceChange(true);
        colored->setColorSpace(colorSpace);
        colored->setIgnoreColorspaceChange(false);
        changed = true;
    }
    return changed;
}

}  // namespace

bool QuenzColorDocumentEditor::assignColorSpace(UndoName name, quenz::ColorSpace space) {
    const auto document = document_.lock();
    if (!document) return false;
    std::vector<std::string> selected;
    for (const ProjectItemPtr& item : document->selectionManager().selectedItems()) selected.push_back(item->uuid());
    return edit(TransactionScope::items, name, [&](QuenzColorProject& project) {
        bool changed = false;
        for (const std::string& uuid : selected) {
            if (const ProjectItemPtr item = project.itemWithId(uuid)) changed = assignTo(*item, space) || changed;
        }
        return changed;
    });
}

bool QuenzColorDocumentEditor::assignSRGB() { return assignColorSpace(UndoName::assignSRGB, quenz::ColorSpace::sRGB); }

bool QuenzColorDocumentEditor::assignP3() { return assignColorSpace(UndoName::assignP3, quenz::ColorSpace::displayP3); }

bool QuenzColorDocumentEditor::sortRampColors(const std::string& setUuid, quenz::ColorSortKey key) {
    return editItem(setUuid, UndoName::sortRampColors, [&](QuenzColorProjectItem& item, QuenzColorProject&) {
        const auto set = item.colorSet();
        if (!set) return false;
        std::vector<ThemeableColor> steps = set->colors();
        // Steps are compared by the color they show in the light appearance.
        quenz::ColorSortHelper::sort(
            steps, key, [](const ThemeableColor& step) -> std::string_view { return step.name; },
            [](const ThemeableColor& step) { return step.lightVariant; });
        if (steps == set->colors()) return false;
        set->setColors(std::move(steps));
        return true;
    });
}

bool QuenzColorDocumentEditor::applyRampNaming(const std::string& setUuid, ColorNamingScheme scheme) {
    return editItem(setUuid, UndoName::applyRampNaming, [&](QuenzColorProjectItem& item, QuenzColorProject&) {
        const auto apply = [&](auto& set) {
            const auto before = set.stepValues();
            const bool schemeChanged = set.namingScheme() != scheme;
            set.setNamingScheme(scheme);
            set.applyNaming();
            return schemeChanged || set.stepValues() != before;
        };
        if (const auto set = item.colorSet()) return apply(*set);
        if (const auto set = item.shadowSet()) return apply(*set);
        return false;
    });
}

}  // namespace vantorel
