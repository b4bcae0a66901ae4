#pragma once
// The test behind the item list's filter field: does an item match the user's search text?

#include <string_view>

#include "VantorelData/model/ProjectItem.h"

namespace vantorel {

// True when the text is empty, when the item's name contains it (case-insensitive, by the
// rules of the user's locale), when a color or shadow set has a step whose name contains it,
// or when a group has an item that matches.
bool matchesSearch(const QuenzColorProjectItem& item, std::string_view searchText);

}  // namespace vantorel
