#pragma once
// FigmaImporter: every solid color a Figma design file (".fig") uses as a node's color or
// background color. The file is a ZIP archive whose "canvas.fig" entry holds a Kiwi schema and
// a Kiwi message, each compressed (figma/ has the reader). Colors are in Display P3 when the
// document's color profile says so, else in sRGB; each is named "Color", and each distinct
// color is imported once, in the order first met, so that the import holds one swatch per
// color the design uses.

#include <cstddef>
#include <string_view>

#include "Vantorel/import/ColorImporter.h"
#include "Vantorel/import/figma/FigmaChunks.h"

namespace vantorel::import {

class FigmaImporter final : public ColorImporter {
public:
    std::optional<ImportError> importFile(const std::filesystem::path& file, QuenzColorGroup& group) override;
    // The same for a file's bytes. No chunk or entry may inflate past `inflatedLimit` bytes.
    static std::optional<ImportError> importBytes(std::string_view file, QuenzColorGroup& group,
                                                  std::size_t inflatedLimit = figma::maxInflatedChunk);
    // The same for the bytes of the archive's "canvas.fig" entry.
    static std::optional<ImportError> importCanvas(std::string_view canvas, QuenzColorGroup& group,
                                                   std::size_t inflatedLimit = figma::maxInflatedChunk);
};

}  // namespace vantorel::import
