#pragma once
// The Metal exporter: a Metal shading-language header of the group's colors, numbers and booleans as constants, rendered from the built-in "Metal" template.

#include <string_view>

#include "Vantorel/build/BuildTaskExporter.h"

namespace vantorel::build {

class MetalExporter final : public BuildTaskExporter {
public:
    explicit MetalExporter(const QuenzColorProject& project) : project_(project) {}

    // Renders the built-in "Metal" template for the task; an unreadable template writes nothing.
    ExportResult exportTask(const ExportRequest& request) override;

    static constexpr std::string_view templateName = "Metal";

private:
    const QuenzColorProject& project_;
};

}  // namespace vantorel::build
