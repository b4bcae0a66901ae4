#include "Vantorel/build/exporters/DesignTokenTree.h"

#include <cmath>
#include <optional>
#include <type_traits>

#include "QuenzColorUtils/ColorOperations.h"
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

DesignTokenNode tokenNode(std::uint32_t token) {
    DesignTokenNode node;
    node.kind = DesignTokenNode::Kind::token;
    node.token = token;
    return node;
}

// The color token; none for a color that cannot be written.
std::optional<DesignToken> colorToken(const std::optional<quenz::ColorValue>& color) {
    if (!color || !isFinite(*color)) return std::nullopt;
    auto hex = sRGBHexText(*color, quenz::ColorFormat::hexRGB);
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
    token.text = std::move(*hex);
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

DesignTokenNode textNode(std::string text) {
    DesignTokenNode node;
    node.kind = DesignTokenNode::Kind::string;
    node.text = std::move(text);
    return node;
}

// The token as the plain object it stands for, for a group that merges into it.
DesignTokenNode asObject(const DesignToken& token) {
    DesignTokenNode object;
    if (token.deprecated) {
        DesignTokenNode deprecation;
        if (token.deprecation->empty()) {
            deprecation.kind = DesignTokenNode::Kind::boolean;
            deprecation.boolean = true;
        } else {
            deprecation = textNode(*token.deprecation);
        }
        object.members.emplace("$deprecated", std::move(deprecation));
    }
    if (const char* type = typeName(token.value)) object.members.emplace("$type", textNode(type));
    DesignTokenNode value;
    switch (token.value) {
        case DesignToken::Value::color:
            if (token.alpha) {
                DesignTokenNode alpha;
                alpha.kind = DesignTokenNode::Kind::number;
                alpha.number = *token.alpha;
                value.members.emplace("alpha", std::move(alpha));
            }
            value.members.emplace("colorSpace", textNode(token.space));
            {
                DesignTokenNode components;
                components.kind = DesignTokenNode::Kind::numbers;
                components.numbers.assign(token.components.begin(), token.components.end());
                value.members.emplace("components", std::move(components));
            }
            value.members.emplace("hex", textNode(token.text));
            break;
        case DesignToken::Value::shadow: {
            static constexpr const char* keys[] = {"blur", "color", "offsetX", "offsetY", "spread"};
            for (std::size_t i = 0; i < token.shadowTexts.size(); ++i) {
                value.members.emplace(keys[i], textNode(token.shadowTexts[i]));
            }
            break;
        }
        case DesignToken::Value::number:
            value.kind = DesignTokenNode::Kind::number;
            value.number = token.number;
            break;
        case DesignToken::Value::boolean:
            value.kind = DesignTokenNode::Kind::boolean;
            value.boolean = token.boolean;
            break;
        case DesignToken::Value::string: value = textNode(token.text); break;
    }
    object.members.emplace("$value", std::move(value));
    return object;
}

}  // namespace

DesignTokenTree::DesignTokenTree(const QuenzColorProject& project, const BuildTask& task)
    : project_(project), task_(task), groupPaths_(allNamespacePaths(project, false)) {}

std::string DesignTokenTree::tokenKey(std::string_view name) const {
    std::string key;
    if (const auto& prefix = task_.namePrefix()) key += *prefix;
    key += transform(name, task_.nameTransform());
    if (const auto& suffix = task_.nameSuffix()) key += *suffix;
    return key;
}

const std::vector<std::string>& DesignTokenTree::pathOf(const QuenzColorProjectItem& item) {
    const QuenzColorProjectItem* group = groupPaths_.enclosingGroup(item);
    auto found = transformedPaths_.find(group);
    if (found != transformedPaths_.end()) return found->second;
    std::vector<std::string> path;
    for (const auto& name : groupPaths_.pathOf(item)) path.push_back(transform(name, task_.nameTransform()));
    return transformedPaths_.emplace(group, std::move(path)).first->second;
}

void DesignTokenTree::insert(const QuenzColorProjectItem& item) { insert(item, pathOf(item)); }

std::uint32_t DesignTokenTree::keep(DesignToken&& token) {
    tokens_.push_back(std::move(token));
    return static_cast<std::uint32_t>(tokens_.size() - 1);
}

void DesignTokenTree::store(std::size_t tree, const std::vector<std::string>& path, const std::string& key,
                            DesignTokenNode&& token) {
    // Items of one group come one after another: the group's object, found once, takes them all.
    auto& last = lastGroups_[tree];
    if (last.object && last.path == path) {
        storeIn(*last.object, key, std::move(token));
        return;
    }
    DesignTokenNode* node = &trees_[tree];
    for (const auto& name : path) {
        auto found = node->members.find(name);
        if (found == node->members.end()) found = node->members.emplace(name, DesignTokenNode{}).first;
        DesignTokenNode& child = found->second;
        // A token standing where a group goes is an object too and takes the group's tokens
        // in beside its own keys; anything else (a value inside a token) gives way.
        if (child.kind == DesignTokenNode::Kind::token) {
            child = asObject(tokens_[child.token]);
        } else if (child.kind != DesignTokenNode::Kind::object) {
            child = DesignTokenNode{};
        }
        node = &child;
    }
    last = {path, node};
    storeIn(*node, key, std::move(token));
}

void DesignTokenTree::storeIn(DesignTokenNode& object, const std::string& key, DesignTokenNode&& token) {
    auto [at, added] = object.members.try_emplace(key);
    at->second = std::move(token);
    // A token that took a group's place may have taken the object remembered for its items.
    if (!added) lastGroups_ = {};
}

