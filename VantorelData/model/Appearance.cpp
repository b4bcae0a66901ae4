#include "VantorelData/model/Appearance.h"

#include "VantorelData/model/EnumText.h"

namespace vantorel {
namespace {

constexpr std::array<std::string_view, 4> colorSourceNames = {"Light", "Light High Contrast", "Dark",
                                                               "Dark High Contrast"};
constexpr std::array<std::string_view, 6> appearanceRawStrings = {
    "none", "lightanddark", "highContrast", "highContrastAuto", "lightDarkHighContrast", "lightDarkHighContrastAuto"};
constexpr std::array<std::string_view, 2> displayableAppearanceNames = {"All", "Light & Dark"};
constexpr std::array<std::string_view, 3> displayableContrastNames = {"All", "Regular & High Contrast",
                                                                       "Regular & Auto High Contrast"};
constexpr std::array<std::string_view, 2> appearanceColorRawStrings = {"individual", "lightDark"};
constexpr std::array<std::string_view, 2> appearanceColorNames = {"Separate colors", "light-dark()"};

}  // namespace

std::string_view displayName(ColorSource source) { return enum_text::textOf(colorSourceNames, source); }

int rawValue(ColorSource source) { return static_cast<int>(source); }

std::optional<ColorSource> colorSourceFromRawValue(long long raw) {
    return enum_text::caseAt<ColorSource, 4>(raw);
}

std::string_view rawString(AppearanceType type) { return enum_text::textOf(appearanceRawStrings, type); }

std::optional<AppearanceType> appearanceTypeFromRawString(std::string_view raw) {
    return enum_text::caseWithText<AppearanceType>(appearanceRawStrings, raw);
}

bool isAuto(AppearanceType type) {
    return type == AppearanceType::highContrastAuto || type == AppearanceType::lightDarkHighContrastAuto;
}

bool usesAppearance(AppearanceType type, ColorSource source) {
    const bool dark = type == AppearanceType::lightAndDark || type == AppearanceType::lightDarkHighContrast ||
                      type == AppearanceType::lightDarkHighContrastAuto;
    const bool contrast = type != AppearanceType::none && type != AppearanceType::lightAndDark;
    switch (source) {
        case ColorSource::light: return true;
        case ColorSource::lightHighContrast: return contrast;
        case ColorSource::dark: return dark;
        case ColorSource::darkHighContrast: return dark && contrast;
    }
    return false;
}

std::string_view displayName(DisplayableAppearance appearance) {
    return enum_text::textOf(displayableAppearanceNames, appearance);
}

std::string_view displayName(DisplayableContrast contrast) {
    return enum_text::textOf(displayableContrastNames, contrast);
}

DisplayableAppearance displayableAppearance(AppearanceType type) {
    return usesAppearance(type, ColorSource::dark) ? DisplayableAppearance::lightAndDark : DisplayableAppearance::none;
}

DisplayableContrast displayableContrast(AppearanceType type) {
    if (isAuto(type)) return DisplayableContrast::highContrastAuto;
    if (usesAppearance(type, ColorSource::lightHighContrast)) return DisplayableContrast::highContrast;
    return DisplayableContrast::none;
}

AppearanceType appearanceType(DisplayableAppearance appearance, DisplayableContrast contrast) {
    const bool dark = appearance == DisplayableAppearance::lightAndDark;
    switch (contrast) {
        case DisplayableContrast::none: return dark ? AppearanceType::lightAndDark : AppearanceType::none;
        case DisplayableContrast::highContrast:
            return dark ? AppearanceType::lightDarkHighContrast : AppearanceType::highContrast;
        case DisplayableContrast::highContrastAuto:
            return dark ? AppearanceType::lightDarkHighContrastAuto : AppearanceType::highContrastAuto;
    }
    return AppearanceType::none;
}

std::string_view rawString(AppearanceColorType type) { return enum_text::textOf(appearanceColorRawStrings, type); }

std::string_view displayName(AppearanceColorType type) { return enum_text::textOf(appearanceColorNames, type); }

std::optional<AppearanceColorType> appearanceColorTypeFromRawString(std::string_view raw) {
    return enum_text::caseWithText<AppearanceColorType>(appearanceColorRawStrings, raw);
}

}  // namespace vantorel
