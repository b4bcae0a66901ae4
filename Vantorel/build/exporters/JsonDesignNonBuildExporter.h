#pragma once
// The whole-project design-token export the application menu offers: every top-level item,
// names as they are, written to a file the user picks. It runs the design-token exporter with
// a task of its own that is never stored in the document.

#include <filesystem>

#include "Vantorel/build/BuildTaskExporter.h"

namespace vantorel::build {

class JsonDesignNonBuildExporter {
public:
    explicit JsonDesignNonBuildExporter(const QuenzColorProject& project) : project_(project) {}

    // Writes the file; a name without an extension gets ".json" as a build task's would.
    ExportResult exportTo(const std::filesystem::path& file);

private:
    const QuenzColorProject& project_;
};

}  // namespace vantorel::build
