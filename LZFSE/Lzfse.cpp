#include "LZFSE/Lzfse.h"

#include <algorithm>

#include "LZFSE/BlockCodecs.h"
#include "LZFSE/BlockFormat.h"
#include "LZFSE/MatchCopy.h"

namespace lzfse {
namespace {

using namespace format;

// A raw block's length is a 32-bit field; very large inputs take several blocks.
constexpr size_t kMaxRawBlock = 0x7fffffff;

void appendMagic(std::vector<uint8_t>& out, uint32_t magic) {
    const size_t at = out.size();
    out.resize(at + 4);
    store32(out.data() + at, magic);
}

void appendRawStream(std::span<const uint8_t> input, std::vector<uint8_t>& out) {
    size_t start = 0;
    do {
        const size_t count = std::min(kMaxRawBlock, input.size() - start);
        appendMagic(out, kRawMagic);
        appendMagic(out, static_cast<uint32_t>(count));
        out.insert(out.end(), input.begin() + static_cast<std::ptrdiff_t>(start),
                   input.begin() + static_cast<std::ptrdiff_t>(start + count));
        start += count;
    } while (start < input.size());
    appendMagic(out, kEndOfStreamMagic);
}

size_t rawStreamSize(size_t inputSize) {
    return inputSize + kRawHeaderSize + 4;
}

std::string blockName(uint32_t magic) {
    std::string name;
    for (int i = 0; i < 4; ++i) {
        const auto c = static_cast<unsigned char>(magic >> (8 * i));
        if (c >= 0x20 && c < 0x7f) {
            name += static_cast<char>(c);
        } else {
            static constexpr char kHex[] = "0123456789abcdef";
            name += "\\x";
            name += kHex[c >> 4];
            name += kHex[c & 15];
        }
    }
    return name;
}

// The decoded size that the block headers declare, read without decoding, so that the output
// is allocated once rather than grown block by block. Only a hint: the headers are not trusted,
// the walk stops at anything it does not understand, and the hint never passes `limit`.
size_t declaredSize(std::span<const uint8_t> stream, size_t limit) {
    uint64_t total = 0;
    size_t pos = 0;
    while (stream.size() - pos >= kV2FixedHeaderSize && total < limit) {
        const uint8_t* p = stream.data() + pos;
        const uint32_t raw = load32(p + 4);
        uint64_t blockSize = 0;
        switch (load32(p)) {
            case kRawMagic:
                blockSize = kRawHeaderSize + uint64_t{raw};
                break;
            case kLzvnMagic:
                blockSize = kLzvnHeaderSize + uint64_t{load32(p + 8)};
                break;
            case kV1Magic:
                blockSize = kV1HeaderSize + uint64_t{load32(p + 20)} + load32(p + 24);
                break;
            case kV2Magic:
                blockSize = uint64_t{load32(p + 24)} + ((load64(p + 8) >> 20) & 0xfffff) +
                            ((load64(p + 16) >> 40) & 0xfffff);
                break;
            default:
                return static_cast<size_t>(std::min<uint64_t>(total, limit));
        }
        total += raw;
        if (blockSize == 0 || blockSize > stream.size() - pos) break;
        pos += static_cast<size_t>(blockSize);
    }
    return static_cast<size_t>(std::min<uint64_t>(total, limit));
}

// Real snapshots shrink to a tenth or so; a reservation beyond this multiple of the stream is
// left to ordinary growth, so that a forged header cannot make us reserve the whole limit.
constexpr size_t kMaxReservedRatio = 64;

}  // namespace

std::vector<uint8_t> encode(std::span<const uint8_t> input) {
    std::vector<uint8_t> out;
    if (input.size() < kLzvnMinInput) {
        appendRawStream(input, out);
        return out;
    }
    if (input.size() < kLzvnThreshold) {
        out.resize(kLzvnHeaderSize);
        encodeLzvnPayload(input, out);
        const size_t payloadSize = out.size() - kLzvnHeaderSize;
        // Like the reference encoder, keep LZVN only when it is smaller than the input itself.
        if (payloadSize < input.size()) {
            store32(out.data(), kLzvnMagic);
            store32(out.data() + 4, static_cast<uint32_t>(input.size()));
            store32(out.data() + 8, static_cast<uint32_t>(payloadSize));
            appendMagic(out, kEndOfStreamMagic);
            return out;
        }
        out.clear();
        appendRawStream(input, out);
        return out;
    }
    out.reserve(input.size() / 2 + 64);
    encodeFseBlocks(input, out);
    appendMagic(out, kEndOfStreamMagic);
    if (out.size() > rawStreamSize(input.size())) {
        out.clear();
        out.shrink_to_fit();
        appendRawStream(input, out);
    }
    return out;
}

std::vector<uint8_t> encode(std::string_view text) {
    return encode(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

DecodeResult decodeChecked(std::span<const uint8_t> stream, size_t maxOutput) {
    std::vector<uint8_t> out;
    const size_t reserveLimit = std::min(maxOutput, stream.size() * kMaxReservedRatio);
    // Blocks decode with a little room for wide copies past their end.
    out.reserve(declaredSize(stream, reserveLimit) + kWideCopySlack);
    size_t pos = 0;
    while (true) {
        if (stream.size() - pos < 4) {
            return DecodeResult::failure(pos == 0 && stream.empty()
                                             ? "LZFSE stream is empty"
                                             : "LZFSE stream ends without an end-of-stream block");
        }
        const std::span<const uint8_t> block = stream.subspan(pos);
        const uint32_t magic = load32(block.data());
        BlockOutcome outcome;
        switch (magic) {
            case kEndOfStreamMagic:
                return DecodeResult::success(std::move(out));
            case kRawMagic: {
                if (block.size() < kRawHeaderSize)
                    return DecodeResult::failure("raw block header is truncated");
                const size_t count = load32(block.data() + 4);
                if (count > block.size() - kRawHeaderSize) {
                    return DecodeResult::failure("raw block is truncated: it needs " + std::to_string(count) +
                                                 " bytes, " + std::to_string(block.size() - kRawHeaderSize) +
                                                 " are present");
                }
                if (count > maxOutput - out.size()) {
                    return DecodeResult::failure("decoded data would exceed the limit of " +
                                                 std::to_string(maxOutput) + " bytes");
                }
                out.insert(out.end(), block.begin() + kRawHeaderSize,
                           block.begin() + static_cast<std::ptrdiff_t>(kRawHeaderSize + count));
                outcome.consumed = kRawHeaderSize + count;
                break;
            }
            case kLzvnMagic:
                outcome = decodeLzvnBlock(block, out, maxOutput);
                break;
            case kV1Magic:
            case kV2Magic:
                outcome = decodeFseBlock(block, out, maxOutput);
                break;
            default:
                return DecodeResult::failure("not an LZFSE stream: unknown block \"" + blockName(magic) +
                                             "\" at byte " + std::to_string(pos));
        }
        if (!outcome.error.empty()) {
            return DecodeResult::failure(outcome.error + " (block at byte " + std::to_string(pos) + ")");
        }
        pos += outcome.consumed;
    }
}

std::optional<std::vector<uint8_t>> decode(std::span<const uint8_t> stream, size_t maxOutput) {
    DecodeResult result = decodeChecked(stream, maxOutput);
    if (!result) return std::nullopt;
    return std::move(result).bytes();
}

std::optional<std::string> decodeToString(std::span<const uint8_t> stream, size_t maxOutput) {
    DecodeResult result = decodeChecked(stream, maxOutput);
    if (!result) return std::nullopt;
    const std::vector<uint8_t>& bytes = result.bytes();
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace lzfse
