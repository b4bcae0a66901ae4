#include "app/testing/TestedItems.h"

namespace vantorel::app {
namespace {

// The item a tested color comes from: an item of that name, else the set whose steps are named
// after it. Names are the user's, so two items may share one: the first in document order wins.
ProjectItemPtr itemForColor(const std::vector<ProjectItemPtr>& tested, const std::string& colorName) {
    for (const auto& item : tested) {
        if (item->name() == colorName) return item;
    }
    ProjectItemPtr longest;
    for (const auto& item : tested) {
        const std::string prefix = item->name() + "-";
        if (colorName.starts_with(prefix) && (!longest || item->name().size() > longest->name().size())) longest = item;
    }
    return longest;
}

}  // namespace

TestedItems::TestedItems(const QuenzColorProject& project, const std::string& groupName) {
    for (const auto& group : project.testGroups()) {
        if (group->name() != groupName) continue;
        for (auto& item : project.itemsInTestGroup(*group)) items_.push_back(std::move(item));
    }
}

std::vector<std::string> TestedItems::itemUuids(const TestColorResult& pair) const {
    std::vector<std::string> uuids;
    for (const std::string* name : {&pair.foregroundColorName, &pair.backgroundColorName}) {
        if (const ProjectItemPtr item = itemForColor(items_, *name)) uuids.push_back(item->uuid());
    }
    return uuids;
}

}  // namespace vantorel::app
