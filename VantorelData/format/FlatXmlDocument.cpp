#include "VantorelData/format/FlatXmlDocument.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vantorel::format {
namespace {

// Offsets and lengths are kept in 32 bits; larger documents go to pugixml.
constexpr std::size_t sizeLimit = std::size_t{1} << 30;
// Roughly the bytes a written document spends per element, for reserving the list up front.
constexpr std::size_t typicalElementBytes = 32;
// Records reserved when children are handed over as they close.
constexpr std::size_t handedOverRecords = 4096;

// The declarations the writer and most editors put first; any other goes to pugixml, which
// also reads the encodings a declaration may name.
constexpr std::array<std::string_view, 3> plainDeclarations = {
    R"(<?xml version="1.0" encoding="utf-8"?>)",
    R"(<?xml version="1.0" encoding="UTF-8"?>)",
    R"(<?xml version="1.0"?>)",
};

// What each byte can be, looked up once per byte while scanning.
enum ByteKind : std::uint8_t { blankByte = 1, nameStartByte = 2, nameByte = 4, textMark = 8 };

constexpr std::array<std::uint8_t, 256> byteKinds = [] {
    std::array<std::uint8_t, 256> kinds{};
    for (const unsigned char c : {' ', '\t', '\r', '\n'}) kinds[c] |= blankByte;
    for (int c = 0; c < 256; ++c) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (letter || c == '_' || c == ':') kinds[static_cast<std::size_t>(c)] |= nameStartByte | nameByte;
        if ((c >= '0' && c <= '9') || c == '-' || c == '.') kinds[static_cast<std::size_t>(c)] |= nameByte;
    }
    // Where text ends, or needs resolving.
    for (const unsigned char c : {'<', '&', '\r', '\0'}) kinds[c] |= textMark;
    return kinds;
}();

bool is(char c, ByteKind kind) { return (byteKinds[static_cast<unsigned char>(c)] & kind) != 0; }

// Where a piece of text ends: the first "<" at or after `p` (`end` when there is none), with
// whether the bytes before it are all blanks and whether they hold nothing to resolve. A zero
// byte, where pugixml ends the text, refuses. Texts and the indentation between tags are most of
// a document's bytes, so they are passed sixteen at a time, deciding both in the same pass.
struct TextScan {
    const char* end;
    bool blank;
    bool plain;
    bool refused;
};

[[gnu::always_inline]] inline TextScan scanText(const char* p, const char* end) {
    bool blank = true;
    bool plain = true;
#if defined(__SSE2__)
    const __m128i less = _mm_set1_epi8('<');
    const __m128i ampersand = _mm_set1_epi8('&');
    const __m128i carriageReturn = _mm_set1_epi8('\r');
    const __m128i zero = _mm_setzero_si128();
    const __m128i space = _mm_set1_epi8(' ');
    const __m128i newline = _mm_set1_epi8('\n');
    const __m128i tab = _mm_set1_epi8('\t');
    while (end - p >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i returns = _mm_cmpeq_epi8(bytes, carriageReturn);
        const auto lessMask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, less)));
        const auto otherMarks = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, ampersand), returns), _mm_cmpeq_epi8(bytes, zero))));
        const __m128i blanks = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, space), _mm_cmpeq_epi8(bytes, newline)),
                                            _mm_or_si128(_mm_cmpeq_epi8(bytes, tab), returns));
        const auto others = ~static_cast<unsigned>(_mm_movemask_epi8(blanks)) & 0xFFFFu;
        // Bytes before the first "<" (all sixteen when there is none).
        const unsigned before = lessMask ? (1u << __builtin_ctz(lessMask)) - 1 : 0xFFFFu;
        if (others & before) blank = false;
        if (const unsigned marks = otherMarks & before) {
            if (marks & static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, zero)))) {
                return {p, false, false, true};
            }
            plain = false;
        }
        if (lessMask) return {p + __builtin_ctz(lessMask), blank, plain, false};
        p += 16;
    }
#endif
    for (; p < end && *p != '<'; ++p) {
        if (*p == '\0') return {p, false, false, true};
        if (*p == '&' || *p == '\r') plain = false;
        if (!is(*p, blankByte)) blank = false;
    }
    return {p, blank, plain, false};
}

