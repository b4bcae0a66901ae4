#pragma once
// The design-token JSON exporter: writes the items of a build group as one design-token file
// (one tree per appearance, sorted keys, bare "%.4g" numbers) at the task's output path.

#include <optional>
#include <string>
#include <vector>

#include "Vantorel/build/BuildTaskExporter.h"

namespace vantorel::build {

class JsonDesignExporter final : public BuildTaskExporter {
public:
    explicit JsonDesignExporter(const QuenzColorProject& project) : project_(project) {}

    // Replaces the file at the output path. Failures read "Unable to export JSON file: …".
    ExportResult exportTask(const ExportRequest& request) override;

    // The text the exporter writes for these items under the task's naming, without writing it.
    struct Text {
        std::string text;
        std::optional<BuildError> error;
    };
    static Text designTokenText(const QuenzColorProject& project, const BuildTask& task,
                                const std::vector<ProjectItemPtr>& items);

private:
    const QuenzColorProject& project_;
};

}  // namespace vantorel::build
