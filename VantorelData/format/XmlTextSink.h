#pragma once
// XmlTextSink prints elements as text exactly as pugixml prints a tree with format_indent and
// two spaces per level ("<a />" for an empty element, "<a>text</a>" for a text-only one), but
// straight into one string without building a tree. It also checks that every text is valid
// UTF-8 that XML can carry; `failed()` reports text that cannot be encoded.
//
// Deliberate differences: a carriage return in text is written as "&#13;" rather than raw,
// because readers turn a raw one into a line feed and the value would change on every save.
// Characters that XML 1.0 cannot carry at all, not even as references (the control characters
// other than tab, line feed and carriage return, and U+FFFE and U+FFFF), are written as U+FFFD,
// the replacement character: other XML readers reject the references pugixml would write, and
// the replacement keeps a visible mark where the character was. Indentation stops growing
// below `maximumIndentedDepth` levels, so that deeply nested groups do not make the file grow
// with the square of their depth.

#include <string>
#include <string_view>
#include <vector>

#include "VantorelData/format/XmlSink.h"

namespace vantorel::format {

// True when the bytes are valid UTF-8 without NUL characters.
bool isEncodableText(std::string_view text);

// The written form of a character XML cannot carry: U+FFFD.
inline constexpr std::string_view replacementCharacter = "\xEF\xBF\xBD";
// Nesting levels that are indented; deeper elements keep the indentation of this level.
inline constexpr int maximumIndentedDepth = 32;

// Whether the text holds characters XML cannot carry (NUL aside, which fails the encoding), and
// the text with each of them replaced by U+FFFD.
bool hasCharactersXmlCannotCarry(std::string_view text);
std::string withCharactersXmlCanCarry(std::string_view text);

class XmlTextSink final : public XmlSink {
public:
    // Appends to `output`; `depth` is the nesting level of the first element opened.
    explicit XmlTextSink(std::string& output, int depth = 0) : out_(output), depth_(depth) {}

    void open(const char* name) override;
    void attribute(const char* name, std::string_view value) override;
    void leaf(const char* name, std::string_view text) override;
    void close() override;

    // True when some text was not valid UTF-8 or held a NUL character.
    bool failed() const { return failed_; }

private:
    void endPendingStartTag();
    // Inline, and from a run of spaces rather than by filling: it runs before every line.
    void indent(int depth) {
        static constexpr std::string_view spaces = "                                                                ";
        static_assert(spaces.size() == 2 * maximumIndentedDepth);
        const int indented = depth < 0 ? 0 : depth < maximumIndentedDepth ? depth : maximumIndentedDepth;
        out_.append(spaces.data(), static_cast<std::size_t>(indented) * 2);
    }
    void appendEscaped(std::string_view text, bool inAttribute);

    std::string& out_;
    int depth_;
    bool startTagOpen_ = false;
    bool failed_ = false;
    std::vector<std::string_view> openNames_;
};

}  // namespace vantorel::format