// The end of the name that starts at `p`: the first byte that cannot be in a name, or `end`.
// Names are short and of every length, so they are measured sixteen bytes at a time rather than
// byte by byte with a branch that a new length mispredicts.
[[gnu::always_inline]] inline const char* nameEnd(const char* p, const char* end) {
#if defined(__SSE2__)
    while (end - p >= 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const auto within = [&](char low, char high) {
            return _mm_and_si128(_mm_cmpgt_epi8(bytes, _mm_set1_epi8(static_cast<char>(low - 1))),
                                 _mm_cmplt_epi8(bytes, _mm_set1_epi8(static_cast<char>(high + 1))));
        };
        const __m128i lower = _mm_or_si128(bytes, _mm_set1_epi8(0x20));
        const __m128i letters = _mm_and_si128(_mm_cmpgt_epi8(lower, _mm_set1_epi8('a' - 1)),
                                              _mm_cmplt_epi8(lower, _mm_set1_epi8('z' + 1)));
        // Digits, "-", "." and ":" lie close together, with "/" among them, which ends names.
        const __m128i punctuation = _mm_andnot_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('/')), within('-', ':'));
        const __m128i names = _mm_or_si128(_mm_or_si128(letters, punctuation), _mm_cmpeq_epi8(bytes, _mm_set1_epi8('_')));
        const auto outside = ~static_cast<unsigned>(_mm_movemask_epi8(names)) & 0xFFFFu;
        if (outside) return p + __builtin_ctz(outside);
        p += 16;
    }
#endif
    while (p < end && is(*p, nameByte)) ++p;
    return p;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    const char lower = static_cast<char>(c | 0x20);
    if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
    return -1;
}

// The code point of a character reference after "&#" (decimal, or hex after a lower-case
// "x"), up to the ";". None for references pugixml would leave as they are or turn into bytes
// that are no character.
std::optional<char32_t> characterReference(const char*& p, const char* end) {
    const bool hex = p < end && *p == 'x';
    if (hex) ++p;
    const std::size_t maxDigits = hex ? 6 : 7;
    char32_t code = 0;
    std::size_t digits = 0;
    for (; p < end && *p != ';'; ++p, ++digits) {
        const int digit = hex ? hexDigit(*p) : (*p >= '0' && *p <= '9' ? *p - '0' : -1);
        if (digit < 0 || digits == maxDigits) return std::nullopt;
        code = code * (hex ? 16 : 10) + static_cast<char32_t>(digit);
    }
    if (p == end || digits == 0) return std::nullopt;
    ++p;  // the ";"
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;
    return code;
}

char* appendUtf8(char* out, char32_t code) {
    if (code < 0x80) {
        *out++ = static_cast<char>(code);
    } else if (code < 0x800) {
        *out++ = static_cast<char>(0xC0 | (code >> 6));
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        *out++ = static_cast<char>(0xE0 | (code >> 12));
        *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    } else {
        *out++ = static_cast<char>(0xF0 | (code >> 18));
        *out++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        *out++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        *out++ = static_cast<char>(0x80 | (code & 0x3F));
    }
    return out;
}

// A predefined entity after "&", up to its ";".
std::optional<char> predefinedEntity(const char*& p, const char* end) {
    struct Entity {
        std::string_view name;
        char character;
    };
    static constexpr Entity entities[] = {{"lt;", '<'}, {"gt;", '>'}, {"amp;", '&'}, {"apos;", '\''}, {"quot;", '"'}};
    const std::string_view rest(p, static_cast<std::size_t>(end - p));
    for (const Entity& entity : entities) {
        if (rest.starts_with(entity.name)) {
            p += entity.name.size();
            return entity.character;
        }
    }
    return std::nullopt;
}

// Writes the text of [p, end) with its references resolved and its line ends made "\n". The
// result is never longer than the source. False on any reference in doubt.
bool decode(const char* p, const char* end, char*& out) {
    while (p < end) {
        const char c = *p++;
        if (c == '&') {
            if (p < end && *p == '#') {
                ++p;
                const auto code = characterReference(p, end);
                if (!code) return false;
                out = appendUtf8(out, *code);
            } else {
                const auto character = predefinedEntity(p, end);
                if (!character) return false;
                *out++ = *character;
            }
        } else if (c == '\r') {
            *out++ = '\n';
            if (p < end && *p == '\n') ++p;
        } else {
            *out++ = c;
        }
    }
    return true;
}

}  // namespace

