#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "QuenzColorUtils/ColorFormatPrintf.h"

namespace quenz {
namespace {

std::string cPrintf(const char* format, double value, int precision = 6) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, precision, value);
    return buffer;
}

TEST(ColorFormatPrintf, GeneralNotationMatchesPrintfInTheCLocale) {
    const double values[] = {0,      0.5,     1,        -1,     0.00001, 0.0001,  0.1234567, 1234567,
                             100000, 999999,  999999.5, 1e6,    1e-5,    -0.0,    127.5,     62.800000000000004,
                             1e300,  -2.5e-7, 0.3,      1.0 / 3, 255,     0.999999, 0.9999995, 123456.5};
    for (double value : values) {
        EXPECT_EQ(printfG(value), cPrintf("%.*g", value)) << value;
        // The same writer serves every precision up to six digits.
        for (int significant = 1; significant <= 6; ++significant) {
            NumberText text;
            text.appendGeneral(value, significant);
            EXPECT_EQ(text.view(), cPrintf("%.*g", value, significant)) << value << " " << significant;
        }
    }
}

// A number is begun only where every byte its writer may touch is free: near the end the
// text is marked full and nothing is written past it.
TEST(ColorFormatPrintf, NumberTextNeverWritesPastItsEnd) {
    for (std::size_t used = NumberText::capacity - 20; used <= NumberText::capacity; ++used) {
        NumberText text;
        text.append(std::string(used, 'x'));
        text.appendGeneral(-1.23457e+308);
        text.appendRoundedWholeG(-123456, 3);
        EXPECT_LE(text.size(), NumberText::capacity);
        // The first number takes 13 bytes; each needs 16 free to begin.
        EXPECT_EQ(text.full(), used + 13 + 16 > NumberText::capacity) << used;
    }
    // A stretch for a whole form is granted only with room for its pieces and every number.
    for (std::size_t used = NumberText::capacity - 40; used <= NumberText::capacity; ++used) {
        NumberText text;
        text.append(std::string(used, 'x'));
        const bool fits = used + 3 + 2 * 16 <= NumberText::capacity;
        {
            auto form = text.reserve(3, 2);
            ASSERT_EQ(static_cast<bool>(form), fits) << used;
            if (form) {
                form.append('(');
                form.appendGeneral(-1.23457e+308);
                form.append(' ');
                form.appendUnsigned(4294967295u);
                form.append(')');
            }
        }
        EXPECT_EQ(text.full(), !fits) << used;
        EXPECT_EQ(text.view().substr(used), fits ? "(-1.23457e+308 4294967295)" : "") << used;
    }
}

TEST(ColorFormatPrintf, PlaceholdersOfTheColorForms) {
    struct Case {
        std::string format;
        std::vector<PrintfValue> values;
        std::string expected;
    };
    auto r = PrintfValue::ofReal;
    auto i = PrintfValue::ofInteger;
    const Case cases[] = {
        {"#%02X%02X%02X", {i(255), i(128), i(0), i(255)}, "#FF8000"},
        {"%02X", {i(5)}, "05"},
        {"%02X", {i(300)}, "12C"},
        {"hsl(%u %u%% %u%% / %g)", {i(30), i(100), i(50), r(0.25)}, "hsl(30 100% 50% / 0.25)"},
        {"%g %g %g", {r(0.5), r(1), r(0.00001)}, "0.5 1 1e-05"},
        {"%gf", {r(-0.25)}, "-0.25f"},
        // Surplus values are ignored; a placeholder without a value writes nothing.
        {"%g", {r(1), r(2)}, "1"},
        {"a%gb%gc", {r(1)}, "a1bc"},
        // Integer placeholders round real values half away from zero, and the other way round.
        {"%u %02X %d", {r(2.5), r(15.5), r(-2.5)}, "3 10 -3"},
        {"%g", {i(7)}, "7"},
        // Text a user may type into a prefix or suffix.
        {"100%% %", {}, "100% %"},
        {"(%q)", {r(1)}, "(%q)"},
        {"%5.2f|%-6g|%+g|%08.3f", {r(3.14159), r(0.5), r(2), r(-1.5)}, " 3.14|0.5   |+2|-001.500"},
        {"%e %E %G", {r(12345.678), r(0.5), r(1e-10)}, "1.234568e+04 5.000000E-01 1E-10"},
        {"%#x %o %x", {i(255), i(8), i(3054)}, "0xff 10 bee"},
        {"%.3d|%s|%@", {i(7), r(0.5), i(9)}, "007|0.5|9"},
        {"%*d|%.*f", {i(4), i(42), i(2), r(1.005)}, "  42|1.00"},
        {"%lld %hhu %zu", {i(1), i(2), i(3)}, "1 2 3"},
        {"%g %g", {r(std::numeric_limits<double>::infinity()), r(-std::numeric_limits<double>::infinity())}, "inf -inf"},
        {"%999999999999d", {i(1)}, std::string(4095, ' ') + "1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(printfFormat(c.format, c.values), c.expected) << c.format;
    }
}

TEST(ColorFormatPrintf, IgnoresTheDecimalCommaOfTheUserLocale) {
    const char* commaLocales[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8"};
    const char* chosen = nullptr;
    for (const char* name : commaLocales) {
        if (std::setlocale(LC_NUMERIC, name)) {
            chosen = name;
            break;
        }
    }
    if (!chosen) GTEST_SKIP() << "no locale with a decimal comma is installed";
    std::string written = printfG(0.5);
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(written, "0.5") << chosen;
}

}  // namespace
}  // namespace quenz
