#include "Vantorel/build/exporters/AssetCatalogContents.h"

#include "VantorelData/format/NumberText.h"

namespace vantorel::build {
namespace {

using nlohmann::json;

json toJson(const ColorSetColorComponents& components) {
    json object = json::object();
    auto put = [&object](const char* key, const std::optional<std::string>& value) {
        if (value) object[key] = *value;
    };
    put("red", components.red);
    put("green", components.green);
    put("blue", components.blue);
    put("alpha", components.alpha);
    put("white", components.white);
    return object;
}

json toJson(const ColorSetColor& color) {
    json object = {
        {"idiom", color.idiom},
        {"color", {{"color-space", color.color.colorSpace}, {"components", toJson(color.color.components)}}},
    };
    if (color.appearances) {
        json list = json::array();
        for (const auto& appearance : *color.appearances) {
            list.push_back({{"appearance", appearance.appearance}, {"value", appearance.value}});
        }
        object["appearances"] = std::move(list);
    }
    return object;
}

std::string decimalText(double value) { return std::string(format::plainDoubleText(value).view()); }

ColorSetColor colorEntry(const quenz::ColorValue& value, std::vector<ColorSetAppearance> appearances) {
    ColorSetColor entry;
    entry.color.colorSpace = std::string(assetCatalogColorSpace(value.space));
    entry.color.components.red = decimalText(value.red);
    entry.color.components.green = decimalText(value.green);
    entry.color.components.blue = decimalText(value.blue);
    entry.color.components.alpha = decimalText(value.alpha);
    entry.appearances = std::move(appearances);
    return entry;
}

}  // namespace

std::string_view rawString(SwiftAssetSymbolExtensionSettings settings) {
    switch (settings) {
        case SwiftAssetSymbolExtensionSettings::enabled: return "enabled";
        case SwiftAssetSymbolExtensionSettings::disabled: return "disabled";
        case SwiftAssetSymbolExtensionSettings::notDefined: return "notDefined";
    }
    return "notDefined";
}

std::string_view assetCatalogColorSpace(quenz::RGBSpace space) {
    switch (space) {
        case quenz::RGBSpace::sRGB: return "srgb";
        case quenz::RGBSpace::extendedSRGB: return "extended-srgb";
        case quenz::RGBSpace::displayP3: return "display-p3";
        default: return "";
    }
}

json toJson(const AssetCatalogContents& contents) {
    json object = {{"info", {{"author", contents.info.author}, {"version", contents.info.version}}}};
    if (contents.properties) {
        json properties = json::object();
        if (contents.properties->providesNameSpace) {
            properties["provides-namespace"] = *contents.properties->providesNameSpace;
        }
        if (contents.properties->generateSwiftAssetSymbolExtensions) {
            properties["generate-swift-asset-symbol-extensions"] =
                std::string(rawString(*contents.properties->generateSwiftAssetSymbolExtensions));
        }
        object["properties"] = std::move(properties);
    }
    if (contents.colors) {
        json list = json::array();
        for (const auto& color : *contents.colors) list.push_back(toJson(color));
        object["colors"] = std::move(list);
    }
    return object;
}

AssetCatalogContents colorSetContents(const ThemeableColor& color) {
    const ColorSetAppearance dark{"luminosity", "dark"};
    const ColorSetAppearance highContrast{"contrast", "high"};
    std::vector<ColorSetColor> entries;
    entries.push_back(colorEntry(color.lightVariant, {}));
    if (color.darkVariant()) entries.push_back(colorEntry(*color.darkVariant(), {dark}));
    if (color.lightVariantHighContrast()) {
        entries.push_back(colorEntry(*color.lightVariantHighContrast(), {highContrast}));
    }
    if (color.darkVariantHighContrast()) {
        entries.push_back(colorEntry(*color.darkVariantHighContrast(), {dark, highContrast}));
    }
    return {AssetCatalogInfo{}, std::nullopt, std::move(entries)};
}

}  // namespace vantorel::build
