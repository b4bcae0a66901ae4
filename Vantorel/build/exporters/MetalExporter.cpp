#include "Vantorel/build/exporters/MetalExporter.h"

#include "Vantorel/build/exporters/BuiltInTemplate.h"

namespace vantorel::build {

ExportResult MetalExporter::exportTask(const ExportRequest& request) {
    return exportWithBuiltInTemplate(project_, templateName, {}, request);
}

}  // namespace vantorel::build
