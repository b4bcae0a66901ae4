#include "Vantorel/build/exporters/SortedJsonText.h"

#include <unicode/utf8.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

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

void appendIndent(std::string& out, int level) { out.append(static_cast<size_t>(level) * 2, ' '); }

class Writer {
public:
    std::optional<std::string> write(const nlohmann::json& value, int depth) {
        switch (value.type()) {
            case nlohmann::json::value_t::null: out.append("null"); return std::nullopt;
            case nlohmann::json::value_t::boolean: out.append(value.get<bool>() ? "true" : "false"); return std::nullopt;
            case nlohmann::json::value_t::number_integer: out.append(std::to_string(value.get<std::int64_t>())); return std::nullopt;
            case nlohmann::json::value_t::number_unsigned:
                out.append(std::to_string(value.get<std::uint64_t>()));
                return std::nullopt;
            case nlohmann::json::value_t::number_float: {
                const std::string number = shortGeneralNumberText(value.get<double>());
                if (number.empty()) return "Invalid number value in JSON write";
                out.append(number);
                return std::nullopt;
            }
            case nlohmann::json::value_t::string: appendEscaped(out, value.get_ref<const std::string&>()); return std::nullopt;
            case nlohmann::json::value_t::array: return writeContainer(value, depth + 1, '[', ']');
            case nlohmann::json::value_t::object: return writeContainer(value, depth + 1, '{', '}');
            case nlohmann::json::value_t::binary:
            case nlohmann::json::value_t::discarded: return "Invalid value in JSON write";
        }
        return "Invalid value in JSON write";
    }

    std::string out;

private:
    // Both kinds of container print alike: the opening bracket, each element on its own line
    // one level deeper, and the closing bracket on a line of its own, also when empty.
    std::optional<std::string> writeContainer(const nlohmann::json& value, int depth, char open, char close) {
        if (depth >= maximumDepth) return "Too many nested arrays or dictionaries";
        out.push_back(open);
        out.push_back('\n');
        bool first = true;
        for (auto it = value.begin(); it != value.end(); ++it) {
            if (!first) out.append(",\n");
            first = false;
            appendIndent(out, depth);
            if (value.is_object()) {
                appendEscaped(out, it.key());  // object_t is an ordered map: byte order
                out.append(" : ");
            }
            if (auto error = write(*it, depth)) return error;
        }
        out.push_back('\n');
        appendIndent(out, depth - 1);
        out.push_back(close);
        return std::nullopt;
    }
};

}  // namespace

std::string shortGeneralNumberText(double value) {
    if (!std::isfinite(value)) return {};
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 4);
    if (result.ec != std::errc()) return {};
    return std::string(buffer, result.ptr);
}

SortedJsonText sortedJsonText(const nlohmann::json& value) {
    Writer writer;
    if (auto error = writer.write(value, 0)) return {{}, std::move(error)};
    return {std::move(writer.out), std::nullopt};
}

}  // namespace vantorel::build
