#pragma once
// Three-way merge of documents by identifier and by field: changes made on one side are taken,
// the same change made on both sides is taken once, additions from both sides keep their places.
// A field changed differently on both sides keeps our value and is listed as a conflict; the
// result is always a complete document, never one with conflict markers.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantorel::compare {

struct MergeConflict {
    std::string path;      // the item path, or the group's (and task's) name
    std::string property;  // the field ("color", "name", "position", "item" for a deletion against a change)
    std::string base;
    std::string ours;
    std::string theirs;
};

struct MergeResult {
    std::string bytes;  // the merged document
    std::vector<MergeConflict> conflicts;
    std::optional<std::string> error;  // an input that is not a document, or a result that cannot be written
};

MergeResult mergeDocuments(std::string_view base, std::string_view ours, std::string_view theirs);

}  // namespace vantorel::compare
