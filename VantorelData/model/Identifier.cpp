#include "VantorelData/model/Identifier.h"

#include <array>
#include <cstring>
#include <ostream>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vantorel {
namespace {

constexpr char hexDigits[] = "0123456789ABCDEF";
constexpr std::size_t freeDigitCount = 31;

// The positions of the 31 free digits in the canonical text: all but the dashes (8, 13, 18,
// 23) and the version digit (14).
constexpr std::array<unsigned char, freeDigitCount> freeDigitPositions = [] {
    std::array<unsigned char, freeDigitCount> positions{};
    std::size_t count = 0;
    for (unsigned char i = 0; i < Identifier::uuidLength; ++i) {
        if (i != 8 && i != 13 && i != 14 && i != 18 && i != 23) positions[count++] = i;
    }
    return positions;
}();

#if !defined(__SSE2__)
constexpr unsigned char notADigit = 0xFF;

// Upper-case hexadecimal digits only: a lower-case UUID stays verbatim, so that it is written
// back as it was read.
constexpr std::array<unsigned char, 256> digitValues = [] {
    std::array<unsigned char, 256> values{};
    values.fill(notADigit);
    for (unsigned char i = 0; i < 16; ++i) values[static_cast<unsigned char>(hexDigits[i])] = i;
    return values;
}();
#endif

}  // namespace

bool Identifier::pack(std::string_view text, unsigned char* bytes) noexcept {
    if (text.size() != uuidLength || text[8] != '-' || text[13] != '-' || text[14] != '4' || text[18] != '-' ||
        text[23] != '-') {
        return false;
    }
#if defined(__SSE2__)
    // Every document opened packs two identifiers per item: the 31 digits are gathered side by
    // side and turned into nibbles sixteen at a time.
    char digits[32];
    std::memcpy(digits, text.data(), 8);
    std::memcpy(digits + 8, text.data() + 9, 4);
    std::memcpy(digits + 12, text.data() + 15, 3);
    std::memcpy(digits + 15, text.data() + 19, 4);
    std::memcpy(digits + 19, text.data() + 24, 12);
    digits[31] = '0';
    const auto nibbles = [](__m128i chars, int& valid) {
        const __m128i fromZero = _mm_sub_epi8(chars, _mm_set1_epi8('0'));
        const __m128i fromA = _mm_sub_epi8(chars, _mm_set1_epi8('A'));
        // Unsigned "at most": a byte below the range wraps round to a large value.
        const __m128i isDigit = _mm_cmpeq_epi8(_mm_min_epu8(fromZero, _mm_set1_epi8(9)), fromZero);
        const __m128i isLetter = _mm_cmpeq_epi8(_mm_min_epu8(fromA, _mm_set1_epi8(5)), fromA);
        valid &= _mm_movemask_epi8(_mm_or_si128(isDigit, isLetter));
        const __m128i letterValues = _mm_add_epi8(fromA, _mm_set1_epi8(10));
        const __m128i values = _mm_or_si128(_mm_and_si128(isDigit, fromZero), _mm_andnot_si128(isDigit, letterValues));
        // Each pair of digits, first digit in the low byte of a 16-bit lane, becomes one byte.
        const __m128i high = _mm_slli_epi16(_mm_and_si128(values, _mm_set1_epi16(0x00FF)), 4);
        return _mm_and_si128(_mm_or_si128(high, _mm_srli_epi16(values, 8)), _mm_set1_epi16(0x00FF));
    };
    int valid = 0xFFFF;
    const __m128i first = nibbles(_mm_loadu_si128(reinterpret_cast<const __m128i*>(digits)), valid);
    const __m128i second = nibbles(_mm_loadu_si128(reinterpret_cast<const __m128i*>(digits + 16)), valid);
    if (valid != 0xFFFF) return false;
    unsigned char packed[16];
    _mm_storeu_si128(reinterpret_cast<__m128i*>(packed), _mm_packus_epi16(first, second));
    std::memcpy(bytes, packed, packedBytes);
    bytes[packedBytes] = static_cast<unsigned char>(packedTag | (packed[packedBytes] >> 4));
    return true;
#else
    unsigned char failed = 0;
#pragma GCC unroll 15
    for (std::size_t k = 0; k + 1 < freeDigitCount; k += 2) {
        const unsigned char high = digitValues[static_cast<unsigned char>(text[freeDigitPositions[k]])];
        const unsigned char low = digitValues[static_cast<unsigned char>(text[freeDigitPositions[k + 1]])];
        failed |= high | low;
        bytes[k / 2] = static_cast<unsigned char>(high << 4 | (low & 0x0F));
    }
    const unsigned char last = digitValues[static_cast<unsigned char>(text[freeDigitPositions[freeDigitCount - 1]])];
    failed |= last;
    bytes[packedBytes] = static_cast<unsigned char>(packedTag | (last & 0x0F));
    // Every digit value is below 16: a byte that was not a digit sets the high bits.
    return (failed & 0xF0) == 0;
#endif
}

