#include "VantorelData/model/CustomBuildTaskData.h"

#include <array>

#include "VantorelData/model/EnumText.h"

namespace vantorel {
namespace {

constexpr std::array<std::string_view, 3> symbolRaw = {"notSet", "true", "false"};
constexpr std::array<std::string_view, 3> symbolNames = {"Not Specified", "Generate", "Don't Generate"};

}  // namespace

std::string_view rawString(AssetCatalogSymbolGeneration generation) { return enum_text::textOf(symbolRaw, generation); }
std::string_view displayName(AssetCatalogSymbolGeneration generation) {
    return enum_text::textOf(symbolNames, generation);
}
std::optional<AssetCatalogSymbolGeneration> assetCatalogSymbolGenerationFromRawString(std::string_view raw) {
    return enum_text::caseWithText<AssetCatalogSymbolGeneration>(symbolRaw, raw);
}

}  // namespace vantorel
