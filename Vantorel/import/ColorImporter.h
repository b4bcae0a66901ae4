#pragma once
// ColorImporter: the one interface of every importer. An importer reads one file and appends
// what it holds to the children of the group it is given; it never touches a document, so it
// may run away from the user-interface thread. The import frame (Importer.h) creates the
// group, picks the importer of the chosen kind and inserts the filled group.

#include <filesystem>
#include <optional>
#include <string>

#include "VantorelData/model/Model.h"

namespace vantorel::import {

// Why an import failed, in words for the user ("Failed to import colors: " comes in front).
struct ImportError {
    std::string description;
};

// Choices that change how some importers read their files.
struct ImportOptions {
    // Design-token files as other tools write them: color strings, inherited types,
    // dimensions and references (see JsonDesignImporter.h). Off: only the documented form.
    bool lenient = false;
};

class ColorImporter {
public:
    virtual ~ColorImporter() = default;
    // Reads `file` and appends its items to `group`. After a failure the group's contents are
    // undefined; the frame drops it.
    virtual std::optional<ImportError> importFile(const std::filesystem::path& file,
                                                  QuenzColorGroup& group) = 0;
};

// The whole file as bytes; none when it cannot be read.
std::optional<std::string> readFileBytes(const std::filesystem::path& file);

}  // namespace vantorel::import
