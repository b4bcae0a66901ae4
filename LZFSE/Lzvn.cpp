// LZVN blocks: a byte-oriented LZ code with no entropy stage, used for small inputs.
// Opcodes (L = literal bytes that follow the opcode, M = match length, D = distance):
//   LLMMMDDD DDDDDDDD            small distance, D < 1536
//   101LLMMM DDDDDDMM DDDDDDDD   medium distance, M up to 34, D < 16384
//   LLMMM111 DDDDDDDD DDDDDDDD   large distance, D < 65536
//   LLMMM110                     previous distance (L >= 1)
//   1110LLLL / 11100000 LLLLLLLL literals only, 1..15 / 16..271
//   1111MMMM / 11110000 MMMMMMMM match at the previous distance, 1..15 / 16..271
//   00000110 + 7 zero bytes      end of stream; 0x0e and 0x16 are no-ops.
#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "LZFSE/BlockCodecs.h"
#include "LZFSE/BlockFormat.h"
#include "LZFSE/MatchCopy.h"
#include "LZFSE/MatchFinder.h"

namespace lzfse {
namespace {

enum class Op : uint8_t {
    smallD,
    mediumD,
    largeD,
    previousD,
    smallL,
    largeL,
    smallM,
    largeM,
    nop,
    endOfStream,
    invalid
};

constexpr std::array<Op, 256> kOps = [] {
    std::array<Op, 256> ops{};
    for (int op = 0; op < 256; ++op) {
        Op kind;
        if (op >= 0xf0) {
            kind = op == 0xf0 ? Op::largeM : Op::smallM;
        } else if (op >= 0xe0) {
            kind = op == 0xe0 ? Op::largeL : Op::smallL;
        } else if (op >= 0xa0 && op < 0xc0) {
            kind = Op::mediumD;
        } else if ((op >= 0x70 && op < 0x80) || (op >= 0xd0 && op < 0xe0)) {
            kind = Op::invalid;
        } else if ((op & 7) == 7) {
            kind = Op::largeD;
        } else if ((op & 7) == 6) {
            if (op >= 0x40) {
                kind = Op::previousD;
            } else if (op == 0x06) {
                kind = Op::endOfStream;
            } else if (op == 0x0e || op == 0x16) {
                kind = Op::nop;
            } else {
                kind = Op::invalid;
            }
        } else {
            kind = Op::smallD;
        }
        ops[static_cast<size_t>(op)] = kind;
    }
    return ops;
}();

// The longest match the one-byte-distance forms can carry next to L literals: the other
// (L, M) combinations are taken by other opcodes.
constexpr std::array<size_t, 4> kMaxShortMatch = {10, 8, 6, 4};
constexpr size_t kMaxMediumMatch = 34;
constexpr size_t kMaxRun = 271;
// lrg_m turns 2 payload bytes into 271 output bytes: nothing expands further.
constexpr size_t kMaxExpansion = 136;

class LzvnWriter {
public:
    LzvnWriter(std::span<const uint8_t> input, std::vector<uint8_t>& out) : input_(input), out_(out) {}

