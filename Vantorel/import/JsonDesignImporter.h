#pragma once
// JsonDesignImporter: design-token JSON (the format our design-token exporter writes) into
// groups, colors, numbers, strings, booleans and shadows. After the tree is read, groups that
// hold only a run of 3 to 32 colors become color sets and groups of shadows become shadow
// sets; then top-level "light", "dark", "high contrast" and "dark high contrast" groups fold
// into the appearance variants of the light group's items.
//
// The documented reader accepts a color only as a value object, and only the types "color",
// "number" and "shadow". With `ImportOptions::lenient` it also reads token files as other
// tools write them: color values given as text (hex or any color text the color parser
// reads, and the color spaces "oklab", "oklch" and "hsl" in value objects), `$type` inherited
// from enclosing groups, "dimension" values ({"value": 4, "unit": "px"} or "4px") as numbers,
// and references ("{group.token}") as aliases of the item they name; keys that begin with "$"
// never become groups there.

#include <string_view>

#include "Vantorel/import/ColorImporter.h"

namespace vantorel::import {

class JsonDesignImporter final : public ColorImporter {
public:
    explicit JsonDesignImporter(ImportOptions options = {}) : options_(options) {}

    std::optional<ImportError> importFile(const std::filesystem::path& file, QuenzColorGroup& group) override;
    // The same for bytes already read: fails when they are not JSON.
    std::optional<ImportError> importText(std::string_view text, QuenzColorGroup& group) const;

private:
    ImportOptions options_;
};

}  // namespace vantorel::import
