#include "Vantorel/build/exporters/SwiftEnumExporter.h"

#include "Vantorel/build/exporters/BuiltInTemplate.h"

namespace vantorel::build {

std::string_view swiftTemplateName(SwiftFlavour flavour) {
    switch (flavour) {
        case SwiftFlavour::swiftUI: return "SwiftUIEnum";
        case SwiftFlavour::uiKit: return "SwiftUIKitEnum";
        case SwiftFlavour::appKit: return "SwiftAppKitEnum";
    }
    return "SwiftUIEnum";
}

ExportResult SwiftEnumExporter::exportTask(const ExportRequest& request) {
    return exportWithBuiltInTemplate(project_, swiftTemplateName(flavour_), {}, request);
}

}  // namespace vantorel::build
