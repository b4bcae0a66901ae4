#pragma once
// The Swift exporter: an enumeration of the group's colors, ramps, numbers, strings, booleans
// and shadows with one static member per item, for SwiftUI, UIKit or AppKit. Each flavour has
// its own built-in template.

#include <string_view>

#include "Vantorel/build/BuildTaskExporter.h"

namespace vantorel::build {

// The interface framework the enumeration is written for; the values are the stored flavours.
enum class SwiftFlavour { swiftUI = 0, uiKit = 1, appKit = 2 };

// "SwiftUIEnum", "SwiftUIKitEnum" or "SwiftAppKitEnum".
std::string_view swiftTemplateName(SwiftFlavour flavour);

class SwiftEnumExporter final : public BuildTaskExporter {
public:
    SwiftEnumExporter(const QuenzColorProject& project, SwiftFlavour flavour) : project_(project), flavour_(flavour) {}

    // Renders the flavour's template for the task; an unreadable template writes nothing.
    ExportResult exportTask(const ExportRequest& request) override;

    SwiftFlavour flavour() const { return flavour_; }

private:
    const QuenzColorProject& project_;
    SwiftFlavour flavour_;
};

}  // namespace vantorel::build
