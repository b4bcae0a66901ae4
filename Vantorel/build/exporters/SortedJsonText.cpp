#include "Vantorel/build/exporters/SortedJsonText.h"

#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <cstdint>
#include <string_view>

#include "QuenzColorUtils/ColorFormatPrintf.h"

namespace vantorel::build {
namespace {

// Containers nested deeper than this are refused, as the platform writer refuses them.
constexpr int maximumDepth = 512;

// The bytes that stand for themselves in a JSON string: printable ASCII but the quote, the
// backslash and the solidus, which the platform writer escapes.
constexpr std::array<bool, 256> plainBytes = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x80; ++c) plain[static_cast<std::size_t>(c)] = c != '"' && c != '\\' && c != '/';
    return plain;
}();

// Writes `text` quoted and escaped at `out`, which has room for six bytes per byte of text and
// the quotes; returns the end.
char* writeEscaped(char* out, std::string_view text) {
    static constexpr char hexDigits[] = "0123456789abcdef";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    int32_t index = 0;
    *out++ = '"';
    while (index < length) {
        // Runs of plain ASCII, nearly all of a token file, go in at once.
        int32_t plain = index;
        while (plain < length && plainBytes[bytes[plain]]) ++plain;
        if (plain > index) {
            std::memcpy(out, bytes + index, static_cast<std::size_t>(plain - index));
            out += plain - index;
            index = plain;
            continue;
        }
        const int32_t start = index;
        UChar32 c = 0;
        U8_NEXT(bytes, index, length, c);
        if (c < 0) {
            out = std::copy_n("\xEF\xBF\xBD", 3, out);  // U+FFFD for a malformed sequence
            continue;
        }
        const auto escape = [&out](char letter) {
            *out++ = '\\';
            *out++ = letter;
        };
        switch (c) {
            case '"': escape('"'); break;
            case '\\': escape('\\'); break;
            case '/': escape('/'); break;
            case '\b': escape('b'); break;
            case '\f': escape('f'); break;
            case '\n': escape('n'); break;
            case '\r': escape('r'); break;
            case '\t': escape('t'); break;
            default:
                if (c < 0x20) {
                    out = std::copy_n("\\u00", 4, out);
                    *out++ = hexDigits[c >> 4];
                    *out++ = hexDigits[c & 0xF];
                } else {
                    std::memcpy(out, bytes + start, static_cast<std::size_t>(index - start));
                    out += index - start;
                }
        }
    }
    *out++ = '"';
    return out;
}

// Walks a general JSON value into the stream; object_t is an ordered map, so keys come in byte order.
void writeValue(JsonStream& stream, const nlohmann::json& value) {
    switch (value.type()) {
        case nlohmann::json::value_t::null: stream.null(); return;
        case nlohmann::json::value_t::boolean: stream.boolean(value.get<bool>()); return;
        case nlohmann::json::value_t::number_integer: stream.integer(value.get<std::int64_t>()); return;
        case nlohmann::json::value_t::number_unsigned: stream.unsignedInteger(value.get<std::uint64_t>()); return;
        case nlohmann::json::value_t::number_float: stream.number(value.get<double>()); return;
        case nlohmann::json::value_t::string: stream.string(value.get_ref<const std::string&>()); return;
        case nlohmann::json::value_t::array:
            stream.openArray();
            for (const auto& element : value) {
                if (stream.error()) return;
                stream.element();
                writeValue(stream, element);
            }
            stream.close();
            return;
        case nlohmann::json::value_t::object:
            stream.openObject();
            for (auto it = value.begin(); it != value.end(); ++it) {
                if (stream.error()) return;
                stream.key(it.key());
                writeValue(stream, *it);
            }
            stream.close();
            return;
        case nlohmann::json::value_t::binary:
        case nlohmann::json::value_t::discarded: break;
    }
    stream.fail("Invalid value in JSON write");
}

// "%.4g" of a finite value; JSON has no text for the others.
bool appendShortGeneral(quenz::NumberText& text, double value) {
    if (!std::isfinite(value)) return false;
    text.appendGeneral(value, 4);
    return true;
}

}  // namespace

std::string shortGeneralNumberText(double value) {
    quenz::NumberText text;
    return appendShortGeneral(text, value) ? text.str() : std::string();
}

SortedJsonText sortedJsonText(const nlohmann::json& value) {
    JsonStream stream;
    writeValue(stream, value);
    if (stream.error()) return {{}, stream.error()};
    return {stream.take(), std::nullopt};
}

// Both kinds of container print alike: the opening bracket, each element on its own line one
// level deeper, and the closing bracket on a line of its own, also when empty.
void JsonStream::open(char bracket) {
    char* out = room(2);
    out[0] = bracket;
    out[1] = '\n';
    moveTo(out + 2);
    closers_.push_back(bracket == '{' ? '}' : ']');
    first_ = true;
    if (closers_.size() >= static_cast<std::size_t>(maximumDepth)) fail("Too many nested arrays or dictionaries");
}

void JsonStream::close() {
    const std::size_t indent = (closers_.size() - 1) * 2;
    char* out = room(indent + 2 + indentBlock);
    *out++ = '\n';
    out = writeIndent(out, indent);
    *out++ = closers_.back();
    moveTo(out);
    closers_.pop_back();
    first_ = false;
}

// Grows by half again at least, so that a long document is copied a few times at most.
void JsonStream::grow(std::size_t bytes) {
    // Room already reserved is opened (and zero-filled) a block at a time as the text reaches
    // it, not all at once: a large document reserves megabytes it may not fill.
    constexpr std::size_t block = std::size_t{64} << 10;
    const std::size_t needed = used_ + bytes;
    std::size_t size = std::max(needed, std::min(out_.capacity(), used_ + block));
    if (size > out_.capacity()) size = std::max(needed, out_.size() + out_.size() / 2);
    out_.resize(size);
}

void JsonStream::key(std::string_view name) {
    separate();
    string(name);
    append(" : ");
}

void JsonStream::string(std::string_view text) { moveTo(writeEscaped(room(text.size() * 6 + 2), text)); }

void JsonStream::number(double value) {
    quenz::NumberText text;
    if (!appendShortGeneral(text, value)) {
        fail("Invalid number value in JSON write");
        return;
    }
    append(text.view());
}

void JsonStream::integer(std::int64_t value) { append(std::to_string(value)); }
void JsonStream::unsignedInteger(std::uint64_t value) { append(std::to_string(value)); }

}  // namespace vantorel::build