void DesignTokenTree::insert(const QuenzColorProjectItem& item, const std::vector<std::string>& path) {
    const auto* group = item.payloadIf<QuenzColorGroup>();
    if (!group) {
        insertValue(item, path);
        return;
    }
    // Groups nest to any depth: their tokens are placed by a walk, not by recursion.
    std::vector<std::string> childPath = path;
    childPath.push_back(transform(item.name(), task_.nameTransform()));
    walkItemTree(
        group->items(),
        [&](const ProjectItemPtr& child) {
            if (!child->isGroup()) {
                insertValue(*child, childPath);
                return WalkStep::skipChildren;
            }
            childPath.push_back(transform(child->name(), task_.nameTransform()));
            return WalkStep::descend;
        },
        [&](const ProjectItemPtr&) { childPath.pop_back(); });
}

void DesignTokenTree::insertValue(const QuenzColorProjectItem& item, const std::vector<std::string>& path) {
    const auto valueItem = item.valueItem();
    if (!valueItem) return;
    const std::string key = tokenKey(item.name());

    for (std::size_t tree = 0; tree < appearanceTrees.size(); ++tree) {
        const ColorSource source = appearanceTrees[tree].source;
        std::optional<DesignToken> token;
        switch (item.itemType()) {
            case ProjectItemType::color: token = colorToken(item.color()->color().variant(source)); break;
            case ProjectItemType::colorAlias:
                token = colorToken(project_.resolvedColor(*item.colorAlias()).variant(source));
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
                DesignTokenNode steps;
                auto addStep = [&](const std::string& name, std::optional<DesignToken> stepToken) {
                    if (!stepToken) return;
                    markDeprecated(*stepToken, *valueItem);
                    steps.members.insert_or_assign(tokenKey(name), tokenNode(keep(std::move(*stepToken))));
                };
                if (auto set = item.colorSet()) {
                    for (const auto& step : set->colors()) addStep(step.name, colorToken(step.variant(source)));
                } else {
                    for (const auto& step : item.shadowSet()->shadows()) {
                        addStep(step.name, shadowToken(step.variant(source)));
                    }
                }
                if (!steps.members.empty()) store(tree, path, key, std::move(steps));
                continue;
            }
            case ProjectItemType::group: break;
        }
        if (!token) continue;
        markDeprecated(*token, *valueItem);
        store(tree, path, key, tokenNode(keep(std::move(*token))));
    }
}

namespace {

std::size_t valueCount(const DesignTokenNode& node) {
    if (node.kind == DesignTokenNode::Kind::token) return 1;  // its "$value"; nothing below holds one
    std::size_t count = 0;
    for (const auto& [key, member] : node.members) {
        if (key == "$value") ++count;
        count += valueCount(member);
    }
    return count;
}

void writeToken(JsonStream& out, const DesignToken& token) {
    out.openObject();
    if (token.deprecated) {
        out.plainKey("$deprecated");
        if (token.deprecation->empty()) {
            out.boolean(true);
        } else {
            out.string(*token.deprecation);
        }
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
            out.openArray();
            for (double component : token.components) {
                out.element();
                out.number(component);
            }
            out.close();
            out.plainKey("hex");
            out.string(token.text);
            out.close();
            break;
        case DesignToken::Value::shadow: {
            static constexpr const char* keys[] = {"blur", "color", "offsetX", "offsetY", "spread"};
            out.openObject();
            for (std::size_t i = 0; i < token.shadowTexts.size(); ++i) {
                out.plainKey(keys[i]);
                out.string(token.shadowTexts[i]);
            }
            out.close();
            break;
        }
        case DesignToken::Value::number: out.number(token.number); break;
        case DesignToken::Value::boolean: out.boolean(token.boolean); break;
        case DesignToken::Value::string: out.string(token.text); break;
    }
    out.close();
}

void writeNode(JsonStream& out, const DesignTokenNode& node, const std::deque<DesignToken>& tokens) {
    switch (node.kind) {
        case DesignTokenNode::Kind::token: writeToken(out, tokens[node.token]); return;
        case DesignTokenNode::Kind::string: out.string(node.text); return;
        case DesignTokenNode::Kind::number: out.number(node.number); return;
        case DesignTokenNode::Kind::boolean: out.boolean(node.boolean); return;
        case DesignTokenNode::Kind::numbers:
            out.openArray();
            for (double number : node.numbers) {
                out.element();
                out.number(number);
            }
            out.close();
            return;
        case DesignTokenNode::Kind::object:
            out.openObject();
            for (const auto& [key, member] : node.members) {
                if (out.error()) return;
                out.key(key);
                writeNode(out, member, tokens);
            }
            out.close();
            return;
    }
}

}  // namespace

std::optional<std::string> DesignTokenTree::text() const {
    JsonStream out;
    out.reserve(tokens_.size() * 200);  // a color token takes about as much
    // The appearance roots in key order: "Dark", "Dark High Contrast", "High Contrast", "Light".
    constexpr std::array<std::size_t, 4> rootsInKeyOrder = {1, 3, 2, 0};
    std::array<bool, 4> present{true, false, false, false};
    bool onlyLight = true;
    for (std::size_t tree = 1; tree < trees_.size(); ++tree) {
        present[tree] = valueCount(trees_[tree]) > 0;
        if (present[tree]) onlyLight = false;
    }
    if (onlyLight) {
        writeNode(out, trees_[0], tokens_);
    } else {
        out.openObject();
        for (std::size_t tree : rootsInKeyOrder) {
            if (!present[tree]) continue;
            out.plainKey(appearanceTrees[tree].rootKey);
            writeNode(out, trees_[tree], tokens_);
        }
        out.close();
    }
    if (out.error()) return std::nullopt;
    return out.take();
}

}  // namespace vantorel::build
