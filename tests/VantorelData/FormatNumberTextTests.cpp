#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "FormatTestSupport.h"
#include "VantorelData/format/NumberText.h"

namespace vantorel::format {
namespace {

std::string text(const std::optional<NumberText>& number) {
    return number ? std::string(number->view()) : std::string("<none>");
}

TEST(FormatNumberText, MeasuredNumbersKeepFourFractionDigitsRoundedHalfToEven) {
    struct Case {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {12, "12"},
        {0.5, "0.5"},
        {1.23456, "1.2346"},
        {2.71828, "2.7183"},
        {1000000, "1000000"},
        {-3.25, "-3.25"},
        {0.00012, "0.0001"},
        {0.00096, "0.001"},
        {0.00005, "0"},          // exactly half, even neighbour is 0
        {0.00015, "0.0002"},     // half, odd neighbour rounds up
        {0.00025, "0.0002"},     // half, even neighbour stays
        {2.71825, "2.7182"},     // half on the shortest decimal form
        {9.99995, "10"},         // carry into a new integer digit
        {99999.99996, "100000"},
        {-0.00001, "0"},         // no negative zero
        {0.0, "0"},
        {-0.0, "0"},
        {1e-9, "0"},
        {123456789012.5, "123456789012.5"},
    };
    for (const auto& c : cases) EXPECT_EQ(text(measuredNumberText(c.value)), c.expected) << c.value;
    EXPECT_EQ(text(measuredNumberText(1e99)), "1" + std::string(99, '0'));  // 100 integer digits still fit
}

TEST(FormatNumberText, MeasuredNumbersThatCannotBeWritten) {
    const double unwritable[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                                 -std::numeric_limits<double>::infinity(), 1e100, -1e100, 1e300};
    for (double value : unwritable) EXPECT_FALSE(measuredNumberText(value)) << value;
}

TEST(FormatNumberText, PlainDoublesAreShortestWithFractionOrExponent) {
    struct Case {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {1.0, "1.0"},       {0.5, "0.5"},         {1e-05, "1e-05"},  {0.0001, "0.0001"},
        {1.5e-05, "1.5e-05"}, {2.0, "2.0"},       {0.1, "0.1"},      {123.456, "123.456"},
        {0.0, "0.0"},       {-0.0, "-0.0"},       {-2.5, "-2.5"},    {1e15, "1000000000000000.0"},
        {1e16, "1e+16"},    {1e300, "1e+300"},    {0.3333333333333333, "0.3333333333333333"},
    };
    for (const auto& c : cases) EXPECT_EQ(plainDoubleText(c.value).view(), c.expected) << c.value;
}

TEST(FormatNumberText, PlainDoublesReadBackAsTheSameDouble) {
    const double values[] = {0.1, 1.0 / 3, 2.0 / 3, 1e-7, 123456.789, 0.30000000000000004, 5e-324, 1.7976931348623157e308};
    for (double value : values) {
        const auto written = plainDoubleText(value);
        ASSERT_TRUE(parseDouble(written.view())) << written.view();
        EXPECT_EQ(*parseDouble(written.view()), value) << written.view();
    }
}

TEST(FormatNumberText, ComponentsKeepFiveSignificantDigits) {
    EXPECT_EQ(componentsText(0.123456, 1.0, 0.5, 0).view(), "0.12346 1 0.5 0");
    EXPECT_EQ(componentsText(-0.25, 1.123449, 100000, 1234567).view(), "-0.25 1.1234 1e+05 1.2346e+06");
    EXPECT_EQ(componentText(1e-05).view(), "1e-05");
    EXPECT_EQ(autoContrastText(0.333).view(), "0.33");
    EXPECT_EQ(autoContrastText(0.5).view(), "0.5");
    EXPECT_EQ(autoContrastText(1).view(), "1");
}

TEST(FormatNumberText, ParsesOnlyCompleteDecimalNumbers) {
    struct Case {
        const char* text;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {"1.5", 1.5},   {"+1.5", 1.5}, {"-2", -2.0}, {".5", 0.5},        {"1e-05", 1e-05},  {"5.", 5.0},
        {"", {}},       {" 1", {}},    {"1 ", {}},   {"1,5", {}},        {"inf", {}},       {"nan", {}},
        {"-inf", {}},   {"1e", {}},    {"0x10", {}}, {"++1", {}},        {"+-1", {}},       {"-", {}},
        {"1e400", {}},  {"abc", {}},   {"1.5x", {}}, {"\t1", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(parseDouble(c.text), c.expected) << '"' << c.text << '"';
}

// Short decimals take a quicker road than long ones; both must give the very same double,
// sign of zero included, including at the edges of what a double holds exactly.
TEST(FormatNumberText, DecimalsReadAsTheGeneralParserReadsThem) {
    std::vector<std::string> texts = {"-0",  "0.0", "-0.000", "9007199254740992", "9007199254740993",
                                      "0.1", "0.3", "1.0000000000000000000001", "123456789012345678901",
                                      "0.0000000000000000000001", "0.00000000000000000000001", "00000000000000000001.5"};
    std::mt19937_64 random(18);
    for (int i = 0; i < 20000; ++i) {
        std::string digits = std::to_string(random() >> (random() % 64));
        const std::size_t point = random() % (digits.size() + 1);
        std::string text = (random() % 2 ? "-" : "") + digits.substr(0, point);
        if (point == 0) text += '0';
        if (point < digits.size()) text += '.' + digits.substr(point);
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        double expected = 0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        const auto parsed = parseDouble(text);
        ASSERT_TRUE(parsed) << text;
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*parsed), std::bit_cast<std::uint64_t>(expected)) << text;
    }
}

TEST(FormatNumberText, ParsesIntegersWithOptionalSign) {
    struct Case {
        const char* text;
        std::optional<long long> expected;
    };
    const Case cases[] = {
        {"8", 8},   {"+8", 8},   {"-3", -3},  {"007", 7},  {"", {}},   {"8.0", {}},
        {" 8", {}}, {"8 ", {}},  {"+", {}},   {"x", {}},   {"99999999999999999999", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(parseInteger(c.text), c.expected) << '"' << c.text << '"';
    EXPECT_EQ(parseInt("2147483648"), std::nullopt);
    EXPECT_EQ(parseInt("-2147483648"), -2147483648LL);
}

TEST(FormatNumberText, ComponentsSplitAtRunsOfSpaces) {
    struct Case {
        const char* text;
        bool readable;
    };
    const Case cases[] = {
        {"1 0.5 0 1", true}, {"  1   0.5 0 1  ", true}, {"1 0.5 0", false}, {"1 0.5 0 1 1", false},
        {"1\t0.5 0 1", false}, {"1 a 0 1", false},       {"", false},        {"1 0.5 nan 1", false},
        {"+1 5e-1 .5 1", true}, {"0.25-1 0 0 1", false}, {"1.5x 0 0 1", false}, {"1. 0 0 1", true},
    };
    for (const auto& c : cases) EXPECT_EQ(parseComponents(c.text).has_value(), c.readable) << '"' << c.text << '"';
    const auto components = parseComponents("  1   0.5 0 1  ");
    ASSERT_TRUE(components);
    EXPECT_EQ((*components)[1], 0.5);
    EXPECT_EQ(parseComponents("+1 5e-1 .5 -0.125"), (std::array<double, 4>{1, 0.5, 0.5, -0.125}));
}

TEST(FormatNumberText, IndependentOfTheGlobalLocale) {
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new testing::DecimalComma));
    std::ostringstream streamed;
    streamed << 1234.5;
    EXPECT_EQ(streamed.str(), "1.234,5");  // the locale is in effect for streams

    EXPECT_EQ(text(measuredNumberText(1234.5)), "1234.5");
    EXPECT_EQ(plainDoubleText(0.5).view(), "0.5");
    EXPECT_EQ(componentsText(0.5, 0.25, 1, 1).view(), "0.5 0.25 1 1");
    EXPECT_EQ(parseDouble("0.5"), 0.5);
    EXPECT_EQ(parseDouble("0,5"), std::nullopt);
    std::locale::global(previous);
}

}  // namespace
}  // namespace vantorel::format
