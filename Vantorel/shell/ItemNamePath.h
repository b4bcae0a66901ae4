#pragma once
// Naming an item by where it sits: its enclosing groups' names and its own name joined by "/",
// such as "Brand/Primary". A "/" inside a name is written "\/" and a backslash "\\". Names need
// not be unique, so a path can name several items; lookups give every match in tree order.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "VantorelData/model/Project.h"

namespace vantorel::shell {

// The names of a path; none when it is empty or ends in a lone backslash.
std::optional<std::vector<std::string>> parseItemNamePath(std::string_view text);

// Every item whose own name and enclosing groups' names are `names` (from the top level down),
// in tree order.
std::vector<ProjectItemPtr> itemsAtNamePath(const QuenzColorProject& project, const std::vector<std::string>& names);

}  // namespace vantorel::shell
