// LZFSE compression of byte strings, as used for undo snapshots and pasteboard payloads.
// Streams are the standard LZFSE format (blocks "bvx-", "bvxn", "bvx1", "bvx2", ended by
// "bvx$"), so they interoperate with other LZFSE implementations in both directions.
//
// Decoding treats its input as untrusted: any byte string either decodes or yields a message,
// never a crash, and the output never grows past the caller's limit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lzfse {

// The default ceiling on decoded size: far above any snapshot, low enough that a hostile
// stream cannot make us allocate without bound.
inline constexpr size_t kDefaultMaxOutput = size_t{256} << 20;

// Compresses `input` into one LZFSE stream. Tiny inputs are stored raw, inputs below 4 KiB are
// coded as LZVN and larger ones as FSE blocks; data that does not compress is stored raw.
std::vector<uint8_t> encode(std::span<const uint8_t> input);
std::vector<uint8_t> encode(std::string_view text);

// Either the decoded bytes or the reason the stream was rejected.
class DecodeResult {
public:
    static DecodeResult success(std::vector<uint8_t> bytes) { return DecodeResult(std::move(bytes), {}); }
    static DecodeResult failure(std::string message) { return DecodeResult({}, std::move(message)); }

    bool ok() const { return error_.empty(); }
    explicit operator bool() const { return ok(); }
    const std::vector<uint8_t>& bytes() const& { return bytes_; }
    std::vector<uint8_t>&& bytes() && { return std::move(bytes_); }
    // A sentence saying what is wrong with the stream; empty on success.
    const std::string& error() const { return error_; }

private:
    DecodeResult(std::vector<uint8_t> bytes, std::string error)
        : bytes_(std::move(bytes)), error_(std::move(error)) {}
    std::vector<uint8_t> bytes_;
    std::string error_;
};

// Decodes a complete stream (through its end-of-stream block; bytes after it are ignored).
DecodeResult decodeChecked(std::span<const uint8_t> stream, size_t maxOutput = kDefaultMaxOutput);

// The same, for callers that only need to know whether it worked.
std::optional<std::vector<uint8_t>> decode(std::span<const uint8_t> stream,
                                           size_t maxOutput = kDefaultMaxOutput);

// Decodes a stream that holds text (such as printed XML); the bytes are returned unchanged.
std::optional<std::string> decodeToString(std::span<const uint8_t> stream,
                                          size_t maxOutput = kDefaultMaxOutput);

}  // namespace lzfse
