#pragma once
// KiwiReader: the primitive reads of the Kiwi binary format over bytes from anywhere. Every
// read is bounds-checked; a read past the end, or a variable-length integer longer than its
// width allows, marks the reader failed and returns zero (false, an empty string), so that a
// caller can read a whole record and test `failed()` once. Nothing here allocates except a
// string that needs its invalid UTF-8 replaced.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantorel::import::figma {

class KiwiReader {
public:
    explicit KiwiReader(std::string_view data) : data_(data) {}

    std::size_t offset() const { return offset_; }
    std::size_t bytesLeft() const { return data_.size() - offset_; }
    bool atEnd() const { return offset_ == data_.size(); }
    // True once a read ran past the end or met a malformed number; later reads return zero.
    bool failed() const { return failed_; }
    // Marks the reader failed, for an inconsistency its caller found.
    void fail() { failed_ = true; }

    std::uint8_t readByte() {
        if (offset_ >= data_.size()) {
            failed_ = true;
            return 0;
        }
        return static_cast<std::uint8_t>(data_[offset_++]);
    }
    bool readBool() { return readByte() != 0; }
    // Steps over `count` bytes, failing when fewer are left.
    void skipBytes(std::size_t count) {
        if (count > bytesLeft()) {
            failed_ = true;
            offset_ = data_.size();
            return;
        }
        offset_ += count;
    }
    // Little-endian base 128, at most five bytes.
    std::uint32_t readVarUint() {
        // One byte is by far the most common case: field ids, counts, small values.
        if (offset_ < data_.size() && static_cast<std::uint8_t>(data_[offset_]) < 0x80)
            return static_cast<std::uint8_t>(data_[offset_++]);
        return static_cast<std::uint32_t>(readVarBits(5));
    }
    // The same, at most ten bytes.
    std::uint64_t readVarUint64() { return readVarBits(10); }
    // Zigzag-decoded from the unsigned forms.
    std::int32_t readVarInt();
    std::int64_t readVarInt64();
    // A first byte of 0 is 0.0 on its own; otherwise four bytes, little-endian, whose word
    // rotated right by 9 bits is the IEEE 754 single-precision value.
    float readVarFloat();
    // The bytes before the next 0 byte (which is consumed), as UTF-8; a malformed sequence
    // becomes U+FFFD. Without a terminating 0 the reader fails.
    std::string readString();
    // The same bytes as a view into the data, not checked as UTF-8.
    std::string_view readRawString();

private:
    // A base-128 number of at most `maxBytes` bytes; bits past 64 are dropped.
    std::uint64_t readVarBits(int maxBytes);

    std::string_view data_;
    std::size_t offset_ = 0;
    bool failed_ = false;
};

// `text` with every malformed UTF-8 sequence replaced by U+FFFD.
std::string validUTF8(std::string_view text);

}  // namespace vantorel::import::figma
