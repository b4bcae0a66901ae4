// Reading bvx1 and bvx2 blocks. Both carry the same information; bvx2 packs the counts into
// three 64-bit words and prefix-codes the frequency tables, bvx1 stores them as plain fields.
#include <array>
#include <cstring>
#include <memory>
#include <string>

#include "LZFSE/BlockCodecs.h"
#include "LZFSE/BlockFormat.h"
#include "LZFSE/Fse.h"
#include "LZFSE/MatchCopy.h"

namespace lzfse {
namespace {

using namespace format;

struct FseBlockHeader {
    size_t headerSize = 0;
    uint32_t rawSize = 0;
    uint32_t literalCount = 0;
    uint32_t matchCount = 0;
    uint32_t literalPayloadSize = 0;
    uint32_t lmdPayloadSize = 0;
    int literalBits = 0;
    int lmdBits = 0;
    std::array<uint16_t, 4> literalState{};
    uint16_t lState = 0;
    uint16_t mState = 0;
    uint16_t dState = 0;
    std::array<uint16_t, kAllSymbols> freq{};  // L, M, D, literal tables in that order
};

uint32_t bitsAt(uint64_t word, int offset, int count) {
    return static_cast<uint32_t>((word >> offset) & ((uint64_t{1} << count) - 1));
}

// Inverse of the packed-header frequency code, indexed by the low 5 bits of the bit string.
int decodeFrequency(uint32_t bits, int& length) {
    static constexpr std::array<int8_t, 32> kLength = {2, 3, 2, 5, 2, 3, 2, 8, 2, 3, 2, 5, 2, 3, 2, 14,
                                                       2, 3, 2, 5, 2, 3, 2, 8, 2, 3, 2, 5, 2, 3, 2, 14};
    static constexpr std::array<int8_t, 32> kValue = {0, 2, 1, 4, 0, 3, 1, -1, 0, 2, 1, 5, 0, 3, 1, -1,
                                                      0, 2, 1, 6, 0, 3, 1, -1, 0, 2, 1, 7, 0, 3, 1, -1};
    const uint32_t low = bits & 31;
    length = kLength[low];
    if (length == 8) return 8 + static_cast<int>((bits >> 4) & 0xf);
    if (length == 14) return 24 + static_cast<int>((bits >> 4) & 0x3ff);
    return kValue[low];
}

std::string readPackedHeader(std::span<const uint8_t> block, FseBlockHeader& h) {
    if (block.size() < kV2FixedHeaderSize) return "compressed block header is truncated";
    const uint8_t* p = block.data();
    h.rawSize = load32(p + 4);
    const uint64_t w0 = load64(p + 8);
    const uint64_t w1 = load64(p + 16);
    const uint64_t w2 = load64(p + 24);
    h.literalCount = bitsAt(w0, 0, 20);
    h.literalPayloadSize = bitsAt(w0, 20, 20);
    h.matchCount = bitsAt(w0, 40, 20);
    h.literalBits = static_cast<int>(bitsAt(w0, 60, 3)) - 7;
    for (int i = 0; i < 4; ++i)
        h.literalState[static_cast<size_t>(i)] = static_cast<uint16_t>(bitsAt(w1, 10 * i, 10));
    h.lmdPayloadSize = bitsAt(w1, 40, 20);
    h.lmdBits = static_cast<int>(bitsAt(w1, 60, 3)) - 7;
    h.headerSize = static_cast<uint32_t>(w2);
    h.lState = static_cast<uint16_t>(bitsAt(w2, 32, 10));
    h.mState = static_cast<uint16_t>(bitsAt(w2, 42, 10));
    h.dState = static_cast<uint16_t>(bitsAt(w2, 52, 10));

    if (h.headerSize < kV2FixedHeaderSize) return "compressed block header declares an impossible size";
    if (h.headerSize > block.size()) return "compressed block header is truncated";
    if (h.headerSize == kV2FixedHeaderSize) return {};  // tables omitted: all zero

    const uint8_t* src = p + kV2FixedHeaderSize;
    const uint8_t* const end = p + h.headerSize;
    uint32_t accum = 0;
    int pending = 0;
    for (uint16_t& f : h.freq) {
        while (src < end && pending + 8 <= 32) {
            accum |= static_cast<uint32_t>(*src++) << pending;
            pending += 8;
        }
        int length = 0;
        f = static_cast<uint16_t>(decodeFrequency(accum, length));
        if (length > pending) return "frequency tables of a compressed block are truncated";
        accum >>= length;
        pending -= length;
    }
    if (pending >= 8 || src != end) return "frequency tables of a compressed block do not fill their header";
    return {};
}

std::string readPlainHeader(std::span<const uint8_t> block, FseBlockHeader& h) {
    if (block.size() < kV1HeaderSize) return "compressed block header is truncated";
    const uint8_t* p = block.data();
    h.headerSize = kV1HeaderSize;
    h.rawSize = load32(p + 4);
    h.literalCount = load32(p + 12);
    h.matchCount = load32(p + 16);
    h.literalPayloadSize = load32(p + 20);
    h.lmdPayloadSize = load32(p + 24);
    h.literalBits = static_cast<int32_t>(load32(p + 28));
    for (size_t i = 0; i < 4; ++i) h.literalState[i] = load16(p + 32 + 2 * i);
    h.lmdBits = static_cast<int32_t>(load32(p + 40));
    h.lState = load16(p + 44);
    h.mState = load16(p + 46);
    h.dState = load16(p + 48);
    for (size_t i = 0; i < h.freq.size(); ++i) h.freq[i] = load16(p + 50 + 2 * i);
    return {};
}

int frequencySum(std::span<const uint16_t> freq) {
    int sum = 0;
    for (uint16_t f : freq) sum += f;
    return sum;
}

// The decoding tables of one block; large enough to keep off the stack.
struct BlockTables {
    std::array<FseDecoderEntry, kLiteralStates> literal;
    std::array<FseValueDecoderEntry, kLStates> l;
    std::array<FseValueDecoderEntry, kMStates> m;
    std::array<FseValueDecoderEntry, kDStates> d;
    // Room past the last literal for wide copies, which read whole 16-byte steps.
    std::array<uint8_t, kLiteralsPerBlock + kWideCopySlack> literals;
};

std::string checkHeader(const FseBlockHeader& h) {
    if (h.literalCount > kLiteralsPerBlock || h.literalCount % 4 != 0) {
        return "compressed block has an invalid literal count (" + std::to_string(h.literalCount) + ")";
    }
    if (h.matchCount > kMatchesPerBlock) {
        return "compressed block has too many matches (" + std::to_string(h.matchCount) + ")";
    }
    if (h.literalBits < -8 || h.literalBits > 0 || h.lmdBits < -8 || h.lmdBits > 0) {
        return "compressed block has invalid stream bit counts";
    }
    for (uint16_t s : h.literalState) {
        if (s >= kLiteralStates) return "compressed block has an invalid literal state";
    }
    if (h.lState >= kLStates || h.mState >= kMStates || h.dState >= kDStates) {
        return "compressed block has an invalid match state";
    }
    const std::span<const uint16_t> freq(h.freq);
    const int lSum = frequencySum(freq.subspan(0, kLSymbols));
    const int mSum = frequencySum(freq.subspan(kLSymbols, kMSymbols));
    const int dSum = frequencySum(freq.subspan(kLSymbols + kMSymbols, kDSymbols));
    const int literalSum = frequencySum(freq.subspan(kLSymbols + kMSymbols + kDSymbols));
    // A stream with symbols to decode needs a complete table; an unused one may be empty.
    const bool matchesOk = h.matchCount == 0 ? (lSum <= kLStates && mSum <= kMStates && dSum <= kDStates)
                                             : (lSum == kLStates && mSum == kMStates && dSum == kDStates);
    const bool literalsOk = h.literalCount == 0 ? literalSum <= kLiteralStates : literalSum == kLiteralStates;
    if (!matchesOk || !literalsOk) return "compressed block has invalid frequency tables";
    // Each triple yields at most kMaxLValue literals and kMaxMValue match bytes.
    if (uint64_t{h.rawSize} > uint64_t{h.literalCount} + uint64_t{h.matchCount} * kMaxMValue) {
        return "compressed block claims more output than its matches can produce";
    }
    return {};
}

}  // namespace

BlockOutcome decodeFseBlock(std::span<const uint8_t> block, std::vector<uint8_t>& out, size_t maxOutput) {
    FseBlockHeader h;
    const bool packed = load32(block.data()) == kV2Magic;
    std::string error = packed ? readPackedHeader(block, h) : readPlainHeader(block, h);
    if (error.empty()) error = checkHeader(h);
    if (!error.empty()) return {0, std::move(error)};

    const uint64_t blockSize = uint64_t{h.headerSize} + h.literalPayloadSize + h.lmdPayloadSize;
    if (blockSize > block.size()) {
        return {0, "compressed block is truncated: it needs " + std::to_string(blockSize) + " bytes, " +
                       std::to_string(block.size()) + " are present"};
    }
    if (h.rawSize > maxOutput - out.size()) {
        return {0, "decoded data would exceed the limit of " + std::to_string(maxOutput) + " bytes"};
    }

    // Left uninitialised but for the room past the literals, which wide copies read.
    std::unique_ptr<BlockTables> tables(new BlockTables);
    std::memset(tables->literals.data() + kLiteralsPerBlock, 0, kWideCopySlack);
    const std::span<const uint16_t> freq(h.freq);
    buildValueDecoderTable(kLStates, freq.subspan(0, kLSymbols), kLExtraBits, kLBaseValue, tables->l);
    buildValueDecoderTable(kMStates, freq.subspan(kLSymbols, kMSymbols), kMExtraBits, kMBaseValue, tables->m);
    buildValueDecoderTable(kDStates, freq.subspan(kLSymbols + kMSymbols, kDSymbols), kDExtraBits, kDBaseValue,
                           tables->d);
    buildDecoderTable(kLiteralStates, freq.subspan(kLSymbols + kMSymbols + kDSymbols), tables->literal);

    // Literals: four interleaved streams read backwards from the end of their payload.
    const uint8_t* const literalPayload = block.data() + h.headerSize;
    BackwardBitReader literalIn;
    if (!literalIn.init(literalPayload, h.literalPayloadSize, h.literalBits)) {
        return {0, "literal stream of a compressed block is malformed"};
    }
    std::array<uint16_t, 4> ls = h.literalState;
    const FseDecoderEntry* literalTable = tables->literal.data();
    uint8_t* literals = tables->literals.data();
    for (uint32_t i = 0; i < h.literalCount; i += 4) {
        literalIn.refill();
        literals[i + 0] = fseDecode(ls[0], literalTable, literalIn);
        literals[i + 1] = fseDecode(ls[1], literalTable, literalIn);
        literals[i + 2] = fseDecode(ls[2], literalTable, literalIn);
        literals[i + 3] = fseDecode(ls[3], literalTable, literalIn);
    }
    if (literalIn.overran()) return {0, "literal stream of a compressed block is truncated"};

    // Matches: (L, M, D) triples, each sending L literals and then a match of M bytes.
    BackwardBitReader lmdIn;
    if (h.lmdPayloadSize < 8 ||
        !lmdIn.init(literalPayload + h.literalPayloadSize, h.lmdPayloadSize, h.lmdBits)) {
        return {0, "match stream of a compressed block is malformed"};
    }
    // The block is decoded with room for wide copies past its end, trimmed off afterwards.
    const size_t blockStart = out.size();
    out.resize(blockStart + h.rawSize + kWideCopySlack);
    uint8_t* const outBegin = out.data();
    uint8_t* dst = outBegin + blockStart;
    uint8_t* const dstEnd = dst + h.rawSize;
    const uint8_t* literal = literals;
    const uint8_t* const literalEnd = literals + h.literalCount;
    const auto fail = [&](std::string message) {
        out.resize(blockStart);
        return BlockOutcome{0, std::move(message)};
    };

    const FseValueDecoderEntry* const lTable = tables->l.data();
    const FseValueDecoderEntry* const mTable = tables->m.data();
    const FseValueDecoderEntry* const dTable = tables->d.data();
    uint16_t lState = h.lState;
    uint16_t mState = h.mState;
    uint16_t dState = h.dState;
    int64_t distance = -1;  // no previous distance yet in this block
    for (uint32_t i = 0; i < h.matchCount; ++i) {
        lmdIn.refill();
        const auto l = static_cast<size_t>(fseValueDecode(lState, lTable, lmdIn));
        const auto m = static_cast<size_t>(fseValueDecode(mState, mTable, lmdIn));
        const int32_t d = fseValueDecode(dState, dTable, lmdIn);
        if (d != 0) distance = d;
        if (l > static_cast<size_t>(literalEnd - literal))
            return fail("compressed block uses more literals than it has");
        if (l + m > static_cast<size_t>(dstEnd - dst)) {
            return fail("compressed block decodes past its declared size of " + std::to_string(h.rawSize) +
                        " bytes");
        }
        if (l > 0) copyWide(dst, literal, l);
        dst += l;
        literal += l;
        if (distance < 0 || distance > dst - outBegin)
            return fail("match in a compressed block reaches before the data");
        if (m > 0) {
            copyMatchWide(dst, static_cast<size_t>(distance), m);
            dst += m;
        }
    }
    if (lmdIn.overran()) return fail("match stream of a compressed block is truncated");
    if (dst != dstEnd) {
        return fail("compressed block decodes to " + std::to_string(dst - (outBegin + blockStart)) +
                    " bytes, its header says " + std::to_string(h.rawSize));
    }
    out.resize(blockStart + h.rawSize);
    return {static_cast<size_t>(blockSize), {}};
}

}  // namespace lzfse
