#pragma once
// Shared pieces of the document lifecycle tests: a scratch folder that removes itself, whole
// file reads and writes, and small projects.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/FileContents.h"
#include "tests/support/ItemTreeText.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/SmallProjects.h"

namespace vantorel::shell::testing {

using vantorel::testing::ScratchFolder;

using vantorel::testing::fileContents;
using vantorel::testing::writeFileContents;

inline ProjectItemPtr colorNamed(const std::string& name, double red = 0.25) {
    return vantorel::testing::srgbColorItem(name, red, 0.5, 0.75);
}
using vantorel::testing::groupOf;

// The bytes of a document holding `items` and `description`.
inline std::string documentBytes(std::vector<ProjectItemPtr> items, const std::string& description = {}) {
    QuenzColorProject project;
    project.setItems(std::move(items));
    project.setProjectDescription(description);
    return vantorel::testing::documentBytes(project);
}

using vantorel::testing::treeText;

}  // namespace vantorel::shell::testing
