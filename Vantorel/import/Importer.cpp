#include "Vantorel/import/Importer.h"

#include <algorithm>
#include <cctype>
#include <type_traits>

#include "Vantorel/import/AssetCatalogImporter.h"
#include "Vantorel/import/CSSFileImporter.h"
#include "Vantorel/import/FigmaImporter.h"
#include "Vantorel/import/ImageImporter.h"
#include "Vantorel/import/JsonDesignImporter.h"
#include "Vantorel/import/SVGImporter.h"
#include "Vantorel/import/SketchImporter.h"

namespace vantorel::import {
namespace {

template <class Reader>
std::function<std::unique_ptr<ColorImporter>(const ImportOptions&)> importerOf() {
    return [](const ImportOptions& options) -> std::unique_ptr<ColorImporter> {
        if constexpr (std::is_constructible_v<Reader, const ImportOptions&>) {
            return std::make_unique<Reader>(options);
        } else {
            (void)options;
            return std::make_unique<Reader>();
        }
    };
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

const std::vector<ImportKindInfo>& Importer::kinds() {
    // One row per kind this build reads; a new importer adds its row here.
    static const std::vector<ImportKindInfo> table{
        {ImportKind::figma, "figma", "Figma design", "Figma Import", {"fig"}, importerOf<FigmaImporter>()},
        {ImportKind::svg, "svg", "SVG drawing", "SVG Import", {"svg"}, importerOf<SVGImporter>()},
        {ImportKind::css,
         "css",
         "CSS, SCSS or HTML",
         "CSS Import",
         {"css", "scss", "html", "htm"},
         importerOf<CSSFileImporter>()},
        {ImportKind::designTokens,
         "tokens",
         "Design tokens JSON",
         "Design Tokens JSON Import",
         {"json"},
         importerOf<JsonDesignImporter>()},
        {ImportKind::sketch, "sketch", "Sketch document", "Sketch Import", {"sketch"}, importerOf<SketchImporter>()},
        {ImportKind::assetCatalog,
         "asset-catalog",
         "Asset catalog folder",
         "Asset Catalog Import",
         {"xcassets"},
         importerOf<AssetCatalogImporter>()},
        {ImportKind::image,
         "image",
         "PNG, JPEG or WebP image",
         "Image Import",
         {"png", "jpg", "jpeg", "jpe", "webp"},
         importerOf<ImageImporter>()},
    };
    return table;
}

const ImportKindInfo* Importer::kind(ImportKind kind) {
    for (const ImportKindInfo& info : kinds()) {
        if (info.kind == kind) return &info;
    }
    return nullptr;
}

const ImportKindInfo* Importer::kindNamed(std::string_view commandName) {
    for (const ImportKindInfo& info : kinds()) {
        if (info.commandName == commandName) return &info;
    }
    return nullptr;
}

const ImportKindInfo* Importer::kindForFile(const std::filesystem::path& file) {
    std::string extension = lowerCase(file.extension().string());
    if (!extension.empty()) extension.erase(0, 1);
    for (const ImportKindInfo& info : kinds()) {
        if (std::find(info.extensions.begin(), info.extensions.end(), extension) != info.extensions.end())
            return &info;
    }
    return nullptr;
}

std::string Importer::groupName(const ImportKindInfo& kind, const std::filesystem::path& file) {
    return std::string(kind.groupNamePrefix) + " - " + file.filename().string();
}

ImportResult Importer::importFile(ImportKind kind, const std::filesystem::path& file,
                                  const ImportOptions& options) {
    const ImportKindInfo* info = Importer::kind(kind);
    if (!info) return {nullptr, ImportError{"This kind of file cannot be imported"}};
    auto children = std::make_shared<QuenzColorGroup>();
    ProjectItemPtr group = QuenzColorProjectItem::make(groupName(*info, file), children);
    group->setExpanded(true);
    if (auto error = info->makeImporter(options)->importFile(file, *children))
        return {nullptr, std::move(error)};
    return {std::move(group), std::nullopt};
}

bool Importer::insert(DocumentParts& document, const ProjectItemPtr& group) {
    if (!group) return false;
    const std::optional<ItemPath> position = document.selectionManager().insertionPath(true);
    const bool inserted =
        document.editor().edit(TransactionScope::items, UndoName::addColor, [&](QuenzColorProject& project) {
            project.insert({group}, position);
            project.linkReferences();
            return true;
        });
    if (inserted) document.selectionManager().selectItems({group});
    return inserted;
}

std::string importFailureMessage(const ImportError& error) {
    return "Failed to import colors: " + error.description;
}

}  // namespace vantorel::import
