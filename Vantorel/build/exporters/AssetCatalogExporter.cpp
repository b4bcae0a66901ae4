#include "Vantorel/build/exporters/AssetCatalogExporter.h"

#include <string>

#include "Vantorel/build/CodeNames.h"
#include "Vantorel/build/exporters/AssetCatalogContents.h"
#include "Vantorel/build/exporters/ExportLocations.h"
#include "Vantorel/build/exporters/SortedJsonText.h"
#include "Vantorel/platform/AtomicFile.h"
#include "VantorelData/model/CustomBuildTaskData.h"

namespace vantorel::build {
namespace {

namespace fs = std::filesystem;

class CatalogWriter {
public:
    CatalogWriter(const QuenzColorProject& project, const BuildTask& task) : project_(project), task_(task) {}

    std::optional<BuildError> writeContents(const fs::path& folder, const AssetCatalogContents& contents) const {
        auto json = sortedJsonText(toJson(contents));
        if (json.error) return BuildError{*json.error};
        if (auto error = platform::writeFileAtomically(folder / "Contents.json", json.text,
                                                           platform::Durability::rebuildableOutput)) {
            return BuildError{error->message};
        }
        return std::nullopt;
    }

    std::optional<BuildError> exportItem(const QuenzColorProjectItem& item, const fs::path& parent) const {
        switch (item.itemType()) {
            case ProjectItemType::color: return exportColor(itemName(item.name()), item.color()->color(), parent);
            case ProjectItemType::colorAlias:
                return exportColor(itemName(item.name()), project_.resolvedColor(*item.colorAlias()), parent);
            case ProjectItemType::colorSet: {
                const fs::path folder = parent / itemName(item.name());
                if (auto error = makeFolder(folder, item.name())) return error;
                if (auto error = writeContents(folder, namespaceContents(true))) return error;
                for (const auto& step : item.colorSet()->colors()) {
                    if (auto error = exportColor(itemName(step.name), step, folder)) return error;
                }
                return std::nullopt;
            }
            case ProjectItemType::group: {
                const auto& group = *item.group();
                const fs::path folder = parent / joinSlashedName(transform(item.name(), task_.nameTransform()));
                if (auto error = makeFolder(folder, item.name())) return error;
                if (auto error = writeContents(folder, namespaceContents(group.providesNamespace()))) return error;
                for (const auto& child : group.items()) {
                    if (!child) continue;
                    if (auto error = exportItem(*child, folder)) return error;
                }
                return std::nullopt;
            }
            default: return std::nullopt;
        }
    }

private:
    // Colors, sets and steps: transformed, slashes joined, then prefix and suffix.
    std::string itemName(std::string_view name) const {
        std::string result;
        if (const auto& prefix = task_.namePrefix()) result += *prefix;
        result += joinSlashedName(transform(name, task_.nameTransform()));
        if (const auto& suffix = task_.nameSuffix()) result += *suffix;
        return result;
    }

    static AssetCatalogContents namespaceContents(bool providesNamespace) {
        return {AssetCatalogInfo{}, AssetCatalogProperties{providesNamespace, std::nullopt}, std::nullopt};
    }

    std::optional<BuildError> exportColor(const std::string& name, const ThemeableColor& color,
                                          const fs::path& parent) const {
        const fs::path folder = parent / (name + ".colorset");
        if (auto error = makeFolder(folder, name)) return error;
        return writeContents(folder, colorSetContents(color));
    }

    // A group or set named "", "." or ".." would write into its parent or above the catalog,
    // and a NUL byte would cut the name short, so such names stop the export.
    static std::optional<BuildError> makeFolder(const fs::path& folder, std::string_view itemName) {
        const std::string leaf = folder.filename().string();
        if (leaf.empty() || leaf == "." || leaf == ".." || leaf.find('\0') != std::string::npos) {
            return BuildError{"The name \"" + std::string(itemName) +
                              "\" cannot be used as a folder name in an asset catalog. Rename the item and "
                              "build again."};
        }
        return createFolder(folder);
    }

    const QuenzColorProject& project_;
    const BuildTask& task_;
};

std::optional<SwiftAssetSymbolExtensionSettings> symbolGeneration(const BuildTask& task) {
    switch (task.customValue<AssetCatalogSymbolGeneration>().value_or(AssetCatalogSymbolGeneration::notSpecified)) {
        case AssetCatalogSymbolGeneration::yes: return SwiftAssetSymbolExtensionSettings::enabled;
        case AssetCatalogSymbolGeneration::no: return SwiftAssetSymbolExtensionSettings::disabled;
        case AssetCatalogSymbolGeneration::notSpecified: break;
    }
    return std::nullopt;
}

}  // namespace

ExportResult AssetCatalogExporter::exportTask(const ExportRequest& request) {
    auto location = outputPath(request);
    if (location.error) return {{}, std::move(location.error)};
    const fs::path catalog = location.path;
    removeEarlierOutput(catalog, true);
    if (auto error = createFolder(catalog)) return {{}, std::move(error)};

    const CatalogWriter writer(project_, request.task);
    const AssetCatalogContents root{AssetCatalogInfo{}, AssetCatalogProperties{std::nullopt, symbolGeneration(request.task)},
                                    std::nullopt};
    if (auto error = writer.writeContents(catalog, root)) return {{}, std::move(error)};
    for (const auto& item : request.items) {
        if (!item) continue;
        if (auto error = writer.exportItem(*item, catalog)) return {{catalog}, std::move(error)};
    }
    return ExportResult::written(catalog);
}

}  // namespace vantorel::build
