#pragma once
// What most importers produce: a list of colors read from a file, each to become one color
// item or one manual color set, and the one operation that turns that list into items.

#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "QuenzColorUtils/NamedColor.h"
#include "VantorelData/model/Model.h"

namespace vantorel::import {

enum class ImportedColorType { singleColor, set };

struct ImportedColor {
    std::vector<quenz::NamedColor> colors;  // in order; a single color uses the first
    std::optional<std::string> name;        // the set's name; ignored for a single color
    ImportedColorType type = ImportedColorType::singleColor;

    friend bool operator==(const ImportedColor&, const ImportedColor&) = default;
};

// Single-color records, each distinct pair of name and color once, in the order first added.
class DistinctColorRecords {
public:
    void add(std::string name, const quenz::ColorValue& color);
    const std::vector<ImportedColor>& records() const { return records_; }

private:
    std::vector<ImportedColor> records_;
    std::unordered_set<std::string> seen_;  // name and color bytes of every record
};

// Appends one item per record to `group`'s children, in order: a color item for each single
// color (records without a color are skipped), a manual color set for each set (named
// "Color Set" when the record has no name; a set without colors is still created). Every item
// gets a fresh identifier and shows the same color in every appearance.
void addImportedColors(const std::vector<ImportedColor>& records, QuenzColorGroup& group);

// A color item holding `color` in every appearance, authored in the color's own space.
ProjectItemPtr makeImportedColorItem(std::string name, const quenz::ColorValue& color);
// A manual color set of these steps, in order.
ProjectItemPtr makeImportedColorSet(std::string name, std::vector<ThemeableColor> steps);

}  // namespace vantorel::import
