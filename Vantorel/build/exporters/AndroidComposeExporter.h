#pragma once
// The Jetpack Compose exporter: a Kotlin object of the group's colors, ramps, numbers, strings, booleans and shadows per appearance, rendered from the built-in "AndroidCompose" template.

#include <string_view>

#include "Vantorel/build/BuildTaskExporter.h"

namespace vantorel::build {

class AndroidComposeExporter final : public BuildTaskExporter {
public:
    explicit AndroidComposeExporter(const QuenzColorProject& project) : project_(project) {}

    // Renders the built-in "AndroidCompose" template for the task; an unreadable template writes nothing.
    ExportResult exportTask(const ExportRequest& request) override;

    static constexpr std::string_view templateName = "AndroidCompose";

private:
    const QuenzColorProject& project_;
};

}  // namespace vantorel::build
