#pragma once
// The SCSS exporter: the group's items as SCSS variables, one per appearance or as
// `light-dark()` pairs, in the task's color format.

#include "Vantorel/build/BuildTaskExporter.h"
#include "Vantorel/build/exporters/StyleSheetTemplate.h"

namespace vantorel::build {

class SCSSExporter final : public BuildTaskExporter {
public:
    explicit SCSSExporter(const QuenzColorProject& project) : project_(project) {}

    // Renders "scssBase" or "scssBaseLightDark" for the task; an unreadable template writes nothing.
    ExportResult exportTask(const ExportRequest& request) override;

    static constexpr StyleSheetTemplates templates{"scssBase", "scssBaseLightDark"};

private:
    const QuenzColorProject& project_;
};

}  // namespace vantorel::build
