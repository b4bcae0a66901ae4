#include "Vantorel/build/SourceText.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <iterator>
#include <cstdio>

namespace vantorel::build {
namespace {

// Visits each code point of UTF-8 text with its bytes; malformed bytes count as U+FFFD and are
// visited as its encoding, so that generated files stay valid UTF-8.
template <typename Visitor>
void forEachCodePoint(std::string_view text, Visitor&& visit) {
    constexpr std::string_view replacement = "\xEF\xBF\xBD";
    const auto length = static_cast<int32_t>(text.size());
    int32_t index = 0;
    while (index < length) {
        const int32_t start = index;
        UChar32 c = 0;
        U8_NEXT(text.data(), index, length, c);
        if (c < 0) {
            visit(0xFFFD, replacement);
        } else {
            visit(c, text.substr(static_cast<size_t>(start), static_cast<size_t>(index - start)));
        }
    }
}

// Whether `word` is one of `Words`; names longer than every word there, most of them, are
// told apart at once.
template <const auto& Words>
bool contains(std::string_view word) {
    static constexpr std::size_t longest = [] {
        std::size_t length = 0;
        for (std::string_view candidate : Words) length = std::max(length, candidate.size());
        return length;
    }();
    return word.size() <= longest && std::find(std::begin(Words), std::end(Words), word) != std::end(Words);
}

// Words that cannot name a declaration, including the contextual ones that break a
// `static let` or a member access.
constexpr std::string_view swiftReserved[] = {
    "associatedtype", "class", "deinit", "enum", "extension", "fileprivate", "func", "import", "init",
    "inout", "internal", "let", "open", "operator", "private", "precedencegroup", "protocol", "public",
    "rethrows", "static", "struct", "subscript", "typealias", "var", "break", "case", "catch", "continue",
    "default", "defer", "do", "else", "fallthrough", "for", "guard", "if", "in", "repeat", "return",
    "throw", "switch", "where", "while", "Any", "as", "false", "is", "nil", "self", "Self", "super",
    "true"};
constexpr std::string_view swiftReservedMore[] = {"throws", "try", "Type", "Protocol", "await", "some"};

constexpr std::string_view kotlinReserved[] = {
    "as", "break", "class", "continue", "do", "else", "false", "for", "fun", "if", "in", "interface",
    "is", "null", "object", "package", "return", "super", "this", "throw", "true", "try", "typealias",
    "typeof", "val", "var", "when", "while"};

// C++ keywords and alternative tokens, Metal's address spaces and function kinds, and the type
// names the Metal header itself uses.
constexpr std::string_view metalReserved[] = {
    "alignas", "alignof", "and", "and_eq", "asm", "auto", "bitand", "bitor", "bool", "break", "case",
    "catch", "char", "char8_t", "char16_t", "char32_t", "class", "compl", "concept", "const", "consteval",
    "constexpr", "constinit", "const_cast", "continue", "co_await", "co_return", "co_yield", "decltype",
    "default", "delete", "do", "double", "dynamic_cast", "else", "enum", "explicit", "export", "extern",
    "false", "float", "for", "friend", "goto", "if", "inline", "int", "long", "mutable", "namespace",
    "new", "noexcept", "not", "not_eq", "nullptr", "operator", "or", "or_eq", "private", "protected",
    "public", "register", "reinterpret_cast", "requires", "return", "short", "signed", "sizeof", "static",
    "static_assert", "static_cast", "struct", "switch", "template", "this", "thread_local", "throw",
    "true", "try", "typedef", "typeid", "typename", "union", "unsigned", "using", "virtual", "void",
    "volatile", "wchar_t", "while", "xor", "xor_eq", "constant", "device", "threadgroup",
    "threadgroup_imageblock", "thread", "ray_data", "object_data", "kernel", "vertex", "fragment",
    "visible", "half", "uint", "float2", "float4", "metal", "VantorelShadow"};

// GLSL keywords and reserved words (desktop and ES), and the names the header itself uses.
constexpr std::string_view glslReserved[] = {
    "attribute", "const", "uniform", "varying", "buffer", "shared", "coherent", "volatile", "restrict",
    "readonly", "writeonly", "atomic_uint", "layout", "centroid", "flat", "smooth", "noperspective",
    "patch", "sample", "break", "continue", "do", "for", "while", "switch", "case", "default", "if",
    "else", "subroutine", "in", "out", "inout", "float", "double", "int", "void", "bool", "true",
    "false", "invariant", "precise", "discard", "return", "mat2", "mat3", "mat4", "dmat2", "dmat3",
    "dmat4", "vec2", "vec3", "vec4", "ivec2", "ivec3", "ivec4", "bvec2", "bvec3", "bvec4", "dvec2",
    "dvec3", "dvec4", "uint", "uvec2", "uvec3", "uvec4", "lowp", "mediump", "highp", "precision",
    "struct", "common", "partition", "active", "asm", "class", "union", "enum", "typedef", "template",
    "this", "resource", "goto", "inline", "noinline", "public", "static", "extern", "external",
    "interface", "long", "short", "half", "fixed", "unsigned", "superp", "input", "output", "filter",
    "sizeof", "cast", "namespace", "using", "main", "VantorelShadow"};

// Android resource names become Java field names.
constexpr std::string_view javaReserved[] = {
    "abstract", "assert", "boolean", "break", "byte", "case", "catch", "char", "class", "const",
    "continue", "default", "do", "double", "else", "enum", "extends", "final", "finally", "float", "for",
    "goto", "if", "implements", "import", "instanceof", "int", "interface", "long", "native", "new",
    "package", "private", "protected", "public", "return", "short", "static", "strictfp", "super",
    "switch", "synchronized", "this", "throw", "throws", "transient", "try", "void", "volatile", "while",
    "true", "false", "null"};

constexpr bool isAsciiNameCharacter(UChar32 c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool isAsciiLetter(UChar32 c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// What each byte may be in a name, looked up once per byte: letters, digits and "_" stand in
// identifiers; CSS names also take "-".
struct AsciiNameByte {
    bool identifier = false;
    bool css = false;
};
constexpr std::array<AsciiNameByte, 256> asciiNameBytes = [] {
    std::array<AsciiNameByte, 256> table{};
    for (int c = 0; c < 128; ++c) {
        const bool name = isAsciiNameCharacter(c);
        table[static_cast<std::size_t>(c)] = {name, name || c == '-'};
    }
    return table;
}();

bool allowedInName(IdentifierLanguage language, UChar32 c) {
    // In ASCII, XID_Continue is exactly the letters, digits and "_".
    if (c < 0x80 && language != IdentifierLanguage::android) return isAsciiNameCharacter(c);
    switch (language) {
        case IdentifierLanguage::glsl: return isAsciiNameCharacter(c);
        case IdentifierLanguage::android: return isAsciiNameCharacter(c) || c == '.';
        case IdentifierLanguage::swift:
        case IdentifierLanguage::kotlin:
        case IdentifierLanguage::metal: return c == '_' || u_hasBinaryProperty(c, UCHAR_XID_CONTINUE);
    }
    return false;
}

bool isReserved(IdentifierLanguage language, std::string_view name) {
    switch (language) {
        case IdentifierLanguage::swift: return contains<swiftReserved>(name) || contains<swiftReservedMore>(name);
        case IdentifierLanguage::kotlin: return contains<kotlinReserved>(name);
        case IdentifierLanguage::metal: return contains<metalReserved>(name);
        case IdentifierLanguage::glsl: return contains<glslReserved>(name);
        case IdentifierLanguage::android: return contains<javaReserved>(name);
    }
    return false;
}

// Appends one escape written by a printf format that takes the code point.
void appendEscape(std::string& out, UChar32 c, const char* format) {
    char buffer[16];
    const int length = std::snprintf(buffer, sizeof buffer, format, static_cast<unsigned>(c));
    if (length > 0) out.append(buffer, static_cast<std::size_t>(length));
}

bool isLineBreak(UChar32 c) { return c == '\n' || c == '\r' || c == 0x0B || c == 0x0C || c == 0x85 || c == 0x2028 || c == 0x2029; }

bool isControl(UChar32 c) { return c < 0x20 || c == 0x7F; }

}  // namespace

namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The rewriting below, byte by byte, for names of plain ASCII: nearly every name. Written in
// place, as names are written thousands of times per build.
void appendAsciiIdentifier(std::string& result, IdentifierLanguage language, std::string_view name) {
    const bool android = language == IdentifierLanguage::android;
    const auto allowed = [android](char c) {
        const auto kind = asciiNameBytes[static_cast<unsigned char>(c)];
        return kind.identifier || (android && c == '.');
    };
    const bool leadingUnderscore =
        !name.empty() && name.front() != '_' && !isAsciiLetter(name.front()) && allowed(name.front());
    const std::size_t start = result.size();
    result.resize(start + name.size() + (leadingUnderscore ? 1 : 0));
    char* out = result.data() + start;
    if (leadingUnderscore) *out++ = '_';
    for (char c : name) *out++ = allowed(c) ? c : '_';
}

}  // namespace

void appendIdentifierIn(std::string& out, IdentifierLanguage language, std::string_view name) {
    const std::size_t start = out.size();
    out.reserve(start + name.size() + 2);
    if (isAscii(name)) {
        appendAsciiIdentifier(out, language, name);
    } else {
        bool first = true;
        forEachCodePoint(name, [&](UChar32 c, std::string_view bytes) {
            if (first) {
                first = false;
                // In ASCII, XID_Start is exactly the letters.
                const bool startsName = c == '_' || (c < 0x80 || language == IdentifierLanguage::glsl ||
                                                             language == IdentifierLanguage::android
                                                         ? isAsciiLetter(c)
                                                         : u_hasBinaryProperty(c, UCHAR_XID_START));
                if (!startsName && allowedInName(language, c)) out += '_';
            }
            if (allowedInName(language, c)) {
                out += bytes;
            } else {
                out += '_';
            }
        });
    }
    const std::string_view written = std::string_view(out).substr(start);
    if (written.empty()) {
        out += "unnamed";
        return;
    }
    // GLSL keeps every name that starts with "gl_" for its own variables.
    if (language == IdentifierLanguage::glsl && written.starts_with("gl_")) {
        out.insert(start, 1, '_');
        return;
    }
    const bool quotes = language == IdentifierLanguage::swift || language == IdentifierLanguage::kotlin;
    // Swift and Kotlin keep names made only of underscores for themselves.
    if (quotes && written.find_first_not_of('_') == std::string_view::npos) {
        out += "unnamed";
        return;
    }
    if (!isReserved(language, written)) return;
    if (quotes) {
        out.insert(start, 1, '`');
        out += '`';
    } else {
        out += '_';
    }
}

std::string identifierIn(IdentifierLanguage language, std::string_view name) {
    std::string result;
    appendIdentifierIn(result, language, name);
    return result;
}

namespace {

// Most names are letters, digits, "_" and "-" that start the way CSS allows: they stand as they are.
bool needsNoCSSEscape(std::string_view name, bool startsName) {
    for (char c : name) {
        if (!asciiNameBytes[static_cast<unsigned char>(c)].css) return false;
    }
    if (!startsName || name.empty()) return true;
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    if (isDigit(name[0])) return false;
    return name[0] != '-' || (name.size() > 1 && !isDigit(name[1]));
}

}  // namespace

void appendCssIdentifier(std::string& out, std::string_view name, bool startsName) {
    if (needsNoCSSEscape(name, startsName)) {
        out += name;
        return;
    }
    out.reserve(out.size() + name.size());
    std::size_t index = 0;
    const bool leadingHyphen = !name.empty() && name.front() == '-';
    forEachCodePoint(name, [&](UChar32 c, std::string_view bytes) {
        const std::size_t position = index++;
        if (c == 0) {
            out += "\xEF\xBF\xBD";
        } else if (isControl(c)) {
            appendEscape(out, c, "\\%X ");
        } else if (startsName && c >= '0' && c <= '9' && (position == 0 || (position == 1 && leadingHyphen))) {
            appendEscape(out, c, "\\%X ");
        } else if (startsName && position == 0 && c == '-' && name.size() == 1) {
            out += "\\-";
        } else if (c >= 0x80 || c == '-' || isAsciiNameCharacter(c)) {
            out += bytes;
        } else {
            out += '\\';
            out += bytes;
        }
    });
}

std::string cssIdentifier(std::string_view name, bool startsName) {
    std::string result;
    appendCssIdentifier(result, name, startsName);
    return result;
}

std::string lessVariableName(std::string_view name) {
    std::string result;
    result.reserve(name.size());
    forEachCodePoint(name, [&](UChar32 c, std::string_view bytes) {
        result += isAsciiNameCharacter(c) || c == '-' ? bytes : std::string_view("_");
    });
    return result;
}

std::string stringLiteralContents(StringLanguage language, std::string_view text) {
    std::string result;
    result.reserve(text.size());
    UChar32 previous = 0;
    forEachCodePoint(text, [&](UChar32 c, std::string_view bytes) {
        const UChar32 before = previous;
        previous = c;
        if (c == '\\' || c == '"') {
            result += '\\';
            result += bytes;
            return;
        }
        if (language == StringLanguage::css || language == StringLanguage::scss || language == StringLanguage::less) {
            const UChar32 opener = language == StringLanguage::scss ? '#' : (language == StringLanguage::less ? '@' : 0);
            if (isControl(c) || isLineBreak(c)) {
                appendEscape(result, c == 0 ? 0xFFFD : c, "\\%X ");
            } else if (c == '{' && opener != 0 && before == opener) {
                result += "\\{";  // never an interpolation
            } else {
                result += bytes;
            }
            return;
        }
        switch (c) {
            case '\n': result += "\\n"; return;
            case '\r': result += "\\r"; return;
            case '\t': result += "\\t"; return;
            default: break;
        }
        if (language == StringLanguage::kotlin && c == '$') {
            result += "\\$";
        } else if (language == StringLanguage::cpp && c == '?' && before == '?') {
            result += "\\?";  // never a trigraph
        } else if (isControl(c) || isLineBreak(c)) {
            switch (language) {
                case StringLanguage::swift: appendEscape(result, c, "\\u{%X}"); break;
                case StringLanguage::kotlin: appendEscape(result, c, "\\u%04X"); break;
                case StringLanguage::cpp:
                    if (c < 0x80) {
                        appendEscape(result, c, "\\%03o");
                    } else {
                        appendEscape(result, c, "\\u%04X");
                    }
                    break;
                case StringLanguage::css:
                case StringLanguage::scss:
                case StringLanguage::less: break;
            }
        } else {
            result += bytes;
        }
    });
    return result;
}

std::string lineCommentText(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    bool afterCarriageReturn = false;
    forEachCodePoint(text, [&](UChar32 c, std::string_view bytes) {
        const bool crlf = afterCarriageReturn && c == '\n';
        afterCarriageReturn = c == '\r';
        if (crlf) return;
        result += isLineBreak(c) ? std::string_view(" ") : bytes;
    });
    const auto end = result.find_last_not_of(" \t");
    if (end != std::string::npos && result[end] == '\\') {
        result.erase(end + 1);
        result += '.';
    }
    return result;
}

std::string blockCommentText(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    UChar32 previous = 0;
    forEachCodePoint(text, [&](UChar32 c, std::string_view bytes) {
        if (c == '/' && previous == '*') result += '\\';
        previous = c;
        result += bytes;
    });
    return result;
}

std::string androidStringText(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    bool first = true;
    forEachCodePoint(text, [&](UChar32 c, std::string_view bytes) {
        const bool leading = first;
        first = false;
        switch (c) {
            case '\\': result += "\\\\"; return;
            case '"': result += "\\\""; return;
            case '\'': result += "\\'"; return;
            case '\n': result += "\\n"; return;
            case '\t': result += "\\t"; return;
            case '@':
            case '?':
                if (leading) result += '\\';
                result += bytes;
                return;
            default: break;
        }
        if (isControl(c) || c == 0xFFFE || c == 0xFFFF) {
            appendEscape(result, c, "\\u%04X");
        } else {
            result += bytes;
        }
    });
    return result;
}

}  // namespace vantorel::build