    void match(size_t literalStart, size_t literalCount, size_t length, size_t distance) {
        // Up to three literals ride along with the match opcode; longer runs get their own.
        size_t carried = literalCount;
        if (literalCount > 3) carried = (literalCount >= 16 && literalCount <= 18) ? literalCount - 15 : 0;
        literals(literalStart, literalCount - carried);
        const uint8_t* lit = input_.data() + literalStart + literalCount - carried;
        const auto carriedBits = static_cast<uint8_t>(carried);

        if (distance == previousDistance_ && carried == 0) {
            matchOnly(length);
            return;
        }
        size_t first;
        if (distance == previousDistance_) {
            first = std::min(length, kMaxShortMatch[carried]);
            out_.push_back(static_cast<uint8_t>(carriedBits << 6 | (first - 3) << 3 | 6));
        } else if (distance < 1536 && length <= kMaxShortMatch[carried]) {
            first = length;
            out_.push_back(static_cast<uint8_t>(carriedBits << 6 | (first - 3) << 3 | distance >> 8));
            out_.push_back(static_cast<uint8_t>(distance));
        } else if (distance < 16384) {
            first = std::min(length, kMaxMediumMatch);
            const size_t m = first - 3;
            out_.push_back(static_cast<uint8_t>(0xa0 | carriedBits << 3 | m >> 2));
            const auto tail = static_cast<uint16_t>(distance << 2 | (m & 3));
            out_.push_back(static_cast<uint8_t>(tail));
            out_.push_back(static_cast<uint8_t>(tail >> 8));
        } else {
            first = std::min(length, kMaxShortMatch[carried]);
            out_.push_back(static_cast<uint8_t>(carriedBits << 6 | (first - 3) << 3 | 7));
            out_.push_back(static_cast<uint8_t>(distance));
            out_.push_back(static_cast<uint8_t>(distance >> 8));
        }
        out_.insert(out_.end(), lit, lit + carried);
        previousDistance_ = distance;
        matchOnly(length - first);
    }

    void literals(size_t start, size_t count) {
        const uint8_t* p = input_.data() + start;
        while (count > 0) {
            const size_t run = std::min(count, kMaxRun);
            if (run < 16) {
                out_.push_back(static_cast<uint8_t>(0xe0 | run));
            } else {
                out_.push_back(0xe0);
                out_.push_back(static_cast<uint8_t>(run - 16));
            }
            out_.insert(out_.end(), p, p + run);
            p += run;
            count -= run;
        }
    }

    void endOfStream() { out_.insert(out_.end(), {0x06, 0, 0, 0, 0, 0, 0, 0}); }

private:
    void matchOnly(size_t length) {
        while (length > 0) {
            const size_t run = std::min(length, kMaxRun);
            if (run < 16) {
                out_.push_back(static_cast<uint8_t>(0xf0 | run));
            } else {
                out_.push_back(0xf0);
                out_.push_back(static_cast<uint8_t>(run - 16));
            }
            length -= run;
        }
    }

