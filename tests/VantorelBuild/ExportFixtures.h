#pragma once
// Small builders for the exporter tests: items of every kind, build tasks and a scratch
// folder that is removed again.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Vantorel/build/BuildTaskExporter.h"
#include "Vantorel/platform/AtomicFile.h"
#include "Vantorel/platform/UserLocale.h"
#include "VantorelData/model/Project.h"
#include "tests/support/ScratchFolder.h"

namespace vantorel::build::testing {

// Number texts follow the user's locale; the expected outputs are written for a full stop.
class FullStopLocaleTest : public ::testing::Test {
protected:
    void SetUp() override { platform::overrideUserLocale("en_US_POSIX"); }
    void TearDown() override { platform::overrideUserLocale(""); }
};

inline quenz::ColorValue rgb(double red, double green, double blue, double alpha = 1,
                             quenz::RGBSpace space = quenz::RGBSpace::sRGB) {
    return {space, red, green, blue, alpha, 0};
}

// Variants in model order: light, light high contrast, dark, dark high contrast.
inline ThemeableColor colorValue(quenz::ColorValue light, std::optional<quenz::ColorValue> dark = std::nullopt,
                                 std::optional<quenz::ColorValue> lightHighContrast = std::nullopt,
                                 std::optional<quenz::ColorValue> darkHighContrast = std::nullopt,
                                 std::string stepName = {}) {
    return ThemeableColor(light, lightHighContrast, dark, darkHighContrast, std::move(stepName));
}

inline CommonValueFields deprecatedFields(std::optional<std::string> reason = std::nullopt) {
    CommonValueFields fields;
    fields.deprecated = true;
    fields.deprecatedReason = std::move(reason);
    return fields;
}

inline ProjectItemPtr color(const std::string& name, ThemeableColor value, CommonValueFields common = {}) {
    return QuenzColorProjectItem::make(
        name, std::make_shared<QuenzColorItem>(std::move(value), ColorPresentation{}, std::move(common)));
}

inline ProjectItemPtr colorSet(const std::string& name, std::vector<ThemeableColor> steps,
                               CommonValueFields common = {}) {
    return QuenzColorProjectItem::make(
        name, std::make_shared<QuenzColorSet>(std::move(steps), SetParameters{}, ColorPresentation{}, std::move(common)));
}

inline ProjectItemPtr number(const std::string& name, ThemeableNumber value) {
    return QuenzColorProjectItem::make(name, std::make_shared<QuenzColorNumber>(std::move(value)));
}

inline ProjectItemPtr boolean(const std::string& name, ThemeableBoolean value) {
    return QuenzColorProjectItem::make(name, std::make_shared<QuenzColorBoolean>(std::move(value)));
}

inline ProjectItemPtr string(const std::string& name, ThemeableString value) {
    return QuenzColorProjectItem::make(name, std::make_shared<QuenzColorString>(std::move(value)));
}

inline ProjectItemPtr shadow(const std::string& name, ShadowDetails light,
                             std::optional<ShadowDetails> dark = std::nullopt) {
    return QuenzColorProjectItem::make(
        name, std::make_shared<QuenzColorShadow>(ThemeableShadow(light, std::nullopt, dark)));
}

inline ProjectItemPtr group(const std::string& name, std::vector<ProjectItemPtr> children,
                            bool providesNamespace = false) {
    return QuenzColorProjectItem::make(name, std::make_shared<QuenzColorGroup>(std::move(children), providesNamespace));
}

inline ProjectItemPtr colorAlias(const std::string& name, const ProjectItemPtr& target) {
    AliasSetTargets targets;
    targets[0] = AliasSetType::item(target->uuid());
    return QuenzColorProjectItem::make(name, std::make_shared<QuenzColorAlias>(targets));
}

inline ProjectItemPtr numberAlias(const std::string& name, const ProjectItemPtr& target) {
    ItemAliasTargets targets;
    targets[0] = ItemAliasType::item(target->uuid());
    targets[2] = ItemAliasType::item(target->uuid());
    return QuenzColorProjectItem::make(name, std::make_shared<QuenzColorNumberAlias>(targets));
}

// A project whose top level holds `items`, with alias references linked.
inline QuenzColorProjectPtr projectWith(std::vector<ProjectItemPtr> items) {
    auto project = std::make_shared<QuenzColorProject>("Fixture");
    project->setItems(std::move(items));
    project->linkReferences();
    return project;
}

inline BuildTask task(BuildFileType type, const std::string& fileName,
                      BuildNameTransform nameTransform = BuildNameTransform::none,
                      std::optional<std::string> prefix = std::nullopt, std::optional<std::string> suffix = std::nullopt,
                      CustomData customData = {}) {
    BuildTaskFields fields;
    fields.name = "Task";
    fields.exportFileType = type;
    fields.exportFileName = fileName;
    fields.nameTransform = nameTransform;
    fields.namePrefix = std::move(prefix);
    fields.nameSuffix = std::move(suffix);
    fields.customData = std::move(customData);
    return BuildTask(std::move(fields));
}

using vantorel::testing::ScratchFolder;

inline std::string fileText(const std::filesystem::path& path) {
    auto contents = platform::readWholeFile(path);
    EXPECT_FALSE(contents.error) << contents.error->message;
    return contents.bytes;
}

// Checks that `text` holds every part, in this order; a part that starts with "!" must not
// appear anywhere.
inline void expectPartsInOrder(const std::string& text, const std::vector<std::string>& parts) {
    std::size_t from = 0;
    for (const auto& part : parts) {
        if (part.starts_with("!")) {
            EXPECT_EQ(text.find(part.substr(1)), std::string::npos) << "unexpected: " << part << "\n" << text;
            continue;
        }
        const auto found = text.find(part, from);
        if (found == std::string::npos) {
            ADD_FAILURE() << "missing, or out of order: " << part << "\n" << text;
            return;
        }
        from = found + part.size();
    }
}

// Runs `exporter` on every top-level item of the project into a scratch folder and returns the
// text of `file` there; an export error fails the test.
inline std::string exportedText(BuildTaskExporter& exporter, const QuenzColorProject& project,
                                const BuildTask& buildTask, const std::string& file) {
    ScratchFolder folder;
    auto result = exporter.exportTask(ExportRequest{project, folder.path(), folder.path(), buildTask, project.items()});
    EXPECT_FALSE(result.error) << result.error->message;
    return result.error ? std::string() : fileText(folder.path() / file);
}

// Runs an exporter the way the builder does.
template <class Exporter>
ExportResult runExport(const QuenzColorProject& project, const BuildTask& buildTask,
                       const std::vector<ProjectItemPtr>& items, const std::filesystem::path& folder) {
    Exporter exporter(project);
    return exporter.exportTask(ExportRequest{project, folder, folder, buildTask, items});
}

}  // namespace vantorel::build::testing
