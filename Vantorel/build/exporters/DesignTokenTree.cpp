#include "Vantorel/build/exporters/DesignTokenTree.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <optional>
#include <type_traits>

#include "QuenzColorUtils/ColorOperations.h"
#include "Vantorel/build/OutputBuffer.h"
#include "Vantorel/build/exporters/ExportColorText.h"
#include "Vantorel/build/exporters/SortedJsonText.h"
#include "VantorelData/model/ItemTreeWalk.h"

namespace vantorel::build {
namespace {

// The appearance trees in the order they are built, with their keys in the document.
struct AppearanceTree {
    ColorSource source;
    const char* rootKey;
};
constexpr std::array<AppearanceTree, 4> appearanceTrees = {{
    {ColorSource::light, "Light"},
    {ColorSource::dark, "Dark"},
    {ColorSource::lightHighContrast, "High Contrast"},
    {ColorSource::darkHighContrast, "Dark High Contrast"},
}};

bool isFinite(const quenz::ColorValue& color) {
    return std::isfinite(color.red) && std::isfinite(color.green) && std::isfinite(color.blue) &&
           std::isfinite(color.alpha);
}

// The color token; none for a color that cannot be written.
std::optional<DesignToken> colorToken(const std::optional<quenz::ColorValue>& color, ColorTextStore& hexTexts) {
    if (!color || !isFinite(*color)) return std::nullopt;
    auto hex = sRGBHexText(*color, quenz::ColorFormat::hexRGB, hexTexts);
    if (!hex) return std::nullopt;

    // Wide-gamut colors travel as Display P3; extended sRGB has no token space of its own.
    quenz::ColorValue written = *color;
    const char* space = "srgb";
    switch (color->space) {
        case quenz::RGBSpace::displayP3: space = "display-p3"; break;
        case quenz::RGBSpace::extendedSRGB: {
            auto inP3 = quenz::convert(*color, quenz::RGBSpace::displayP3);
            if (!inP3) return std::nullopt;
            written = *inP3;
            space = "display-p3";
            break;
        }
        default: break;
    }
    DesignToken token;
    token.value = DesignToken::Value::color;
    token.text = *hex;
    token.space = space;
    token.components = {written.red, written.green, written.blue};
    if (written.alpha < 1.0) token.alpha = written.alpha;
    return token;
}

std::string pixels(double value) { return shortNumberText(value) + "px"; }

std::optional<DesignToken> shadowToken(const std::optional<ShadowDetails>& shadow) {
    if (!shadow) return std::nullopt;
    DesignToken token;
    token.value = DesignToken::Value::shadow;
    token.shadowTexts = {pixels(shadow->blur),
                   isFinite(shadow->color)
                       ? sRGBHexText(shadow->color, quenz::ColorFormat::hexRGB).value_or(std::string())
                       : std::string(),
                   pixels(shadow->xOffset), pixels(shadow->yOffset), pixels(shadow->spread)};
    return token;
}

// A number, boolean or string token.
template <class V>
std::optional<DesignToken> valueToken(const std::optional<V>& value) {
    if (!value) return std::nullopt;
    DesignToken token;
    if constexpr (std::is_same_v<V, double>) {
        token.value = DesignToken::Value::number;
        token.number = *value;
    } else if constexpr (std::is_same_v<V, bool>) {
        token.value = DesignToken::Value::boolean;
        token.boolean = *value;
    } else {
        token.value = DesignToken::Value::string;
        token.text = *value;
    }
    return token;
}

void markDeprecated(DesignToken& token, const QuenzValueItem& item) {
    if (!item.deprecated()) return;
    token.deprecated = true;
    const auto& reason = item.deprecatedReason();
    token.deprecation = reason && !reason->empty() ? *reason : std::string();
}

const char* typeName(DesignToken::Value value) {
    switch (value) {
        case DesignToken::Value::color: return "color";
        case DesignToken::Value::shadow: return "shadow";
        case DesignToken::Value::number: return "number";
        case DesignToken::Value::boolean:
        case DesignToken::Value::string: break;
    }
    return nullptr;  // booleans and strings carry no "$type"
}


// The plain values a token consists of, each at its path inside the token. A token is written
// whole unless something is later put inside it; then it stands as these values, and what is
// put inside joins or replaces them.
enum Member : std::uint8_t { deprecatedMember, typeMember, plainValue, alpha, colorSpace, components, hex, shadowFirst };
constexpr std::string_view shadowKeys[] = {"blur", "color", "offsetX", "offsetY", "spread"};

// The members the token has, with their paths inside it; returns how many.
std::size_t membersOf(const DesignToken& token, std::array<std::pair<Member, std::array<std::string_view, 2>>, 8>& out) {
    std::size_t count = 0;
    auto add = [&](Member member, std::string_view first, std::string_view second = {}) {
        out[count++] = {member, {first, second}};
    };
    if (token.deprecated) add(deprecatedMember, "$deprecated");
    if (typeName(token.value)) add(typeMember, "$type");
    switch (token.value) {
        case DesignToken::Value::color:
            if (token.alpha) add(alpha, "$value", "alpha");
            add(colorSpace, "$value", "colorSpace");
            add(components, "$value", "components");
            add(hex, "$value", "hex");
            break;
        case DesignToken::Value::shadow:
            for (std::size_t i = 0; i < token.shadowTexts.size(); ++i) {
                add(static_cast<Member>(shadowFirst + i), "$value", shadowKeys[i]);
            }
            break;
        default: add(plainValue, "$value"); break;
    }
    return count;
}

void writeComponents(JsonStream& out, const DesignToken& token) {
    out.openArray();
    for (double component : token.components) {
        out.element();
        out.number(component);
    }
    out.close();
}

void writeMember(JsonStream& out, const DesignToken& token, std::uint8_t member) {
    switch (member) {
        case deprecatedMember:
            if (token.deprecation->empty()) {
                out.boolean(true);
            } else {
                out.string(*token.deprecation);
            }
            return;
        case typeMember: out.string(typeName(token.value)); return;
        case plainValue:
            switch (token.value) {
                case DesignToken::Value::number: out.number(token.number); return;
                case DesignToken::Value::boolean: out.boolean(token.boolean); return;
                default: out.string(token.text); return;
            }
        case alpha: out.number(*token.alpha); return;
        case colorSpace: out.string(token.space); return;
        case components: writeComponents(out, token); return;
        case hex: out.string(token.text); return;
        default: out.string(token.shadowTexts[member - shadowFirst]); return;
    }
}

void writeToken(JsonStream& out, const DesignToken& token) {
    out.openObject();
    if (token.deprecated) {
        out.plainKey("$deprecated");
        writeMember(out, token, deprecatedMember);
    }
    if (const char* type = typeName(token.value)) {
        out.plainKey("$type");
        out.string(type);
    }
    out.plainKey("$value");
    switch (token.value) {
        case DesignToken::Value::color:
            out.openObject();
            if (token.alpha) {
                out.plainKey("alpha");
                out.number(*token.alpha);
            }
            out.plainKey("colorSpace");
            out.string(token.space);
            out.plainKey("components");
            writeComponents(out, token);
            out.plainKey("hex");
            out.string(token.text);
            out.close();
            break;
        case DesignToken::Value::shadow:
            out.openObject();
            for (std::size_t i = 0; i < token.shadowTexts.size(); ++i) {
                out.plainKey(shadowKeys[i]);
                out.string(token.shadowTexts[i]);
            }
            out.close();
            break;
        default: writeMember(out, token, plainValue); break;
    }
    out.close();
}

// The appearance roots in key order: "Dark", "Dark High Contrast", "High Contrast", "Light".
constexpr std::array<std::uint8_t, 4> rootsInKeyOrder = {1, 3, 2, 0};
constexpr std::array<std::uint8_t, 4> keyRank = {3, 0, 2, 1};  // of each tree among them

using Placements = std::pmr::vector<DesignTokenPlacement>;
using Segments = std::pmr::vector<std::string_view>;

struct Paths {
    const std::pmr::vector<DesignTokenPath>& paths;
    const Segments& segments;

