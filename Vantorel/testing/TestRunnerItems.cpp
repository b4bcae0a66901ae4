#include "Vantorel/testing/TestRunnerItems.h"

namespace vantorel {
namespace {

TestedItem testedItem(std::string name, TestPosition position, const ThemeableColor& color) {
    TestedItem item{std::move(name), position, {}};
    // Every appearance reads the way all consumers read it: a missing variant shows light.
    for (ColorSource source : allColorSources) item.colors[static_cast<std::size_t>(source)] = color.value(source);
    return item;
}

std::string stepName(const std::string& owner, const std::string& step) { return owner + "-" + step; }

// The alias's color for one step of the set it names as a whole. Each appearance follows its
// own target: a whole set gives that set's step, anything else the value it names; variants
// fall back as an alias's resolved color does.
ThemeableColor aliasStepColor(const QuenzColorAlias& alias, int step) {
    auto targetValue = [&](ColorSource source) -> std::optional<ThemeableColor> {
        ProjectItemPtr target = alias.referencedItem(source);
        std::optional<int> index = alias.referencedSetIndex(source);
        if (target && target->itemType() == ProjectItemType::colorSet && !index) index = step;
        return colorTargetValue(target, index);
    };
    ThemeableColor color;
    if (auto light = targetValue(ColorSource::light)) color.lightVariant = light->lightVariant;
    for (ColorSource source : {ColorSource::lightHighContrast, ColorSource::dark, ColorSource::darkHighContrast}) {
        if (auto value = targetValue(source)) color.setVariant(value->value(source), source);
    }
    return color;
}

// The set a color alias names as a whole for light, whose steps it contributes; null when the
// alias names a single color or step, or nothing that resolves to colors.
QuenzColorSetPtr aliasedWholeSet(const QuenzColorAlias& alias) {
    if (alias.aliasType().kind != AliasSetType::Kind::set) return nullptr;
    ProjectItemPtr target = alias.referencedItem(ColorSource::light);
    if (!target || target->itemType() != ProjectItemType::colorSet) return nullptr;
    return target->colorSet();
}

void expandInto(std::vector<TestedItem>& tested, const QuenzColorProjectItem& item) {
    switch (item.itemType()) {
        case ProjectItemType::color:
            tested.push_back(testedItem(item.name(), item.testPosition(), item.color()->color()));
            return;
        case ProjectItemType::colorSet:
            for (const auto& step : item.colorSet()->colors()) {
                tested.push_back(testedItem(stepName(item.name(), step.name), item.testPosition(), step));
            }
            return;
        case ProjectItemType::colorAlias: {
            const auto& alias = *item.colorAlias();
            auto set = aliasedWholeSet(alias);
            if (!set) {
                // An alias of one color or one step is tested as the color it shows; one whose
                // light target is gone shows no color of its own and is left out.
                if (colorTargetValue(alias.referencedItem(ColorSource::light),
                                     alias.referencedSetIndex(ColorSource::light))) {
                    tested.push_back(testedItem(item.name(), item.testPosition(), alias.resolvedColor()));
                }
                return;
            }
            const auto& steps = set->colors();
            for (std::size_t i = 0; i < steps.size(); ++i) {
                tested.push_back(testedItem(stepName(item.name(), steps[i].name), item.testPosition(),
                                            aliasStepColor(alias, static_cast<int>(i))));
            }
            return;
        }
        default:
            return;
    }
}

}  // namespace

std::vector<TestedItem> expandTestedItems(const std::vector<ProjectItemPtr>& items) {
    std::vector<TestedItem> tested;
    for (const auto& item : items) {
        if (item) expandInto(tested, *item);
    }
    return tested;
}

std::vector<TestedItem> testedItemsOfGroup(const QuenzColorProject& project, const TestGroup& group) {
    return expandTestedItems(project.itemsInTestGroup(group));
}

}  // namespace vantorel
