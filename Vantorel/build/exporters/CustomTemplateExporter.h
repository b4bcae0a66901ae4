#pragma once
// The custom-template exporter: renders the template file the user chose for a task, stored
// in the task's custom data under "customTemplateLocation" as a path relative to the
// document's folder, and writes the result like every template export.

#include <string>

#include "Vantorel/build/BuildTaskExporter.h"

namespace vantorel::build {

class CustomTemplateExporter final : public BuildTaskExporter {
public:
    explicit CustomTemplateExporter(const QuenzColorProject& project) : project_(project) {}

    // Fails with "No location set for custom template in '<task name>'" when the task names no
    // template, with the file system's message when the file can't be read, and with the
    // engine's message when the template doesn't compile.
    ExportResult exportTask(const ExportRequest& request) override;

private:
    const QuenzColorProject& project_;
};

// The failure of a custom-template task that names no template.
std::string noTemplateLocationMessage(const std::string& taskName);

}  // namespace vantorel::build
