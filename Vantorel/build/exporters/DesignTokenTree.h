#pragma once
// The design tokens of a set of items, one tree per appearance: nested objects named after the
// enclosing groups, leaves that carry "$type" and "$value". The document is the light tree
// alone when no other appearance has a value, otherwise an object of the appearance trees
// that have one ("Light", "Dark", "High Contrast", "Dark High Contrast").

#include <nlohmann/json.hpp>

#include <array>
#include <string>
#include <vector>

#include "Vantorel/build/CodeNames.h"
#include "VantorelData/model/BuildTask.h"
#include "VantorelData/model/Project.h"

namespace vantorel::build {

class DesignTokenTree {
public:
    // Names follow the task's transform, prefix and suffix; aliases resolve through `project`.
    DesignTokenTree(const QuenzColorProject& project, const BuildTask& task);

    // Inserts the item's tokens (a group's: its children's) into every appearance tree, under
    // the names of all groups that enclose it in the project. A later token with the same
    // path and key replaces an earlier one.
    void insert(const QuenzColorProjectItem& item);

    // The JSON document of the trees; numbers are doubles, to be written in "%.4g" form.
    nlohmann::json document() const;

private:
    void insert(const QuenzColorProjectItem& item, const std::vector<std::string>& path);
    void insertValue(const QuenzColorProjectItem& item, const std::vector<std::string>& path);
    void store(std::size_t tree, const std::vector<std::string>& path, const std::string& key, nlohmann::json token);
    std::string tokenKey(std::string_view name) const;

    const QuenzColorProject& project_;
    const BuildTask& task_;
    NamespacePaths groupPaths_;  // every group's name, not only those providing a namespace
    std::array<nlohmann::json, 4> trees_;
};

}  // namespace vantorel::build
