// Setters of color sets and shadow sets. Automatic sets regenerate their steps after every
// change of what the steps are interpolated from; manual sets grow or shrink to their count.

#include "Vantorel/editing/DocumentEditor.h"

namespace vantorel {
namespace {

using ColorSetBase = QuenzSetBase<ThemeableColor>;
using ShadowSetBase = QuenzSetBase<ThemeableShadow>;

// Runs `change` on whichever set the item holds.
template <class Change>
bool onEitherSet(ColorSetBase* colors, ShadowSetBase* shadows, Change change) {
    if (colors) return change(*colors);
    if (shadows) return change(*shadows);
    return false;
}

template <class Set>
void regenerateIfAutomatic(Set& set) {
    if (set.type() != SetType::manual && set.steps() >= 2) set.regenerate();
}

// One appearance of one step; an automatic set then regenerates from its anchors.
template <class Set, class Value>
bool changeStepVariant(Set* set, std::size_t step, const Value& value, ColorSource source) {
    if (!set || step >= set->stepValues().size()) return false;
    auto steps = set->stepValues();
    if (steps[step].variant(source) == value) return false;
    steps[step].setVariant(value, source);
    set->setStepValues(std::move(steps));
    regenerateIfAutomatic(*set);
    return true;
}

}  // namespace

bool QuenzColorDocumentEditor::editSet(
    const std::string& setUuid, UndoName name,
    const std::function<bool(QuenzSetBase<ThemeableColor>*, QuenzSetBase<ThemeableShadow>*)>& change) {
    return editItem(setUuid, name, [&](QuenzColorProjectItem& item, QuenzColorProject&) {
        ColorSetBase* colors = item.colorSet().get();
        ShadowSetBase* shadows = item.shadowSet().get();
        return (colors || shadows) && change(colors, shadows);
    });
}

bool QuenzColorDocumentEditor::changeSetColor(const std::string& setUuid, std::size_t step,
                                              const quenz::ColorValue& color, ColorSource source) {
    return editSet(setUuid, UndoName::changeColor, [&](ColorSetBase* colors, ShadowSetBase*) {
        return changeStepVariant(colors, step, color, source);
    });
}

namespace {
// The step name of a shadow's edit: the first field that differs.
UndoName shadowChangeName(const ShadowDetails& from, const ShadowDetails& to) {
    if (from.xOffset != to.xOffset) return UndoName::changeShadowX;
    if (from.yOffset != to.yOffset) return UndoName::changeShadowY;
    if (from.blur != to.blur) return UndoName::changeShadowBlur;
    if (from.spread != to.spread) return UndoName::changeShadowSpread;
    return UndoName::changeColor;
}
}  // namespace

bool QuenzColorDocumentEditor::changeSetShadow(const std::string& setUuid, std::size_t step,
                                               const ShadowDetails& details, ColorSource source) {
    const auto document = document_.lock();
    const ProjectItemPtr item = document ? document->project()->itemWithId(setUuid) : nullptr;
    const auto shadowSet = item ? item->shadowSet() : nullptr;
    if (!shadowSet || step >= shadowSet->stepValues().size()) return false;
    const ShadowDetails current = shadowSet->stepValues()[step].value(source);
    if (shadowSet->stepValues()[step].variant(source) == details) return false;
    return editSet(setUuid, shadowChangeName(current, details), [&](ColorSetBase*, ShadowSetBase* shadows) {
        return changeStepVariant(shadows, step, details, source);
    });
}

bool QuenzColorDocumentEditor::changeStepName(const std::string& setUuid, std::size_t step, std::string name) {
    return editSet(setUuid, UndoName::changeName, [&](ColorSetBase* colors, ShadowSetBase* shadows) {
        return onEitherSet(colors, shadows, [&](auto& set) {
            auto steps = set.stepValues();
            if (step >= steps.size() || steps[step].name == name) return false;
            steps[step].name = name;
            set.setStepValues(std::move(steps));
            return true;
        });
    });
}

bool QuenzColorDocumentEditor::changeStepCount(const std::string& setUuid, int steps) {
    return editSet(setUuid, UndoName::changeStepCount, [&](ColorSetBase* colors, ShadowSetBase* shadows) {
        return onEitherSet(colors, shadows, [&](auto& set) {
            // Automatic sets interpolate between two ends and cannot have fewer than two steps.
            const int count = set.type() == SetType::manual ? std::max(steps, 0) : std::max(steps, 2);
            if (set.steps() == count) return false;
            set.setSteps(count);
            set.updateStepCount();
            return true;
        });
    });
}

bool QuenzColorDocumentEditor::changeInterpolationMethod(const std::string& setUuid, InterpolationMethod method) {
    return editSet(setUuid, UndoName::changeInterpolationMethod, [&](ColorSetBase* colors, ShadowSetBase* shadows) {
        return onEitherSet(colors, shadows, [&](auto& set) {
            if (set.interpolationMethod() == method) return false;
            set.setInterpolationMethod(method);
            regenerateIfAutomatic(set);
            return true;
        });
    });
}

bool QuenzColorDocumentEditor::changeCurveType(const std::string& setUuid, CurveType curve) {
    return editSet(setUuid, UndoName::changeCurveType, [&](ColorSetBase* colors, ShadowSetBase* shadows) {
        return onEitherSet(colors, shadows, [&](auto& set) {
            if (set.curveType() == curve) return false;
            set.setCurveType(curve);
            regenerateIfAutomatic(set);
            return true;
        });
    });
}

bool QuenzColorDocumentEditor::changeCurveAmount(const std::string& setUuid, double amount) {
    return editSet(setUuid, UndoName::changeCurveAmount, [&](ColorSetBase* colors, ShadowSetBase* shadows) {
        return onEitherSet(colors, shadows, [&](auto& set) {
            if (set.curveAmount() == amount) return false;
            set.setCurveAmount(amount);
            regenerateIfAutomatic(set);
            return true;
        });
    });
}

bool QuenzColorDocumentEditor::changeNamingScheme(const std::string& setUuid, ColorNamingScheme scheme) {
    return editSet(setUuid, UndoName::changeNamingScheme, [&](ColorSetBase* colors, ShadowSetBase* shadows) {
        return onEitherSet(colors, shadows, [&](auto& set) {
            if (set.namingScheme() == scheme) return false;
            set.setNamingScheme(scheme);
            // Generated steps take their names from the scheme; hand-named steps keep theirs.
            if (scheme != ColorNamingScheme::manual) set.applyNaming();
            return true;
        });
    });
}

bool QuenzColorDocumentEditor::changeMiddleColor(const std::string& setUuid, double middleLocation) {
    return editSet(setUuid, UndoName::changeMiddleColor, [&](ColorSetBase* colors, ShadowSetBase* shadows) {
        return onEitherSet(colors, shadows, [&](auto& set) {
            if (set.middleLocation() == middleLocation) return false;
            set.setMiddleLocation(middleLocation);
            return true;
        });
    });
}

bool QuenzColorDocumentEditor::changeSetType(const std::string& setUuid, SetType type) {
    return editSet(setUuid, UndoName::changeSetType, [&](ColorSetBase* colors, ShadowSetBase* shadows) {
        return onEitherSet(colors, shadows, [&](auto& set) {
            if (set.type() == type) return false;
            set.setType(type);
            if (type != SetType::manual && set.steps() < 2) set.setSteps(2);
            set.updateStepCount();
            return true;
        });
    });
}

}  // namespace vantorel
