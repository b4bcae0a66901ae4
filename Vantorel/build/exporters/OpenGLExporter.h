#pragma once
// The OpenGL exporter: a GLSL snippet of the group's colors, numbers and booleans as constants, to include in vertex and fragment shaders, rendered from the built-in "OpenGL" template.

#include <string_view>

#include "Vantorel/build/BuildTaskExporter.h"

namespace vantorel::build {

class OpenGLExporter final : public BuildTaskExporter {
public:
    explicit OpenGLExporter(const QuenzColorProject& project) : project_(project) {}

    // Renders the built-in "OpenGL" template for the task; an unreadable template writes nothing.
    ExportResult exportTask(const ExportRequest& request) override;

    static constexpr std::string_view templateName = "OpenGL";

private:
    const QuenzColorProject& project_;
};

}  // namespace vantorel::build
