#pragma once
// Small builders for model tests: colors, items of every kind and a project from a list.

#include <memory>
#include <string>
#include <vector>

#include "VantorelData/model/Model.h"

namespace vantorel::testing {

inline quenz::ColorValue srgb(double red, double green, double blue, double alpha = 1) {
    return quenz::ColorValue{quenz::RGBSpace::sRGB, red, green, blue, alpha, 0};
}

inline ProjectItemPtr colorItem(const std::string& uuid, const std::string& name, quenz::ColorValue light) {
    return QuenzColorProjectItem::make(uuid, name, std::make_shared<QuenzColorItem>(ThemeableColor(light)));
}

inline ProjectItemPtr groupItem(const std::string& uuid, const std::string& name, std::vector<ProjectItemPtr> children) {
    return QuenzColorProjectItem::make(uuid, name, std::make_shared<QuenzColorGroup>(std::move(children)));
}

// A manual color set whose steps are grey levels named by `names`.
inline ProjectItemPtr colorSetItem(const std::string& uuid, const std::string& name,
                                   const std::vector<std::string>& names) {
    std::vector<ThemeableColor> steps;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const double level = static_cast<double>(i) / 10.0;
        steps.emplace_back(srgb(level, level, level), std::nullopt, std::nullopt, std::nullopt, names[i]);
    }
    SetParameters parameters;
    parameters.type = SetType::manual;
    return QuenzColorProjectItem::make(uuid, name, std::make_shared<QuenzColorSet>(std::move(steps), parameters));
}

inline std::shared_ptr<QuenzColorProject> projectWith(std::vector<ProjectItemPtr> items) {
    auto project = std::make_shared<QuenzColorProject>();
    project->setItems(std::move(items));
    return project;
}

}  // namespace vantorel::testing
