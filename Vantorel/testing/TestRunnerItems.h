#pragma once
// The colors a test group measures. Items assigned to the group are expanded into named
// colors: a color as it is, each step of a color set as "Set-Step", each step of the set a
// color alias names as a whole as "Alias-Step", and an alias of a single color or step as the
// color it shows. Other kinds of item, and aliases that show no color, measure nothing.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "QuenzColorUtils/ColorValue.h"
#include "VantorelData/model/Project.h"

namespace vantorel {

struct TestedItem {
    std::string name;
    TestPosition position = TestPosition::both;
    // The color in each appearance, indexed by ColorSource; none where there is no color.
    std::array<std::optional<quenz::ColorValue>, 4> colors;

    const std::optional<quenz::ColorValue>& color(ColorSource source) const {
        return colors[static_cast<std::size_t>(source)];
    }
    bool isForeground() const { return position != TestPosition::background; }
    bool isBackground() const { return position != TestPosition::foreground; }
};

// The expansion of the given items, in their order.
std::vector<TestedItem> expandTestedItems(const std::vector<ProjectItemPtr>& items);

// The expansion of the items assigned to the group, in the project's depth-first order.
std::vector<TestedItem> testedItemsOfGroup(const QuenzColorProject& project, const TestGroup& group);

}  // namespace vantorel
