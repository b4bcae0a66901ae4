#include "Vantorel/build/exporters/JsonDesignNonBuildExporter.h"

#include "Vantorel/build/exporters/JsonDesignExporter.h"

namespace vantorel::build {

ExportResult JsonDesignNonBuildExporter::exportTo(const std::filesystem::path& file) {
    BuildTaskFields fields;
    fields.name = "Temp";
    fields.nameTransform = BuildNameTransform::none;
    fields.exportFileType = BuildFileType::jsonDesignToken;
    fields.exportFileName = file.filename().string();
    const BuildTask task(std::move(fields));

    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    JsonDesignExporter exporter(project_);
    return exporter.exportTask(ExportRequest{project_, folder, folder, task, project_.items()});
}

}  // namespace vantorel::build
