// Every written form of a few hundred colors (edge values, random, out of gamut, with alpha,
// non-finite) in every format, space and a spread of options, checked byte for byte against the
// text the formatter wrote when the reference file was made. A faster writer must not change one
// byte of any exported file.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "QuenzColorUtils/ColorConverter.h"

namespace quenz {
namespace {

// The option sets the reference file numbers 0 to 6: places, P3 prefix, clipped suffix, force
// clip. Users may type printf placeholders into prefix and suffix; they are filled like the
// form's own, so set 4 carries some.
const std::array<ColorConverterOptions, 7> referenceOptions = {{
    {4, {}, {}, false},
    {3, "p3: ", " (clipped)", false},
    {0, {}, {}, true},
    {6, {}, {}, false},
    {2, "P3 %% ", " %g!", false},
    {17, {}, "*", true},
    {1, "p3: ", {}, false},
}};

double component(std::istringstream& fields) {
    std::string text;
    fields >> text;
    return std::strtod(text.c_str(), nullptr);  // C hex floats, "nan" and "inf" read exactly
}

TEST(ColorConverterReference, EveryFormWrittenAsBefore) {
    std::ifstream file(std::string(VANTOREL_TEST_DATA) + "/FormattedColors.txt");
    ASSERT_TRUE(file) << "reference file missing";
    ColorValue color;
    std::size_t checked = 0;
    std::size_t failures = 0;
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        if (line[0] == 'C') {
            std::string tag;
            int space = 0;
            fields >> tag >> space;
            color.space = static_cast<RGBSpace>(space);
            color.red = component(fields);
            color.green = component(fields);
            color.blue = component(fields);
            color.alpha = component(fields);
            color.cmykBlack = component(fields);
            continue;
        }
        int format = 0, space = 0, option = 0, clipped = 0;
        fields >> format >> space >> option >> clipped;
        std::string expected = line.substr(static_cast<std::size_t>(fields.tellg()) + 1);
        auto result = ColorConverter::formatColor(color, static_cast<ColorFormat>(format),
                                                  static_cast<ColorSpace>(space), referenceOptions.at(static_cast<std::size_t>(option)));
        const std::string written = result.colorString ? *result.colorString : "!";
        ++checked;
        if (written != expected || result.clipped != (clipped == 1)) {
            // Report a handful in full; one wrong digit usually repeats across thousands of lines.
            if (++failures <= 20) {
                ADD_FAILURE() << line << "\n  written: " << written << (result.clipped ? " (clipped)" : "");
            }
        }
    }
    EXPECT_EQ(failures, 0u);
    EXPECT_GT(checked, 15000u);
}

}  // namespace
}  // namespace quenz