class FlatXmlParser {
public:
    FlatXmlParser(std::string_view bytes, TextPieces pieces, FlatXmlDocument& document, FlatXmlChildReader* childReader)
        : p_(bytes.data()), end_(bytes.data() + bytes.size()), size_(bytes.size()), pieces_(pieces),
          document_(document), records_(document.records_), decoded_(document.decoded_), childReader_(childReader) {}

    bool parse() {
        if (skipDeclaration() == Step::refused) return false;
        bool rootRead = false;
        for (;;) {
            skipBlanks();
            if (p_ == end_) return rootRead;
            if (atComment()) {
                if (!skipComment()) return false;
            } else if (rootRead || *p_ != '<' || !readTree()) {
                return false;
            } else {
                rootRead = true;
            }
        }
    }

private:
    enum class Step { done, refused };
    // What ends a piece of text; pugixml keeps a blank piece only before the end tag.
    enum class TextEnd { endTag, comment, child };

    // A piece of text as scanned: whether it is all blanks, and whether it holds nothing to
    // resolve (references, carriage returns).
    struct Text {
        const char* start = nullptr;
        const char* end = nullptr;
        bool blank = true;
        bool plain = true;
    };

    // An element whose end tag is still to come.
    struct OpenElement {
        std::uint32_t index;
        std::uint32_t lastChild = 0;  // 0 until the first child element
        std::uint32_t keptPieces = 0;
        bool handsOverChildren = false;
        // Kept here while the element is open and written to its record when it closes: the
        // record is far behind by then, and one store beats one per child.
        bool hasChildren = false;
    };

    bool atComment() const { return end_ - p_ >= 4 && p_[0] == '<' && p_[1] == '!' && p_[2] == '-' && p_[3] == '-'; }

    bool startsWith(std::string_view prefix) const {
        return static_cast<std::size_t>(end_ - p_) >= prefix.size() && std::memcmp(p_, prefix.data(), prefix.size()) == 0;
    }

    bool skipBlanks() {
        const char* start = p_;
        const char* p = p_;
        while (p < end_ && is(*p, blankByte)) ++p;
        p_ = p;
        return p != start;
    }

    Step skipDeclaration() {
        if (!startsWith("<?")) return Step::done;
        for (const std::string_view declaration : plainDeclarations) {
            if (startsWith(declaration)) {
                p_ += declaration.size();
                return Step::done;
            }
        }
        return Step::refused;
    }

    bool skipComment() {
        const std::string_view rest(p_ + 4, static_cast<std::size_t>(end_ - p_ - 4));
        const std::size_t close = rest.find("-->");
        if (close == std::string_view::npos || rest.substr(0, close).find('\0') != std::string_view::npos) return false;
        p_ += 4 + close + 3;
        return true;
    }

    // The root element and everything in it, without recursion: documents nest to any depth.
    bool readTree() {
        if (!openElement()) return false;
        while (!open_.empty()) {
            const char* textStart = p_;
            const TextScan scan = scanText(p_, end_);
            if (scan.refused) return false;
            p_ = scan.end;
            if (p_ == end_) return false;
            if (p_ + 1 == end_) return false;
            TextEnd textEnd = TextEnd::child;
            if (p_[1] == '/') {
                textEnd = TextEnd::endTag;
            } else if (atComment()) {
                textEnd = TextEnd::comment;
            } else if (p_[1] == '!' || p_[1] == '?') {
                return false;  // CDATA, DOCTYPE or a processing instruction
            }
            if (p_ != textStart && !addText({textStart, p_, scan.blank, scan.plain}, textEnd)) return false;
            switch (textEnd) {
                case TextEnd::endTag:
                    if (!closeElement()) return false;
                    break;
                case TextEnd::comment:
                    if (!skipComment()) return false;
                    break;
                case TextEnd::child:
                    if (!openElement()) return false;
                    break;
            }
        }
        return true;
    }

    bool readName(const char*& name, std::uint16_t& length) {
        if (p_ == end_ || !is(*p_, nameStartByte)) return false;
        name = p_;
        const char* p = nameEnd(p_ + 1, end_);
        p_ = p;
        if (p - name > UINT16_MAX) return false;
        length = static_cast<std::uint16_t>(p - name);
        return true;
    }