    std::span<const uint8_t> input_;
    std::vector<uint8_t>& out_;
    size_t previousDistance_ = 0;
};

std::string offsetText(size_t offset) {
    return " at payload offset " + std::to_string(offset);
}

}  // namespace

void encodeLzvnPayload(std::span<const uint8_t> input, std::vector<uint8_t>& out) {
    LzvnWriter writer(input, out);
    findMatches(input, format::kLzvnMaxDistance, writer);
    writer.endOfStream();
}

BlockOutcome decodeLzvnBlock(std::span<const uint8_t> block, std::vector<uint8_t>& out, size_t maxOutput) {
    if (block.size() < format::kLzvnHeaderSize) return {0, "LZVN block header is truncated"};
    const size_t rawSize = format::load32(block.data() + 4);
    const size_t payloadSize = format::load32(block.data() + 8);
    if (payloadSize > block.size() - format::kLzvnHeaderSize) {
        return {0, "LZVN block is truncated: its payload needs " + std::to_string(payloadSize) + " bytes, " +
                       std::to_string(block.size() - format::kLzvnHeaderSize) + " are present"};
    }
    if (rawSize > maxOutput - out.size()) {
        return {0, "decoded data would exceed the limit of " + std::to_string(maxOutput) + " bytes"};
    }
    if (rawSize > payloadSize * kMaxExpansion) {
        return {0, "LZVN block claims " + std::to_string(rawSize) + " bytes from only " +
                       std::to_string(payloadSize) + " payload bytes"};
    }

    const size_t blockStart = out.size();
    out.resize(blockStart + rawSize);
    uint8_t* const outBegin = out.data();
    uint8_t* dst = outBegin + blockStart;
    uint8_t* const dstEnd = dst + rawSize;
    const uint8_t* const payload = block.data() + format::kLzvnHeaderSize;
    const uint8_t* src = payload;
    const uint8_t* const srcEnd = payload + payloadSize;
    size_t distance = 0;

    const auto fail = [&](std::string message) {
        out.resize(blockStart);
        return BlockOutcome{0, std::move(message)};
    };

    while (true) {
        if (src >= srcEnd) return fail("LZVN payload ends without an end-of-stream opcode");
        const size_t at = static_cast<size_t>(src - payload);
        const uint8_t op = *src;
        const auto available = static_cast<size_t>(srcEnd - src);
        size_t opLength = 1;
        size_t literalCount = 0;
        size_t matchLength = 0;
        size_t newDistance = 0;
        bool setsDistance = false;  // the other opcodes keep the previous distance
        switch (kOps[op]) {
            case Op::smallD:
                opLength = 2;
                literalCount = op >> 6;
                matchLength = ((op >> 3) & 7) + 3;
                if (available < opLength) return fail("LZVN opcode is truncated" + offsetText(at));
                newDistance = static_cast<size_t>(op & 7) << 8 | src[1];
                setsDistance = true;
                break;
            case Op::mediumD: {
                opLength = 3;
                if (available < opLength) return fail("LZVN opcode is truncated" + offsetText(at));
                literalCount = (op >> 3) & 3;
                const uint16_t tail = format::load16(src + 1);
                matchLength = ((static_cast<size_t>(op & 7) << 2) | (tail & 3)) + 3;
                newDistance = tail >> 2;
                setsDistance = true;
                break;
            }
            case Op::largeD:
                opLength = 3;
                literalCount = op >> 6;
                matchLength = ((op >> 3) & 7) + 3;
                if (available < opLength) return fail("LZVN opcode is truncated" + offsetText(at));
                newDistance = format::load16(src + 1);
                setsDistance = true;
                break;
            case Op::previousD:
                literalCount = op >> 6;
                matchLength = ((op >> 3) & 7) + 3;
                break;
            case Op::smallL:
                literalCount = op & 15;
                break;
            case Op::largeL:
                opLength = 2;
                if (available < opLength) return fail("LZVN opcode is truncated" + offsetText(at));
                literalCount = src[1] + 16u;
                break;
            case Op::smallM:
                matchLength = op & 15;
                break;
            case Op::largeM:
                opLength = 2;
                if (available < opLength) return fail("LZVN opcode is truncated" + offsetText(at));
                matchLength = src[1] + 16u;
                break;
            case Op::nop:
                ++src;
                continue;
            case Op::endOfStream: {
                if (available < 8) return fail("LZVN end-of-stream opcode is truncated" + offsetText(at));
                const size_t produced = static_cast<size_t>(dst - (outBegin + blockStart));
                if (produced != rawSize) {
                    return fail("LZVN block decodes to " + std::to_string(produced) +
                                " bytes, its header says " + std::to_string(rawSize));
                }
                if (available != 8) {
                    return fail("LZVN block has " + std::to_string(available - 8) +
                                " stray bytes after its end of stream");
                }
                return {format::kLzvnHeaderSize + payloadSize, {}};
            }
            case Op::invalid:
                return fail("invalid LZVN opcode " + std::to_string(op) + offsetText(at));
        }

        if (available < opLength + literalCount)
            return fail("LZVN literal run is truncated" + offsetText(at));
        if (literalCount + matchLength > static_cast<size_t>(dstEnd - dst)) {
            return fail("LZVN block decodes past its declared size of " + std::to_string(rawSize) + " bytes");
        }
        src += opLength;
        std::memcpy(dst, src, literalCount);
        src += literalCount;
        dst += literalCount;
        if (setsDistance) distance = newDistance;
        if (matchLength > 0) {
            if (distance == 0 || distance > static_cast<size_t>(dst - outBegin)) {
                return fail("LZVN match reaches before the start of the data" + offsetText(at));
            }
            copyMatch(dst, distance, matchLength);
            dst += matchLength;
        }
    }
}

}  // namespace lzfse
