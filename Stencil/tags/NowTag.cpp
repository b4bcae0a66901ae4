// `{% now %}` and `{% now "yyyy-MM-dd" %}`: the current date and time in a date pattern of
// Unicode's date field symbols (the patterns of date formatters everywhere), "yyyy-MM-dd 'at'
// HH:mm" when none is given. Written with fixed English names so that a template renders the
// same on every machine, in the machine's time zone.

#include <unicode/smpdtfmt.h>
#include <unicode/ucal.h>
#include <unicode/unistr.h>

#include "Stencil/Parser.h"
#include "Stencil/tags/BuiltinTags.h"

namespace stencil::detail {

namespace {

constexpr const char* defaultDatePattern = "yyyy-MM-dd 'at' HH:mm";

class NowNode final : public Node {
public:
    NowNode(std::optional<FilterExpression> pattern, SourcePlace place)
        : pattern_(std::move(pattern)), place_(std::move(place)) {}

    Status render(Context& context, std::string& out) const override {
        std::string pattern = defaultDatePattern;
        if (pattern_) {
            auto value = pattern_->resolve(context);
            if (!value) return place_.attach(std::move(value).error(), context);
            if (!value->string()) {
                return place_.attach(
                    makeError(ErrorKind::render, "'now' needs a date pattern, got '" + value->text() + "'"),
                    context);
            }
            pattern = *value->string();
        }
        UErrorCode status = U_ZERO_ERROR;
        icu::SimpleDateFormat formatter(icu::UnicodeString::fromUTF8(pattern), icu::Locale("en_US_POSIX"),
                                        status);
        if (U_FAILURE(status)) {
            return place_.attach(makeError(ErrorKind::render, "'" + pattern + "' is not a date pattern"),
                                 context);
        }
        icu::UnicodeString text;
        formatter.format(ucal_getNow(), text);
        text.toUTF8String(out);
        return std::nullopt;
    }

private:
    std::optional<FilterExpression> pattern_;
    SourcePlace place_;
};

Result<std::unique_ptr<Node>> parseNow(TokenParser& parser, const Token& token) {
    auto words = token.components();
    if (words.size() > 2) {
        return TokenParser::errorAt(token, ErrorKind::syntax,
                                    "Expected '{% now %}' or '{% now \"pattern\" %}'");
    }
    std::optional<FilterExpression> pattern;
    if (words.size() == 2) {
        auto compiled = parser.compileFilter(words[1]);
        if (!compiled) return std::move(compiled).error();
        pattern = std::move(compiled).value();
    }
    return std::unique_ptr<Node>(std::make_unique<NowNode>(std::move(pattern), SourcePlace::of(token)));
}

}  // namespace

void addNowTag(TagTable& tags) {
    tags["now"] = parseNow;
}

}  // namespace stencil::detail
