#pragma once
// The shape of an item tree as one line, for comparing trees in assertions.

#include <string>
#include <vector>

#include "VantorelData/model/Project.h"

namespace vantorel::testing {

// "A,B[c,d],E": names of the tree, a group's children in brackets.
inline std::string treeText(const std::vector<ProjectItemPtr>& items) {
    std::string text;
    for (const ProjectItemPtr& item : items) {
        if (!text.empty()) text += ",";
        text += item->name();
        if (const auto group = item->group()) text += "[" + treeText(group->items()) + "]";
    }
    return text;
}

inline std::string treeText(const QuenzColorProject& project) { return treeText(project.items()); }

}  // namespace vantorel::testing
