#pragma once
// A project of groups nested one inside the other, far deeper than any recursion could go:
// reading, writing, copying and building it must walk the tree without recursing.

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "VantorelData/model/Model.h"

namespace vantorel::testing {

// Deeper than a recursive walk survives, with sanitizer-sized stack frames and without.
inline constexpr std::size_t deepNesting = 100000;

// Groups "G0" (outermost) to "G<depth - 1>", every other one providing a namespace; the innermost
// holds the color "Deep" (identifier "DEEP", assigned to the build group "Web"), and an alias
// "Top" beside the outermost group points at it.
inline std::shared_ptr<QuenzColorProject> nestedGroupsProject(std::size_t depth) {
    auto project = std::make_shared<QuenzColorProject>();
    auto web = std::make_shared<BuildGroup>("Web");
    project->setBuildGroups({web});
    ProjectItemPtr inner = QuenzColorProjectItem::make(
        "DEEP", "Deep",
        std::make_shared<QuenzColorItem>(ThemeableColor(quenz::ColorValue{quenz::RGBSpace::sRGB, 1, 0.5, 0, 1, 0})));
    inner->setBuildGroup(web);
    for (std::size_t level = depth; level-- > 0;) {
        const std::string name = "G" + std::to_string(level);
        inner = QuenzColorProjectItem::make(name, name,
                                            std::make_shared<QuenzColorGroup>(std::vector{inner}, level % 2 == 0));
    }
    AliasSetTargets targets;
    targets[0] = AliasSetType::item("DEEP");
    auto top = QuenzColorProjectItem::make("Top", std::make_shared<QuenzColorAlias>(targets));
    project->setItems({inner, top});
    project->linkReferences();
    return project;
}

// The innermost item under the first top-level item, and how many groups lead to it.
inline std::pair<ProjectItemPtr, std::size_t> innermost(const std::vector<ProjectItemPtr>& items) {
    ProjectItemPtr item = items.empty() ? nullptr : items.front();
    std::size_t groups = 0;
    while (item && item->isGroup() && !item->group()->items().empty()) {
        ++groups;
        item = item->group()->items().front();
    }
    return {item, groups};
}

}  // namespace vantorel::testing
