#include "app/testing/FailingPairs.h"

#include "VantorelData/model/Appearance.h"
#include "app/ItemPresentation.h"

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

std::vector<ProjectItemPtr> testedItems(const QuenzColorProject& project, const std::string& groupName) {
    std::vector<ProjectItemPtr> items;
    for (const auto& group : project.testGroups()) {
        if (group->name() != groupName) continue;
        for (auto& item : project.itemsInTestGroup(*group)) items.push_back(std::move(item));
    }
    return items;
}

}  // namespace

std::vector<FailingPair> failingPairs(const QuenzColorProject& project, const std::vector<ColorTestGroupResult>& results) {
    std::vector<FailingPair> pairs;
    for (const auto& group : results) {
        const auto tested = testedItems(project, group.testGroupName);
        for (const auto& test : group.tests) {
            for (const auto& pair : test.testColors) {
                if (pair.passed) continue;
                FailingPair failing;
                failing.title = qText(pair.foregroundColorName) + QStringLiteral(" on ") + qText(pair.backgroundColorName) +
                                QStringLiteral(" · ") + qText(displayName(static_cast<ColorSource>(pair.source))) +
                                QStringLiteral(" · ") + qText(test.testSummaryName);
                failing.summary = qText(pair.testResultSummary);
                for (const std::string* name : {&pair.foregroundColorName, &pair.backgroundColorName}) {
                    if (const ProjectItemPtr item = itemForColor(tested, *name)) failing.itemUuids.push_back(item->uuid());
                }
                pairs.push_back(std::move(failing));
            }
        }
    }
    return pairs;
}

}  // namespace vantorel::app