    std::span<const std::string_view> operator[](std::uint32_t path) const {
        return {segments.data() + paths[path].firstSegment, paths[path].segmentCount};
    }
};

// Byte order of the keys, a group before what it holds. The segments of one enclosing group
// are the same texts in every path below it, so those compare without reading them.
int comparePaths(std::span<const std::string_view> a, std::span<const std::string_view> b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (a[i].data() == b[i].data() && a[i].size() == b[i].size()) continue;
        if (const int order = a[i].compare(b[i])) return order;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// The first eight bytes of a text as a number that orders as the texts do where they differ
// in those bytes (a text that ends early is padded with zeros, which come first).
std::uint64_t headOf(std::string_view text) {
    std::uint64_t head = 0;
    for (std::size_t i = 0; i < 8; ++i) head = head << 8 | (i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0u);
    return head;
}

// Each placement's `order`: trees in key order, paths in byte order (equal paths alike), and
// at one path the order things were put there; then sorted by it.
void sortByPath(Placements& placements, const Paths& paths) {
    struct Key {
        const std::string_view* segments;
        std::uint32_t size;
        std::uint32_t path;
        std::uint64_t firstHead;  // of the first segment, where paths in different groups differ
        std::uint64_t lastHead;   // of the last segment, where paths below one group differ
    };
    std::vector<Key> byPath(paths.paths.size());
    for (std::uint32_t i = 0; i < byPath.size(); ++i) {
        const auto* segments = paths.segments.data() + paths.paths[i].firstSegment;
        const std::uint32_t size = paths.paths[i].segmentCount;
        byPath[i] = {segments, size, i, headOf(segments[0]), headOf(segments[size - 1])};
    }
    const auto compare = [](const Key& a, const Key& b) {
        const std::size_t common = std::min(a.size, b.size);
        for (std::size_t i = 0; i < common; ++i) {
            if (a.segments[i].data() == b.segments[i].data() && a.segments[i].size() == b.segments[i].size()) continue;
            if (i == 0 && a.firstHead != b.firstHead) return a.firstHead < b.firstHead ? -1 : 1;
            if (i + 1 == a.size && i + 1 == b.size && a.lastHead != b.lastHead) return a.lastHead < b.lastHead ? -1 : 1;
            if (const int order = a.segments[i].compare(b.segments[i])) return order;
        }
        return a.size < b.size ? -1 : a.size > b.size ? 1 : 0;
    };
    std::sort(byPath.begin(), byPath.end(), [&](const Key& a, const Key& b) { return compare(a, b) < 0; });
    std::vector<std::uint32_t> rank(byPath.size());
    for (std::size_t i = 1; i < byPath.size(); ++i) {
        rank[byPath[i].path] = rank[byPath[i - 1].path] + (compare(byPath[i - 1], byPath[i]) != 0 ? 1 : 0);
    }
    bool inTimeOrder = true;
    for (std::size_t i = 0; i < placements.size(); ++i) {
        auto& placement = placements[i];
        placement.order = std::uint64_t{keyRank[placement.tree]} << 62 | std::uint64_t{rank[placement.path]} << 32 |
                          placement.time;
        if (i > 0 && placements[i - 1].time >= placement.time) inTimeOrder = false;
    }
    const auto byOrder = [](const DesignTokenPlacement& a, const DesignTokenPlacement& b) { return a.order < b.order; };
    if (!inTimeOrder) {
        std::sort(placements.begin(), placements.end(), byOrder);
        return;
    }
    // Placed one after another, as they nearly always are: tree and path rank are the whole
    // order, and a stable count of them keeps the times in order at each path.
    const std::size_t ranks = byPath.empty() ? 1 : rank[byPath.back().path] + 1;
    const auto bucketOf = [&](const DesignTokenPlacement& placement) {
        return std::size_t{keyRank[placement.tree]} * ranks + rank[placement.path];
    };
    std::vector<std::uint32_t> starts(ranks * keyRank.size() + 1);
    for (const auto& placement : placements) ++starts[bucketOf(placement) + 1];
    for (std::size_t i = 1; i < starts.size(); ++i) starts[i] += starts[i - 1];
    std::vector<DesignTokenPlacement> sorted(placements.size());
    for (const auto& placement : placements) sorted[starts[bucketOf(placement)]++] = placement;
    std::copy(sorted.begin(), sorted.end(), placements.begin());
}

bool samePath(const DesignTokenPlacement& a, const DesignTokenPlacement& b) { return a.order >> 32 == b.order >> 32; }

// Whether `inner` lies strictly inside `outer`'s path.
bool liesWithin(const DesignTokenPlacement& inner, const DesignTokenPlacement& outer, const Paths& paths) {
    const auto innerPath = paths[inner.path];
    const auto outerPath = paths[outer.path];
    if (inner.tree != outer.tree || innerPath.size() <= outerPath.size()) return false;
    return comparePaths(outerPath, innerPath.first(outerPath.size())) == 0;
}

// What became of each placement, given everything put at every path (sorted by path):
// - anything put later at the same path or above replaces it (a token or set takes a key whole);
// - anything put later below a plain value replaces that value by an object that holds it;
// - anything put later below a token opens the token into an object of its members.
enum class Fate : std::uint8_t { replaced, stands, opens };

std::vector<Fate> fates(const Placements& placements, const Paths& paths) {
    std::vector<Fate> result(placements.size(), Fate::replaced);
    struct Frame {
        std::size_t last;        // the placement put last at this path
        std::uint32_t above;     // the latest time anything was put above this path
        std::uint32_t upToHere;  // ... at or above it
        std::uint32_t below;     // ... strictly below it
    };
    std::vector<Frame> open;  // the paths enclosing the one at hand, outermost first
    const auto settle = [&] {
        const Frame frame = open.back();
        open.pop_back();
        const DesignTokenPlacement& last = placements[frame.last];
        if (!open.empty()) open.back().below = std::max({open.back().below, frame.below, last.time});
        if (last.time < frame.above) return;
        if (frame.below < last.time || last.kind == DesignTokenPlacement::Kind::marker) {
            result[frame.last] = Fate::stands;
        } else if (last.kind == DesignTokenPlacement::Kind::token) {
            result[frame.last] = Fate::opens;
        }
    };
    for (std::size_t first = 0; first < placements.size();) {
        std::size_t last = first;
        while (last + 1 < placements.size() && samePath(placements[last + 1], placements[first])) ++last;
        while (!open.empty() && !liesWithin(placements[first], placements[open.back().last], paths)) settle();
        const std::uint32_t above = open.empty() ? 0 : open.back().upToHere;
        open.push_back({last, above, std::max(above, placements[last].time), 0});
        first = last + 1;
    }
    while (!open.empty()) settle();
    return result;
}

// Writes what stands, sorted by path, opening and closing the objects of the paths as they go.
std::optional<std::string> streamed(const Placements& placements, const Paths& paths, const std::vector<Fate>& fate,
                                    const std::pmr::vector<DesignToken>& tokens) {
    JsonStream out(takeOutputBuffer());
    out.reserve(tokens.size() * 256);  // a color token a few groups deep takes about 240 bytes
    std::array<bool, 4> present{true, false, false, false};
    for (const auto& placement : placements) present[placement.tree] = true;
    const bool onlyLight = !present[1] && !present[2] && !present[3];
    if (!onlyLight) out.openObject();

    std::size_t next = 0;
    std::vector<std::string_view> open;  // the keys of the objects open below the root
    for (std::uint8_t tree : rootsInKeyOrder) {
        if (!present[tree]) continue;
        if (!onlyLight) out.plainKey(appearanceTrees[tree].rootKey);
        out.openObject();
        for (; next < placements.size() && placements[next].tree == tree && !out.error(); ++next) {
            const DesignTokenPlacement& placement = placements[next];
            if (fate[next] != Fate::stands || placement.kind == DesignTokenPlacement::Kind::marker) continue;
            const auto path = paths[placement.path];
            const auto groups = path.first(path.size() - 1);
            std::size_t common = 0;
            while (common < open.size() && common < groups.size() && open[common] == groups[common]) ++common;
            for (; open.size() > common; open.pop_back()) out.close();
            for (; open.size() < groups.size(); open.push_back(groups[open.size()])) {
                out.key(groups[open.size()]);
                out.openObject();
            }
            out.key(path.back());
            const DesignToken& token = tokens[placement.token];
            if (placement.kind == DesignTokenPlacement::Kind::token) {
                writeToken(out, token);
            } else {
                writeMember(out, token, placement.member);
            }
        }
        for (; !open.empty(); open.pop_back()) out.close();
        out.close();
    }
    if (!onlyLight) out.close();
    if (out.error()) return std::nullopt;
    return out.take();
}

}  // namespace

DesignTokenTree::DesignTokenTree(const QuenzColorProject& project, const BuildTask& task)
    : project_(project), task_(task), groupPaths_(allNamespacePaths(project, false)) {}

void DesignTokenTree::reserve(std::size_t itemCount) {
    constexpr std::size_t appearances = 2;  // most documents: light and dark
    tokens_.reserve(tokens_.size() + itemCount * appearances);
    placements_.reserve(placements_.size() + itemCount * appearances);
    paths_.reserve(paths_.size() + itemCount);
    segments_.reserve(segments_.size() + itemCount * 3);  // a group or two and the key
}

std::string_view DesignTokenTree::keep(std::string name) { return names_.emplace_back(std::move(name)); }

std::string_view DesignTokenTree::transformed(std::string_view name) {
    return keep(transform(name, task_.nameTransform()));
}

std::string_view DesignTokenTree::tokenKey(std::string_view name) {
    std::string key;
    if (const auto& prefix = task_.namePrefix()) key += *prefix;
    key += transform(name, task_.nameTransform());
    if (const auto& suffix = task_.nameSuffix()) key += *suffix;
    return keep(std::move(key));
}

const std::vector<std::string_view>& DesignTokenTree::pathOf(const QuenzColorProjectItem& item) {
    const QuenzColorProjectItem* group = groupPaths_.enclosingGroup(item);
    auto found = transformedPaths_.find(group);
    if (found != transformedPaths_.end()) return found->second;
    std::vector<std::string_view> path;
    for (const auto& name : groupPaths_.pathOf(item)) path.push_back(transformed(name));
    return transformedPaths_.emplace(group, std::move(path)).first->second;
}

void DesignTokenTree::insert(const QuenzColorProjectItem& item) { insert(item, pathOf(item)); }

std::uint32_t DesignTokenTree::keep(DesignToken&& token) {
    tokens_.push_back(std::move(token));
    return static_cast<std::uint32_t>(tokens_.size() - 1);
}

std::uint32_t DesignTokenTree::newPath(std::span<const std::string_view> segments,
                                       std::initializer_list<std::string_view> keys) {
    DesignTokenPath path;
    path.firstSegment = static_cast<std::uint32_t>(segments_.size());
    segments_.insert(segments_.end(), segments.begin(), segments.end());
    segments_.insert(segments_.end(), keys.begin(), keys.end());
    path.segmentCount = static_cast<std::uint32_t>(segments_.size() - path.firstSegment);
    paths_.push_back(path);
    return static_cast<std::uint32_t>(paths_.size() - 1);
}

void DesignTokenTree::place(std::size_t tree, std::uint32_t path, DesignTokenPlacement::Kind kind,
                            std::uint32_t token) {
    DesignTokenPlacement placement;
    placement.path = path;
    placement.time = ++time_;
    placement.token = token;
    placement.tree = static_cast<std::uint8_t>(tree);
    placement.kind = kind;
    placements_.push_back(placement);
}

void DesignTokenTree::insert(const QuenzColorProjectItem& item, const std::vector<std::string_view>& path) {
    const auto* group = item.payloadIf<QuenzColorGroup>();
    if (!group) {
        insertValue(item, path);
        return;
    }
    // Groups nest to any depth: their tokens are placed by a walk, not by recursion.
    std::vector<std::string_view> childPath = path;
    childPath.push_back(transformed(item.name()));
    walkItemTree(
        group->items(),
        [&](const ProjectItemPtr& child) {
            if (!child->isGroup()) {
                insertValue(*child, childPath);
                return WalkStep::skipChildren;
            }
            childPath.push_back(transformed(child->name()));
            return WalkStep::descend;
        },
        [&](const ProjectItemPtr&) { childPath.pop_back(); });
}

void DesignTokenTree::insertValue(const QuenzColorProjectItem& item, const std::vector<std::string_view>& path) {
    const auto valueItem = item.valueItem();
    if (!valueItem) return;
    const std::string_view key = tokenKey(item.name());
    std::optional<std::uint32_t> itemPath;  // made once the item has a token, for every tree
    std::vector<std::optional<std::uint32_t>> stepPaths;
    const auto tokenPath = [&] {
        if (!itemPath) itemPath = newPath(path, {key});
        return *itemPath;
    };

    for (std::size_t tree = 0; tree < appearanceTrees.size(); ++tree) {
        const ColorSource source = appearanceTrees[tree].source;
        std::optional<DesignToken> token;
        switch (item.itemType()) {
            case ProjectItemType::color: token = colorToken(item.color()->color().variant(source), hexTexts_); break;
            case ProjectItemType::colorAlias:
                token = colorToken(project_.resolvedColor(*item.colorAlias()).variant(source), hexTexts_);
                break;
            case ProjectItemType::number: token = valueToken(item.number()->value().variant(source)); break;
            case ProjectItemType::numberAlias:
                token = valueToken(project_.resolvedValue(*item.numberAlias()).variant(source));
                break;
            case ProjectItemType::boolean: token = valueToken(item.boolean()->value().variant(source)); break;
            case ProjectItemType::booleanAlias:
                token = valueToken(project_.resolvedValue(*item.booleanAlias()).variant(source));
                break;
            case ProjectItemType::string: token = valueToken(item.string()->value().variant(source)); break;
            case ProjectItemType::stringAlias:
                token = valueToken(project_.resolvedValue(*item.stringAlias()).variant(source));
                break;
            case ProjectItemType::shadow: token = shadowToken(item.shadow()->shadow().variant(source)); break;
            case ProjectItemType::shadowAlias:
                token = shadowToken(project_.resolvedValue(*item.shadowAlias()).variant(source));
                break;
            case ProjectItemType::colorSet:
            case ProjectItemType::shadowSet: {
                // The set's object, put before its steps, takes the key whole once it has one.
                bool placed = false;
                std::size_t index = 0;
                auto addStep = [&](const std::string& name, std::optional<DesignToken> stepToken) {
                    if (stepPaths.size() <= index) stepPaths.resize(index + 1);
                    auto& stepPath = stepPaths[index++];
                    if (!stepToken) return;
                    markDeprecated(*stepToken, *valueItem);
                    if (!placed) place(tree, tokenPath(), DesignTokenPlacement::Kind::marker);
                    placed = true;
                    if (!stepPath) stepPath = newPath(path, {key, tokenKey(name)});
                    place(tree, *stepPath, DesignTokenPlacement::Kind::token, keep(std::move(*stepToken)));
                };
                if (auto set = item.colorSet()) {
                    for (const auto& step : set->colors()) addStep(step.name, colorToken(step.variant(source), hexTexts_));
                } else {
                    for (const auto& step : item.shadowSet()->shadows()) {
                        addStep(step.name, shadowToken(step.variant(source)));
                    }
                }
                continue;
            }
            case ProjectItemType::group: break;
        }
        if (!token) continue;
        markDeprecated(*token, *valueItem);
        place(tree, tokenPath(), DesignTokenPlacement::Kind::token, keep(std::move(*token)));
    }
}

std::optional<std::string> DesignTokenTree::text() {
    // A token with something put inside it later stands as its members from then on.
    for (;;) {
        const Paths paths{paths_, segments_};
        sortByPath(placements_, paths);
        const std::vector<Fate> fate = fates(placements_, paths);
        if (std::find(fate.begin(), fate.end(), Fate::opens) == fate.end()) {
            return streamed(placements_, paths, fate, tokens_);
        }
        for (std::size_t i = 0; i < fate.size(); ++i) {
            if (fate[i] != Fate::opens) continue;
            placements_[i].kind = DesignTokenPlacement::Kind::marker;
            const DesignTokenPlacement token = placements_[i];
            std::array<std::pair<Member, std::array<std::string_view, 2>>, 8> members;
            const std::size_t count = membersOf(tokens_[token.token], members);
            for (std::size_t m = 0; m < count; ++m) {
                // Copied first: the segments may move as they grow.
                const auto tokenSegments = paths[token.path];
                std::vector<std::string_view> segments(tokenSegments.begin(), tokenSegments.end());
                for (std::string_view inside : members[m].second) {
                    if (!inside.empty()) segments.push_back(inside);
                }
                DesignTokenPlacement member = token;
                member.kind = DesignTokenPlacement::Kind::member;
                member.member = members[m].first;
                member.path = newPath(segments, {});
                placements_.push_back(member);
            }
        }
    }
}

}  // namespace vantorel::build
