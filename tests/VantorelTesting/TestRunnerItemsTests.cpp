#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestRunnerSupport.h"
#include "Vantorel/testing/ContrastColorText.h"
#include "Vantorel/testing/TestRunnerItems.h"

using namespace vantorel;
using namespace vantorel::testsupport;

namespace {

std::vector<std::string> names(const std::vector<TestedItem>& items) {
    std::vector<std::string> result;
    for (const auto& item : items) result.push_back(item.name);
    return result;
}

std::string cssOf(const TestedItem& item, ColorSource source) {
    const auto& color = item.color(source);
    return color ? testedColorCSSText(*color).value_or("?") : "none";
}

ProjectItemPtr aliasTo(const std::string& name, AliasSetType light, AliasSetType dark = AliasSetType::notSet()) {
    AliasSetTargets targets{std::move(light), AliasSetType::notSet(), std::move(dark), AliasSetType::notSet()};
    return QuenzColorProjectItem::make(name, std::make_shared<QuenzColorAlias>(targets));
}

}  // namespace

TEST(TestRunnerItems, SetsAndAliasesOfWholeSetsExpandIntoNamedSteps) {
    TestProject setup;
    auto blue = setup.colorSet("Blue", TestPosition::background,
                               {{"100", srgb(0.9, 0.9, 1)}, {"200", srgb(0.7, 0.7, 1)}});
    setup.color("Ink", TestPosition::foreground, srgb(0, 0, 0));
    setup.assign(aliasTo("Surface", AliasSetType::set(blue->uuid())), TestPosition::both);
    // An alias of one step is tested as that step's color; other kinds and groups measure
    // nothing themselves.
    setup.assign(aliasTo("Accent", AliasSetType::setItem(blue->uuid(), 1)), TestPosition::both);
    setup.assign(QuenzColorProjectItem::make("Spacing", std::make_shared<QuenzColorNumber>()), TestPosition::both);
    auto child = QuenzColorProjectItem::make("Nested", std::make_shared<QuenzColorItem>(ThemeableColor(srgb(1, 0, 0))));
    child->setTestGroup(setup.group);
    setup.assign(QuenzColorProjectItem::make("Folder", std::make_shared<QuenzColorGroup>(std::vector{child})),
                 TestPosition::both);
    // Assigned to another group: not part of this one.
    auto other = std::make_shared<TestGroup>("Other");
    setup.project->appendTestGroup(other);
    setup.assign(QuenzColorProjectItem::make("Elsewhere", std::make_shared<QuenzColorItem>()), TestPosition::both,
                 other);
    setup.project->linkReferences();

    auto items = testedItemsOfGroup(*setup.project, *setup.group);
    EXPECT_EQ(names(items),
              (std::vector<std::string>{"Blue-100", "Blue-200", "Ink", "Surface-100", "Surface-200", "Accent", "Nested"}));
    EXPECT_EQ(items[0].position, TestPosition::background);
    EXPECT_EQ(items[3].position, TestPosition::both);
    EXPECT_EQ(cssOf(items[4], ColorSource::light), "color(srgb 0.7 0.7 1)");
    EXPECT_EQ(cssOf(items[5], ColorSource::dark), "color(srgb 0.7 0.7 1)");
}

TEST(TestRunnerItems, AnAliasSetFollowsEachAppearancesOwnTarget) {
    TestProject setup;
    auto light = setup.colorSet("Light", TestPosition::foreground, {{"a", srgb(1, 1, 1)}, {"b", srgb(0.8, 0.8, 0.8)}});
    auto dark = setup.colorSet("Dark", TestPosition::foreground, {{"a", srgb(0, 0, 0)}, {"b", srgb(0.2, 0.2, 0.2)}});
    setup.assign(aliasTo("Page", AliasSetType::set(light->uuid()), AliasSetType::set(dark->uuid())),
                 TestPosition::background);
    setup.project->linkReferences();

    auto items = testedItemsOfGroup(*setup.project, *setup.group);
    ASSERT_EQ(names(items), (std::vector<std::string>{"Light-a", "Light-b", "Dark-a", "Dark-b", "Page-a", "Page-b"}));
    const struct {
        std::size_t index;
        ColorSource source;
        const char* css;
    } cases[] = {
        {4, ColorSource::light, "color(srgb 1 1 1)"},
        {4, ColorSource::dark, "color(srgb 0 0 0)"},
        {5, ColorSource::dark, "color(srgb 0.2 0.2 0.2)"},
        // No target of its own: the light value, as every appearance without a variant shows.
        {5, ColorSource::lightHighContrast, "color(srgb 0.8 0.8 0.8)"},
        {5, ColorSource::darkHighContrast, "color(srgb 0.8 0.8 0.8)"},
    };
    for (const auto& c : cases) EXPECT_EQ(cssOf(items[c.index], c.source), c.css) << c.index;
}

TEST(TestRunnerItems, AliasesThatShowNoColorContributeNothing) {
    TestProject setup;
    auto ink = setup.color("Ink", TestPosition::foreground, srgb(0, 0, 0));
    auto spacing = setup.assign(QuenzColorProjectItem::make("Spacing", std::make_shared<QuenzColorNumber>()),
                                TestPosition::both);
    setup.assign(aliasTo("Gone", AliasSetType::set("NO-SUCH-ITEM")), TestPosition::both);
    setup.assign(aliasTo("Unset", AliasSetType::notSet()), TestPosition::both);
    setup.assign(aliasTo("OfNumber", AliasSetType::item(spacing->uuid())), TestPosition::both);
    auto empty = setup.colorSet("Empty", TestPosition::both, {});
    setup.assign(aliasTo("OfEmpty", AliasSetType::set(empty->uuid())), TestPosition::both);
    // Naming a plain color as if it were a set still shows that color.
    setup.assign(aliasTo("InkAlias", AliasSetType::set(ink->uuid())), TestPosition::both);
    setup.project->linkReferences();
    EXPECT_EQ(names(testedItemsOfGroup(*setup.project, *setup.group)), (std::vector<std::string>{"Ink", "InkAlias"}));
}
