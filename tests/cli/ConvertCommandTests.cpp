#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "CliTestSupport.h"

using vantorel::cli::testing::runCli;

namespace {

bool hasLine(const std::string& out, const std::string& format, const std::string& value) {
    std::size_t start = 0;
    while (start < out.size()) {
        auto end = out.find('\n', start);
        std::string line = out.substr(start, end - start);
        if (line.starts_with(format + " ") && line.ends_with("  " + value)) return true;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return false;
}

TEST(ConvertCommand, ExitCodes) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string error;  // expected start of standard error, when set
    };
    const Case cases[] = {
        {{"convert", "#FF8000"}, 0, ""},
        {{"convert", "not a color"}, 2, "vantorel: cannot read a color from 'not a color'\n"},
        {{"convert", ""}, 2, ""},
        {{"convert"}, 2, ""},
        {{"convert", "#FF8000", "--to", "cmyk"}, 2, ""},
        {{"convert", "#FF8000", "--format", "HTMLRGB"},
         2,
         "vantorel: unknown color format 'HTMLRGB' (choose floatRGBA, "},
        {{"convert", "--random"}, 0, ""},
        {{"convert", "--random", "pastel", "--to", "displayP3"}, 0, ""},
        {{"convert", "--random", "sepia"}, 2, ""},
        {{"convert", "#FF8000", "--random"}, 2, ""},
    };
    for (const auto& c : cases) {
        auto result = runCli(c.args);
        EXPECT_EQ(result.exitCode, c.exitCode) << testing::PrintToString(c.args) << result.err;
        EXPECT_TRUE(result.err.starts_with(c.error)) << result.err;
    }
}

