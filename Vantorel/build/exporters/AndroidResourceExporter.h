#pragma once
// The Android resource exporter: writes a values resource file with the group's colors,
// whole numbers, booleans and strings. Light values stand at the top level, dark values in a
// style named "Dark" at the end; high-contrast values are not exported.

#include <string>
#include <vector>

#include "Vantorel/build/BuildTaskExporter.h"

namespace vantorel::build {

class AndroidResourceExporter final : public BuildTaskExporter {
public:
    explicit AndroidResourceExporter(const QuenzColorProject& project) : project_(project) {}

    // Replaces the ".xml" file at the output path; a write failure gives the file error's text.
    ExportResult exportTask(const ExportRequest& request) override;

    // The file's text for these items under the task's naming, without writing it.
    static std::string resourceText(const QuenzColorProject& project, const BuildTask& task,
                                    const std::vector<ProjectItemPtr>& items);

private:
    const QuenzColorProject& project_;
};

}  // namespace vantorel::build
