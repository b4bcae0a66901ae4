#include "Vantorel/build/exporters/CSSExporter.h"

namespace vantorel::build {

ExportResult CSSExporter::exportTask(const ExportRequest& request) { return exportStyleSheet(project_, templates, request); }

}  // namespace vantorel::build
