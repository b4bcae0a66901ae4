#include "VantorelData/model/ProjectOptions.h"

#include "VantorelData/model/EnumText.h"

namespace vantorel {
namespace {

constexpr std::array<std::string_view, 3> modeValues = {"group", "table", "bigTable"};
constexpr std::array<std::string_view, 6> filterNames = {"All", "Colors", "Numbers", "Booleans", "Strings", "Shadows"};

}  // namespace

std::string_view settingValue(AppContentMode mode) { return enum_text::textOf(modeValues, mode); }

AppContentMode appContentModeFromSettingValue(const std::optional<std::string>& value) {
    if (value == "table") return AppContentMode::table;
    if (value == "bigTable") return AppContentMode::bigTable;
    return AppContentMode::grid;
}

std::string_view displayName(FilterType filter) { return enum_text::textOf(filterNames, filter); }

}  // namespace vantorel
