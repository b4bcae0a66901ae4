// Aliases: linking stored targets to items, and the values they show per appearance.

#include <gtest/gtest.h>

#include "ModelTestSupport.h"

namespace vantorel {
namespace {

using testing::colorItem;
using testing::colorSetItem;
using testing::groupItem;
using testing::projectWith;
using testing::srgb;

const quenz::ColorValue transparentBlack = srgb(0, 0, 0, 0);

ProjectItemPtr colorAliasItem(const std::string& uuid, AliasSetTargets targets) {
    return QuenzColorProjectItem::make(uuid, uuid, std::make_shared<QuenzColorAlias>(std::move(targets)));
}

AliasSetTargets lightOnly(AliasSetType target) { return {std::move(target), {}, {}, {}}; }

// The light color of a set step made by colorSetItem: grey level index / 10.
quenz::ColorValue stepColor(int index) {
    const double level = index / 10.0;
    return srgb(level, level, level);
}

TEST(ColorAliasResolution, LightTargetByKind) {
    struct Case {
        const char* label;
        AliasSetType target;
        std::optional<quenz::ColorValue> expectedLight;  // none: transparent black
    };
    const Case cases[] = {
        {"whole color", AliasSetType::item("red"), srgb(1, 0, 0)},
        {"color inside a group", AliasSetType::item("nested"), srgb(0, 0, 1)},
        {"set as a whole gives its middle step", AliasSetType::set("five"), stepColor(2)},
        {"set step", AliasSetType::setItem("five", 3), stepColor(3)},
        {"step beyond the end gives the first", AliasSetType::setItem("five", 7), stepColor(0)},
        {"negative step gives the first", AliasSetType::setItem("five", -1), stepColor(0)},
        {"step of an empty set", AliasSetType::setItem("empty", 0), std::nullopt},
        {"empty set as a whole", AliasSetType::set("empty"), std::nullopt},
        {"one-step set: middle missing, first used", AliasSetType::set("one"), stepColor(0)},
        {"set index on a plain color is ignored", AliasSetType::setItem("red", 4), srgb(1, 0, 0)},
        {"another alias resolves to nothing", AliasSetType::item("otherAlias"), std::nullopt},
        {"a number is not a color", AliasSetType::item("number"), std::nullopt},
        {"unknown target", AliasSetType::item("gone"), std::nullopt},
        {"not set", AliasSetType::notSet(), std::nullopt},
    };
    for (const Case& c : cases) {
        auto alias = colorAliasItem("alias", lightOnly(c.target));
        auto project = projectWith({
            colorItem("red", "red", srgb(1, 0, 0)),
            groupItem("g", "g", {colorItem("nested", "nested", srgb(0, 0, 1))}),
            colorSetItem("five", "five", {"1", "2", "3", "4", "5"}),
            colorSetItem("empty", "empty", {}),
            colorSetItem("one", "one", {"1"}),
            colorAliasItem("otherAlias", lightOnly(AliasSetType::item("red"))),
            QuenzColorProjectItem::make("number", "number", std::make_shared<QuenzColorNumber>()),
            alias,
        });
        project->linkReferences();
        const ThemeableColor resolved = project->resolvedColor(*alias->colorAlias());
        EXPECT_EQ(resolved.lightVariant, c.expectedLight.value_or(transparentBlack)) << c.label;
        EXPECT_FALSE(resolved.darkVariant()) << c.label;
        EXPECT_TRUE(resolved.name.empty()) << c.label;
    }
}

TEST(ColorAliasResolution, EachAppearanceReadsItsTargetWithLightFallback) {
    auto target = colorItem("t", "t", srgb(0.9, 0.9, 0.9));
    target->color()->setColor(ThemeableColor(srgb(0.9, 0.9, 0.9), srgb(1, 1, 1), std::nullopt, std::nullopt));
    auto darkTarget = colorItem("d", "d", srgb(0.2, 0.2, 0.2));
    darkTarget->color()->setColor(ThemeableColor(srgb(0.2, 0.2, 0.2), std::nullopt, srgb(0.1, 0.1, 0.1)));
    auto alias = colorAliasItem("alias", {AliasSetType::item("t"), AliasSetType::item("t"), AliasSetType::item("t"),
                                          AliasSetType::item("d")});
    auto project = projectWith({target, darkTarget, alias});
    project->linkReferences();
    const ThemeableColor resolved = alias->colorAlias()->resolvedColor();
    EXPECT_EQ(resolved.lightVariant, srgb(0.9, 0.9, 0.9));
    EXPECT_EQ(resolved.lightVariantHighContrast(), srgb(1, 1, 1));
    // The dark target has no dark variant: its light one is used.
    EXPECT_EQ(resolved.darkVariant(), srgb(0.9, 0.9, 0.9));
    // Dark high contrast of a target without that variant falls back to light, not dark.
    EXPECT_EQ(resolved.darkVariantHighContrast(), srgb(0.2, 0.2, 0.2));
    EXPECT_NE(resolved.uuid(), alias->colorAlias()->resolvedColor().uuid()) << "fresh identifier each time";
}

TEST(ColorAliasResolution, DeletedTargetShowsTransparentBlackUntilRestoredAndRelinked) {
    auto target = colorItem("t", "t", srgb(0.5, 0.25, 0));
    auto alias = colorAliasItem("alias", {AliasSetType::item("t"), {}, AliasSetType::item("t"), {}});
    auto project = projectWith({target, alias});
    project->linkReferences();
    EXPECT_EQ(alias->colorAlias()->referencedProjectItem(), target);

    project->setItems({alias});
    project->linkReferences();
    EXPECT_EQ(alias->colorAlias()->referencedProjectItem(), nullptr);
    EXPECT_EQ(alias->colorAlias()->aliasType(), AliasSetType::item("t")) << "stored identifier kept";
    ThemeableColor shown = alias->colorAlias()->resolvedColor();
    EXPECT_EQ(shown.lightVariant, transparentBlack);
    EXPECT_FALSE(shown.darkVariant());

    // Undo re-creates the item from its XML with the same identifier.
    project->insert({colorItem("t", "t", srgb(0.5, 0.25, 0))}, ItemPath{0});
    project->linkReferences();
    shown = alias->colorAlias()->resolvedColor();
    EXPECT_EQ(shown.lightVariant, srgb(0.5, 0.25, 0));
    EXPECT_EQ(shown.darkVariant(), srgb(0.5, 0.25, 0));
}

TEST(ColorAliasResolution, ReferencesDoNotKeepDeletedItemsAlive) {
    auto alias = colorAliasItem("alias", lightOnly(AliasSetType::item("t")));
    auto project = projectWith({colorItem("t", "t", srgb(1, 1, 1)), alias});
    project->linkReferences();
    project->setItems({alias});
    EXPECT_EQ(alias->colorAlias()->referencedProjectItem(), nullptr);
}

TEST(ColorAliasResolution, SelfReferenceResolvesToNothingWithoutLeaking) {
    auto alias = colorAliasItem("self", lightOnly(AliasSetType::item("self")));
    auto project = projectWith({alias});
    project->linkReferences();
    EXPECT_EQ(alias->colorAlias()->referencedProjectItem(), alias);
    EXPECT_EQ(alias->colorAlias()->resolvedColor().lightVariant, transparentBlack);
}

TEST(ColorAliasResolution, ResolveAliasTargetGivesItemAndIndex) {
    auto project = projectWith({colorSetItem("s", "s", {"1", "2"})});
    struct Case {
        AliasSetType target;
        bool found;
        std::optional<int> index;
    };
    const Case cases[] = {
        {AliasSetType::item("s"), true, std::nullopt},
        {AliasSetType::set("s"), true, std::nullopt},
        {AliasSetType::setItem("s", 9), true, 9},
        {AliasSetType::setItem("x", 1), false, 1},
        {AliasSetType::notSet(), false, std::nullopt},
    };
    for (const Case& c : cases) {
        const ResolvedAliasTarget resolved = project->resolveAliasTarget(c.target);
        EXPECT_EQ(resolved.item != nullptr, c.found);
        EXPECT_EQ(resolved.index, c.index);
    }
}

TEST(ValueAliasResolution, MissingTargetsGiveZeroFalseAndEmpty) {
    auto numberAlias = QuenzColorProjectItem::make(
        "na", "na", std::make_shared<QuenzColorNumberAlias>(ItemAliasTargets{ItemAliasType::item("gone")}));
    auto booleanAlias = QuenzColorProjectItem::make(
        "ba", "ba", std::make_shared<QuenzColorBooleanAlias>(ItemAliasTargets{ItemAliasType::item("string")}));
    auto stringAlias = QuenzColorProjectItem::make("sa", "sa", std::make_shared<QuenzColorStringAlias>());
    auto project = projectWith({QuenzColorProjectItem::make("string", "s", std::make_shared<QuenzColorString>(
                                                                               ThemeableString(std::string("x")))),
                                numberAlias, booleanAlias, stringAlias});
    project->linkReferences();
    EXPECT_EQ(project->resolvedValue(*numberAlias->numberAlias()), ThemeableNumber(0.0));
    EXPECT_EQ(project->resolvedValue(*booleanAlias->booleanAlias()), ThemeableBoolean(false));
    EXPECT_EQ(project->resolvedValue(*stringAlias->stringAlias()), ThemeableString(std::string()));
}

TEST(ValueAliasResolution, TargetsOfTheMatchingKindShowTheirValues) {
    auto number = QuenzColorProjectItem::make(
        "n", "n", std::make_shared<QuenzColorNumber>(ThemeableNumber(4.0, std::nullopt, 8.0)));
    auto alias = QuenzColorProjectItem::make(
        "na", "na",
        std::make_shared<QuenzColorNumberAlias>(
            ItemAliasTargets{ItemAliasType::item("n"), ItemAliasType::notSet(), ItemAliasType::item("n"),
                             ItemAliasType::item("n")}));
    auto project = projectWith({groupItem("g", "g", {number}), alias});
    project->linkReferences();
    const ThemeableNumber value = alias->numberAlias()->resolvedValue();
    EXPECT_EQ(value.lightVariant, 4.0);
    EXPECT_FALSE(value.lightVariantHighContrast());
    EXPECT_EQ(value.darkVariant(), 8.0);
    EXPECT_EQ(value.darkVariantHighContrast(), 4.0);
}

TEST(ShadowAliasResolution, SetWithoutIndexShowsTheMiddleStep) {
    std::vector<ThemeableShadow> steps;
    for (int i = 0; i < 5; ++i) steps.emplace_back(ShadowDetails(srgb(0, 0, 0, 0.5), 0, i, 2.0 * i, 0));
    SetParameters parameters;
    parameters.type = SetType::manual;
    auto set = QuenzColorProjectItem::make("ss", "ss", std::make_shared<QuenzColorShadowSet>(steps, parameters));
    auto alias = QuenzColorProjectItem::make(
        "sa", "sa", std::make_shared<QuenzColorShadowAlias>(AliasSetTargets{AliasSetType::set("ss")}));
    auto unlinked = QuenzColorProjectItem::make("u", "u", std::make_shared<QuenzColorShadowAlias>());
    auto project = projectWith({set, alias, unlinked});
    project->linkReferences();
    EXPECT_EQ(alias->shadowAlias()->resolvedValue().lightVariant.yOffset, 2);  // index trunc(0.5 * 5) = 2
    const ShadowDetails none = unlinked->shadowAlias()->resolvedValue().lightVariant;
    EXPECT_EQ(none, ShadowDetails(srgb(0, 0, 0, 0), 0, 0, 0, 0));
}

}  // namespace
}  // namespace vantorel
