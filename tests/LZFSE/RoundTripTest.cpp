#include <gtest/gtest.h>

#include <functional>

#include "LZFSE/Lzfse.h"
#include "tests/LZFSE/TestData.h"

namespace lzfse {
namespace {

using testing::blockMagic;

struct RoundTripCase {
    const char* content;
    std::function<std::vector<uint8_t>(size_t)> make;
    size_t size;
    const char* expectedFirstBlock;  // the block kind the reference encoder would choose
};

class RoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTrip, DecodesToTheInputWithTheExpectedBlockKind) {
    const RoundTripCase& c = GetParam();
    const std::vector<uint8_t> input = c.make(c.size);
    const std::vector<uint8_t> stream = encode(input);
    EXPECT_EQ(blockMagic(stream), c.expectedFirstBlock);
    ASSERT_GE(stream.size(), 4u);
    EXPECT_EQ(std::string(stream.end() - 4, stream.end()), "bvx$");
    const DecodeResult result = decodeChecked(stream);
    ASSERT_TRUE(result.ok()) << result.error();
    EXPECT_TRUE(result.bytes() == input);
}

std::vector<RoundTripCase> roundTripCases() {
    const auto text = [](size_t n) { return testing::xmlLike(n); };
    const auto random = [](size_t n) { return testing::noise(n); };
    const auto repetitive = [](size_t n) { return testing::runs(n); };
    return {
        {"text", text, 0, "bvx-"},
        {"text", text, 1, "bvx-"},
        {"text", text, 7, "bvx-"},
        {"random", random, 8, "bvx-"},
        {"text", text, 300, "bvxn"},
        {"repetitive", repetitive, 300, "bvxn"},
        {"text", text, 4095, "bvxn"},
        {"text", text, 4096, "bvx2"},
        {"repetitive", repetitive, 4095, "bvxn"},
        {"repetitive", repetitive, 4097, "bvx2"},
        {"random", random, 4095, "bvx-"},
        {"random", random, 4096, "bvx-"},
        {"text", text, 100000, "bvx2"},
        {"text", text, 1 << 20, "bvx2"},
        {"random", random, 1 << 20, "bvx-"},
        {"repetitive", repetitive, 1 << 20, "bvx2"},
    };
}

INSTANTIATE_TEST_SUITE_P(SizesAndContent, RoundTrip, ::testing::ValuesIn(roundTripCases()),
                         [](const ::testing::TestParamInfo<RoundTripCase>& p) {
                             return std::string(p.param.content) + "_" + std::to_string(p.param.size);
                         });

TEST(Encode, StoresTinyInputsExactlyAsTheReferenceDoes) {
    const std::vector<uint8_t> empty = encode(std::span<const uint8_t>());
    EXPECT_EQ(std::string(empty.begin(), empty.end()), std::string("bvx-\0\0\0\0bvx$", 12));
    const std::vector<uint8_t> one = encode(std::string_view("a"));
    EXPECT_EQ(std::string(one.begin(), one.end()), std::string("bvx-\1\0\0\0abvx$", 13));
}

TEST(Encode, CompressesSnapshotTextWell) {
    // Ratios of the reference encoder on this kind of text are in the same range.
    const std::vector<uint8_t> xml = testing::xmlLike(1 << 20);
    EXPECT_LT(encode(xml).size(), xml.size() / 4);
    const std::vector<uint8_t> small = testing::xmlLike(2000);
    EXPECT_LT(encode(small).size(), small.size() / 2);
}

TEST(Encode, HandlesEveryMatchShape) {
    // Long matches at tiny distances, distances past the LZVN and block limits, literal runs
    // longer than one triple can carry, and more triples than one block holds.
    std::vector<uint8_t> input(300000, 'x');
    const std::vector<uint8_t> noise = testing::noise(70000, 7);
    std::copy(noise.begin(), noise.end(), input.begin() + 1000);
    std::copy(noise.begin(), noise.begin() + 5000, input.begin() + 200000);  // distance ~199000
    std::copy(noise.begin(), noise.begin() + 5000, input.begin() + 290000);  // distance > 262139: no match
    for (size_t i = 80000; i < 180000; i += 7) input[i] = static_cast<uint8_t>(i);  // many short triples
    const std::vector<uint8_t> stream = encode(input);
    const DecodeResult result = decodeChecked(stream);
    ASSERT_TRUE(result.ok()) << result.error();
    EXPECT_TRUE(result.bytes() == input);
}

TEST(Decode, StringConveniences) {
    const std::string xml =
        "<color name=\"accent\" value=\"#FF8800\"/><color name=\"accent\" value=\"#FF8800\"/>";
    EXPECT_EQ(decodeToString(encode(xml)), xml);
    EXPECT_EQ(decode(encode(xml))->size(), xml.size());
    EXPECT_FALSE(decodeToString(std::vector<uint8_t>{'b', 'v', 'x'}).has_value());
}

}  // namespace
}  // namespace lzfse
