#include "Vantorel/build/exporters/LESSExporter.h"

namespace vantorel::build {

ExportResult LESSExporter::exportTask(const ExportRequest& request) { return exportStyleSheet(project_, templates, request); }

}  // namespace vantorel::build
