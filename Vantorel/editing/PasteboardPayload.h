#pragma once
// The pasteboard forms of copied project items. The items type carries each item as its
// element of the document format (with all children and values), printed, UTF-8 encoded,
// compressed with LZFSE and Base64 encoded inside a JSON array, in copy order; the plain-text
// form lists the items for other applications. Reading a payload treats it as foreign bytes:
// anything that is not a JSON array of Base64 texts gives no items, and single entries that do
// not decompress, parse or read are skipped.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "VantorelData/model/Project.h"

namespace vantorel::pasteboard {

// Where diagnostics for a support person go (the application's log); may be empty.
using Diagnostics = std::function<void(std::string_view message)>;

// The items type's payload: the JSON array text. Items that cannot be written or compressed
// are left out. None when the array cannot be encoded; `diagnostics` then hears "Failed to
// encode snippet data" and the reason.
std::optional<std::string> encodeItems(const std::vector<ProjectItemPtr>& items, const Diagnostics& diagnostics = {});

// The items of a payload, each with fresh identifiers throughout (so a paste never duplicates
// an identifier of the document). Build and test group assignments are looked up in `project`,
// the document the items go into; alias references are kept as written.
std::vector<ProjectItemPtr> readItems(std::string_view payload, const QuenzColorProject& project);

// The plain-text form: one line per item, "Name (Kind)" with the value of numbers, booleans
// and strings, children indented below their group.
std::string describeItems(const std::vector<ProjectItemPtr>& items);

}  // namespace vantorel::pasteboard
