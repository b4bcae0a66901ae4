#include "Stencil/BuiltinFilters.h"

#include <unicode/locid.h>
#include <unicode/unistr.h>

#include <algorithm>

#include "Stencil/detail/EnvironmentState.h"

namespace stencil {

namespace {

constexpr std::int64_t maxIndentWidth = 1000;

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

Error filterError(std::string message) { return makeError(ErrorKind::render, std::move(message)); }

// Applies a text transformation to a string, or to each element of an array.
Result<Value> mapText(const Value& value, std::string (*transform)(std::string_view)) {
    if (value.isNull()) {
        return value;
    }
    if (const auto* elements = value.array()) {
        Value::Array mapped;
        mapped.reserve(elements->size());
        for (const auto& element : *elements) {
            mapped.emplace_back(transform(element.text()));
        }
        return Value(std::move(mapped));
    }
    if (const auto* text = value.string()) {
        return Value(transform(*text));
    }
    return Value(transform(value.text()));
}

Result<Value> defaultFilter(const Value& value, std::span<const Value> arguments, Context&) {
    if (!value.isNull()) {
        return value;
    }
    for (const auto& argument : arguments) {
        if (!argument.isNull()) {
            return argument;
        }
    }
    return value;
}

Result<Value> joinFilter(const Value& value, std::span<const Value> arguments, Context&) {
    if (arguments.size() > 1) {
        return filterError("'join' takes one argument, the separator");
    }
    if (value.isNull()) {
        return value;
    }
    std::optional<Value::Array> elements = iterationElements(value);
    if (!elements || value.string() || value.dictionary()) {
        return filterError("'join' needs an array, got '" + value.text() + "'");
    }
    std::string separator = arguments.empty() ? std::string() : arguments.front().text();
    std::string joined;
    for (std::size_t i = 0; i < elements->size(); ++i) {
        if (i > 0) {
            joined += separator;
        }
        (*elements)[i].appendText(joined);
    }
    return Value(std::move(joined));
}

Result<Value> splitFilter(const Value& value, std::span<const Value> arguments, Context&) {
    if (arguments.size() > 1) {
        return filterError("'split' takes one argument, the separator");
    }
    if (value.isNull()) {
        return value;
    }
    const std::string* text = value.string();
    if (!text) {
        return filterError("'split' needs a string, got '" + value.text() + "'");
    }
    std::string separator = arguments.empty() ? std::string(" ") : arguments.front().text();
    Value::Array parts;
    if (separator.empty()) {
        parts.emplace_back(*text);
        return Value(std::move(parts));
    }
    std::size_t start = 0;
    while (true) {
        std::size_t found = text->find(separator, start);
        parts.emplace_back(std::string_view(*text).substr(start, found == std::string::npos ? std::string::npos : found - start));
        if (found == std::string::npos) {
            break;
        }
        start = found + separator.size();
    }
    return Value(std::move(parts));
}

Result<Value> indentFilter(const Value& value, std::span<const Value> arguments, Context&) {
    if (arguments.size() > 3) {
        return filterError("'indent' takes at most three arguments: width, character and whether to indent the first line");
    }
    std::int64_t width = 4;
    std::string character = " ";
    bool indentFirst = false;
    if (arguments.size() > 0) {
        auto given = arguments[0].integer();
        if (!given || *given < 0 || *given > maxIndentWidth) {
            return filterError("'indent' needs a width from 0 to " + std::to_string(maxIndentWidth) + ", got '" +
                               arguments[0].text() + "'");
        }
        width = *given;
    }
    if (arguments.size() > 1) {
        if (!arguments[1].string()) {
            return filterError("'indent' needs a string for its indentation, got '" + arguments[1].text() + "'");
        }
        character = *arguments[1].string();
    }
    if (arguments.size() > 2) {
        auto given = arguments[2].boolean();
        if (!given) {
            return filterError("'indent' needs true or false for indenting the first line, got '" + arguments[2].text() + "'");
        }
        indentFirst = *given;
    }
    std::string indentation;
    for (std::int64_t i = 0; i < width; ++i) {
        indentation += character;
    }
    std::string text = value.text();
    std::string indented;
    indented.reserve(text.size());
    std::size_t start = 0;
    bool first = true;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        std::string_view line = std::string_view(text).substr(start, end == std::string::npos ? std::string::npos : end - start);
        // Blank lines stay blank, so indenting never leaves trailing spaces behind.
        if ((!first || indentFirst) && !line.empty()) {
            indented += indentation;
        }
        indented += line;
        if (end == std::string::npos) {
            break;
        }
        indented += '\n';
        start = end + 1;
        first = false;
    }
    return Value(std::move(indented));
}

// `value|filter:"indent:2"`: applies the filters that its argument names, with their arguments,
// as if they were written in place; a missing value stays missing.
Result<Value> filterByName(const Value& value, std::span<const Value> arguments, Context& context) {
    if (arguments.size() != 1 || !arguments.front().string()) {
        return filterError("'filter' needs the name of a filter as its one argument");
    }
    detail::RenderState* state = context.renderState();
    if (!state) {
        return filterError("'filter' works only inside a template render");
    }
    if (value.isNull()) {
        return value;
    }
    const Limits& limits = state->environment->limits;
    if (state->filterDepth >= limits.maxNestingDepth) {
        return makeError(ErrorKind::nestingTooDeep, "'filter' names filters that name filters more than " +
                                                        std::to_string(limits.maxNestingDepth) + " levels deep");
    }
    auto named = FilterExpression::parseFilterChain(*arguments.front().string(), state->environment->filters,
                                                    limits.maxNestingDepth);
    if (!named) {
        return std::move(named).error();
    }
    ++state->filterDepth;
    auto filtered = named->applyFilters(value, context);
    --state->filterDepth;
    return filtered;
}

}  // namespace

std::string upperCased(std::string_view text) {
    if (isAscii(text)) {
        std::string result(text);
        std::transform(result.begin(), result.end(), result.begin(),
                       [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; });
        return result;
    }
    std::string result;
    icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())))
        .toUpper(icu::Locale::getRoot())
        .toUTF8String(result);
    return result;
}

std::string lowerCased(std::string_view text) {
    if (isAscii(text)) {
        std::string result(text);
        std::transform(result.begin(), result.end(), result.begin(),
                       [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
        return result;
    }
    std::string result;
    icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())))
        .toLower(icu::Locale::getRoot())
        .toUTF8String(result);
    return result;
}

std::string capitalized(std::string_view text) {
    auto characters = utf8Characters(text);
    if (characters.empty()) {
        return {};
    }
    std::string result = upperCased(characters.front());
    result += text.substr(characters.front().size());
    return result;
}

Error noArgumentsError(std::string_view name) {
    return filterError("'" + std::string(name) + "' takes no arguments");
}

void addBuiltinFilters(FilterTable& filters) {
    auto text = [&filters](const char* name, std::string (*transform)(std::string_view)) {
        filters[name] = [name, transform](const Value& value, std::span<const Value> arguments,
                                          Context&) -> Result<Value> {
            if (!arguments.empty()) {
                return noArgumentsError(name);
            }
            return mapText(value, transform);
        };
    };
    text("capitalize", capitalized);
    text("uppercase", upperCased);
    text("lowercase", lowerCased);
    filters["default"] = defaultFilter;
    filters["join"] = joinFilter;
    filters["split"] = splitFilter;
    filters["indent"] = indentFilter;
    filters["filter"] = filterByName;
}

}  // namespace stencil
