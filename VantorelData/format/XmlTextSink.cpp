#include "VantorelData/format/XmlTextSink.h"

#include <array>
#include <cstdint>

namespace vantorel::format {
namespace {

// Length of the valid UTF-8 sequence starting at `p` (the lead byte is >= 0x80), 0 when the
// bytes are not valid UTF-8 (stray continuation, overlong form, surrogate, beyond U+10FFFF).
std::size_t utf8SequenceLength(const unsigned char* p, const unsigned char* end) {
    const unsigned char lead = p[0];
    std::size_t length = 0;
    std::uint32_t min = 0;
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, min = 0x80, code = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, min = 0x800, code = lead & 0x0Fu;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, min = 0x10000, code = lead & 0x07u;
    } else {
        return 0;
    }
    if (static_cast<std::size_t>(end - p) < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        code = (code << 6) | (p[i] & 0x3Fu);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

bool isLineOrTab(unsigned char c) { return c == '\t' || c == '\n' || c == '\r'; }

// U+FFFE and U+FFFF, given the valid sequence at `p`: XML 1.0 cannot carry them.
bool isNonCharacter(const unsigned char* p, std::size_t length) {
    return length == 3 && p[0] == 0xEF && p[1] == 0xBF && (p[2] == 0xBE || p[2] == 0xBF);
}

// A control character other than NUL (which fails the encoding) that XML cannot carry.
bool isForbiddenControl(unsigned char c) { return c < 0x20 && c != 0 && !isLineOrTab(c); }

}  // namespace

bool hasCharactersXmlCannotCarry(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    for (; p < end; ++p) {
        if (isForbiddenControl(*p) || (end - p >= 3 && isNonCharacter(p, 3))) return true;
    }
    return false;
}

std::string withCharactersXmlCanCarry(std::string_view text) {
    std::string carried;
    carried.reserve(text.size());
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        if (isForbiddenControl(*p)) {
            carried += replacementCharacter;
            ++p;
        } else if (end - p >= 3 && isNonCharacter(p, 3)) {
            carried += replacementCharacter;
            p += 3;
        } else {
            carried += static_cast<char>(*p++);
        }
    }
    return carried;
}

bool isEncodableText(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        if (*p == 0) return false;
        if (*p < 0x80) {
            ++p;
            continue;
        }
        const std::size_t length = utf8SequenceLength(p, end);
        if (length == 0) return false;
        p += length;
    }
    return true;
}

void XmlTextSink::endPendingStartTag() {
    if (startTagOpen_) {
        out_ += ">\n";
        startTagOpen_ = false;
    }
}

void XmlTextSink::open(const char* name) {
    endPendingStartTag();
    indent(depth_);
    out_ += '<';
    out_ += name;
    openNames_.emplace_back(name);
    startTagOpen_ = true;
    ++depth_;
}

void XmlTextSink::attribute(const char* name, std::string_view value) {
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
    appendEscaped(value, true);
    out_ += '"';
}

void XmlTextSink::leaf(const char* name, std::string_view text) {
    endPendingStartTag();
    indent(depth_);
    out_ += '<';
    out_ += name;
    out_ += '>';
    appendEscaped(text, false);
    out_ += "</";
    out_ += name;
    out_ += ">\n";
}

void XmlTextSink::close() {
    --depth_;
    if (startTagOpen_) {
        out_ += " />\n";
        startTagOpen_ = false;
    } else {
        indent(depth_);
        out_ += "</";
        out_ += openNames_.back();
        out_ += ">\n";
    }
    openNames_.pop_back();
}

namespace {

// Bytes that text cannot carry as they are: markup characters, control characters and the
// lead bytes of multi-byte sequences, which are checked before being copied. Everything else
// (nearly every byte of a document) is copied in runs.
constexpr std::array<bool, 256> needsAttention = [] {
    std::array<bool, 256> table{};
    for (std::size_t c = 0; c < table.size(); ++c) {
        table[c] = c < 0x20 || c >= 0x80 || c == '&' || c == '<' || c == '>' || c == '"';
    }
    return table;
}();

}  // namespace

void XmlTextSink::appendEscaped(std::string_view text, bool inAttribute) {
    const auto* begin = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = begin + text.size();
    const auto* run = begin;  // start of the bytes not yet copied
    auto flush = [&](const unsigned char* upTo) {
        out_.append(reinterpret_cast<const char*>(run), static_cast<std::size_t>(upTo - run));
    };
    for (const auto* p = begin; p < end;) {
        if (!needsAttention[*p]) {
            ++p;
            continue;
        }
        const unsigned char c = *p;
        if (c >= 0x80) {
            const std::size_t length = utf8SequenceLength(p, end);
            if (length == 0) {
                failed_ = true;
                return;
            }
            if (isNonCharacter(p, length)) {
                flush(p);
                out_ += replacementCharacter;
                run = p + length;
            }
            p += length;
            continue;
        }
        if (c == 0) {
            failed_ = true;
            return;
        }
        const char* replacement = nullptr;
        switch (c) {
            case '&': replacement = "&amp;"; break;
            case '<': replacement = "&lt;"; break;
            case '>': replacement = inAttribute ? nullptr : "&gt;"; break;
            case '"': replacement = inAttribute ? "&quot;" : nullptr; break;
            default: break;
        }
        const bool control = c < 0x20 && (inAttribute || (c != '\t' && c != '\n'));
        if (!replacement && !control) {
            ++p;
            continue;
        }
        flush(p);
        if (replacement) {
            out_ += replacement;
        } else if (!isLineOrTab(c)) {
            out_ += replacementCharacter;
        } else {
            // pugixml's form for control characters: two decimal digits.
            const char reference[] = {'&', '#', static_cast<char>('0' + c / 10), static_cast<char>('0' + c % 10), ';'};
            out_.append(reference, sizeof reference);
        }
        ++p;
        run = p;
    }
    flush(end);
}

}  // namespace vantorel::format
