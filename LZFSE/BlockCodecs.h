// The per-block coders behind the stream API. Decoders treat their block as hostile: they
// check every length against the bytes present and against the output budget, and return a
// message instead of trusting the header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lzfse {

// What a block decoder reports: bytes of input used, or why the block was refused.
struct BlockOutcome {
    size_t consumed = 0;
    std::string error;  // empty on success
};

// `block` starts at the block's magic and runs to the end of the input. Decoded bytes are
// appended to `out`, which must not grow past `maxOutput`; earlier blocks in `out` may be
// referenced by matches.
BlockOutcome decodeFseBlock(std::span<const uint8_t> block, std::vector<uint8_t>& out, size_t maxOutput);
BlockOutcome decodeLzvnBlock(std::span<const uint8_t> block, std::vector<uint8_t>& out, size_t maxOutput);

// Appends the LZVN opcodes (ending with the end-of-stream opcode) for `input` to `out`.
void encodeLzvnPayload(std::span<const uint8_t> input, std::vector<uint8_t>& out);

// Appends `input` as a run of bvx2 blocks (no end-of-stream marker) to `out`.
void encodeFseBlocks(std::span<const uint8_t> input, std::vector<uint8_t>& out);

}  // namespace lzfse
