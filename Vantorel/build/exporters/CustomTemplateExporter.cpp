#include "Vantorel/build/exporters/CustomTemplateExporter.h"

#include "Vantorel/build/BuildLocations.h"
#include "Vantorel/build/templates/TemplateExporter.h"
#include "Vantorel/build/templates/TemplateFiles.h"

namespace vantorel::build {

std::string noTemplateLocationMessage(const std::string& taskName) {
    return "No location set for custom template in '" + taskName + "'";
}

ExportResult CustomTemplateExporter::exportTask(const ExportRequest& request) {
    // The same resolution the pre-build check uses, so that what it found is what is read.
    const auto file = customTemplateFile(request.documentFolder, request.task);
    if (!file) return ExportResult::failure(noTemplateLocationMessage(request.task.name()));
    auto contents = readTemplateFile(*file);
    if (contents.error) return {{}, std::move(contents.error)};

    TemplateRenderOptions options;
    options.templateName = request.task.customValue<CustomTemplateLocation>()->location;
    TemplateExporter exporter(project_, std::move(contents.text), std::move(options));
    return exporter.exportTask(request);
}

}  // namespace vantorel::build
