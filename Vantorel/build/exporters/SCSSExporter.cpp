#include "Vantorel/build/exporters/SCSSExporter.h"

namespace vantorel::build {

ExportResult SCSSExporter::exportTask(const ExportRequest& request) { return exportStyleSheet(project_, templates, request); }

}  // namespace vantorel::build
