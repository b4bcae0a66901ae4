#pragma once
// The appearances a design value can differ in (light, dark and their high-contrast forms),
// which of them an item uses (`AppearanceType`), and the two pickers the editor offers for it.

#include <array>
#include <optional>
#include <string_view>

namespace vantorel {

// One appearance; the key with which every consumer reads a themeable value.
enum class ColorSource { light, lightHighContrast, dark, darkHighContrast };

inline constexpr std::array<ColorSource, 4> allColorSources = {
    ColorSource::light, ColorSource::lightHighContrast, ColorSource::dark, ColorSource::darkHighContrast};

std::string_view displayName(ColorSource source);  // "Light", "Light High Contrast", …
int rawValue(ColorSource source);                   // 0…3
std::optional<ColorSource> colorSourceFromRawValue(long long raw);

// Which appearances an item uses and whether its high-contrast values are computed.
enum class AppearanceType {
    none,
    lightAndDark,
    highContrast,
    highContrastAuto,
    lightDarkHighContrast,
    lightDarkHighContrastAuto,
};

inline constexpr std::array<AppearanceType, 6> allAppearanceTypes = {
    AppearanceType::none,          AppearanceType::lightAndDark,          AppearanceType::highContrast,
    AppearanceType::highContrastAuto, AppearanceType::lightDarkHighContrast, AppearanceType::lightDarkHighContrastAuto};

// The string stored in documents ("none", "lightanddark", "highContrast", …).
std::string_view rawString(AppearanceType type);
// Exact, case-sensitive: "lightAndDark" is not a raw string, "lightanddark" is.
std::optional<AppearanceType> appearanceTypeFromRawString(std::string_view raw);

// True for the two types whose high-contrast values are computed from the regular ones.
bool isAuto(AppearanceType type);
// Whether an item of this type shows (and exports) the given appearance.
bool usesAppearance(AppearanceType type, ColorSource source);

// The editor's two pickers, which together choose an AppearanceType.
enum class DisplayableAppearance { none, lightAndDark };
enum class DisplayableContrast { none, highContrast, highContrastAuto };

std::string_view displayName(DisplayableAppearance appearance);  // "All", "Light & Dark"
std::string_view displayName(DisplayableContrast contrast);      // "All", "Regular & High Contrast", …
DisplayableAppearance displayableAppearance(AppearanceType type);
DisplayableContrast displayableContrast(AppearanceType type);
AppearanceType appearanceType(DisplayableAppearance appearance, DisplayableContrast contrast);

// How style-sheet exports write per-appearance colors (a build task option).
enum class AppearanceColorType { individualColors, lightDark };

std::string_view rawString(AppearanceColorType type);   // "individual", "lightDark"
std::string_view displayName(AppearanceColorType type); // "Separate colors", "light-dark()"
std::optional<AppearanceColorType> appearanceColorTypeFromRawString(std::string_view raw);

}  // namespace vantorel
