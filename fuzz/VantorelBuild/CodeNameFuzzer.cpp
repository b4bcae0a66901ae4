// Any bytes as an item's name: every case style, every generated language's identifier and
// CSS names never crash and write valid UTF-8, and plain ASCII names, which take short paths of
// their own, come out as the Unicode paths write them. The first eight bytes, read as a
// number, also go through the token files' short number text and must match the library's.

#include <unicode/utf8.h>

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "Vantorel/build/CodeNames.h"
#include "Vantorel/build/SourceText.h"
#include "Vantorel/build/exporters/SortedJsonText.h"

using namespace vantorel::build;

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

bool isValidUTF8(std::string_view text) {
    const auto length = static_cast<int32_t>(text.size());
    int32_t index = 0;
    while (index < length) {
        UChar32 c = 0;
        U8_NEXT(text.data(), index, length, c);
        if (c < 0) return false;
    }
    return true;
}

bool isAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string name(reinterpret_cast<const char*>(data), size);
    const std::string tail = "\xC3\xA9";  // é: a letter every rule keeps

    for (auto style : {NameTransform::none, NameTransform::camelCase, NameTransform::pascalCase,
                       NameTransform::snakeCase, NameTransform::kebabCase}) {
        const std::string transformed = transform(name, style);
        if (isValidUTF8(name)) require(isValidUTF8(transformed));
        if (isAscii(name) && (style == NameTransform::snakeCase || style == NameTransform::kebabCase)) {
            require(transform(name + tail, style) == transformed + tail);
        }
    }
    for (bool startsName : {true, false}) {
        const std::string css = cssIdentifier(name, startsName);
        require(isValidUTF8(css));
        if (isAscii(name) && !name.empty() && name != "-") require(cssIdentifier(name + tail, startsName) == css + tail);
    }
    for (auto language : {IdentifierLanguage::swift, IdentifierLanguage::kotlin, IdentifierLanguage::metal,
                          IdentifierLanguage::glsl, IdentifierLanguage::android}) {
        require(isValidUTF8(identifierIn(language, name)));
    }

    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        char buffer[32];
        const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 4);
        const std::string expected = written.ec == std::errc() ? std::string(buffer, written.ptr) : std::string();
        const std::string text = shortGeneralNumberText(value);
        require(text == expected || (text.empty() && !std::isfinite(value)));
    }
    return 0;
}
