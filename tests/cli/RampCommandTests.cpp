#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "CliTestSupport.h"

using vantorel::cli::testing::runCli;

namespace {

// The steps come from the model's set code; these check that every option reaches it and that
// each step is printed as its name and color text.
TEST(RampCommand, PrintsEachStep) {
    struct Case {
        std::vector<std::string> args;
        std::string out;
    };
    const Case cases[] = {
        {{"ramp", "#000000", "#FFFFFF", "--steps", "3", "--interpolation", "linearLegacy"},
         "100  #000000\n200  #808080\n300  #FFFFFF\n"},
        {{"ramp", "#000000", "#FFFFFF", "--steps", "5", "--interpolation", "linearLegacy", "--naming", "smallNumeric",
          "--format", "floatRGBA"},
         "1  0 0 0 1\n2  0.25 0.25 0.25 1\n3  0.5 0.5 0.5 1\n4  0.75 0.75 0.75 1\n5  1 1 1 1\n"},
        // The middle anchor sits at the middle index; each half is mixed towards it.
        {{"ramp", "#FF0000", "#00FF00", "#0000FF", "--steps", "5", "--interpolation", "linearLegacy", "--naming",
          "mediumNumeric"},
         "10  #FF0000\n20  #808000\n30  #00FF00\n40  #008080\n50  #0000FF\n"},
        // Lamé with exponent 2 puts the middle step at 1 − √0.75 of the way.
        {{"ramp", "#000000", "#FFFFFF", "--steps", "3", "--interpolation", "linearLegacy", "--curve", "lame",
          "--amount", "2", "--format", "floatRGBA"},
         "100  0 0 0 1\n200  0.134 0.134 0.134 1\n300  1 1 1 1\n"},
        // Mixed in linear light, the middle of black and white is lighter than #808080.
        {{"ramp", "#000000", "#FFFFFF", "--steps", "3", "--interpolation", "linear"},
         "100  #000000\n200  #BCBCBC\n300  #FFFFFF\n"},
        {{"ramp", "#000000", "#FFFFFF", "--steps", "2", "--interpolation", "oklab", "--format", "cssOKLAB"},
         "100  oklab(0% 0 0)\n200  oklab(100% 0 0)\n"},
        {{"ramp", "p3: #FF0000", "p3: #FF0000", "--steps", "2"}, "100  p3: #FF0000\n200  p3: #FF0000\n"},
        {{"ramp", "color(srgb 1.2 0 0)", "color(srgb 1.2 0 0)", "--steps", "2"},
         "100  #FF0000  (clipped)\n200  #FF0000  (clipped)\n"},
    };
    for (const auto& c : cases) {
        auto result = runCli(c.args);
        EXPECT_EQ(result.exitCode, 0) << testing::PrintToString(c.args) << result.err;
        EXPECT_EQ(result.out, c.out) << testing::PrintToString(c.args);
        EXPECT_EQ(result.err, "") << testing::PrintToString(c.args);
    }
}

TEST(RampCommand, BadValuesListTheValidNames) {
    struct Case {
        std::vector<std::string> args;
        std::string error;  // part of standard error
    };
    const std::vector<std::string> two = {"ramp", "#000000", "#FFFFFF"};
    auto with = [&](std::vector<std::string> extra) {
        std::vector<std::string> args = two;
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    };
    const Case cases[] = {
        {with({"--interpolation", "lab"}), "unknown interpolation 'lab' (choose linear, linearLegacy, oklch, oklab)"},
        {with({"--curve", "ease"}), "unknown curve 'ease' (choose linear, cosine, hermite3, hermite5, lame)"},
        {with({"--naming", "letters"}),
         "unknown naming scheme 'letters' (choose smallNumeric, largeNumeric, manual, mediumNumeric)"},
        {with({"--format", "hex"}), "unknown color format 'hex' (choose floatRGBA, floatHSVA, htmlRGB, "},
        {with({"--steps", "1"}), "--steps must be 2 to 1000 for 2 anchors"},
        {with({"--steps", "100000000"}), "--steps must be 2 to 1000"},
        {{"ramp", "#000000", "#808080", "#FFFFFF", "--steps", "2"}, "--steps must be 3 to 1000 for 3 anchors"},
        {with({"--amount", "nan"}), "--amount must be a finite number"},
        {with({"--amount", "much"}), "--amount"},
        {{"ramp", "#000000"}, "COLORS"},
        {{"ramp", "#000000", "#111111", "#222222", "#333333"}, ""},
        {{"ramp", "#000000", "not a color"}, "cannot read a color from 'not a color'"},
    };
    for (const auto& c : cases) {
        auto result = runCli(c.args);
        EXPECT_EQ(result.exitCode, 2) << testing::PrintToString(c.args);
        EXPECT_NE(result.err.find(c.error), std::string::npos) << testing::PrintToString(c.args) << result.err;
        EXPECT_EQ(result.out, "") << testing::PrintToString(c.args);
    }
    auto help = runCli({"ramp", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--interpolation"), std::string::npos) << help.out;
}

TEST(RampCommand, JsonSteps) {
    auto result = runCli({"ramp", "#000000", "color(srgb 1.2 1.2 1.2)", "--steps", "3", "--json"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    auto steps = nlohmann::json::parse(result.out, nullptr, false);
    ASSERT_TRUE(steps.is_array()) << result.out;
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0], nlohmann::json({{"name", "100"}, {"value", "#000000"}, {"clipped", false}}));
    EXPECT_EQ(steps[2], nlohmann::json({{"name", "300"}, {"value", "#FFFFFF"}, {"clipped", true}}));
}

}  // namespace
