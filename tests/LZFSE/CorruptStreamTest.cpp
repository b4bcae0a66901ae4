#include <gtest/gtest.h>

#include "LZFSE/Lzfse.h"
#include "tests/LZFSE/TestData.h"

namespace lzfse {
namespace {

std::vector<uint8_t> bytesOf(std::string_view s) {
    return {s.begin(), s.end()};
}

struct RejectCase {
    const char* name;
    std::vector<uint8_t> stream;
    const char* messagePart;
};

class Rejects : public ::testing::TestWithParam<RejectCase> {};

TEST_P(Rejects, WithAMessageSayingWhy) {
    const DecodeResult result = decodeChecked(GetParam().stream);
    ASSERT_FALSE(result.ok());
    EXPECT_NE(result.error().find(GetParam().messagePart), std::string::npos) << result.error();
}

std::vector<uint8_t> lzvnStream(std::vector<uint8_t> payload, uint32_t rawSize) {
    std::vector<uint8_t> s = bytesOf("bvxn");
    for (uint32_t v : {rawSize, static_cast<uint32_t>(payload.size())}) {
        for (int i = 0; i < 4; ++i) s.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    s.insert(s.end(), payload.begin(), payload.end());
    for (char c : std::string_view("bvx$")) s.push_back(static_cast<uint8_t>(c));
    return s;
}

std::vector<uint8_t> withByte(std::vector<uint8_t> s, size_t at, uint8_t value) {
    s.at(at) = value;
    return s;
}

std::vector<RejectCase> rejectCases() {
    const std::vector<uint8_t> eos = {0x06, 0, 0, 0, 0, 0, 0, 0};
    const std::vector<uint8_t> v2 = encode(testing::xmlLike(20000));
    // Literal frequency tables start after the 104 L/M/D codes; force a header-size mismatch.
    std::vector<uint8_t> v2BadHeaderSize = v2;
    v2BadHeaderSize[24] = static_cast<uint8_t>(v2BadHeaderSize[24] + 1);
    return {
        {"empty", {}, "empty"},
        {"not_lzfse", bytesOf("PK\3\4 zip data"), "unknown block \"PK\\x03\\x04\""},
        {"no_end_of_stream", bytesOf(std::string_view("bvx-\2\0\0\0ab", 10)), "without an end-of-stream"},
        {"raw_truncated", bytesOf(std::string_view("bvx-\x10\0\0\0abc", 11)), "raw block is truncated"},
        {"lzvn_invalid_opcode", lzvnStream({0x1e, 0x06, 0, 0, 0, 0, 0, 0, 0}, 0), "invalid LZVN opcode 30"},
        {"lzvn_distance_before_start", lzvnStream({0xe1, 'a', 0x00, 0x05, 0x06, 0, 0, 0, 0, 0, 0, 0}, 4),
         "before the start"},
        {"lzvn_previous_distance_unset", lzvnStream({0xe1, 'a', 0xf3, 0x06, 0, 0, 0, 0, 0, 0, 0}, 4),
         "before the start"},
        {"lzvn_size_mismatch", lzvnStream({0xe2, 'a', 'b', 0x06, 0, 0, 0, 0, 0, 0, 0}, 3),
         "decodes to 2 bytes"},
        {"lzvn_overlong", lzvnStream({0xe3, 'a', 'b', 'c', 0x06, 0, 0, 0, 0, 0, 0, 0}, 2),
         "past its declared size"},
        {"lzvn_no_eos", lzvnStream({0xe2, 'a', 'b'}, 2), "without an end-of-stream opcode"},
        {"lzvn_payload_truncated", withByte(lzvnStream({0xe2, 'a', 'b'}, 2), 8, 200),
         "LZVN block is truncated"},
        {"lzvn_huge_claim", lzvnStream({0xe2, 'a', 'b', 0x06, 0, 0, 0, 0, 0, 0, 0}, 0xfffffff0u),
         "exceed the limit"},
        {"v2_header_truncated", std::vector<uint8_t>(v2.begin(), v2.begin() + 40), "header is truncated"},
        {"v2_payload_truncated", std::vector<uint8_t>(v2.begin(), v2.begin() + 900),
         "compressed block is truncated"},
        {"v2_header_size_mismatch", v2BadHeaderSize, "frequency tables"},
        {"v2_too_many_literals", withByte(v2, 10, 0xff), "literal count"},
        {"v2_bad_state", withByte(v2, 28, 0xff), "invalid match state"},
    };
}

INSTANTIATE_TEST_SUITE_P(Streams, Rejects, ::testing::ValuesIn(rejectCases()),
                         [](const ::testing::TestParamInfo<RejectCase>& p) { return p.param.name; });

TEST(Decode, HonoursTheOutputLimit) {
    const std::vector<uint8_t> input = testing::xmlLike(50000);
    for (const std::vector<uint8_t>& stream : {encode(input), encode(testing::noise(50000))}) {
        EXPECT_TRUE(decodeChecked(stream, 50000).ok());
        const DecodeResult limited = decodeChecked(stream, 49999);
        ASSERT_FALSE(limited.ok());
        EXPECT_NE(limited.error().find("limit of 49999 bytes"), std::string::npos) << limited.error();
    }
}

TEST(Decode, RejectsEveryTruncation) {
    for (size_t size : {size_t{5}, size_t{2000}, size_t{30000}}) {
        const std::vector<uint8_t> stream = encode(testing::xmlLike(size));
        for (size_t cut = 0; cut < stream.size(); ++cut) {
            const DecodeResult result = decodeChecked(std::span(stream.data(), cut));
            EXPECT_FALSE(result.ok()) << "input " << size << " cut at " << cut;
            EXPECT_FALSE(result.error().empty());
        }
    }
}

TEST(Decode, SurvivesCorruptedBytes) {
    // Without a checksum some corruptions decode to other bytes; none may crash or overrun.
    const std::vector<uint8_t> original = testing::xmlLike(30000);
    for (const std::vector<uint8_t>& stream : {encode(original), encode(testing::xmlLike(2000))}) {
        size_t rejected = 0;
        for (size_t at = 0; at < stream.size(); at += 3) {
            for (uint8_t flip : {uint8_t{0x01}, uint8_t{0x80}, uint8_t{0xff}}) {
                std::vector<uint8_t> bad = stream;
                bad[at] ^= flip;
                const DecodeResult result = decodeChecked(bad, 1 << 20);
                if (!result.ok()) {
                    ++rejected;
                    EXPECT_FALSE(result.error().empty());
                }
            }
        }
        EXPECT_GT(rejected, 0u);
    }
}

}  // namespace
}  // namespace lzfse
