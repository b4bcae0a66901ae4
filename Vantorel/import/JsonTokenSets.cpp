// Runs of colors and shadows into sets.

#include <algorithm>

#include "Vantorel/import/ImportedColor.h"
#include "Vantorel/import/JsonTokenTree.h"

namespace vantorel::import::tokens {
namespace {

constexpr std::size_t smallestColorRun = 3;
constexpr std::size_t largestColorRun = 32;
constexpr std::size_t smallestShadowRun = 2;

bool allOf(const std::vector<ProjectItemPtr>& items, ProjectItemType type) {
    return std::all_of(items.begin(), items.end(),
                       [&](const ProjectItemPtr& item) { return item->itemType() == type; });
}

// The children's deprecation when they all share it (the exporter marks every step of a
// deprecated set); otherwise none.
CommonValueFields sharedDeprecation(const std::vector<ProjectItemPtr>& items) {
    CommonValueFields common;
    const auto first = items.front()->valueItem();
    for (const ProjectItemPtr& item : items) {
        const auto value = item->valueItem();
        if (!value->deprecated() || value->deprecatedReason() != first->deprecatedReason()) return common;
    }
    common.deprecated = true;
    common.deprecatedReason = first->deprecatedReason();
    return common;
}

template <class Step>
Step namedStep(Step step, const std::string& name) {
    Step copy(step.lightVariant, step.lightVariantHighContrast(), step.darkVariant(),
              step.darkVariantHighContrast(), name);
    return copy;
}

ProjectItemPtr colorSetOf(const QuenzColorProjectItem& group) {
    const auto& children = group.group()->items();
    std::vector<ThemeableColor> steps;
    for (const ProjectItemPtr& child : children)
        steps.push_back(namedStep(child->color()->color(), child->name()));
    ProjectItemPtr set = makeImportedColorSet(group.name(), std::move(steps));
    const CommonValueFields common = sharedDeprecation(children);
    set->valueItem()->setDeprecated(common.deprecated);
    set->valueItem()->setDeprecatedReason(common.deprecatedReason);
    return set;
}

ProjectItemPtr shadowSetOf(const QuenzColorProjectItem& group) {
    const auto& children = group.group()->items();
    std::vector<ThemeableShadow> steps;
    for (const ProjectItemPtr& child : children)
        steps.push_back(namedStep(child->shadow()->shadow(), child->name()));
    SetParameters parameters;
    parameters.type = SetType::manual;
    parameters.namingScheme = ColorNamingScheme::manual;
    const int count = static_cast<int>(steps.size());
    auto set = std::make_shared<QuenzColorShadowSet>(std::move(steps), parameters, ColorPresentation{},
                                                     sharedDeprecation(children));
    set->setSteps(count);
    return QuenzColorProjectItem::make(group.name(), std::move(set));
}

}  // namespace

void convertRunsToSets(QuenzColorGroup& group) {
    std::vector<ProjectItemPtr> items = group.items();
    bool changed = false;
    for (ProjectItemPtr& item : items) {
        if (!item->isGroup()) continue;
        const auto& children = item->group()->items();
        const std::size_t count = children.size();
        if (count >= smallestColorRun && count <= largestColorRun &&
            allOf(children, ProjectItemType::color)) {
            item = colorSetOf(*item);
            changed = true;
        } else if (count >= smallestShadowRun && allOf(children, ProjectItemType::shadow)) {
            item = shadowSetOf(*item);
            changed = true;
        } else {
            convertRunsToSets(*item->group());
        }
    }
    if (changed) group.setItems(std::move(items));
}

}  // namespace vantorel::import::tokens
