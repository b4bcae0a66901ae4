#pragma once
// A small document built in code and edits of it: the base, ours and theirs of the comparison
// and merge tables.

#include <functional>
#include <memory>
#include <string>

#include "VantorelData/format/QuenzColorFileReader.h"
#include "VantorelData/format/QuenzColorFileWriter.h"
#include "VantorelData/model/Model.h"

namespace vantorel::testing {

inline quenz::ColorValue srgb(double red, double green, double blue) {
    return quenz::ColorValue{quenz::RGBSpace::sRGB, red, green, blue, 1, 0};
}

inline ProjectItemPtr color(const std::string& uuid, const std::string& name, quenz::ColorValue light) {
    return QuenzColorProjectItem::make(uuid, name, std::make_shared<QuenzColorItem>(ThemeableColor(light)));
}

inline ProjectItemPtr number(const std::string& uuid, const std::string& name, double value) {
    return QuenzColorProjectItem::make(uuid, name, std::make_shared<QuenzColorNumber>(ThemeableNumber(value)));
}

// Brand (a namespace group: Primary, Accent), Spacing, Font, the alias Link → Primary, and the
// build group Web with one CSS task.
inline std::string baseDocument() {
    auto project = std::make_shared<QuenzColorProject>();
    auto brand = std::make_shared<QuenzColorGroup>(
        std::vector<ProjectItemPtr>{color("C-PRIMARY", "Primary", srgb(1, 0, 0)), color("C-ACCENT", "Accent", srgb(0, 0, 1))},
        true);
    auto alias = std::make_shared<QuenzColorAlias>(AliasSetTargets{AliasSetType::item("C-PRIMARY")});
    project->setItems({QuenzColorProjectItem::make("G-BRAND", "Brand", brand), number("N-SPACING", "Spacing", 8),
                       QuenzColorProjectItem::make("S-FONT", "Font",
                                                   std::make_shared<QuenzColorString>(ThemeableString(std::string("Inter")))),
                       QuenzColorProjectItem::make("Link", alias)});
    BuildTaskFields css;
    css.name = "CSS";
    css.exportFileName = "colors";
    css.exportFileType = BuildFileType::css;
    project->setBuildGroups({std::make_shared<BuildGroup>(
        "Web", std::vector<BuildTaskPtr>{std::make_shared<BuildTask>(css, "T-CSS")}, "B-WEB")});
    project->linkReferences();
    return format::QuenzColorFileWriter::write(*project).bytes;
}

using Edit = std::function<void(QuenzColorProject&)>;

// The document after `edit`, as the writer writes it.
inline std::string edited(const std::string& bytes, const Edit& edit) {
    auto project = format::QuenzColorFileReader::read(bytes);
    if (edit) edit(*project);
    return format::QuenzColorFileWriter::write(*project).bytes;
}

inline void rename(QuenzColorProject& project, const std::string& uuid, const std::string& name) {
    project.itemWithId(uuid)->setName(name);
}

inline void recolor(QuenzColorProject& project, const std::string& uuid, quenz::ColorValue light) {
    project.itemWithId(uuid)->color()->setColor(light, ColorSource::light);
}

inline void removeTopLevel(QuenzColorProject& project, const std::string& uuid) {
    auto items = project.items();
    std::erase_if(items, [&](const ProjectItemPtr& item) { return item->uuid() == uuid; });
    project.setItems(items);
}

inline void addToBrand(QuenzColorProject& project, ProjectItemPtr item, std::size_t position) {
    project.itemWithId("G-BRAND")->group()->insertItem(std::move(item), position);
}

}  // namespace vantorel::testing
