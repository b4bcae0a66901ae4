// Any bytes as a style sheet and as an HTML page: the searches never crash, and every color
// found is a finite color.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "Vantorel/import/CSSFileImporter.h"
#include "Vantorel/import/StyleSheetColors.h"

using namespace vantorel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    import::StyleSheetColors colors;
    colors.extract(text);
    for (const auto& record : colors.records()) {
        const quenz::ColorValue& color = record.colors.front().color();
        if (!std::isfinite(color.red) || !std::isfinite(color.green) || !std::isfinite(color.blue) ||
            !(color.alpha >= 0 && color.alpha <= 1)) {
            std::abort();
        }
    }
    QuenzColorGroup group;
    import::CSSFileImporter::importText(text, true, group);
    return 0;
}
