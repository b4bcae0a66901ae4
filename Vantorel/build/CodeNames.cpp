#include "Vantorel/build/CodeNames.h"

#include <unicode/locid.h>
#include <unicode/numberformatter.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdio>

#include "Vantorel/platform/UserLocale.h"
#include "VantorelData/model/ItemTreeWalk.h"

namespace vantorel::build {
namespace {

// Visits each code point of UTF-8 text with its byte range; malformed bytes count as U+FFFD.
template <typename Visitor>
void forEachCodePoint(std::string_view text, Visitor&& visit) {
    int32_t length = static_cast<int32_t>(text.size());
    int32_t index = 0;
    while (index < length) {
        int32_t start = index;
        UChar32 c = 0;
        U8_NEXT(text.data(), index, length, c);
        if (c < 0) c = 0xFFFD;
        visit(c, text.substr(static_cast<size_t>(start), static_cast<size_t>(index - start)));
    }
}

// Letters include combining marks, so that a decomposed "é" stays one letter.
bool isLetter(UChar32 c) { return (U_GET_GC_MASK(c) & (U_GC_L_MASK | U_GC_M_MASK)) != 0; }
bool isNumber(UChar32 c) { return (U_GET_GC_MASK(c) & U_GC_N_MASK) != 0; }
bool isAlphanumeric(UChar32 c) { return isLetter(c) || isNumber(c); }

std::string toUTF8(const icu::UnicodeString& text) {
    std::string result;
    text.toUTF8String(result);
    return result;
}

std::string lowerCased(std::string_view text) {
    return toUTF8(icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())))
                      .toLower(icu::Locale::getRoot()));
}

std::string upperCased(std::string_view text) {
    return toUTF8(icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())))
                      .toUpper(icu::Locale::getRoot()));
}

// Splits at every character that is not a Unicode letter or digit; empty pieces are dropped.
std::vector<std::string> words(std::string_view text) {
    std::vector<std::string> result;
    std::string current;
    forEachCodePoint(text, [&](UChar32 c, std::string_view bytes) {
        if (isAlphanumeric(c)) {
            current.append(bytes);
        } else if (!current.empty()) {
            result.push_back(std::move(current));
            current.clear();
        }
    });
    if (!current.empty()) result.push_back(std::move(current));
    return result;
}

// Splits off the first code point so that it can be cased on its own.
std::pair<std::string_view, std::string_view> firstCharacter(std::string_view text) {
    if (text.empty()) return {text, text};
    int32_t index = 0;
    UChar32 c = 0;
    U8_NEXT(text.data(), index, static_cast<int32_t>(text.size()), c);
    (void)c;
    return {text.substr(0, static_cast<size_t>(index)), text.substr(static_cast<size_t>(index))};
}

std::string capitalised(std::string_view word) {
    auto [first, rest] = firstCharacter(word);
    return upperCased(first) + lowerCased(rest);
}

std::string withUpperFirst(std::string_view piece) {
    if (!piece.empty() && static_cast<unsigned char>(piece.front()) < 0x80) {
        std::string result(piece);
        if (result.front() >= 'a' && result.front() <= 'z') result.front() = static_cast<char>(result.front() - 'a' + 'A');
        return result;
    }
    auto [first, rest] = firstCharacter(piece);
    return upperCased(first) + std::string(rest);
}

std::string replaceSpaces(std::string text, char replacement) {
    for (char& c : text) {
        if (c == ' ') c = replacement;
    }
    return text;
}

// Building an ICU formatter is far dearer than using one, and exports format thousands of
// numbers: keep one per locale and precision for the thread.
const icu::number::LocalizedNumberFormatter& numberFormatter(const std::string& localeName, int maxFractionDigits) {
    struct Cached {
        std::string localeName;
        int digits;
        icu::number::LocalizedNumberFormatter formatter;
    };
    thread_local std::vector<Cached> cache;
    for (const auto& entry : cache) {
        if (entry.digits == maxFractionDigits && entry.localeName == localeName) return entry.formatter;
    }
    cache.push_back({localeName, maxFractionDigits,
                     icu::number::NumberFormatter::withLocale(icu::Locale(localeName.c_str()))
                         .precision(icu::number::Precision::minMaxFraction(0, maxFractionDigits))
                         .grouping(UNUM_GROUPING_OFF)
                         .roundingMode(UNUM_ROUND_HALFEVEN)
                         .integerWidth(icu::number::IntegerWidth::zeroFillTo(1).truncateAt(100))});
    return cache.back().formatter;
}

