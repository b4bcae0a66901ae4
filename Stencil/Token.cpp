#include "Stencil/Token.h"

namespace stencil {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isJoiner(char c) { return c == ',' || c == ':' || c == '|'; }

}  // namespace

std::vector<std::string> splitComponents(const std::string& contents) {
    std::vector<std::string> words;
    std::string current;
    char quote = 0;
    bool joinNext = false;
    auto finishWord = [&] {
        if (current.empty()) {
            return;
        }
        bool joins = !words.empty() && (joinNext || isJoiner(current.front()));
        if (joins) {
            words.back() += current;
        } else {
            words.push_back(current);
        }
        joinNext = isJoiner(words.back().back());
        current.clear();
    };
    for (char c : contents) {
        if (quote) {
            current += c;
            if (c == quote) {
                quote = 0;
            }
        } else if (c == '"' || c == '\'') {
            quote = c;
            current += c;
        } else if (isSpace(c)) {
            finishWord();
        } else {
            current += c;
        }
    }
    finishWord();
    return words;
}

std::vector<std::string> Token::components() const { return splitComponents(contents); }

}  // namespace stencil
