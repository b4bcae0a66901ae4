#pragma once
// The one place that decides which exporter writes each kind of build output. Each exporter is
// made for one task of one project and dropped after it.

#include <functional>
#include <string_view>

#include "Vantorel/build/BuildTaskExporter.h"
#include "VantorelData/model/BuildOptions.h"

namespace vantorel::build {

// Makes the exporter for a file type; never null.
BuildTaskExporterPtr makeExporter(BuildFileType type, const QuenzColorProject& project);

// The signature of makeExporter, so that a build can be given other exporters (tests, tools).
using ExporterFactory = std::function<BuildTaskExporterPtr(BuildFileType, const QuenzColorProject&)>;

// An exporter that this version does not have: every export fails, naming the exporter
// ("This version of Vantorel can't write CSS files yet.").
class UnavailableExporter final : public BuildTaskExporter {
public:
    explicit UnavailableExporter(std::string_view outputKind);
    ExportResult exportTask(const ExportRequest& request) override;

private:
    std::string message_;
};

}  // namespace vantorel::build
