#pragma once
// The LESS exporter: the group's items as LESS variables, one per appearance or as
// `light-dark()` pairs, in the task's color format.

#include "Vantorel/build/BuildTaskExporter.h"
#include "Vantorel/build/exporters/StyleSheetTemplate.h"

namespace vantorel::build {

class LESSExporter final : public BuildTaskExporter {
public:
    explicit LESSExporter(const QuenzColorProject& project) : project_(project) {}

    // Renders "lessBase" or "lessBaseLightDark" for the task; an unreadable template writes nothing.
    ExportResult exportTask(const ExportRequest& request) override;

    static constexpr StyleSheetTemplates templates{"lessBase", "lessBaseLightDark"};

private:
    const QuenzColorProject& project_;
};

}  // namespace vantorel::build
