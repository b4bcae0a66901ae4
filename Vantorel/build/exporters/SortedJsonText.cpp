#include "Vantorel/build/exporters/SortedJsonText.h"

#include <unicode/utf8.h>

#include <cmath>
#include <cstdint>
#include <string_view>

#include "QuenzColorUtils/ColorFormatPrintf.h"

namespace vantorel::build {
namespace {

// Containers nested deeper than this are refused, as the platform writer refuses them.
constexpr int maximumDepth = 512;

void appendEscaped(std::string& out, std::string_view text) {
    static constexpr char hexDigits[] = "0123456789abcdef";
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const auto length = static_cast<int32_t>(text.size());
    int32_t index = 0;
    out.push_back('"');
    while (index < length) {
        // Runs of plain ASCII, nearly all of a token file, go in at once.
        int32_t plain = index;
        while (plain < length && bytes[plain] >= 0x20 && bytes[plain] < 0x80 && bytes[plain] != '"' &&
               bytes[plain] != '\\' && bytes[plain] != '/') {
            ++plain;
        }
        if (plain > index) {
            out.append(text.substr(static_cast<size_t>(index), static_cast<size_t>(plain - index)));
            index = plain;
            continue;
        }
        const int32_t start = index;
        UChar32 c = 0;
        U8_NEXT(bytes, index, length, c);
        if (c < 0) {
            out.append("\xEF\xBF\xBD");  // U+FFFD for a malformed sequence
            continue;
        }
        switch (c) {
            case '"': out.append("\\\""); break;
            case '\\': out.append("\\\\"); break;
            case '/': out.append("\\/"); break;
            case '\b': out.append("\\b"); break;
            case '\f': out.append("\\f"); break;
            case '\n': out.append("\\n"); break;
            case '\r': out.append("\\r"); break;
            case '\t': out.append("\\t"); break;
            default:
                if (c < 0x20) {
                    out.append("\\u00");
                    out.push_back(hexDigits[c >> 4]);
                    out.push_back(hexDigits[c & 0xF]);
                } else {
                    out.append(text.substr(static_cast<size_t>(start), static_cast<size_t>(index - start)));
                }
        }
    }
    out.push_back('"');
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
    out_.push_back(bracket);
    out_.push_back('\n');
    closers_.push_back(bracket == '{' ? '}' : ']');
    first_ = true;
    if (closers_.size() >= static_cast<std::size_t>(maximumDepth)) fail("Too many nested arrays or dictionaries");
}

void JsonStream::close() {
    out_.push_back('\n');
    out_.append((closers_.size() - 1) * 2, ' ');
    out_.push_back(closers_.back());
    closers_.pop_back();
    first_ = false;
}

void JsonStream::separate() {
    if (!first_) out_.append(",\n");
    first_ = false;
    out_.append(closers_.size() * 2, ' ');
}

void JsonStream::key(std::string_view name) {
    separate();
    appendEscaped(out_, name);
    out_.append(" : ");
}

void JsonStream::element() { separate(); }

void JsonStream::string(std::string_view text) { appendEscaped(out_, text); }

void JsonStream::number(double value) {
    quenz::NumberText text;
    if (!appendShortGeneral(text, value)) {
        fail("Invalid number value in JSON write");
        return;
    }
    out_.append(text.view());
}

void JsonStream::plainKey(std::string_view name) {
    separate();
    out_.push_back('"');
    out_.append(name);
    out_.append("\" : ");
}

void JsonStream::integer(std::int64_t value) { out_.append(std::to_string(value)); }
void JsonStream::unsignedInteger(std::uint64_t value) { out_.append(std::to_string(value)); }

}  // namespace vantorel::build
