#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "LZFSE/BlockFormat.h"
#include "LZFSE/Fse.h"
#include "LZFSE/MatchCopy.h"

namespace lzfse {
namespace {

struct NormalizeCase {
    const char* name;
    std::vector<uint32_t> counts;
    int states;
};

class Normalize : public ::testing::TestWithParam<NormalizeCase> {};

TEST_P(Normalize, SumsToTheStateCountAndKeepsEverySymbol) {
    const NormalizeCase& c = GetParam();
    std::vector<uint16_t> freq(c.counts.size());
    normalizeFrequencies(c.counts, c.states, freq);
    EXPECT_EQ(std::accumulate(freq.begin(), freq.end(), 0), c.states);
    for (size_t i = 0; i < freq.size(); ++i) EXPECT_EQ(freq[i] > 0, c.counts[i] > 0) << "symbol " << i;
}

std::vector<NormalizeCase> normalizeCases() {
    std::vector<uint32_t> allOnes(256, 1);
    std::vector<uint32_t> skewed(256, 1);
    skewed[0] = 40000;
    std::vector<uint32_t> spread(64);
    for (size_t i = 0; i < spread.size(); ++i) spread[i] = static_cast<uint32_t>(i * i + 1);
    return {
        {"single_symbol", {0, 0, 9, 0}, 64},
        {"two_even", {5, 5}, 64},
        {"all_byte_values_once", allOnes, 1024},
        {"one_dominant_many_rare", skewed, 1024},
        {"quadratic", spread, 256},
        {"rounding_up_everywhere", {3, 3, 3}, 64},
    };
}

INSTANTIATE_TEST_SUITE_P(Tables, Normalize, ::testing::ValuesIn(normalizeCases()),
                         [](const ::testing::TestParamInfo<NormalizeCase>& p) { return p.param.name; });

TEST(Normalize, AllZeroCountsGiveAnEmptyTable) {
    std::vector<uint16_t> freq(20, 7);
    normalizeFrequencies(std::vector<uint32_t>(20, 0), 64, freq);
    EXPECT_EQ(std::accumulate(freq.begin(), freq.end(), 0), 0);
}

TEST(Fse, EncodedSymbolsDecodeInOrder) {
    // Skewed and single-symbol tables both exercise the one-bit-less branch and k == 0.
    for (const std::vector<uint32_t>& counts :
         {std::vector<uint32_t>{50, 3, 1, 0, 20, 7}, std::vector<uint32_t>{0, 12, 0, 0, 0, 0}}) {
        std::vector<uint16_t> freq(counts.size());
        normalizeFrequencies(counts, 64, freq);
        std::vector<FseEncoderEntry> enc(counts.size());
        buildEncoderTable(64, freq, enc);
        std::vector<FseDecoderEntry> dec(64);
        ASSERT_TRUE(buildDecoderTable(64, freq, dec));

        std::vector<uint8_t> symbols;
        for (size_t i = 0; i < counts.size(); ++i)
            symbols.insert(symbols.end(), counts[i], static_cast<uint8_t>(i));
        for (size_t i = 0; i < symbols.size(); ++i) std::swap(symbols[i], symbols[(i * 7) % symbols.size()]);

        std::vector<uint8_t> buffer(symbols.size() + 16);
        ForwardBitWriter out(buffer.data());
        uint16_t state = 0;
        for (size_t i = symbols.size(); i > 0; --i) {
            fseEncode(state, enc[symbols[i - 1]], out);
            out.flush();
        }
        const int bits = out.finish();
        BackwardBitReader in;
        ASSERT_TRUE(in.init(buffer.data(), out.bytesWritten(), bits));
        for (uint8_t expected : symbols) {
            in.refill();
            ASSERT_EQ(fseDecode(state, dec.data(), in), expected);
        }
        EXPECT_FALSE(in.overran());
    }
}

TEST(Fse, DecoderTablesRejectOverfullFrequencies) {
    std::vector<FseDecoderEntry> dec(64);
    EXPECT_FALSE(buildDecoderTable(64, std::vector<uint16_t>{40, 25}, dec));
    EXPECT_TRUE(buildDecoderTable(64, std::vector<uint16_t>{40, 24}, dec));
}

TEST(Format, DistanceSymbolsCoverEveryDistance) {
    for (uint32_t d = 0; d <= format::kMaxDValue; ++d) {
        const uint8_t s = format::dSymbol(d);
        ASSERT_LT(s, format::kDSymbols);
        const auto base = static_cast<uint32_t>(format::kDBaseValue[s]);
        ASSERT_TRUE(d >= base && d - base < (1u << format::kDExtraBits[s])) << d;
    }
    for (uint32_t v = 0; v <= format::kMaxMValue; ++v) {
        const uint8_t m = format::mSymbol(v);
        ASSERT_TRUE(v >= static_cast<uint32_t>(format::kMBaseValue[m]) &&
                    v - static_cast<uint32_t>(format::kMBaseValue[m]) < (1u << format::kMExtraBits[m]))
            << v;
        if (v > format::kMaxLValue) continue;
        const uint8_t l = format::lSymbol(v);
        ASSERT_TRUE(v >= static_cast<uint32_t>(format::kLBaseValue[l]) &&
                    v - static_cast<uint32_t>(format::kLBaseValue[l]) < (1u << format::kLExtraBits[l]))
            << v;
    }
}

TEST(MatchCopy, WideAndExactCopiesRepeatThePatternAsByteCopiesDo) {
    // Every period a match can have, against short and long runs.
    for (size_t distance = 1; distance <= 40; ++distance) {
        for (size_t length = 1; length <= 100; length += (length < 20 ? 1 : 9)) {
            std::vector<uint8_t> expected(distance + length + kWideCopySlack);
            for (size_t i = 0; i < distance; ++i) expected[i] = static_cast<uint8_t>(i * 7 + 1);
            std::vector<uint8_t> wide = expected;
            std::vector<uint8_t> exact = expected;
            for (size_t i = distance; i < distance + length; ++i) expected[i] = expected[i - distance];
            copyMatchWide(wide.data() + distance, distance, length);
            copyMatch(exact.data() + distance, distance, length);
            const auto end = static_cast<std::ptrdiff_t>(distance + length);
            EXPECT_TRUE(std::equal(expected.begin(), expected.begin() + end, wide.begin()))
                << "wide, distance " << distance << ", length " << length;
            EXPECT_TRUE(std::equal(expected.begin(), expected.end(), exact.begin()))
                << "exact, distance " << distance << ", length " << length;
        }
    }
}

}  // namespace
}  // namespace lzfse
