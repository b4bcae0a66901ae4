#pragma once
// SketchImporter: the colors of a Sketch document (a ZIP archive of JSON files): the shared
// swatches of "document.json" ("Swatch" when unnamed), then, page by page and layer by layer
// depth first, each layer's fills, borders, shadows, inner shadows and text colors, named after
// the layer ("Color" when unnamed). A gradient fill or border becomes one color set named after
// the layer, its stops named "Color 1", "Color 2", …. Every color is read in the document's
// space (1 sRGB, 2 Display P3; any other imports nothing). Equal records (same kind, name and
// colors) are imported once. Hidden layers, and the layers inside them, give no colors: they
// are leftovers, not part of the design.
//
// A missing or damaged page fails the import with a message that names the page, so that a
// half-read document is never mistaken for the whole.

#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Vantorel/import/ColorImporter.h"
#include "Vantorel/import/ImportedColor.h"
#include "Vantorel/import/ZipArchiveReader.h"

namespace vantorel::import {

class SketchImporter final : public ColorImporter {
public:
    using EntryReader = std::function<ZipArchiveReader::Entry(const std::string& name)>;

    std::optional<ImportError> importFile(const std::filesystem::path& file, QuenzColorGroup& group) override;
    // The same for the bytes of an archive already read.
    static std::optional<ImportError> importArchive(std::string_view bytes, QuenzColorGroup& group);
    // The records of a document whose archive entries `read` gives, or why there are none.
    static std::variant<std::vector<ImportedColor>, ImportError> readColors(const EntryReader& read);
};

}  // namespace vantorel::import
