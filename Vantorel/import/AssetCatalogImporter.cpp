#include "Vantorel/import/AssetCatalogImporter.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "QuenzColorUtils/ColorOperations.h"
#include "Vantorel/import/ImportedColor.h"

namespace vantorel::import {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

// Catalogs nest groups a few levels deep; a folder tree deeper than this is not searched further.
constexpr int maximumFolderDepth = 64;

std::optional<quenz::RGBSpace> spaceNamed(std::string_view name) {
    if (name == "srgb" || name.empty()) return quenz::RGBSpace::sRGB;
    if (name == "display-p3") return quenz::RGBSpace::displayP3;
    if (name == "extended-srgb") return quenz::RGBSpace::extendedSRGB;
    if (name == "extended-linear-srgb") return quenz::RGBSpace::extendedLinearSRGB;
    if (name == "gray-gamma-22" || name == "extended-gray") return quenz::RGBSpace::genericGray;
    return std::nullopt;
}

// A component as written: a string in every catalog, a plain number in some hand-made ones.
std::optional<double> component(const json& components, const char* key, bool isAlpha) {
    const auto found = components.find(key);
    if (found == components.end()) return std::nullopt;
    if (found->is_number()) return found->get<double>();
    if (!found->is_string()) return std::nullopt;
    return AssetCatalogImporter::componentValue(found->get_ref<const std::string&>(), isAlpha);
}

std::optional<quenz::ColorValue> colorOf(const json& entry) {
    const auto details = entry.find("color");
    if (details == entry.end() || !details->is_object()) return std::nullopt;
    const auto spaceNode = details->find("color-space");
    const std::string spaceName =
        spaceNode != details->end() && spaceNode->is_string() ? spaceNode->get<std::string>() : "";
    const auto space = spaceNamed(spaceName);
    const auto components = details->find("components");
    if (!space || components == details->end() || !components->is_object()) return std::nullopt;
    quenz::ColorValue color;
    color.space = *space;
    color.alpha = component(*components, "alpha", true).value_or(1);
    if (*space == quenz::RGBSpace::genericGray) {
        const auto white = component(*components, "white", false);
        if (!white) return std::nullopt;
        color.red = color.green = color.blue = *white;
        return color;
    }
    const auto red = component(*components, "red", false);
    const auto green = component(*components, "green", false);
    const auto blue = component(*components, "blue", false);
    if (!red || !green || !blue) return std::nullopt;
    color.red = *red;
    color.green = *green;
    color.blue = *blue;
    return color;
}

// The appearance an entry is for; none for an appearance this system has no variant of.
std::optional<ColorSource> sourceOf(const json& entry) {
    bool dark = false;
    bool highContrast = false;
    const auto appearances = entry.find("appearances");
    if (appearances != entry.end() && appearances->is_array()) {
        for (const json& appearance : *appearances) {
            if (!appearance.is_object()) return std::nullopt;
            const auto kind = appearance.find("appearance");
            const auto value = appearance.find("value");
            if (kind == appearance.end() || value == appearance.end() || !kind->is_string() || !value->is_string())
                return std::nullopt;
            const std::string& kindText = kind->get_ref<const std::string&>();
            const std::string& valueText = value->get_ref<const std::string&>();
            if (kindText == "luminosity" && (valueText == "dark" || valueText == "light")) {
                dark = valueText == "dark";
            } else if (kindText == "contrast" && valueText == "high") {
                highContrast = true;
            } else {
                return std::nullopt;
            }
        }
    }
    if (dark) return highContrast ? ColorSource::darkHighContrast : ColorSource::dark;
    return highContrast ? ColorSource::lightHighContrast : ColorSource::light;
}

AppearanceType appearanceTypeOf(const ThemeableColor& color) {
    const bool dark = color.darkVariant() || color.darkVariantHighContrast();
    const bool highContrast = color.lightVariantHighContrast() || color.darkVariantHighContrast();
    if (dark && highContrast) return AppearanceType::lightDarkHighContrast;
    if (dark) return AppearanceType::lightAndDark;
    if (highContrast) return AppearanceType::highContrast;
    return AppearanceType::none;
}

bool hasExtension(const fs::path& path, std::string_view extension) {
    std::string text = path.extension().string();
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text == extension;
}

// Appends the color sets below `folder` to `group`, sub-folders as groups; false when none was found.
bool importFolder(const fs::path& folder, QuenzColorGroup& group, int depth) {
    if (depth > maximumFolderDepth) return false;
    std::error_code error;
    std::vector<fs::path> folders;
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error), end;
         !error && it != end; it.increment(error)) {
        std::error_code statusError;
        // Links are not followed: a link back up the tree would never end the walk.
        if (it->symlink_status(statusError).type() == fs::file_type::directory) folders.push_back(it->path());
    }
    std::sort(folders.begin(), folders.end());
    bool found = false;
    for (const fs::path& child : folders) {
        if (hasExtension(child, ".colorset")) {
            const auto contents = readFileBytes(child / "Contents.json");
            if (!contents) continue;
            if (ProjectItemPtr item = AssetCatalogImporter::colorSetItem(child.stem().string(), *contents)) {
                group.appendItem(std::move(item));
                found = true;
            }
            continue;
        }
        auto subgroup = std::make_shared<QuenzColorGroup>();
        if (!importFolder(child, *subgroup, depth + 1)) continue;
        group.appendItem(QuenzColorProjectItem::make(child.filename().string(), subgroup));
        found = true;
    }
    return found;
}

}  // namespace

