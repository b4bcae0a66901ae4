#pragma once
// The large document the build benchmarks share: 10,000 colors with light and dark variants in
// 100 namespace groups of 100, every item assigned to one build group. Its colors repeat from
// group to group (100 light and 100 dark values), as a palette's do across themes and aliases;
// the distinct variety gives nearly every color a value of its own, so that a build cannot
// gain from writing a repeated color's text once.

#include <memory>
#include <string>
#include <vector>

#include "VantorelData/model/ColorItem.h"
#include "VantorelData/model/Project.h"

namespace vantorel::bench {

constexpr int largeItemCount = 10'000;
constexpr int largeItemsPerGroup = 100;

inline BuildTaskPtr buildTask(const std::string& name, BuildFileType type, const std::string& file) {
    BuildTaskFields fields;
    fields.name = name;
    fields.exportFileType = type;
    fields.exportFileFolder = "out";
    fields.exportFileName = file;
    fields.nameTransform = BuildNameTransform::kebabCase;
    return std::make_shared<BuildTask>(fields);
}

// The five outputs most projects build: CSS, SCSS, Android resources, SwiftUI and design tokens.
inline std::vector<BuildTaskPtr> fiveOutputTasks() {
    return {buildTask("CSS", BuildFileType::css, "tokens"), buildTask("SCSS", BuildFileType::scss, "_tokens"),
            buildTask("Android", BuildFileType::androidResource, "colors"),
            buildTask("SwiftUI", BuildFileType::swiftUIEnum, "Tokens"),
            buildTask("JSON", BuildFileType::jsonDesignToken, "tokens")};
}

enum class ColorVariety { repeating, distinct };

inline QuenzColorProjectPtr largeProject(const BuildGroupPtr& group, ColorVariety variety = ColorVariety::repeating) {
    auto project = std::make_shared<QuenzColorProject>("Large");
    std::vector<ProjectItemPtr> top;
    for (int g = 0; g < largeItemCount / largeItemsPerGroup; ++g) {
        std::vector<ProjectItemPtr> colors;
        for (int i = 0; i < largeItemsPerGroup; ++i) {
            const double level = static_cast<double>(i) / largeItemsPerGroup;
            const double green = variety == ColorVariety::distinct ? (g + 1) / 101.0 : 0.5;
            ThemeableColor value(quenz::ColorValue{quenz::RGBSpace::sRGB, level, green, 1 - level, 1, 0}, std::nullopt,
                                 quenz::ColorValue{quenz::RGBSpace::sRGB, 1 - level, green - 0.1, level, 1, 0});
            auto item = QuenzColorProjectItem::make("Color " + std::to_string(i),
                                                    std::make_shared<QuenzColorItem>(std::move(value)));
            item->setBuildGroup(group);
            colors.push_back(std::move(item));
        }
        top.push_back(QuenzColorProjectItem::make("Group " + std::to_string(g),
                                                  std::make_shared<QuenzColorGroup>(std::move(colors), true)));
    }
    project->setItems(std::move(top));
    project->setBuildGroups({group});
    return project;
}

}  // namespace vantorel::bench