    // At "<" of a start tag.
    bool openElement() {
        ++p_;
        const auto index = static_cast<std::uint32_t>(records_.size());
        FlatXmlDocument::Record& record = records_.emplace_back();  // filled in place: records are most of the writing
        if (!readName(record.name, record.nameLength)) return false;
        // Most start tags end right after their name.
        while (p_ == end_ || *p_ != '>') {
            const bool spaced = skipBlanks();
            if (p_ == end_) return false;
            if (*p_ == '>' || *p_ == '/') break;
            if (!spaced || !readAttribute(record)) return false;
        }
        const bool empty = *p_ == '/';
        if (empty && (p_ + 1 == end_ || p_[1] != '>')) return false;
        p_ += empty ? 2 : 1;

        const bool handsOver = childReader_ && open_.size() <= FlatXmlChildReader::deepestTaker &&
                               childReader_->takesChildrenOf(std::string_view(record.name, record.nameLength), open_.size());
        if (!open_.empty()) {
            OpenElement& parent = open_.back();
            parent.hasChildren = true;
            if (parent.lastChild) records_[parent.lastChild].nextOffset = index - parent.lastChild;
            parent.lastChild = index;
        }
        if (!empty) {
            open_.push_back({.index = index, .handsOverChildren = handsOver});
        } else {
            handOver(index);
        }
        return true;
    }

    // After the element at `index` closed: if its parent hands its children over, the child
    // and everything in it go to the child reader and their records are dropped.
    void handOver(std::uint32_t index) {
        if (open_.empty() || !open_.back().handsOverChildren) return;
        childReader_->take(FlatXmlElement(&records_[index]));
        records_.resize(index);
        open_.back().lastChild = 0;
    }

    bool readAttribute(FlatXmlDocument::Record& record) {
        const char* name = nullptr;
        std::uint16_t nameLength = 0;
        if (!readName(name, nameLength)) return false;
        skipBlanks();
        if (p_ == end_ || *p_ != '=') return false;
        ++p_;
        skipBlanks();
        if (p_ == end_ || (*p_ != '"' && *p_ != '\'')) return false;
        const char quote = *p_++;
        const char* value = p_;
        const auto* close = static_cast<const char*>(std::memchr(p_, quote, static_cast<std::size_t>(end_ - p_)));
        if (!close) return false;
        for (const char* c = value; c < close; ++c) {
            if (*c == '<' || *c == '\0') return false;
        }
        p_ = close + 1;
        record.hasAttributes = true;
        if (record.hasType || std::string_view(name, nameLength) != "type") return true;
        // Only a value that reads as it stands, close enough to the name to be found from it.
        for (const char* c = value; c < close; ++c) {
            if (*c == '&' || (*c != ' ' && is(*c, blankByte))) return false;
        }
        const auto offset = static_cast<std::size_t>(value - record.name);
        const auto length = static_cast<std::size_t>(close - value);
        if (offset > UINT16_MAX || length > UINT16_MAX) return false;
        record.hasType = true;
        record.typeOffset = static_cast<std::uint16_t>(offset);
        record.typeLength = static_cast<std::uint16_t>(length);
        return true;
    }

    // At "</".
    bool closeElement() {
        // Field by field, not as a copy: a copy loads words that span the narrow stores just
        // made to the element's counts and flags, and such loads wait for the stores to land.
        const OpenElement& open = open_.back();
        const std::uint32_t index = open.index;
        const bool hasChildren = open.hasChildren;
        const bool handsOverChildren = open.handsOverChildren;
        FlatXmlDocument::Record& record = records_[index];
        p_ += 2;
        if (!matchesName(record.name, record.nameLength)) return false;
        p_ += record.nameLength;
        if (p_ == end_ || *p_ != '>') {
            skipBlanks();
            if (p_ == end_ || *p_ != '>') return false;
        }
        ++p_;
        open_.pop_back();
        // The children handed over are no longer here to be walked.
        record.hasChildren = hasChildren && !handsOverChildren;
        handOver(index);
        return true;
    }

