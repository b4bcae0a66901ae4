// Writing bvx2 blocks: the parse is gathered as (L, M, D) triples plus the literal bytes, and
// each full block is entropy coded with four FSE streams (literals, L, M, D) whose normalized
// frequency tables travel in the block header.
#include <algorithm>
#include <array>

#include "LZFSE/BlockCodecs.h"
#include "LZFSE/BlockFormat.h"
#include "LZFSE/Fse.h"
#include "LZFSE/MatchFinder.h"

namespace lzfse {
namespace {

using namespace format;

struct Lmd {
    uint32_t literalCount;
    uint32_t matchLength;
    uint32_t distance;
};

// Codes a frequency with the fixed prefix code of packed headers: 2 to 14 bits, read from
// the least significant bit.
uint32_t frequencyCode(uint32_t value, int& bits) {
    static constexpr std::array<std::array<uint8_t, 2>, 8> kSmall = {
        {{0, 2}, {2, 2}, {1, 3}, {5, 3}, {3, 5}, {11, 5}, {19, 5}, {27, 5}}};
    if (value < 8) {
        bits = kSmall[value][1];
        return kSmall[value][0];
    }
    if (value < 24) {
        bits = 8;
        return 7 + ((value - 8) << 4);
    }
    bits = 14;
    return 15 + ((value - 24) << 4);
}

class FseBlockWriter {
public:
    FseBlockWriter(std::vector<uint8_t>& out, size_t inputSize) : out_(out) {
        literals_.reserve(std::min<size_t>(inputSize + 4, kLiteralsPerBlock));
        lmds_.reserve(std::min<size_t>(inputSize / 8 + 16, kMatchesPerBlock));
    }

    // Adds a literal run and the match after it, splitting values the format cannot hold.
    void add(const uint8_t* literals, size_t literalCount, size_t matchLength, size_t distance) {
        while (literalCount > kMaxLValue) {
            push(literals, kMaxLValue, 0, 0);
            literals += kMaxLValue;
            literalCount -= kMaxLValue;
        }
        while (matchLength > kMaxMValue) {
            push(literals, static_cast<uint32_t>(literalCount), kMaxMValue, static_cast<uint32_t>(distance));
            literals += literalCount;
            literalCount = 0;
            matchLength -= kMaxMValue;
        }
        if (literalCount > 0 || matchLength > 0) {
            push(literals, static_cast<uint32_t>(literalCount), static_cast<uint32_t>(matchLength),
                 static_cast<uint32_t>(distance));
        }
    }

    void finish() {
        if (!lmds_.empty()) writeBlock();
    }

private:
    // distance 0 marks a literal run with no match, whose distance the decoder ignores.
    void push(const uint8_t* literals, uint32_t literalCount, uint32_t matchLength, uint32_t distance) {
        // Keep room for the padding of the literal count to a multiple of four.
        if (lmds_.size() + 1 > kMatchesPerBlock || literals_.size() + literalCount + 4 > kLiteralsPerBlock) {
            writeBlock();
        }
        if (distance == 0) {
            // Repeating the block's last distance costs the fewest bits; a block's first triple has
            // none to repeat, and 1 is always in range after at least one literal.
            distance = lastDistance_ != 0 ? lastDistance_ : 1;
        }
        lastDistance_ = distance;
        lmds_.push_back({literalCount, matchLength, distance});
        literals_.insert(literals_.end(), literals, literals + literalCount);
    }

    void writeBlock();

