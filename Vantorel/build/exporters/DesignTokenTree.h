#pragma once
// The design tokens of a set of items, one tree per appearance: nested objects named after the
// enclosing groups, leaves that carry "$type" and "$value". The document is the light tree
// alone when no other appearance has a value, otherwise an object of the appearance trees
// that have one ("Light", "Dark", "High Contrast", "Dark High Contrast").
//
// No tree is built. Each token is recorded once, with its path and the order it came in; the
// text is written by sorting those records by path and streaming objects open and closed as
// the paths go. Where paths meet (a group named like a token, a token named twice) the order
// they came in decides what stands, as if each had been stored into a tree in turn.

#include <array>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <memory_resource>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "Vantorel/build/BuildArena.h"
#include "Vantorel/build/CodeNames.h"
#include "Vantorel/build/ColorTextStore.h"
#include "VantorelData/model/BuildTask.h"
#include "VantorelData/model/Project.h"

namespace vantorel::build {

// One token: what its "$type", "$value" and "$deprecated" keys hold.
struct DesignToken {
    enum class Value { color, shadow, number, boolean, string };
    Value value = Value::color;
    // color: hex, space name, components, alpha below 1; string: the text in `text`; shadow:
    // color hex and four lengths in `shadowTexts` (blur, color, offsetX, offsetY, spread: key
    // order). What most tokens lack takes no room.
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

// A path in the appearance trees: segments [firstSegment, firstSegment + segmentCount) of the
// tree's segments. The tokens of one item share one path in every tree.
struct DesignTokenPath {
    std::uint32_t firstSegment = 0;
    std::uint32_t segmentCount = 0;
};

// One thing put at a path of an appearance tree. `time` orders everything put anywhere: where
// two paths meet, the later one decides.
struct DesignTokenPlacement {
    enum class Kind : std::uint8_t {
        token,   // a whole token object
        member,  // one plain value inside a token (see `member`), once the token had to be opened
        marker,  // nothing written: a color set's object or an opened token, which still replaces what came before
    };
    std::uint64_t order = 0;  // tree, path and time, as the text needs them in turn
    std::uint32_t path = 0;
    std::uint32_t time = 0;
    std::uint32_t token = 0;  // among the tokens
    std::uint8_t tree = 0;
    Kind kind = Kind::token;
    std::uint8_t member = 0;  // which value of the token a member is
};

class DesignTokenTree {
public:
    // Names follow the task's transform, prefix and suffix; aliases resolve through `project`.
    DesignTokenTree(const QuenzColorProject& project, const BuildTask& task);

    // Room for the tokens of about this many items with a light and a dark value each, so
    // that the tables are not grown (and left behind, doubled, in the export's memory).
    void reserve(std::size_t itemCount);

    // Inserts the item's tokens (a group's: its children's) into every appearance tree, under
    // the names of all groups that enclose it in the project. A later token with the same
    // path and key replaces an earlier one.
    void insert(const QuenzColorProjectItem& item);

    // The JSON text of the document: pretty-printed with sorted keys and bare "%.4g" numbers;
    // none when a number is not finite or the nesting is too deep for the platform writer.
    // Sorts what was inserted: call it once, after the last insert.
    std::optional<std::string> text();

private:
    void insert(const QuenzColorProjectItem& item, const std::vector<std::string_view>& path);
    void insertValue(const QuenzColorProjectItem& item, const std::vector<std::string_view>& path);
    // The path of these segments followed by `keys`.
    std::uint32_t newPath(std::span<const std::string_view> segments, std::initializer_list<std::string_view> keys);
    // Puts a token (or a set's object) at the path, later than all before.
    void place(std::size_t tree, std::uint32_t path, DesignTokenPlacement::Kind kind, std::uint32_t token = 0);
    std::string_view keep(std::string name);
    std::string_view tokenKey(std::string_view name);
    std::string_view transformed(std::string_view name);
    const std::vector<std::string_view>& pathOf(const QuenzColorProjectItem& item);
    std::uint32_t keep(DesignToken&& token);

    const QuenzColorProject& project_;
    const BuildTask& task_;
    NamespacePaths groupPaths_;  // every group's name, not only those providing a namespace
    // The transformed path below each enclosing group, made once for all its items.
    std::unordered_map<const QuenzColorProjectItem*, std::vector<std::string_view>> transformedPaths_;
    std::deque<std::string> names_;  // every path segment made here; they stay where they are
    // The tables below grow to megabytes for a large document and die with the export.
    BuildArena arena_;
    // of every tree, in the order they were made; placements name them by place
    std::pmr::vector<DesignToken> tokens_{arena_.resource()};
    std::pmr::vector<std::string_view> segments_{arena_.resource()};  // of the paths, one after another
    std::pmr::vector<DesignTokenPath> paths_{arena_.resource()};
    std::pmr::vector<DesignTokenPlacement> placements_{arena_.resource()};
    ColorTextStore hexTexts_{arena_.resource()};  // a color met again is not written again
    std::uint32_t time_ = 0;
};

}  // namespace vantorel::build
