#pragma once
// The CSS exporter: the group's items as CSS custom properties, one per appearance or as
// `light-dark()` pairs, in the task's color format. Plain-text tasks use it too.

#include "Vantorel/build/BuildTaskExporter.h"
#include "Vantorel/build/exporters/StyleSheetTemplate.h"

namespace vantorel::build {

class CSSExporter final : public BuildTaskExporter {
public:
    explicit CSSExporter(const QuenzColorProject& project) : project_(project) {}

    // Renders "cssBase" or "cssBaseLightDark" for the task; an unreadable template writes nothing.
    ExportResult exportTask(const ExportRequest& request) override;

    static constexpr StyleSheetTemplates templates{"cssBase", "cssBaseLightDark"};

private:
    const QuenzColorProject& project_;
};

}  // namespace vantorel::build
