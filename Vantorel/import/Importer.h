#pragma once
// Importer: the import frame. It knows the import kinds (their names, the files each accepts
// and the name of the group an import makes), runs a kind's importer on a file into a fresh
// group, and inserts a filled group into a document as one "Add Color" step.
//
// The two halves are separate so that a desktop editor can run `importFile` as a background
// task and call `insert` back on the user-interface thread; a failed import never reaches
// `insert`, so the document and its undo history stay exactly as they were.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Vantorel/editing/DocumentParts.h"
#include "Vantorel/import/ColorImporter.h"

namespace vantorel::import {

// Every kind of import, numbered as the application's menu numbers them.
enum class ImportKind { sketch, quenz, figma, svg, image, assetCatalog, css, designTokens };

struct ImportKindInfo {
    ImportKind kind;
    std::string_view commandName;              // the command line's name of the kind ("css")
    std::string_view title;                    // for menus ("CSS, SCSS or HTML")
    std::string_view groupNamePrefix;          // "CSS Import"
    std::vector<std::string_view> extensions;  // lower case, without the dot; what a file chooser offers
    std::function<std::unique_ptr<ColorImporter>(const ImportOptions&)> makeImporter;
};

struct ImportResult {
    ProjectItemPtr group;  // the filled group; null on failure
    std::optional<ImportError> error;
};

class Importer {
public:
    // The kinds this build can import, in menu order.
    static const std::vector<ImportKindInfo>& kinds();
    static const ImportKindInfo* kind(ImportKind kind);
    static const ImportKindInfo* kindNamed(std::string_view commandName);
    // The first kind that accepts the file's extension (compared in lower case).
    static const ImportKindInfo* kindForFile(const std::filesystem::path& file);

    // "CSS Import - tokens.css": the kind's prefix and the file's last path component.
    static std::string groupName(const ImportKindInfo& kind, const std::filesystem::path& file);

    // Creates the expanded result group and runs the kind's importer on the file. Touches no
    // document.
    static ImportResult importFile(ImportKind kind, const std::filesystem::path& file,
                                   const ImportOptions& options = {});

    // Inserts the group where the editor puts a new group, as one undo step "Add Color", and
    // selects it. False when the document is gone (nothing is inserted then).
    static bool insert(DocumentParts& document, const ProjectItemPtr& group);
};

// The text of the alert shown when an import fails.
std::string importFailureMessage(const ImportError& error);

}  // namespace vantorel::import
