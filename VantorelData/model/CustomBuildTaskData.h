#pragma once
// Exporter-specific options of a build task, kept as strings in its custom data under fixed
// keys. Each option type names its key and converts to and from its raw string; a missing
// key or an unknown raw string leaves the option unset.

#include <concepts>
#include <optional>
#include <string>
#include <string_view>

#include "VantorelData/model/Appearance.h"

namespace vantorel {

// Whether an asset catalog export asks the build system to generate color symbols.
enum class AssetCatalogSymbolGeneration { notSpecified, yes, no };

std::string_view rawString(AssetCatalogSymbolGeneration generation);   // "notSet", "true", "false"
std::string_view displayName(AssetCatalogSymbolGeneration generation); // "Not Specified", "Generate", …
std::optional<AssetCatalogSymbolGeneration> assetCatalogSymbolGenerationFromRawString(std::string_view raw);

// Where the template of a custom-template task lives.
struct CustomTemplateLocation {
    std::string location;
    friend bool operator==(const CustomTemplateLocation&, const CustomTemplateLocation&) = default;
};

// The interface every custom-data option implements (CustomBuildTaskDataStorable): its key,
// its raw string and the reading of one.
template <class T>
struct CustomBuildTaskData;

template <>
struct CustomBuildTaskData<AppearanceColorType> {
    static constexpr std::string_view key = "appearanceColorType";
    static std::string rawValue(AppearanceColorType value) { return std::string(rawString(value)); }
    static std::optional<AppearanceColorType> fromRawValue(std::string_view raw) {
        return appearanceColorTypeFromRawString(raw);
    }
};

template <>
struct CustomBuildTaskData<AssetCatalogSymbolGeneration> {
    static constexpr std::string_view key = "assetCatalogSymbols";
    static std::string rawValue(AssetCatalogSymbolGeneration value) { return std::string(rawString(value)); }
    static std::optional<AssetCatalogSymbolGeneration> fromRawValue(std::string_view raw) {
        return assetCatalogSymbolGenerationFromRawString(raw);
    }
};

template <>
struct CustomBuildTaskData<CustomTemplateLocation> {
    static constexpr std::string_view key = "customTemplateLocation";
    static std::string rawValue(const CustomTemplateLocation& value) { return value.location; }
    static std::optional<CustomTemplateLocation> fromRawValue(std::string_view raw) {
        return CustomTemplateLocation{std::string(raw)};
    }
};

template <class T>
concept CustomBuildTaskDataStorable = requires(const T& value, std::string_view raw) {
    { CustomBuildTaskData<T>::key } -> std::convertible_to<std::string_view>;
    { CustomBuildTaskData<T>::rawValue(value) } -> std::convertible_to<std::string>;
    { CustomBuildTaskData<T>::fromRawValue(raw) } -> std::same_as<std::optional<T>>;
};

}  // namespace vantorel
