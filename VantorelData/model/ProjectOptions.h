#pragma once
// Small enumerations of the project: how the document's items are shown (kept in the
// "DisplayMode" setting), the kinds filter of the item list, and the per-kind item counts.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vantorel {

inline constexpr std::string_view displayModeSettingKey = "DisplayMode";

enum class AppContentMode { grid, table, bigTable };
// The stored setting value: "group" for grid, "table", "bigTable".
std::string_view settingValue(AppContentMode mode);
// "table" and "bigTable" name those modes; every other value (or none) is grid.
AppContentMode appContentModeFromSettingValue(const std::optional<std::string>& value);

enum class FilterType { all, colors, numbers, booleans, strings, shadows };
inline constexpr std::array<FilterType, 6> allFilterTypes = {FilterType::all,      FilterType::colors,
                                                             FilterType::numbers,  FilterType::booleans,
                                                             FilterType::strings,  FilterType::shadows};
std::string_view displayName(FilterType filter);  // "All", "Colors", …

// One entry of the kinds filter list, identified by its filter.
struct FilterItem {
    FilterType filter = FilterType::all;
    FilterType id() const { return filter; }
    friend bool operator==(const FilterItem&, const FilterItem&) = default;
};

struct QuenzColorProjectStatistics {
    int colorItemCount = 0;
    int colorSetCount = 0;
    int colorAliasCount = 0;
    int groupCount = 0;
    int numberCount = 0;
    int numberAliasCount = 0;
    int booleanCount = 0;
    int booleanAliasCount = 0;
    int stringCount = 0;
    int stringAliasCount = 0;
    int shadowCount = 0;
    int shadowSetCount = 0;
    int shadowAliasCount = 0;

    friend bool operator==(const QuenzColorProjectStatistics&, const QuenzColorProjectStatistics&) = default;
};

}  // namespace vantorel