    // Whether the bytes at `p_` repeat the start tag's name. The name lies earlier in the same
    // bytes, so when sixteen bytes remain here, sixteen can be read there too.
    bool matchesName(const char* name, std::uint16_t length) const {
        if (static_cast<std::size_t>(end_ - p_) < length) return false;
#if defined(__SSE2__)
        if (length <= 16 && end_ - p_ >= 16) {
            const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p_));
            const __m128i there = _mm_loadu_si128(reinterpret_cast<const __m128i*>(name));
            const auto same = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(here, there)));
            const unsigned wanted = length == 16 ? 0xFFFFu : (1u << length) - 1;
            return (same & wanted) == wanted;
        }
#endif
        return std::memcmp(p_, name, length) == 0;
    }

    // A piece of text of the innermost open element. pugixml drops a blank piece unless it is
    // all the element holds; the element's text is its first piece, or all pieces joined when
    // the reader joins what comments split.
    bool addText(const Text& text, TextEnd textEnd) {
        OpenElement& element = open_.back();
        FlatXmlDocument::Record& record = records_[element.index];
        if (text.blank && (textEnd != TextEnd::endTag || element.hasChildren || element.keptPieces > 0)) return true;
        ++element.keptPieces;
        if (element.keptPieces == 2) document_.piecedText_ = true;
        const char* start = text.start;
        const char* end = text.end;
        if (element.keptPieces == 1) {
            if (text.plain) {
                record.text = start;
                record.textLength = static_cast<std::uint32_t>(end - start);
                return true;
            }
            return resolve(start, end, record.text, record.textLength);
        }
        if (pieces_ == TextPieces::firstOnly) return true;

        // Joined: the text so far must end the decoded area, so that the piece extends it.
        const auto length = static_cast<std::size_t>(end - start);
        if (!reserveDecoded(record.textLength + length)) return false;
        const bool atTail = std::less_equal<const char*>()(decoded_.get(), record.text) && record.text + record.textLength == tail_;
        if (!atTail) {
            std::memcpy(tail_, record.text, record.textLength);
            record.text = tail_;
            tail_ += record.textLength;
        }
        char* out = tail_;
        if (!decode(start, end, out)) return false;
        record.textLength += static_cast<std::uint32_t>(out - tail_);
        tail_ = out;
        return true;
    }

    // The text of [start, end) resolved into the decoded area.
    bool resolve(const char* start, const char* end, const char*& text, std::uint32_t& length) {
        if (!reserveDecoded(static_cast<std::size_t>(end - start))) return false;
        char* out = tail_;
        if (!decode(start, end, out)) return false;
        text = tail_;
        length = static_cast<std::uint32_t>(out - tail_);
        tail_ = out;
        return true;
    }

    // Room for `length` more bytes in the decoded area, which is as large as the document:
    // each byte of text is decoded once, but joining may copy an element's text again, and a
    // document that makes it do so without end goes to pugixml.
    bool reserveDecoded(std::size_t length) {
        if (!decoded_) {
            decoded_ = std::make_unique_for_overwrite<char[]>(size_);
            tail_ = decoded_.get();
        }
        return static_cast<std::size_t>(decoded_.get() + size_ - tail_) >= length;
    }

    const char* p_;
    const char* end_;
    std::size_t size_;
    TextPieces pieces_;
    FlatXmlDocument& document_;
    std::vector<FlatXmlDocument::Record>& records_;
    std::unique_ptr<char[]>& decoded_;
    char* tail_ = nullptr;
    FlatXmlChildReader* childReader_;
    std::vector<OpenElement> open_;
};

std::optional<FlatXmlDocument> FlatXmlDocument::parse(std::string_view bytes, TextPieces pieces,
                                                      FlatXmlChildReader* childReader) {
    // Zero bytes, which pugixml takes for the end of the text they are in, are refused where
    // they are met: in text, attribute values and comments; anywhere else they are no markup.
    if (bytes.size() >= sizeLimit) return std::nullopt;
    if (bytes.starts_with("\xEF\xBB\xBF")) return std::nullopt;
    FlatXmlDocument document;
    // Handed-over children reuse the room of those before them: a few items' worth suffices.
    document.records_.reserve(childReader ? handedOverRecords : bytes.size() / typicalElementBytes + 1);
    if (!FlatXmlParser(bytes, pieces, document, childReader).parse()) return std::nullopt;
    return document;
}

}  // namespace vantorel::format
