#include "Vantorel/import/JsonDesignImporter.h"

#include <string>
#include <vector>

#include "Vantorel/import/ColorText.h"
#include "Vantorel/import/JsonTokenTree.h"
#include "Vantorel/platform/Log.h"

namespace vantorel::import {
namespace {

using nlohmann::json;
using tokens::PendingReference;

// Deeper objects than this are not read: no token file nests so far, and a hostile one must
// not exhaust the stack.
constexpr int maximumDepth = 200;

const platform::LogChannel& importLog() {
    static const platform::LogChannel channel("Import");
    return channel;
}

CommonValueFields deprecationOf(const json& node) {
    CommonValueFields common;
    const auto found = node.find("$deprecated");
    if (found == node.end()) return common;
    if (found->is_boolean()) {
        common.deprecated = found->get<bool>();
    } else if (found->is_string() && !found->get_ref<const std::string&>().empty()) {
        common.deprecated = true;
        common.deprecatedReason = found->get<std::string>();
    }
    return common;
}

ColorPresentation presentationOf(const quenz::ColorValue& color) {
    ColorPresentation presentation;
    if (color.space == quenz::RGBSpace::displayP3) presentation.colorSpace = quenz::ColorSpace::displayP3;
    if (color.space == quenz::RGBSpace::extendedSRGB)
        presentation.colorSpace = quenz::ColorSpace::sRGBExtended;
    return presentation;
}

class TokenReader {
public:
    TokenReader(bool lenient, std::vector<PendingReference>& references)
        : lenient_(lenient), references_(references) {}

    // Reads `key: value` into `parent`, as one item or nothing.
    void read(const std::string& key, const json& value, QuenzColorGroup& parent,
              std::vector<std::string>& path, const std::string& inheritedType, int depth) {
        if (!value.is_object() || depth > maximumDepth) return;
        path.push_back(key);
        if (ProjectItemPtr item = readNode(key, value, path, inheritedType, depth))
            parent.appendItem(std::move(item));
        path.pop_back();
    }

private:
    ProjectItemPtr readNode(const std::string& key, const json& node, std::vector<std::string>& path,
                            const std::string& inheritedType, int depth) {
        const CommonValueFields common = deprecationOf(node);
        const auto type = node.find("$type");
        const auto value = node.find("$value");
        const bool typed = type != node.end() && type->is_string();
        const std::string tokenType = typed      ? type->get<std::string>()
                                      : lenient_ ? inheritedType
                                                 : std::string{};

        if (value != node.end()) {
            if (lenient_) {
                if (auto reference = tokens::referencePath(*value)) {
                    return placeholder(key, value->get<std::string>(), std::move(*reference), path, tokenType,
                                       common);
                }
            }
            if (typed || !tokenType.empty()) {
                if (auto token = readToken(key, tokenType, *value, common)) return token;
                // The documented reader skips every typed token it cannot take; the lenient
                // one keeps text and truth values of other types as strings and booleans.
                if (typed && !lenient_) return nullptr;
                if (typed && !value->is_string() && !value->is_boolean()) return nullptr;
            }
            if (value->is_string()) {
                return QuenzColorProjectItem::make(
                    key,
                    std::make_shared<QuenzColorString>(ThemeableString(value->get<std::string>()), common));
            }
            if (value->is_boolean()) {
                return QuenzColorProjectItem::make(
                    key, std::make_shared<QuenzColorBoolean>(ThemeableBoolean(value->get<bool>()), common));
            }
        }

        auto children = std::make_shared<QuenzColorGroup>(std::vector<ProjectItemPtr>{}, true);
        const std::string childType = lenient_ && !tokenType.empty() ? tokenType : inheritedType;
        for (const auto& [childKey, child] : node.items()) {
            if (childKey == "$deprecated") continue;
            if (lenient_ && !childKey.empty() && childKey.front() == '$') continue;
            read(childKey, child, *children, path, childType, depth + 1);
        }
        return QuenzColorProjectItem::make(key, std::move(children));
    }

