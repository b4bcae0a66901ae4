#pragma once
// The steps of the design-token reader after the JSON tree is read, shared by its files:
// runs of colors and shadows into sets, mode groups into appearance variants, and (lenient
// reading) references into aliases.

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "QuenzColorUtils/ColorValue.h"
#include "VantorelData/model/Model.h"

namespace vantorel::import::tokens {

// A token that names another ("{group.token}"), read as a placeholder item that the
// references step replaces by an alias, or leaves in place (a string of the reference's text)
// when the name cannot be resolved.
struct PendingReference {
    ProjectItemPtr placeholder;
    std::vector<std::string> path;       // the placeholder's own key path from the root
    std::vector<std::string> reference;  // the path it names
    std::string declaredType;            // "$type" as read (maybe inherited), or ""
};

// The color of a `$value` object as the documented reader reads it; none when it is not one.
// `lenient` adds the spaces "oklab", "oklch" and "hsl" and components given as "none".
std::optional<quenz::ColorValue> colorFromValueObject(const nlohmann::json& value, bool lenient);
// "4px" → 4: every "px" removed, the rest read as a decimal number; 0 when it is not one.
double pixelsFromText(std::string text);
// A dimension: a number, {"value": 4, "unit": "px"} or text such as "4px" or "1.5rem".
std::optional<double> dimensionValue(const nlohmann::json& value);
// The path a reference names: "{a.b}" → {"a", "b"}; none when the text is not a reference.
std::optional<std::vector<std::string>> referencePath(const nlohmann::json& value);

// Replaces every group of 3 to 32 colors by a color set and every group of two or more
// shadows by a shadow set, at any depth.
void convertRunsToSets(QuenzColorGroup& group);
// Folds the top-level mode groups into variants of the "light" group's items.
void foldModeGroups(QuenzColorGroup& importGroup);
// Turns the placeholders into aliases of the items they name.
void resolveReferences(QuenzColorGroup& importGroup, const std::vector<PendingReference>& references);

}  // namespace vantorel::import::tokens
