#include "Vantorel/build/exporters/AndroidComposeExporter.h"

#include "Vantorel/build/exporters/BuiltInTemplate.h"

namespace vantorel::build {

ExportResult AndroidComposeExporter::exportTask(const ExportRequest& request) {
    return exportWithBuiltInTemplate(project_, templateName, {}, request);
}

}  // namespace vantorel::build
