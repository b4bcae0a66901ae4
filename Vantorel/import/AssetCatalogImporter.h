#pragma once
// AssetCatalogImporter: the color sets of an asset catalog folder (".xcassets"). Every
// ".colorset" folder with a readable "Contents.json" becomes one color item named after the
// folder, holding its light, dark and high-contrast variants; folders between the catalog and
// its color sets become groups (only those that hold color sets), so that a catalog our
// exporter wrote from groups and color sets comes back in the same shape. A color set folder
// without a readable "Contents.json" is skipped.
//
// Components are read in every form catalogs are written in: decimals 0–1 ("0.5", or beyond
// for extended sRGB), integers 0–255 ("128") and hexadecimal bytes ("0x80"); alpha is always
// a decimal.

#include <optional>
#include <string_view>

#include "Vantorel/import/ColorImporter.h"

namespace vantorel::import {

class AssetCatalogImporter final : public ColorImporter {
public:
    std::optional<ImportError> importFile(const std::filesystem::path& folder, QuenzColorGroup& group) override;

    // The color of one color set's "Contents.json" with the appearance type its variants call
    // for; none when the text does not decode or holds no color.
    static ProjectItemPtr colorSetItem(std::string name, std::string_view contentsJson);
    // A component text as a number in 0–1 (beyond for extended values); none when it is no number.
    static std::optional<double> componentValue(std::string_view text, bool isAlpha);
};

}  // namespace vantorel::import