std::string numberText(double value, int maxFractionDigits) {
    UErrorCode status = U_ZERO_ERROR;
    auto formatted = numberFormatter(platform::userLocaleName(), maxFractionDigits).formatDouble(value, status);
    icu::UnicodeString text = formatted.toString(status);
    if (U_FAILURE(status)) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%g", value);
        return buffer;
    }
    return toUTF8(text);
}

}  // namespace

namespace {

// Names are nearly always plain ASCII, where the Unicode classes and case mappings reduce to
// the ASCII ones; those are transformed without a round trip through UTF-16.
bool isAscii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
char asciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool isAsciiAlphanumeric(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Appends the transformed text to `out`, in place.
void appendAsciiTransform(std::string& out, std::string_view text, NameTransform nameTransform) {
    switch (nameTransform) {
        case NameTransform::none: out += text; break;
        case NameTransform::camelCase:
        case NameTransform::pascalCase: {
            // Words are the runs of letters and digits; each but a leading camelCase one is capitalised.
            bool inWord = false;
            bool firstWord = nameTransform == NameTransform::camelCase;
            out.reserve(out.size() + text.size());
            for (char c : text) {
                if (!isAsciiAlphanumeric(c)) {
                    if (inWord) firstWord = false;
                    inWord = false;
                    continue;
                }
                out += !inWord && !firstWord ? asciiUpper(c) : asciiLower(c);
                inWord = true;
            }
            break;
        }
        case NameTransform::snakeCase:
        case NameTransform::kebabCase: {
            const char separator = nameTransform == NameTransform::snakeCase ? '_' : '-';
            const std::size_t start = out.size();
            out.resize(start + text.size());
            std::transform(text.begin(), text.end(), out.begin() + static_cast<std::ptrdiff_t>(start),
                           [separator](char c) { return c == ' ' ? separator : asciiLower(c); });
            break;
        }
    }
}

}  // namespace

std::string transform(std::string_view text, NameTransform nameTransform) {
    if (isAscii(text)) {
        std::string result;
        appendAsciiTransform(result, text, nameTransform);
        return result;
    }
    switch (nameTransform) {
        case NameTransform::none:
            return std::string(text);
        case NameTransform::camelCase: {
            std::string result;
            auto pieces = words(text);
            for (size_t i = 0; i < pieces.size(); ++i) {
                result += i == 0 ? lowerCased(pieces[i]) : capitalised(pieces[i]);
            }
            return result;
        }
        case NameTransform::pascalCase: {
            std::string result;
            for (const auto& word : words(text)) result += capitalised(word);
            return result;
        }
        case NameTransform::snakeCase:
            return replaceSpaces(lowerCased(text), '_');
        case NameTransform::kebabCase:
            return replaceSpaces(lowerCased(text), '-');
    }
    return std::string(text);
}

namespace {

// Appends one transformed name to a joined code name, with the transform's separator when it
// `joins` a name before it. Written in place: builds name thousands of items.
void appendCodeNamePiece(std::string& result, std::string_view name, NameTransform nameTransform, bool joins) {
    if (joins && nameTransform == NameTransform::snakeCase) result += '_';
    if (joins && nameTransform == NameTransform::kebabCase) result += '-';
    const std::size_t start = result.size();
    if (isAscii(name)) {
        appendAsciiTransform(result, name, nameTransform);
    } else {
        result += transform(name, nameTransform);
    }
    const bool capitalises = nameTransform == NameTransform::camelCase || nameTransform == NameTransform::pascalCase;
    if (!joins || !capitalises || start == result.size()) return;
    char& first = result[start];
    if (static_cast<unsigned char>(first) < 0x80) {
        first = asciiUpper(first);
    } else {
        const std::string piece = withUpperFirst(std::string_view(result).substr(start));
        result.replace(start, std::string::npos, piece);
    }
}

void appendCodeNamePiece(std::string& result, std::string_view name, NameTransform nameTransform) {
    appendCodeNamePiece(result, name, nameTransform, !result.empty());
}

// The code name of an item under its joined namespace names, appended to `out`.
void appendCodeNameUnder(std::string& out, std::string_view joined, std::string_view itemName,
                         NameTransform nameTransform, const std::optional<std::string>& prefix,
                         const std::optional<std::string>& suffix) {
    const bool hasPrefix = prefix && !prefix->empty();
    const bool hasSuffix = suffix && !suffix->empty();
    out.reserve(out.size() + (hasPrefix ? prefix->size() : 0) + joined.size() + itemName.size() + 1 +
                (hasSuffix ? suffix->size() : 0));
    if (hasPrefix) out += *prefix;
    out += joined;
    appendCodeNamePiece(out, itemName, nameTransform, !joined.empty());
    if (hasSuffix) out += *suffix;
}

}  // namespace

std::string joinedNamespace(const std::vector<std::string>& namespacePath, NameTransform nameTransform) {
    std::string result;
    for (const auto& group : namespacePath) appendCodeNamePiece(result, group, nameTransform);
    return result;
}

std::string codeNameUnder(std::string joined, std::string_view itemName, NameTransform nameTransform,
                          const std::optional<std::string>& prefix, const std::optional<std::string>& suffix) {
    std::string result;
    appendCodeNameUnder(result, joined, itemName, nameTransform, prefix, suffix);
    return result;
}

std::string codeName(std::string_view itemName, NameTransform nameTransform, const std::optional<std::string>& prefix,
                     const std::optional<std::string>& suffix, const std::vector<std::string>& namespacePath) {
    return codeNameUnder(joinedNamespace(namespacePath, nameTransform), itemName, nameTransform, prefix, suffix);
}

std::string codeName(std::string_view itemName, const BuildTask& task, const std::vector<std::string>& namespacePath) {
    return codeName(itemName, task.nameTransform(), task.namePrefix(), task.nameSuffix(), namespacePath);
}

namespace {

// Walks the tree keeping the names of the enclosing groups that count (all of them, or those
// that provide a namespace). `visit(item, path)` returns true to end the walk.
template <class Visit>
void walkWithNamespacePath(const std::vector<ProjectItemPtr>& items, bool namespacesOnly, Visit&& visit) {
    std::vector<std::string> path;
    const auto counts = [namespacesOnly](const ProjectItemPtr& item) {
        const auto* group = item->payloadIf<QuenzColorGroup>();
        return group && (!namespacesOnly || group->providesNamespace());
    };
    walkItemTree(
        items,
        [&](const ProjectItemPtr& item) {
            if (visit(item, path)) return WalkStep::stop;
            if (counts(item)) path.push_back(item->name());
            return WalkStep::descend;
        },
        [&](const ProjectItemPtr& group) {
            if (counts(group)) path.pop_back();
        });
}

bool findNamespacePath(const std::vector<ProjectItemPtr>& items, const QuenzColorProjectItem& target,
                       std::vector<std::string>& path, bool namespacesOnly) {
    bool found = false;
    walkWithNamespacePath(items, namespacesOnly, [&](const ProjectItemPtr& item, const std::vector<std::string>& at) {
        if (item.get() != &target) return false;
        path = at;
        found = true;
        return true;
    });
    return found;
}

}  // namespace

std::vector<std::string> namespacePath(const QuenzColorProject& project, const QuenzColorProjectItem& item,
                                       bool namespacesOnly) {
    std::vector<std::string> path;
    if (!findNamespacePath(project.items(), item, path, namespacesOnly)) path.clear();
    return path;
}

NamespacePaths::NamespacePaths(const QuenzColorProject& project, bool namespacesOnly) {
    std::vector<const QuenzColorProjectItem*> counted;  // the enclosing groups that count, innermost last
    const auto counts = [namespacesOnly](const ProjectItemPtr& item) {
        const auto* group = item->payloadIf<QuenzColorGroup>();
        return group && (!namespacesOnly || group->providesNamespace());
    };
    walkItemTree(
        project.items(),
        [&](const ProjectItemPtr& item) {
            enclosing_.emplace_back(item.get(), counted.empty() ? nullptr : counted.back());
            if (counts(item)) counted.push_back(item.get());
        },
        [&](const ProjectItemPtr& group) {
            if (counts(group)) counted.pop_back();
        });
    // An item met twice (the same item in two groups) keeps the place it was met first, as
    // a map filled in walk order would.
    std::stable_sort(enclosing_.begin(), enclosing_.end(),
                     [](const auto& a, const auto& b) { return std::less<>{}(a.first, b.first); });
    enclosing_.erase(std::unique(enclosing_.begin(), enclosing_.end(),
                                 [](const auto& a, const auto& b) { return a.first == b.first; }),
                     enclosing_.end());
}

const QuenzColorProjectItem* NamespacePaths::enclosingGroup(const QuenzColorProjectItem& item) const {
    return enclosingOf(&item);
}

const QuenzColorProjectItem* NamespacePaths::enclosingOf(const QuenzColorProjectItem* item) const {
    const auto found = std::lower_bound(enclosing_.begin(), enclosing_.end(), item,
                                        [](const auto& entry, const QuenzColorProjectItem* wanted) {
                                            return std::less<>{}(entry.first, wanted);
                                        });
    return found != enclosing_.end() && found->first == item ? found->second : nullptr;
}

std::vector<std::string> NamespacePaths::pathOf(const QuenzColorProjectItem& item) const {
    std::vector<std::string> path;
    for (const QuenzColorProjectItem* group = enclosingGroup(item); group;) {
        path.push_back(group->name());
        group = enclosingOf(group);
    }
    std::reverse(path.begin(), path.end());
    return path;
}

NamespacePaths allNamespacePaths(const QuenzColorProject& project, bool namespacesOnly) {
    return NamespacePaths(project, namespacesOnly);
}

TaskCodeNames::TaskCodeNames(const QuenzColorProject& project, const BuildTask& task)
    : task_(task), paths_(project, true) {}

std::string TaskCodeNames::of(const QuenzColorProjectItem& item) {
    const QuenzColorProjectItem* group = paths_.enclosingGroup(item);
    auto joined = joined_.find(group);
    if (joined == joined_.end()) {
        joined = joined_.emplace(group, joinedNamespace(paths_.pathOf(item), task_.nameTransform())).first;
    }
    std::string name;
    appendCodeNameUnder(name, joined->second, item.name(), task_.nameTransform(), task_.namePrefix(),
                        task_.nameSuffix());
    return name;
}

std::string codeSafe(std::string_view text, std::string_view fallbackPrefix) {
    std::string kept;
    bool startsWithNumber = false;
    forEachCodePoint(text, [&](UChar32 c, std::string_view bytes) {
        bool number = isNumber(c);
        if (isLetter(c) || number || c == '_') {
            if (kept.empty()) startsWithNumber = number;
            kept.append(bytes);
        }
    });
    if (kept.empty()) return kept;
    return startsWithNumber ? std::string(fallbackPrefix) + kept : kept;
}

std::string joinSlashedName(std::string_view text) {
    std::string result;
    bool upperNext = false;
    forEachCodePoint(text, [&](UChar32 c, std::string_view bytes) {
        if (c == '/') {
            upperNext = true;
            return;
        }
        result += upperNext ? upperCased(bytes) : std::string(bytes);
        upperNext = false;
    });
    return result;
}

std::string shortNumberText(double value) { return numberText(value, 4); }
std::string oneDecimalNumberText(double value) { return numberText(value, 1); }

}  // namespace vantorel::build
