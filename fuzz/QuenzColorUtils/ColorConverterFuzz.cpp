// Any text given to the color parser: whatever it reads must write in every format without
// crashing, and what the writer produces, without the suffix it adds to a clipped color, must read
// back as the same format and space. The color() reader of every CSS space must not crash either.
// Input: one byte choosing the preferred format, the requested space and space detection, then
// the text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>
#include <string_view>

#include "QuenzColorUtils/ColorConverter.h"
#include "QuenzColorUtils/ColorOperations.h"

namespace {

using namespace quenz;

// Exponent notation and non-finite numbers are the writer's documented exceptions.
bool readsBackByPromise(std::string_view text) {
    if (text.find("nan") != std::string_view::npos || text.find("inf") != std::string_view::npos) return false;
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        bool digitBefore = text[i - 1] >= '0' && text[i - 1] <= '9';
        if (digitBefore && text[i] == 'e' && (text[i + 1] == '+' || text[i + 1] == '-')) return false;
    }
    return true;
}

[[noreturn]] void failWith(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::uint8_t choice = data[0];
    auto preferred = allColorFormats[choice % std::size(allColorFormats)];
    auto requested = allColorSpaces[(choice / 18) % std::size(allColorSpaces)];
    bool detect = (choice & 0x80) != 0;
    std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    if (auto function = ColorConverter::parseCSSColorFunction(text)) {
        if (!rgbSpaceFromCSSColorIdentifier(function->identifier)) failWith("a color() space importers do not know");
    }

    auto parsed = ColorConverter::parseColor(text, preferred, requested, detect);
    if (!parsed.color) return 0;
    if (!parsed.detectedFormat || !parsed.detectedColorSpace) failWith("a color without its format and space");

    ColorConverterOptions options;
    options.roundedTo = 4;
    options.p3Prefix = "p3: ";
    options.suffixWhenClipped = " /* clipped */";
    const std::string suffix = *options.suffixWhenClipped;
    for (ColorFormat format : allColorFormats) {
        ColorSpace space = fitSpace(*parsed.detectedColorSpace, format);
        auto prepared = convert(*parsed.color, rgbSpaceFor(space));
        auto written = ColorConverter::formatColor(prepared.value_or(*parsed.color), format, space, options);
        if (!written.colorString || !readsBackByPromise(*written.colorString)) continue;

        // The suffix is a note for people; the hex form reads bare digits only.
        std::string_view form = *written.colorString;
        if (written.clipped && form.ends_with(suffix)) form.remove_suffix(suffix.size());
        auto again = ColorConverter::parseColor(form, format, space, false);
        if (again.detectedFormat != format || again.detectedColorSpace != space) {
            failWith("'" + std::string(form) + "' does not read back as " + std::string(caseName(format)));
        }
    }
    return 0;
}
