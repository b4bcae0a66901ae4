#pragma once
// The value of one item, appearance by appearance, as a reviewer reads it: colors as hex swatches
// with their distance in OKLab, numbers, texts, shadows, set steps and alias targets.

#include <optional>
#include <vector>

#include "Vantorel/compare/DocumentDiff.h"
#include "Vantorel/compare/DocumentIndex.h"

namespace vantorel::compare {

// True for the fields that hold an item's value or its alias targets; the others are compared as text.
bool isValueField(std::string_view fieldName);

// For the fields that together name an alias target (type, reference, step index), the
// appearance they serve (0 light to 3 dark high contrast); none for any other field.
std::optional<std::size_t> aliasTargetAppearance(std::string_view fieldName);

// Appends one change per appearance (and per set step) whose value differs between two items of
// the same kind; alias targets are named by their paths in each document.
void appendValueChanges(const Entry& before, const DocumentIndex& beforeDocument, const Entry& after,
                        const DocumentIndex& afterDocument, const std::string& path, std::vector<Change>& changes);

}  // namespace vantorel::compare