TEST(ConvertCommand, OrangeInSRGB) {
    auto result = runCli({"convert", "#FF8000", "--to", "sRGB"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    // The rows themselves are the quick-convert rows; here, that each is printed as name and value.
    EXPECT_TRUE(hasLine(result.out, "CSS Hex RGB", "#FF8000")) << result.out;
    EXPECT_EQ(result.out.find("\nHex RGB "), std::string::npos) << "hexRGB is left out";
    // The second column starts at the same place on every row.
    // The parsed color itself: 128/255 is 0.502, not the 0.5 that writes the same byte.
    std::size_t column = result.out.find("1 0.502 0 1");
    EXPECT_EQ(result.out.find("Float RGBA"), 0u);
    auto secondLine = result.out.find('\n') + 1;
    EXPECT_EQ(result.out.find("0.0837", secondLine) - secondLine, column);
}

TEST(ConvertCommand, SpacesAndFormats) {
    struct Case {
        std::vector<std::string> args;
        std::string format;
        std::string value;
    };
    const Case cases[] = {
        {{"convert", "#FF0000", "--to", "sRGBExtended"}, "CSS oklab()", "oklab(62.8% 0.2249 0.1258)"},
        // Converted into another gamut from the exact bytes.
        {{"convert", "#FF8000", "--to", "displayP3"}, "CSS Hex RGB", "p3: #EF8733"},
        {{"convert", "#FF8000", "--to", "displayP3"}, "CSS color()", "color(display-p3 0.9361 0.529 0.1987)"},
        {{"convert", "#FF8000", "--to", "sRGBExtended"}, "Float RGBA", "1 0.502 0 1"},
        {{"convert", "rgb(255 64 0 / 0.5)"}, "Float RGBA", "1 0.251 0 0.5"},
        {{"convert", "#FF8000", "--to", "oklch"}, "CSS oklch()", "oklch(73.2% 0.1858 53)"},
        // "p3" in the text makes Display P3 the space shown.
        {{"convert", "p3: #FF8000"}, "CSS color()", "color(display-p3 1 0.502 0)"},
        // A grey stays the same grey between Display P3 and sRGB.
        {{"convert", "color(display-p3 0.5 0.5 0.5)", "--to", "sRGB"}, "CSS Hex RGB", "#808080"},
        {{"convert", "#808080", "--to", "displayP3"}, "CSS Hex RGB", "p3: #808080"},
        {{"convert", "#808080", "--to", "displayP3"}, "Float HSVA", "p3: 0 0 0.502 1"},
        // color() of a space the parser reads (every such space is checked with the parser), shown
        // in the space asked for; sRGB Extended keeps what sRGB cannot hold.
        {{"convert", "color(srgb 1.2 0.5 0)", "--to", "sRGBExtended"}, "Float RGBA", "1.2 0.5 0 1"},
        {{"convert", "color(a98-rgb 0.5 1 0.5)", "--to", "sRGBExtended"}, "Float RGBA", "-0.3387 1 0.4663 1"},
        // Shown in Display P3 as it is, not clipped to sRGB on the way.
        {{"convert", "oklch(86.5% 0.29 145)", "--to", "displayP3"}, "CSS color()",
         "color(display-p3 0.4184 0.9872 0.3577)"},
        {{"convert", "color(srgb 1 0.5 0)"}, "CSS Hex RGB", "#FF8000"},
        {{"convert", "oklch(62.8% 0.2577 29.2)"}, "CSS Hex RGB", "#FF0001"},
        {{"convert", "0.5 1 1 1", "--format", "floatHSVA"}, "CSS Hex RGB", "#00FFFF"},
        {{"convert", "0.5 1 1 1"}, "CSS Hex RGB", "#80FFFF"},
    };
    for (const auto& c : cases) {
        auto result = runCli(c.args);
        ASSERT_EQ(result.exitCode, 0) << testing::PrintToString(c.args) << result.err;
        EXPECT_TRUE(hasLine(result.out, c.format, c.value)) << testing::PrintToString(c.args) << '\n' << result.out;
    }
}

// Standard error names the form the text was read as and warns when a float form clamped numbers;
// standard output keeps only the rows.
TEST(ConvertCommand, NamesTheFormItRead) {
    const std::string clamped = "vantorel: warning: numbers outside 0…1 were clamped; give --format to read the "
                                "text as another form\n";
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {{"convert", "#FF8000"}, "vantorel: read as CSS Hex RGB in sRGB\n"},
        {{"convert", "p3: #FF8000"}, "vantorel: read as CSS Hex RGB in Display P3\n"},
        {{"convert", "color(a98-rgb 1 0 0)", "--json"}, "vantorel: read as CSS color() in a98-rgb\n"},
        {{"convert", "oklch(62.8% 0.2577 29.2)"}, "vantorel: read as CSS oklch()\n"},
        {{"convert", "rgba(255, 128, 0, 0.5)"}, "vantorel: read as Float RGBA in sRGB\n" + clamped},
        {{"convert", "0.5 1 1 1"}, "vantorel: read as Float RGBA in sRGB\n"},
        {{"convert", "2 0 0", "--format", "floatHSVA"}, "vantorel: read as Float HSVA in sRGB\n" + clamped},
        {{"convert", "1.5 0 0", "--to", "sRGBExtended"}, "vantorel: read as Float RGBA in sRGB Extended\n"},
        {{"convert", "3 0 0", "--to", "sRGBExtended"},
         "vantorel: read as Float RGBA in sRGB Extended\nvantorel: warning: numbers outside -2…2 were clamped; "
         "give --format to read the text as another form\n"},
    };
    for (const auto& c : cases) {
        auto result = runCli(c.args);
        ASSERT_EQ(result.exitCode, 0) << testing::PrintToString(c.args) << result.err;
        EXPECT_EQ(result.err, c.err) << testing::PrintToString(c.args);
        EXPECT_EQ(result.out.find("read as"), std::string::npos);
    }
}

TEST(ConvertCommand, JsonRows) {
    auto result = runCli({"convert", "#FF8000", "--to", "sRGB", "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    auto rows = nlohmann::json::parse(result.out, nullptr, false);
    ASSERT_TRUE(rows.is_array()) << result.out;
    ASSERT_EQ(rows.size(), 15u);
    for (const auto& row : rows) {
        ASSERT_TRUE(row.is_object());
        EXPECT_EQ(row.size(), 3u);
        EXPECT_TRUE(row["format"].is_string());
        EXPECT_TRUE(row["case"].is_string());
        EXPECT_TRUE(row["value"].is_string());
    }
    EXPECT_EQ(rows[2], nlohmann::json({{"format", "CSS Hex RGB"}, {"case", "htmlRGB"}, {"value", "#FF8000"}}));
    // Keys appear in the order format, case, value.
    EXPECT_LT(result.out.find("\"format\""), result.out.find("\"case\""));
    EXPECT_LT(result.out.find("\"case\""), result.out.find("\"value\""));

    auto oklch = runCli({"convert", "--random", "cool", "--to", "oklch", "--json"});
    ASSERT_EQ(oklch.exitCode, 0) << oklch.err;
    auto single = nlohmann::json::parse(oklch.out, nullptr, false);
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0]["case"], "cssOKLCH");
    EXPECT_TRUE(single[0]["value"].get<std::string>().starts_with("oklch("));
}

}  // namespace
