#pragma once
// The design tokens of a set of items, one tree per appearance: nested objects named after the
// enclosing groups, leaves that carry "$type" and "$value". The document is the light tree
// alone when no other appearance has a value, otherwise an object of the appearance trees
// that have one ("Light", "Dark", "High Contrast", "Dark High Contrast").
//
// Tokens are kept as small records under sorted group objects and streamed straight into the
// text in key order, as the platform JSON writer prints them, rather than built as a general
// JSON document first: a design-token file of ten thousand colors is one pass.

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "Vantorel/build/CodeNames.h"
#include "VantorelData/model/BuildTask.h"
#include "VantorelData/model/Project.h"

namespace vantorel::build {

class JsonStream;

// One token: what its "$type", "$value" and "$deprecated" keys hold.
struct DesignToken {
    enum class Value { color, shadow, number, boolean, string };
    Value value = Value::color;
    // color: hex, space name, components, alpha below 1; string: the text in `text`; shadow:
    // color hex and four lengths in `shadowTexts` (blur, color, offsetX, offsetY, spread: key
    // order). Tokens are moved about a lot: what most of them lack takes no room.
    std::string text;
    std::vector<std::string> shadowTexts;
    const char* space = nullptr;
    std::array<double, 3> components{};
    std::optional<double> alpha;
    double number = 0;
    bool boolean = false;
    std::optional<std::string> deprecation;  // the reason; empty text means `true`
    bool deprecated = false;
};

// A value of a token tree: an object of named nodes, a token, or, where a group took a
// token's place and merged into it, one of the plain JSON values a token consists of.
struct DesignTokenNode {
    enum class Kind { object, token, string, number, boolean, numbers };
    Kind kind = Kind::object;
    std::map<std::string, DesignTokenNode, std::less<>> members;
    std::uint32_t token = 0;  // the token's place among the tree's tokens: nodes stay small to move
    std::string text;
    std::vector<double> numbers;
    double number = 0;
    bool boolean = false;
};

class DesignTokenTree {
public:
    // Names follow the task's transform, prefix and suffix; aliases resolve through `project`.
    DesignTokenTree(const QuenzColorProject& project, const BuildTask& task);

    // Inserts the item's tokens (a group's: its children's) into every appearance tree, under
    // the names of all groups that enclose it in the project. A later token with the same
    // path and key replaces an earlier one.
    void insert(const QuenzColorProjectItem& item);

    // The JSON text of the document: pretty-printed with sorted keys and bare "%.4g" numbers;
    // none when a number is not finite or the nesting is too deep for the platform writer.
    std::optional<std::string> text() const;

private:
    void insert(const QuenzColorProjectItem& item, const std::vector<std::string>& path);
    void insertValue(const QuenzColorProjectItem& item, const std::vector<std::string>& path);
    void store(std::size_t tree, const std::vector<std::string>& path, const std::string& key, DesignTokenNode&& node);
    std::string tokenKey(std::string_view name) const;
    const std::vector<std::string>& pathOf(const QuenzColorProjectItem& item);
    void storeIn(DesignTokenNode& object, const std::string& key, DesignTokenNode&& token);
    std::uint32_t keep(DesignToken&& token);

    const QuenzColorProject& project_;
    const BuildTask& task_;
    NamespacePaths groupPaths_;  // every group's name, not only those providing a namespace
    // The transformed path below each enclosing group, made once for all its items.
    std::unordered_map<const QuenzColorProjectItem*, std::vector<std::string>> transformedPaths_;
    std::array<DesignTokenNode, 4> trees_;
    std::deque<DesignToken> tokens_;  // of every tree, in the order they were made
    // Per tree, the object that items under one path were last stored in.
    struct LastGroup {
        std::vector<std::string> path;
        DesignTokenNode* object = nullptr;  // null when none is remembered
    };
    std::array<LastGroup, 4> lastGroups_{};
};

}  // namespace vantorel::build
