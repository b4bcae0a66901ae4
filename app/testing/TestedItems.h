#pragma once
// The document's items behind the colors of a test group's results, so that choosing a tested
// pair selects what has to change. A tested color is named after its item, or "Set-Step" for a
// step of a color set (or of the set a color alias names).

#include <string>
#include <vector>

#include "Vantorel/testing/TestColorResult.h"
#include "VantorelData/model/Project.h"

namespace vantorel::app {

class TestedItems {
public:
    // The items assigned to the test groups named `groupName`.
    TestedItems(const QuenzColorProject& project, const std::string& groupName);
    // The foreground's item, then the background's, each when it is still in the document.
    std::vector<std::string> itemUuids(const TestColorResult& pair) const;

private:
    std::vector<ProjectItemPtr> items_;
};

}  // namespace vantorel::app
