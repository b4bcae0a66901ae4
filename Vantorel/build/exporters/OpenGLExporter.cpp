#include "Vantorel/build/exporters/OpenGLExporter.h"

#include "Vantorel/build/exporters/BuiltInTemplate.h"

namespace vantorel::build {

ExportResult OpenGLExporter::exportTask(const ExportRequest& request) {
    return exportWithBuiltInTemplate(project_, templateName, {}, request);
}

}  // namespace vantorel::build