std::optional<double> AssetCatalogImporter::componentValue(std::string_view text, bool isAlpha) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        unsigned value = 0;
        const auto [end, error] = std::from_chars(text.data() + 2, text.data() + text.size(), value, 16);
        if (error != std::errc() || end != text.data() + text.size() || value > 255) return std::nullopt;
        return value / 255.0;
    }
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    // Whole numbers without a decimal point are the 0–255 form; alpha is always a fraction.
    const bool integerForm = text.find_first_of(".eE") == std::string_view::npos;
    if (integerForm && !isAlpha) return value / 255.0;
    return value;
}

ProjectItemPtr AssetCatalogImporter::colorSetItem(std::string name, std::string_view contentsJson) {
    const json contents = json::parse(contentsJson, nullptr, false);
    if (contents.is_discarded() || !contents.is_object()) return nullptr;
    const auto colors = contents.find("colors");
    if (colors == contents.end() || !colors->is_array()) return nullptr;
    std::optional<quenz::ColorValue> variants[4];  // indexed by the raw value of the appearance
    for (const json& entry : *colors) {
        if (!entry.is_object()) continue;
        const auto source = sourceOf(entry);
        const auto color = colorOf(entry);
        if (!source || !color) continue;
        auto& variant = variants[rawValue(*source)];
        if (!variant) variant = color;
    }
    const auto light = variants[rawValue(ColorSource::light)];
    const auto dark = variants[rawValue(ColorSource::dark)];
    // A set with no light entry shows its dark one, or its first, in the light appearance.
    std::optional<quenz::ColorValue> base = light ? light : dark;
    for (const auto& variant : variants) {
        if (!base) base = variant;
    }
    if (!base) return nullptr;
    ThemeableColor value(*base, variants[rawValue(ColorSource::lightHighContrast)], dark,
                         variants[rawValue(ColorSource::darkHighContrast)]);
    ProjectItemPtr item = makeImportedColorItem(std::move(name), *base);
    // The type first: changing it fills missing variants, and the set's own variants win.
    item->valueItem()->setAppearanceType(appearanceTypeOf(value));
    item->color()->setColor(value);
    return item;
}

std::optional<ImportError> AssetCatalogImporter::importFile(const std::filesystem::path& folder,
                                                            QuenzColorGroup& group) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) return ImportError{"The asset catalog is not a folder"};
    importFolder(folder, group, 0);
    return std::nullopt;
}

}  // namespace vantorel::import
