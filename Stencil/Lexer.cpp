#include "Stencil/Lexer.h"

#include <optional>

namespace stencil {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isWhitespace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isWhitespace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isWhitespace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// Removes the configured whitespace from the end of the text before a block tag.
void trimEnd(std::string& text, Trim trim) {
    std::size_t end = text.size();
    switch (trim) {
    case Trim::nothing:
        return;
    case Trim::whitespaceAndNewLines:
        while (end > 0 && isWhitespace(text[end - 1])) {
            --end;
        }
        break;
    case Trim::whitespace:
    case Trim::whitespaceAndOneNewLine:
        while (end > 0 && isBlank(text[end - 1])) {
            --end;
        }
        if (trim == Trim::whitespaceAndOneNewLine && end > 0 && text[end - 1] == '\n') {
            --end;
            if (end > 0 && text[end - 1] == '\r') {
                --end;
            }
        }
        break;
    }
    text.resize(end);
}

// Removes the configured whitespace from the start of the text after a block tag.
void trimStart(std::string& text, Trim trim) {
    std::size_t start = 0;
    switch (trim) {
    case Trim::nothing:
        return;
    case Trim::whitespaceAndNewLines:
        while (start < text.size() && isWhitespace(text[start])) {
            ++start;
        }
        break;
    case Trim::whitespace:
    case Trim::whitespaceAndOneNewLine:
        while (start < text.size() && isBlank(text[start])) {
            ++start;
        }
        if (trim == Trim::whitespaceAndOneNewLine) {
            if (text.compare(start, 2, "\r\n") == 0) {
                start += 2;
            } else if (start < text.size() && text[start] == '\n') {
                ++start;
            }
        }
        break;
    }
    text.erase(0, start);
}

// The trimming that a `-` (all whitespace and line breaks) or `+` (none, whatever the
// environment's behaviour) written against a block tag's delimiter asks for on that side.
std::optional<Trim> modifierTrim(char c) {
    if (c == '-') {
        return Trim::whitespaceAndNewLines;
    }
    if (c == '+') {
        return Trim::nothing;
    }
    return std::nullopt;
}

struct Position {
    std::size_t line = 1;
    std::size_t column = 1;
};

// Walks the source once, keeping line and column (in characters) of the scan position.
class Cursor {
public:
    explicit Cursor(std::string_view source) : source_(source) {}

    Position positionOf(std::size_t offset) {
        for (; scanned_ < offset; ++scanned_) {
            char c = source_[scanned_];
            if (c == '\n') {
                ++position_.line;
                position_.column = 1;
            } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
                ++position_.column;
            }
        }
        return position_;
    }

private:
    std::string_view source_;
    std::size_t scanned_ = 0;
    Position position_;
};

}  // namespace

Result<std::vector<Token>> tokenize(std::string_view source, TrimBehaviour trim) {
    std::vector<Token> tokens;
    // Per block token: the trimming on each side, after `{%-`/`-%}` (trim all) or `{%+`/`+%}`
    // (trim nothing) had their say.
    struct BlockTrim {
        std::size_t token;
        Trim leading;
        Trim trailing;
    };
    std::vector<BlockTrim> blockTrims;
    Cursor cursor(source);

    auto addText = [&](std::size_t from, std::size_t to) {
        if (to > from) {
            Token text;
            text.kind = Token::Kind::text;
            text.contents.assign(source.substr(from, to - from));
            Position position = cursor.positionOf(from);
            text.line = position.line;
            text.column = position.column;
            tokens.push_back(std::move(text));
        }
    };

    std::size_t pos = 0;
    while (pos < source.size()) {
        std::size_t open = source.find('{', pos);
        while (open != std::string_view::npos && open + 1 < source.size()) {
            char next = source[open + 1];
            if (next == '{' || next == '%' || next == '#') {
                break;
            }
            open = source.find('{', open + 1);
        }
        if (open == std::string_view::npos || open + 1 >= source.size()) {
            addText(pos, source.size());
            break;
        }
        addText(pos, open);

        char kind = source[open + 1];
        std::string_view closer = kind == '{' ? "}}" : kind == '%' ? "%}" : "#}";
        std::size_t close = source.find(closer, open + 2);
        Position position = cursor.positionOf(open);
        if (close == std::string_view::npos) {
            Error error = makeError(ErrorKind::syntax, "'" + std::string(source.substr(open, 2)) +
                                                           "' is never closed with '" + std::string(closer) + "'");
            error.line = position.line;
            error.column = position.column;
            std::string_view rest = source.substr(open, 40);
            error.token.assign(rest.substr(0, rest.find('\n')));
            return error;
        }

        Token token;
        token.kind = kind == '{' ? Token::Kind::variable : kind == '%' ? Token::Kind::block : Token::Kind::comment;
        token.line = position.line;
        token.column = position.column;
        token.source.assign(source.substr(open, close + 2 - open));
        std::string_view inner = source.substr(open + 2, close - open - 2);
        if (token.kind == Token::Kind::block) {
            BlockTrim blockTrim{tokens.size(), trim.leading, trim.trailing};
            if (auto modified = modifierTrim(inner.empty() ? ' ' : inner.front())) {
                blockTrim.leading = *modified;
                inner.remove_prefix(1);
            }
            if (auto modified = modifierTrim(inner.empty() ? ' ' : inner.back())) {
                blockTrim.trailing = *modified;
                inner.remove_suffix(1);
            }
            blockTrims.push_back(blockTrim);
        }
        if (token.kind != Token::Kind::comment) {
            token.contents.assign(trimmed(inner));
        }
        tokens.push_back(std::move(token));
        pos = close + 2;
    }

    for (const auto& blockTrim : blockTrims) {
        std::size_t index = blockTrim.token;
        if (index > 0 && tokens[index - 1].kind == Token::Kind::text) {
            trimEnd(tokens[index - 1].contents, blockTrim.leading);
        }
        if (index + 1 < tokens.size() && tokens[index + 1].kind == Token::Kind::text) {
            trimStart(tokens[index + 1].contents, blockTrim.trailing);
        }
    }
    std::erase_if(tokens, [](const Token& token) {
        return (token.kind == Token::Kind::text && token.contents.empty()) || token.kind == Token::Kind::comment;
    });
    return tokens;
}

}  // namespace stencil
