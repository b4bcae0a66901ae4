#include "Vantorel/build/exporters/DesignTokenTree.h"

#include <cmath>
#include <optional>

#include "QuenzColorUtils/ColorOperations.h"
#include "Vantorel/build/exporters/ExportColorText.h"
#include "VantorelData/model/ItemTreeWalk.h"

namespace vantorel::build {
namespace {

using nlohmann::json;

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

// The color value object; none for a color that cannot be written.
std::optional<json> colorValue(const quenz::ColorValue& color) {
    if (!isFinite(color)) return std::nullopt;
    auto hex = sRGBHexText(color, quenz::ColorFormat::hexRGB);
    if (!hex) return std::nullopt;

    // Wide-gamut colors travel as Display P3; extended sRGB has no token space of its own.
    quenz::ColorValue written = color;
    const char* space = "srgb";
    switch (color.space) {
        case quenz::RGBSpace::displayP3: space = "display-p3"; break;
        case quenz::RGBSpace::extendedSRGB: {
            auto inP3 = quenz::convert(color, quenz::RGBSpace::displayP3);
            if (!inP3) return std::nullopt;
            written = *inP3;
            space = "display-p3";
            break;
        }
        default: break;
    }
    json value = {
        {"hex", *hex},
        {"colorSpace", space},
        {"components", json::array({written.red, written.green, written.blue})},
    };
    if (written.alpha < 1.0) value["alpha"] = written.alpha;
    return value;
}

std::optional<json> colorToken(const std::optional<quenz::ColorValue>& color) {
    if (!color) return std::nullopt;
    auto value = colorValue(*color);
    if (!value) return std::nullopt;
    return json{{"$type", "color"}, {"$value", std::move(*value)}};
}

std::string pixels(double value) { return shortNumberText(value) + "px"; }

std::optional<json> shadowToken(const std::optional<ShadowDetails>& shadow) {
    if (!shadow) return std::nullopt;
    const std::string color = isFinite(shadow->color)
                                  ? sRGBHexText(shadow->color, quenz::ColorFormat::hexRGB).value_or(std::string())
                                  : std::string();
    return json{{"$type", "shadow"},
                {"$value",
                 {{"color", color},
                  {"offsetX", pixels(shadow->xOffset)},
                  {"offsetY", pixels(shadow->yOffset)},
                  {"blur", pixels(shadow->blur)},
                  {"spread", pixels(shadow->spread)}}}};
}

template <class V>
std::optional<json> valueToken(const std::optional<V>& value, const char* type) {
    if (!value) return std::nullopt;
    json token = {{"$value", *value}};
    if (type) token["$type"] = type;
    return token;
}

void markDeprecated(json& token, const QuenzValueItem& item) {
    if (!item.deprecated()) return;
    const auto& reason = item.deprecatedReason();
    token["$deprecated"] = reason && !reason->empty() ? json(*reason) : json(true);
}

}  // namespace

DesignTokenTree::DesignTokenTree(const QuenzColorProject& project, const BuildTask& task)
    : project_(project), task_(task), groupPaths_(allNamespacePaths(project, false)) {
    for (auto& tree : trees_) tree = json::object();
}

std::string DesignTokenTree::tokenKey(std::string_view name) const {
    std::string key;
    if (const auto& prefix = task_.namePrefix()) key += *prefix;
    key += transform(name, task_.nameTransform());
    if (const auto& suffix = task_.nameSuffix()) key += *suffix;
    return key;
}

void DesignTokenTree::insert(const QuenzColorProjectItem& item) {
    std::vector<std::string> path;
    for (const auto& name : groupPaths_.pathOf(item)) path.push_back(transform(name, task_.nameTransform()));
    insert(item, path);
}

void DesignTokenTree::store(std::size_t tree, const std::vector<std::string>& path, const std::string& key,
                            json token) {
    json* node = &trees_[tree];
    for (const auto& name : path) {
        json& child = (*node)[name];
        // A token standing where a group goes is an object too and takes the group's tokens
        // in beside its own keys; anything else (a value inside a token) gives way.
        if (!child.is_object()) child = json::object();
        node = &child;
    }
    (*node)[key] = std::move(token);
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
        std::optional<json> token;
        switch (item.itemType()) {
            case ProjectItemType::color: token = colorToken(item.color()->color().variant(source)); break;
            case ProjectItemType::colorAlias:
                token = colorToken(project_.resolvedColor(*item.colorAlias()).variant(source));
                break;
            case ProjectItemType::number: token = valueToken(item.number()->value().variant(source), "number"); break;
            case ProjectItemType::numberAlias:
                token = valueToken(project_.resolvedValue(*item.numberAlias()).variant(source), "number");
                break;
            case ProjectItemType::boolean: token = valueToken(item.boolean()->value().variant(source), nullptr); break;
            case ProjectItemType::booleanAlias:
                token = valueToken(project_.resolvedValue(*item.booleanAlias()).variant(source), nullptr);
                break;
            case ProjectItemType::string: token = valueToken(item.string()->value().variant(source), nullptr); break;
            case ProjectItemType::stringAlias:
                token = valueToken(project_.resolvedValue(*item.stringAlias()).variant(source), nullptr);
                break;
            case ProjectItemType::shadow: token = shadowToken(item.shadow()->shadow().variant(source)); break;
            case ProjectItemType::shadowAlias:
                token = shadowToken(project_.resolvedValue(*item.shadowAlias()).variant(source));
                break;
            case ProjectItemType::colorSet:
            case ProjectItemType::shadowSet: {
                json steps = json::object();
                auto addStep = [&](const std::string& name, std::optional<json> stepToken) {
                    if (!stepToken) return;
                    markDeprecated(*stepToken, *valueItem);
                    steps[tokenKey(name)] = std::move(*stepToken);
                };
                if (auto set = item.colorSet()) {
                    for (const auto& step : set->colors()) addStep(step.name, colorToken(step.variant(source)));
                } else {
                    for (const auto& step : item.shadowSet()->shadows()) {
                        addStep(step.name, shadowToken(step.variant(source)));
                    }
                }
                if (!steps.empty()) store(tree, path, key, std::move(steps));
                continue;
            }
            case ProjectItemType::group: break;
        }
        if (!token) continue;
        markDeprecated(*token, *valueItem);
        store(tree, path, key, std::move(*token));
    }
}

namespace {
std::size_t valueCount(const json& node) {
    std::size_t count = 0;
    if (node.is_object()) {
        for (auto it = node.begin(); it != node.end(); ++it) {
            if (it.key() == "$value") ++count;
            count += valueCount(*it);
        }
    } else if (node.is_array()) {
        for (const auto& element : node) count += valueCount(element);
    }
    return count;
}
}  // namespace

json DesignTokenTree::document() const {
    std::array<std::size_t, 4> counts{};
    bool onlyLight = true;
    for (std::size_t tree = 1; tree < trees_.size(); ++tree) {
        counts[tree] = valueCount(trees_[tree]);
        if (counts[tree] > 0) onlyLight = false;
    }
    if (onlyLight) return trees_[0];
    json document = {{appearanceTrees[0].rootKey, trees_[0]}};
    for (std::size_t tree = 1; tree < trees_.size(); ++tree) {
        if (counts[tree] > 0) document[appearanceTrees[tree].rootKey] = trees_[tree];
    }
    return document;
}

}  // namespace vantorel::build