void Identifier::unpackInto(char* chars) const noexcept {
    const unsigned char* packed = bytes();
    chars[8] = chars[13] = chars[18] = chars[23] = '-';
    chars[14] = '4';
#pragma GCC unroll 15
    for (std::size_t k = 0; k + 1 < freeDigitCount; k += 2) {
        chars[freeDigitPositions[k]] = hexDigits[packed[k / 2] >> 4];
        chars[freeDigitPositions[k + 1]] = hexDigits[packed[k / 2] & 0x0F];
    }
    chars[freeDigitPositions[freeDigitCount - 1]] = hexDigits[packed[packedBytes] & 0x0F];
}

void Identifier::assign(std::string_view text) {
    if (pack(text, reinterpret_cast<unsigned char*>(storage_.inline_))) return;
    storage_.assign(text);
}

Identifier::Text Identifier::text() const {
    Text text;
    if (isPacked()) {
        unpackInto(text.chars_);
        text.size_ = uuidLength;
    } else {
        const std::string_view chars = verbatim();
        text.external_ = chars.data();
        text.size_ = chars.size();
    }
    return text;
}

std::string Identifier::str() const {
    if (!isPacked()) return std::string(verbatim());
    std::string out(uuidLength, '\0');
    unpackInto(out.data());
    return out;
}

void Identifier::appendTo(std::string& out) const {
    if (!isPacked()) {
        out.append(verbatim());
        return;
    }
    char chars[uuidLength];
    unpackInto(chars);
    out.append(chars, uuidLength);
}

std::size_t Identifier::size() const noexcept { return isPacked() ? uuidLength : storage_.size(); }

bool Identifier::equal(const Identifier& a, const Identifier& b) noexcept {
    // A text has one form, so texts of different forms differ; packed and inline texts are
    // equal exactly when their bytes are.
    const bool aOnHeap = !a.storage_.isInline(), bOnHeap = !b.storage_.isInline();
    if (aOnHeap || bOnHeap) return aOnHeap && bOnHeap && a.verbatim() == b.verbatim();
    return std::memcmp(&a.storage_, &b.storage_, sizeof a.storage_) == 0;
}

bool Identifier::equal(const Identifier& a, std::string_view b) noexcept {
    if (!a.isPacked()) return a.verbatim() == b;
    unsigned char packed[sizeof a.storage_];
    return pack(b, packed) && std::memcmp(packed, a.bytes(), sizeof packed) == 0;
}

std::strong_ordering Identifier::compare(const Identifier& a, const Identifier& b) noexcept {
    // The digits are packed in text order and the digit values follow the characters' order.
    if (a.isPacked() && b.isPacked()) return std::memcmp(a.bytes(), b.bytes(), sizeof a.storage_) <=> 0;
    const Text aText = a.text(), bText = b.text();
    return aText.view().compare(bText.view()) <=> 0;
}

std::strong_ordering Identifier::compare(const Identifier& a, std::string_view b) noexcept {
    const Text aText = a.text();
    return aText.view().compare(b) <=> 0;
}

std::size_t Identifier::hash() const noexcept {
    // Equal identifiers have equal bytes unless they are on the heap, so the bytes are hashed:
    // a document's links hash every identifier it holds.
    if (!storage_.isInline()) return std::hash<std::string_view>{}(verbatim());
    std::uint64_t words[2];
    std::memcpy(words, &storage_, sizeof words);
    std::uint64_t h = words[0] ^ (words[1] * 0x9E3779B97F4A7C15ULL);
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDULL;
    h ^= h >> 33;
    h *= 0xC4CEB9FE1A85EC53ULL;
    h ^= h >> 33;
    return static_cast<std::size_t>(h);
}

std::ostream& operator<<(std::ostream& out, const Identifier& identifier) {
    const Identifier::Text text = identifier.text();
    return out << text.view();
}

}  // namespace vantorel