    // The item of a typed token; null when the type is not imported or the value is not of its
    // kind (the token is then skipped).
    ProjectItemPtr readToken(const std::string& key, const std::string& type, const json& value,
                             const CommonValueFields& common) const {
        if (type == "color") {
            std::optional<quenz::ColorValue> color;
            if (value.is_object()) {
                color = tokens::colorFromValueObject(value, lenient_);
                if (!color) {
                    importLog().write(
                        "Invalid color value in JSON file, no colorspace or hex value specified");
                    return nullptr;
                }
            } else if (lenient_ && value.is_string()) {
                color = colorFromText(value.get<std::string>());
            }
            if (!color) return nullptr;
            return QuenzColorProjectItem::make(
                key,
                std::make_shared<QuenzColorItem>(ThemeableColor(*color), presentationOf(*color), common));
        }
        if (type == "number" || (lenient_ && type == "dimension")) {
            std::optional<double> number;
            if (value.is_number())
                number = value.get<double>();
            else if (lenient_)
                number = tokens::dimensionValue(value);
            if (!number) return nullptr;
            return QuenzColorProjectItem::make(
                key, std::make_shared<QuenzColorNumber>(ThemeableNumber(*number), std::nullopt, std::nullopt,
                                                        std::nullopt, common));
        }
        if (type == "shadow") {
            const json* shadow = &value;
            // Lenient: the current format allows a list of shadows; the first one is read.
            if (lenient_ && value.is_array() && !value.empty()) shadow = &value.front();
            if (!shadow->is_object()) return nullptr;
            const auto colorText = shadow->find("color");
            std::optional<quenz::ColorValue> color;
            if (colorText != shadow->end() && colorText->is_string()) {
                color = colorFromText(colorText->get<std::string>());
            } else if (lenient_ && colorText != shadow->end() && colorText->is_object()) {
                color = tokens::colorFromValueObject(*colorText, true);
            } else {
                return nullptr;
            }
            const auto pixels = [&](const char* name) {
                const auto found = shadow->find(name);
                if (found == shadow->end()) return 0.0;
                if (found->is_string()) return tokens::pixelsFromText(found->get<std::string>());
                if (lenient_) return tokens::dimensionValue(*found).value_or(0.0);
                return 0.0;
            };
            const quenz::ColorValue shadowColor =
                color.value_or(quenz::ColorValue{quenz::RGBSpace::sRGB, 0, 0, 0, 1, 0});
            ShadowDetails details(shadowColor, pixels("offsetX"), pixels("offsetY"), pixels("blur"),
                                  pixels("spread"));
            return QuenzColorProjectItem::make(
                key, std::make_shared<QuenzColorShadow>(ThemeableShadow(details), presentationOf(shadowColor),
                                                        common));
        }
        return nullptr;
    }

    ProjectItemPtr placeholder(const std::string& key, std::string text, std::vector<std::string> reference,
                               const std::vector<std::string>& path, const std::string& type,
                               const CommonValueFields& common) {
        ProjectItemPtr item = QuenzColorProjectItem::make(
            key, std::make_shared<QuenzColorString>(ThemeableString(std::move(text)), common));
        references_.push_back({item, path, std::move(reference), type});
        return item;
    }

    bool lenient_;
    std::vector<PendingReference>& references_;
};

}  // namespace

std::optional<ImportError> JsonDesignImporter::importFile(const std::filesystem::path& file,
                                                          QuenzColorGroup& group) {
    const auto bytes = readFileBytes(file);
    if (!bytes) return ImportError{"The file \"" + file.filename().string() + "\" couldn't be opened."};
    return importText(*bytes, group);
}

std::optional<ImportError> JsonDesignImporter::importText(std::string_view text,
                                                          QuenzColorGroup& group) const {
    const json root = json::parse(text.begin(), text.end(), nullptr, false);
    if (root.is_discarded())
        return ImportError{"The data couldn't be read because it isn't in the correct format."};
    if (!root.is_object()) return std::nullopt;

    std::vector<PendingReference> references;
    TokenReader reader(options_.lenient, references);
    std::vector<std::string> path;
    for (const auto& [key, value] : root.items()) {
        if (options_.lenient && !key.empty() && key.front() == '$') continue;
        reader.read(key, value, group, path, std::string{}, 0);
    }
    tokens::convertRunsToSets(group);
    if (!references.empty()) tokens::resolveReferences(group, references);
    tokens::foldModeGroups(group);
    return std::nullopt;
}

}  // namespace vantorel::import
