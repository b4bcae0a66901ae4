#pragma once
// The records of an asset catalog's "Contents.json" files as the exporter writes them: the
// catalog's and folders' info and properties, and a color set's color per appearance.

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "VantorelData/model/Themeable.h"

namespace vantorel::build {

enum class SwiftAssetSymbolExtensionSettings { enabled, disabled, notDefined };

std::string_view rawString(SwiftAssetSymbolExtensionSettings settings);  // "enabled", "disabled", "notDefined"

struct AssetCatalogInfo {
    std::string author = "vantorel";
    int version = 1;
};

struct AssetCatalogProperties {
    std::optional<bool> providesNameSpace;
    std::optional<SwiftAssetSymbolExtensionSettings> generateSwiftAssetSymbolExtensions;
};

// Each component is decimal text; white is for gray colors, which the exporter never writes.
struct ColorSetColorComponents {
    std::optional<std::string> red, green, blue, alpha, white;
};

struct ColorSetColorDetails {
    std::string colorSpace;
    ColorSetColorComponents components;
};

struct ColorSetAppearance {
    std::string appearance;
    std::string value;
};

struct ColorSetColor {
    std::string idiom = "universal";
    ColorSetColorDetails color;
    std::optional<std::vector<ColorSetAppearance>> appearances;
};

struct AssetCatalogContents {
    AssetCatalogInfo info;
    std::optional<AssetCatalogProperties> properties;
    std::optional<std::vector<ColorSetColor>> colors;
};

// The JSON object of the record; absent optionals are left out.
nlohmann::json toJson(const AssetCatalogContents& contents);

// A color set's contents: one entry per stored variant (light, dark, light high contrast, dark
// high contrast), each in the variant's own space with its components as plain decimal text.
AssetCatalogContents colorSetContents(const ThemeableColor& color);

// The catalog's name for a color's space: "srgb", "extended-srgb", "display-p3", or "".
std::string_view assetCatalogColorSpace(quenz::RGBSpace space);

}  // namespace vantorel::build
