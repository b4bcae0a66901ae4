#pragma once
// The pieces most test projects are made of: an sRGB color, a group, and a project written out
// as the bytes of a document.

#include <memory>
#include <string>
#include <vector>

#include "VantorelData/format/QuenzColorFileWriter.h"
#include "VantorelData/model/Model.h"

namespace vantorel::testing {

inline ProjectItemPtr srgbColorItem(const std::string& name, double red, double green, double blue, double alpha = 1) {
    return QuenzColorProjectItem::make(
        name, std::make_shared<QuenzColorItem>(ThemeableColor(quenz::ColorValue{quenz::RGBSpace::sRGB, red, green, blue, alpha, 0})));
}

inline ProjectItemPtr groupOf(const std::string& name, std::vector<ProjectItemPtr> children) {
    return QuenzColorProjectItem::make(name, std::make_shared<QuenzColorGroup>(std::move(children)));
}

inline std::string documentBytes(const QuenzColorProject& project) {
    return format::QuenzColorFileWriter::write(project).bytes;
}

}  // namespace vantorel::testing
