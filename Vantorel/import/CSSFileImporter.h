#pragma once
// CSSFileImporter: the colors written in CSS and SCSS files, and in the style elements and
// style attributes of HTML files (read with an HTML parser; the whole text is searched when
// that fails), as color items (see StyleSheetColors.h). Colors whose names differ only in a
// trailing number ("brand-100" … "brand-900") become one color set per stem when there are 3
// to 32 of them.

#include <string_view>

#include "Vantorel/import/ColorImporter.h"

namespace vantorel::import {

class CSSFileImporter final : public ColorImporter {
public:
    std::optional<ImportError> importFile(const std::filesystem::path& file, QuenzColorGroup& group) override;
    // The same for text already read; `html` reads it as an HTML page.
    static void importText(std::string_view text, bool html, QuenzColorGroup& group);
};

// Replaces each run of 3 to 32 colors named stem + number by one color set named after the
// stem (one trailing "-" removed), its steps in ascending number order, placed where the
// run's first color was.
void groupNumberedColors(QuenzColorGroup& group);

}  // namespace vantorel::import
