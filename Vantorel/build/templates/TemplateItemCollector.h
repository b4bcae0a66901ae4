#pragma once
// Turns the items assigned to a build group into template records: code names under the
// task's naming, deprecation, the stored appearance variants (aliases resolved), and colors
// converted into the task's color space. Groups contribute their children; each item appears
// at most once per export, at its first position.

#include <memory_resource>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "Vantorel/build/CodeNames.h"
#include "Vantorel/build/BuildArena.h"
#include "Vantorel/build/templates/TemplateRecords.h"
#include "VantorelData/model/BuildTask.h"
#include "VantorelData/model/Project.h"

namespace vantorel::build {

// The space every color of an export is converted into: the task's space, or none for
// `original` (each value keeps the space of its light color).
std::optional<quenz::RGBSpace> conversionTarget(ColorSpaceConversion conversion);

// A color in the target space; when the conversion fails, the color's own components. Made in
// `memory`, or on the heap when null; its texts are kept in `texts` when given.
std::shared_ptr<const TemplateRGBAColor> makeTemplateColor(const quenz::ColorValue& color,
                                                           quenz::RGBSpace target,
                                                           std::pmr::memory_resource* memory = nullptr,
                                                           const std::shared_ptr<ColorTextStore>& texts = nullptr);

class TemplateItemCollector {
public:
    // Records are made in `memory`, which must outlive them; on the heap when null. Their colors
    // keep their texts in `texts` (one store of the collector's own when null).
    TemplateItemCollector(const QuenzColorProject& project, const BuildTask& task,
                          std::pmr::memory_resource* memory = nullptr,
                          std::shared_ptr<ColorTextStore> texts = nullptr);

    // Appends the records of the items (and of the children of groups among them) that were
    // not collected before.
    void collect(const std::vector<ProjectItemPtr>& items);
    const std::vector<TemplateItemPtr>& collected() const { return collected_; }
    std::vector<TemplateItemPtr> takeCollected() { return std::move(collected_); }

private:
    void collectItem(const QuenzColorProjectItem& item);
    std::optional<TemplateItemKind> kindRecord(const QuenzColorProjectItem& item) const;
    std::shared_ptr<const TemplateThemedColor> themedColor(const ThemeableColor& color) const;
    std::shared_ptr<const TemplateThemedShadow> themedShadow(const ThemeableShadow& shadow) const;
    quenz::RGBSpace targetFor(const quenz::ColorValue& light) const { return target_.value_or(light.space); }

    const QuenzColorProject& project_;
    std::pmr::memory_resource* memory_;
    std::shared_ptr<ColorTextStore> texts_;
    std::optional<quenz::RGBSpace> target_;
    TaskCodeNames names_;
    // Identifiers of the project's items; the set's nodes are carved from one block and
    // dropped with the collector.
    std::pmr::monotonic_buffer_resource seenMemory_;
    std::pmr::unordered_set<Identifier> seen_{&seenMemory_};
    std::vector<TemplateItemPtr> collected_;
};

// The records of the items, in export order.
std::vector<TemplateItemPtr> collectTemplateItems(const QuenzColorProject& project, const BuildTask& task,
                                                  const std::vector<ProjectItemPtr>& items);

// The records of one build, kept for every task that asks for the same items under the same
// naming (transform, prefix, suffix) and color space: records are immutable, so the tasks of a
// group that write CSS, SCSS and Swift read one set of them. The records live in an arena of the
// build: records handed out must not be kept beyond this object.
class SharedTemplateItems {
public:
    explicit SharedTemplateItems(const QuenzColorProject& project);

    // `items` must stay alive, unchanged, while this object is used.
    const std::vector<TemplateItemPtr>& itemsFor(const BuildTask& task,
                                                 const std::vector<ProjectItemPtr>& items);

private:
    struct Collected {
        const std::vector<ProjectItemPtr>* items;
        BuildNameTransform nameTransform;
        std::optional<std::string> prefix, suffix;
        ColorSpaceConversion conversion;
        std::vector<TemplateItemPtr> records;
    };
    const QuenzColorProject& project_;
    BuildArena arena_;  // outlives the records below
    std::shared_ptr<ColorTextStore> texts_;  // the color texts of every task of the build
    std::vector<Collected> collected_;
};

}  // namespace vantorel::build
