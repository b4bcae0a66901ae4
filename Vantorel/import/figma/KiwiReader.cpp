#include "Vantorel/import/figma/KiwiReader.h"

#include <bit>
#include <cstring>

namespace vantorel::import::figma {

std::uint64_t KiwiReader::readVarBits(int maxBytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < maxBytes; ++i) {
        const std::uint8_t byte = readByte();
        if (failed_) return 0;
        if (i < 10) value |= static_cast<std::uint64_t>(byte & 0x7F) << (7 * i);
        if ((byte & 0x80) == 0) return value;
    }
    // The high bit was still set on the last byte the width allows.
    failed_ = true;
    return 0;
}

std::int32_t KiwiReader::readVarInt() {
    const std::uint32_t value = readVarUint();
    return static_cast<std::int32_t>((value >> 1) ^ (0U - (value & 1U)));
}

std::int64_t KiwiReader::readVarInt64() {
    const std::uint64_t value = readVarUint64();
    return static_cast<std::int64_t>((value >> 1) ^ (0ULL - (value & 1ULL)));
}

float KiwiReader::readVarFloat() {
    const std::uint8_t first = readByte();
    if (failed_ || first == 0) return 0.0f;
    if (bytesLeft() < 3) {
        failed_ = true;
        return 0.0f;
    }
    std::uint32_t word = first;
    for (int i = 0; i < 3; ++i)
        word |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(data_[offset_++])) << (8 * (i + 1));
    // The writer moves the sign and exponent to the low byte so that small values stay short.
    return std::bit_cast<float>(std::rotr(word, 9));
}

std::string_view KiwiReader::readRawString() {
    const std::size_t end = data_.find('\0', offset_);
    if (end == std::string_view::npos) {
        failed_ = true;
        offset_ = data_.size();
        return {};
    }
    const std::string_view text = data_.substr(offset_, end - offset_);
    offset_ = end + 1;
    return text;
}

std::string KiwiReader::readString() {
    return validUTF8(readRawString());
}

namespace {

// The length of the well-formed UTF-8 sequence at the start of `text`, or 0.
std::size_t sequenceLength(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(0);
    std::size_t length = 0;
    std::uint8_t low = 0x80, high = 0xBF;  // the allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
    }
    return length;
}

}  // namespace

std::string validUTF8(std::string_view text) {
    std::string result;
    std::size_t copied = 0;  // text before this is in `result`
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<std::uint8_t>(text[i]) < 0x80) {
            ++i;
            continue;
        }
        if (const std::size_t length = sequenceLength(text.substr(i))) {
            i += length;
            continue;
        }
        result.append(text.substr(copied, i - copied)).append("\xEF\xBF\xBD");
        copied = ++i;
    }
    if (copied == 0) return std::string(text);
    return result.append(text.substr(copied));
}

}  // namespace vantorel::import::figma
