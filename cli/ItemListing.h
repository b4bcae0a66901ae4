#pragma once
// Items as the commands list them: one line per item with its kind, name, light value,
// appearance and assignments (sets with their steps, groups with their children), or the same
// as JSON data.

#include <nlohmann/json.hpp>

#include <iosfwd>
#include <string>
#include <vector>

#include "VantorelData/model/Project.h"

namespace vantorel::cli {

// A number as the document file writes it.
std::string numberText(double value);

// `project` names the targets of aliases.
nlohmann::json itemJSON(const QuenzColorProject& project, const QuenzColorProjectItem& item);
// Writes `document`, a JSON object with an empty "items" list, as indented JSON text (as
// `platform::jsonOutputText` gives it) with the entries of `items` and everything below them in
// that list. Written without recursion; levels past the 32nd keep the indentation of the 32nd.
void writeItemTreeJSON(std::ostream& out, const nlohmann::json& document, const QuenzColorProject& project,
                       const std::vector<ProjectItemPtr>& items);
// Prints the items and everything below them as an indented tree, one line per item, with the
// light value, appearance, namespace, build and test groups; a set's steps follow it.
void printItemTree(std::ostream& out, const QuenzColorProject& project, const std::vector<ProjectItemPtr>& items);

}  // namespace vantorel::cli