    std::vector<uint8_t>& out_;
    std::vector<uint8_t> literals_;
    std::vector<Lmd> lmds_;
    uint32_t lastDistance_ = 0;
    std::vector<uint8_t> payload_;
};

void FseBlockWriter::writeBlock() {
    uint64_t rawSize = 0;
    for (const Lmd& lmd : lmds_) rawSize += lmd.literalCount + lmd.matchLength;
    // Four literal streams are interleaved, so the count is padded with zero literals the
    // decoder never uses.
    while (literals_.size() % 4 != 0) literals_.push_back(0);

    // A distance equal to the previous triple's is sent as 0.
    std::vector<uint32_t> codedDistance(lmds_.size());
    uint32_t previous = 0;
    for (size_t i = 0; i < lmds_.size(); ++i) {
        codedDistance[i] = lmds_[i].distance == previous ? 0 : lmds_[i].distance;
        previous = lmds_[i].distance;
    }

    std::array<uint32_t, kLSymbols> lCount{};
    std::array<uint32_t, kMSymbols> mCount{};
    std::array<uint32_t, kDSymbols> dCount{};
    std::array<uint32_t, kLiteralSymbols> literalCount{};
    for (size_t i = 0; i < lmds_.size(); ++i) {
        ++lCount[lSymbol(lmds_[i].literalCount)];
        ++mCount[mSymbol(lmds_[i].matchLength)];
        ++dCount[dSymbol(codedDistance[i])];
    }
    for (uint8_t b : literals_) ++literalCount[b];

    // One array in header order: L, M, D, then literal frequencies.
    std::array<uint16_t, kAllSymbols> freq{};
    const std::span<uint16_t> lFreq(freq.data(), kLSymbols);
    const std::span<uint16_t> mFreq(lFreq.data() + kLSymbols, kMSymbols);
    const std::span<uint16_t> dFreq(mFreq.data() + kMSymbols, kDSymbols);
    const std::span<uint16_t> literalFreq(dFreq.data() + kDSymbols, kLiteralSymbols);
    normalizeFrequencies(lCount, kLStates, lFreq);
    normalizeFrequencies(mCount, kMStates, mFreq);
    normalizeFrequencies(dCount, kDStates, dFreq);
    normalizeFrequencies(literalCount, kLiteralStates, literalFreq);

    std::array<FseEncoderEntry, kLSymbols> lEncoder{};
    std::array<FseEncoderEntry, kMSymbols> mEncoder{};
    std::array<FseEncoderEntry, kDSymbols> dEncoder{};
    std::array<FseEncoderEntry, kLiteralSymbols> literalEncoder{};
    buildEncoderTable(kLStates, lFreq, lEncoder);
    buildEncoderTable(kMStates, mFreq, mEncoder);
    buildEncoderTable(kDStates, dFreq, dEncoder);
    buildEncoderTable(kLiteralStates, literalFreq, literalEncoder);

    // Both streams are written last symbol first, so the decoder reads them forwards. Worst
    // cases: 10 bits a literal; 14 + 17 + 23 bits a triple after 8 bytes of zero padding.
    const size_t literalBound = literals_.size() * 10 / 8 + 16;
    const size_t lmdBound = 8 + lmds_.size() * 54 / 8 + 16;
    payload_.assign(literalBound + lmdBound, 0);

    ForwardBitWriter literalOut(payload_.data());
    std::array<uint16_t, 4> literalState{};
    for (size_t i = literals_.size(); i > 0; i -= 4) {
        fseEncode(literalState[3], literalEncoder[literals_[i - 1]], literalOut);
        fseEncode(literalState[2], literalEncoder[literals_[i - 2]], literalOut);
        fseEncode(literalState[1], literalEncoder[literals_[i - 3]], literalOut);
        fseEncode(literalState[0], literalEncoder[literals_[i - 4]], literalOut);
        literalOut.flush();
    }
    const int literalBits = literalOut.finish();
    const size_t literalPayloadSize = literalOut.bytesWritten();

    // The decoder starts its backward read 8 bytes into this payload, so it begins with 8 zero
    // bytes (already there from the assign above).
    ForwardBitWriter lmdOut(payload_.data() + literalPayloadSize + 8);
    uint16_t lState = 0;
    uint16_t mState = 0;
    uint16_t dState = 0;
    for (size_t i = lmds_.size(); i > 0; --i) {
        const Lmd& lmd = lmds_[i - 1];
        const uint32_t d = codedDistance[i - 1];
        const uint8_t dSym = dSymbol(d);
        lmdOut.push(d - static_cast<uint32_t>(kDBaseValue[dSym]), kDExtraBits[dSym]);
        fseEncode(dState, dEncoder[dSym], lmdOut);
        const uint8_t mSym = mSymbol(lmd.matchLength);
        lmdOut.push(lmd.matchLength - static_cast<uint32_t>(kMBaseValue[mSym]), kMExtraBits[mSym]);
        fseEncode(mState, mEncoder[mSym], lmdOut);
        const uint8_t lSym = lSymbol(lmd.literalCount);
        lmdOut.push(lmd.literalCount - static_cast<uint32_t>(kLBaseValue[lSym]), kLExtraBits[lSym]);
        fseEncode(lState, lEncoder[lSym], lmdOut);
        lmdOut.flush();
    }
    const int lmdBits = lmdOut.finish();
    const size_t lmdPayloadSize = 8 + lmdOut.bytesWritten();

    // Header: fixed part, then the frequency tables as a prefix-coded bit string.
    std::vector<uint8_t> header(kV2FixedHeaderSize, 0);
    uint32_t accum = 0;
    int pending = 0;
    for (uint16_t f : freq) {
        int bits = 0;
        accum |= frequencyCode(f, bits) << pending;
        pending += bits;
        while (pending >= 8) {
            header.push_back(static_cast<uint8_t>(accum));
            accum >>= 8;
            pending -= 8;
        }
    }
    if (pending > 0) header.push_back(static_cast<uint8_t>(accum));

    const auto field = [](uint64_t value, int offset) { return value << offset; };
    const uint64_t word0 = field(literals_.size(), 0) | field(literalPayloadSize, 20) |
                           field(lmds_.size(), 40) | field(static_cast<uint64_t>(literalBits + 7), 60);
    const uint64_t word1 = field(literalState[0], 0) | field(literalState[1], 10) |
                           field(literalState[2], 20) | field(literalState[3], 30) |
                           field(lmdPayloadSize, 40) | field(static_cast<uint64_t>(lmdBits + 7), 60);
    const uint64_t word2 =
        field(header.size(), 0) | field(lState, 32) | field(mState, 42) | field(dState, 52);
    store32(header.data(), kV2Magic);
    store32(header.data() + 4, static_cast<uint32_t>(rawSize));
    store64(header.data() + 8, word0);
    store64(header.data() + 16, word1);
    store64(header.data() + 24, word2);

    out_.insert(out_.end(), header.begin(), header.end());
    out_.insert(out_.end(), payload_.begin(),
                payload_.begin() + static_cast<std::ptrdiff_t>(literalPayloadSize));
    out_.insert(out_.end(), payload_.begin() + static_cast<std::ptrdiff_t>(literalPayloadSize),
                payload_.begin() + static_cast<std::ptrdiff_t>(literalPayloadSize + lmdPayloadSize));

    literals_.clear();
    lmds_.clear();
    lastDistance_ = 0;
}

class FseSink {
public:
    FseSink(std::span<const uint8_t> input, FseBlockWriter& writer) : input_(input), writer_(writer) {}
    void match(size_t literalStart, size_t literalCount, size_t length, size_t distance) {
        writer_.add(input_.data() + literalStart, literalCount, length, distance);
    }
    void literals(size_t literalStart, size_t literalCount) {
        writer_.add(input_.data() + literalStart, literalCount, 0, 0);
    }

private:
    std::span<const uint8_t> input_;
    FseBlockWriter& writer_;
};

// The match finder keeps 32-bit positions; larger inputs are parsed in independent segments.
constexpr size_t kSegmentSize = size_t{1} << 30;

}  // namespace

void encodeFseBlocks(std::span<const uint8_t> input, std::vector<uint8_t>& out) {
    FseBlockWriter writer(out, input.size());
    for (size_t start = 0; start < input.size(); start += kSegmentSize) {
        const std::span<const uint8_t> segment =
            input.subspan(start, std::min(kSegmentSize, input.size() - start));
        FseSink sink(segment, writer);
        findMatches(segment, kMaxDValue, sink);
    }
    writer.finish();
}

}  // namespace lzfse
