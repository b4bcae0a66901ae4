#pragma once
// Code names: the identifiers exports give items, built from the item's name, the names of the
// groups that provide a namespace, the task's name transform and its prefix and suffix. Also the
// small text helpers several exporters share.

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "VantorelData/model/BuildOptions.h"
#include "VantorelData/model/BuildTask.h"
#include "VantorelData/model/Project.h"

namespace vantorel::build {

using NameTransform = BuildNameTransform;

// Applies one case style to one piece of text.
std::string transform(std::string_view text, NameTransform nameTransform);

// Joins the transformed namespace names and item name, then adds prefix and suffix (untransformed;
// empty counts as absent).
std::string codeName(std::string_view itemName, NameTransform nameTransform,
                     const std::optional<std::string>& prefix, const std::optional<std::string>& suffix,
                     const std::vector<std::string>& namespacePath);

// The same in two steps, for exporters that name many items under one group: the transformed,
// joined namespace names, made once per group, then each item's name under them.
std::string joinedNamespace(const std::vector<std::string>& namespacePath, NameTransform nameTransform);
std::string codeNameUnder(std::string joined, std::string_view itemName, NameTransform nameTransform,
                          const std::optional<std::string>& prefix, const std::optional<std::string>& suffix);

// The task's transform, prefix and suffix applied to an item name under its namespace path.
std::string codeName(std::string_view itemName, const BuildTask& task, const std::vector<std::string>& namespacePath);

// The names of the groups enclosing the item, outermost first: only those that provide a
// namespace, or all of them. Empty for a top-level item or one not in the project.
std::vector<std::string> namespacePath(const QuenzColorProject& project, const QuenzColorProjectItem& item,
                                       bool namespacesOnly);

// The namespace paths of every item in the project, from one walk; exporters that name
// thousands of items use this instead of asking item by item. Each item keeps only its nearest
// enclosing group that counts, so that deeply nested groups cost memory in their number, not
// in the square of their depth; a path is made when asked for.
class NamespacePaths {
public:
    NamespacePaths(const QuenzColorProject& project, bool namespacesOnly);

    // As `namespacePath` gives it.
    std::vector<std::string> pathOf(const QuenzColorProjectItem& item) const;
    // The nearest enclosing group that counts; items with the same one share a path.
    const QuenzColorProjectItem* enclosingGroup(const QuenzColorProjectItem& item) const;

private:
    const QuenzColorProjectItem* enclosingOf(const QuenzColorProjectItem* item) const;

    // Item to its nearest enclosing group that counts (null when none does), sorted by item:
    // one table for the whole project instead of a node per item.
    std::vector<std::pair<const QuenzColorProjectItem*, const QuenzColorProjectItem*>> enclosing_;
};
NamespacePaths allNamespacePaths(const QuenzColorProject& project, bool namespacesOnly);

// The code names of many items under one task, with namespaces from the groups that provide
// one: each group's joined namespace is made once for all its items.
class TaskCodeNames {
public:
    TaskCodeNames(const QuenzColorProject& project, const BuildTask& task);

    // As codeName(item.name(), task, namespacePath(item)) gives it.
    std::string of(const QuenzColorProjectItem& item);
    std::vector<std::string> namespacePath(const QuenzColorProjectItem& item) const { return paths_.pathOf(item); }

private:
    const BuildTask& task_;
    NamespacePaths paths_;
    std::unordered_map<const QuenzColorProjectItem*, std::string> joined_;
};

// Keeps letters, numbers and "_"; a result that starts with a number gets fallbackPrefix.
std::string codeSafe(std::string_view text, std::string_view fallbackPrefix);

// "Brand/primary" → "BrandPrimary": drops each "/" and upper-cases the character after it.
std::string joinSlashedName(std::string_view text);

// Decimal text with 0…4 (or 0…1) fraction digits in the user's locale, no grouping.
std::string shortNumberText(double value);
std::string oneDecimalNumberText(double value);

}  // namespace vantorel::build
