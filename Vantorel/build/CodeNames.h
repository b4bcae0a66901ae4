#pragma once
// Code names: the identifiers exports give items, built from the item's name, the names of the
// groups that provide a namespace, the task's name transform and its prefix and suffix. Also the
// small text helpers several exporters share.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantorel::build {

// Mirrors BuildNameTransform of the task records (same order and codes).
enum class NameTransform { none, camelCase, pascalCase, snakeCase, kebabCase };

// Applies one case style to one piece of text.
std::string transform(std::string_view text, NameTransform nameTransform);

// Joins the transformed namespace names and item name, then adds prefix and suffix (untransformed;
// empty counts as absent).
std::string codeName(std::string_view itemName, NameTransform nameTransform,
                     const std::optional<std::string>& prefix, const std::optional<std::string>& suffix,
                     const std::vector<std::string>& namespacePath);

// Keeps letters, numbers and "_"; a result that starts with a number gets fallbackPrefix.
std::string codeSafe(std::string_view text, std::string_view fallbackPrefix);

// "Brand/primary" → "BrandPrimary": drops each "/" and upper-cases the character after it.
std::string joinSlashedName(std::string_view text);

// Decimal text with 0…4 (or 0…1) fraction digits in the user's locale, no grouping.
std::string shortNumberText(double value);
std::string oneDecimalNumberText(double value);

}  // namespace vantorel::build
