#include <gtest/gtest.h>

#include "FormatTestSupport.h"

namespace vantorel::format::testing {
namespace {

// Fills the variants an appearance type uses with distinct values.
ThemeableColor colorFor(AppearanceType type, std::string name = {}, quenz::RGBSpace space = quenz::RGBSpace::sRGB) {
    ThemeableColor color(rgb(0.25, 0.5, 0.75, 1, space));
    color.name = std::move(name);
    if (usesAppearance(type, ColorSource::dark)) color.setVariant(rgb(0.125, 0.25, 0.375, 1, space), ColorSource::dark);
    if (usesAppearance(type, ColorSource::lightHighContrast)) {
        color.setVariant(rgb(0.0625, 0.5, 1, 0.5, space), ColorSource::lightHighContrast);
    }
    if (usesAppearance(type, ColorSource::darkHighContrast)) {
        color.setVariant(rgb(1, 0.875, 0.75, 0.25, space), ColorSource::darkHighContrast);
    }
    return color;
}

template <class V>
Themeable<V> valueFor(AppearanceType type, V light, V dark, V lightHighContrast, V darkHighContrast) {
    Themeable<V> value(std::move(light));
    if (usesAppearance(type, ColorSource::dark)) value.setVariant(std::move(dark), ColorSource::dark);
    if (usesAppearance(type, ColorSource::lightHighContrast)) value.setVariant(std::move(lightHighContrast), ColorSource::lightHighContrast);
    if (usesAppearance(type, ColorSource::darkHighContrast)) value.setVariant(std::move(darkHighContrast), ColorSource::darkHighContrast);
    return value;
}

ThemeableShadow shadowFor(AppearanceType type, std::string name = {}, quenz::RGBSpace space = quenz::RGBSpace::sRGB) {
    const auto value = valueFor(type, shadowOf(0, 1, 2, 0, rgb(0, 0, 0, 0.25, space)),
                                shadowOf(0, 2, 4, 1, rgb(0, 0, 0, 0.5, space)),
                                shadowOf(0, 1.5, 2, 0, rgb(0, 0, 0, 0.75, space)),
                                shadowOf(-1, 2.25, 8, 2, rgb(-0.5, 0, 1.25, 1, space)));
    return ThemeableShadow(value.lightVariant, value.lightVariantHighContrast(), value.darkVariant(),
                           value.darkVariantHighContrast(), std::move(name));
}

std::string idFor(std::string_view kind, AppearanceType type) {
    return std::string(kind) + "-" + std::string(rawString(type));
}

}  // namespace

QuenzColorProjectPtr everyKindProject() {
    auto project = std::make_shared<QuenzColorProject>();
    project->setProjectDescription("Every kind of item\nin every appearance.");
    project->addSetting("DisplayMode", "bigTable");
    project->addSetting("Unknown", "kept as it is");

    BuildTaskFields css;
    css.name = "Style sheet";
    css.exportFileFolder = "build/css";
    css.exportFileName = "tokens";
    css.exportFileType = BuildFileType::css;
    css.nameTransform = BuildNameTransform::kebabCase;
    css.exportFormat = BuildExportFormat::cssOKLCH;
    css.namePrefix = "";
    css.nameSuffix = "-token";
    css.colorSpaceConversion = ColorSpaceConversion::displayP3;
    css.customData = {{"appearanceColorType", "lightDark"}, {"other", "value"}};
    auto web = std::make_shared<BuildGroup>("Web", std::vector<BuildTaskPtr>{std::make_shared<BuildTask>(css, "TASK-1")},
                                            "BUILD-1", true);
    TestTaskFields apca;
    apca.name = "Body";
    apca.taskType = TestTaskType::apcaContrastTest;
    apca.threshold = 75;
    apca.thresholdType = TestThresholdType::textSize;
    apca.minFontSize = 16;
    apca.minFontWeight = TestFontWeight::fourHundred;
    auto contrast = std::make_shared<TestGroup>(
        "Contrast",
        std::vector<TestTaskPtr>{std::make_shared<TestTask>(apca, "TEST-1"),
                                 std::make_shared<TestTask>(TestTaskFields{"Plain", TestTaskType::wcagContrastTest, {}, {}, {}, {}},
                                                            "TEST-2")},
        "TESTGROUP-1");
    project->setBuildGroups({web});
    project->setTestGroups({contrast});

    std::vector<ProjectItemPtr> top;
    auto nested = std::make_shared<QuenzColorGroup>(std::vector<ProjectItemPtr>{}, true);
    for (AppearanceType type : allAppearanceTypes) {
        const auto fields = common(type, 0.25);
        top.push_back(QuenzColorProjectItem::make(
            idFor("color", type), "Color " + std::string(rawString(type)),
            std::make_shared<QuenzColorItem>(colorFor(type), ColorPresentation{quenz::ColorSpace::sRGB,
                                                                               quenz::ColorFormat::cssOKLCH},
                                             fields)));
        top.push_back(QuenzColorProjectItem::make(
            idFor("number", type), "Number", std::make_shared<QuenzColorNumber>(valueFor(type, 1.5, 2.0, 3.0, 4.0), 0.0, 10.0, 20, fields)));
        top.push_back(QuenzColorProjectItem::make(
            idFor("boolean", type), "Boolean", std::make_shared<QuenzColorBoolean>(valueFor(type, true, false, true, false), fields)));
        top.push_back(QuenzColorProjectItem::make(
            idFor("string", type), "String",
            std::make_shared<QuenzColorString>(valueFor<std::string>(type, "light <&>", "", "  ", "dark \"hc\""), fields)));
        top.push_back(QuenzColorProjectItem::make(
            idFor("shadow", type), "Shadow",
            std::make_shared<QuenzColorShadow>(shadowFor(type, {}, quenz::RGBSpace::extendedSRGB), ColorPresentation{quenz::ColorSpace::sRGBExtended,
                                                                                  quenz::ColorFormat::hexRGBA},
                                               fields)));
    }

    SetParameters three;
    three.type = SetType::threeItems;
    three.interpolationMethod = InterpolationMethod::oklab;
    three.curveType = CurveType::lame;
    three.curveAmount = 2.5;
    three.namingScheme = ColorNamingScheme::mediumNumeric;
    three.middleLocation = 0.3;
    auto palette = QuenzColorProjectItem::make(
        "SET-1", "Palette",
        std::make_shared<QuenzColorSet>(
            std::vector<ThemeableColor>{colorFor(AppearanceType::lightAndDark, "10", quenz::RGBSpace::displayP3),
                                        colorFor(AppearanceType::lightAndDark, "20", quenz::RGBSpace::displayP3),
                                        colorFor(AppearanceType::lightAndDark, "30", quenz::RGBSpace::displayP3)},
            three, ColorPresentation{quenz::ColorSpace::displayP3, quenz::ColorFormat::cssColor},
            common(AppearanceType::lightAndDark, 0.5, true, "Use the new palette")));
    SetParameters manual;
    manual.type = SetType::manual;
    manual.interpolationMethod = InterpolationMethod::linearLegacy;
    manual.curveType = CurveType::hermite5;
    manual.curveAmount = 1.0;
    manual.namingScheme = ColorNamingScheme::manual;
    auto elevation = QuenzColorProjectItem::make(
        "SHADOWSET-1", "Elevation",
        std::make_shared<QuenzColorShadowSet>(
            std::vector<ThemeableShadow>{shadowFor(AppearanceType::none, "Low"),
                                         shadowFor(AppearanceType::lightDarkHighContrast, "High")},
            manual, ColorPresentation{}, common(AppearanceType::lightDarkHighContrast)));
    palette->setBuildGroup(web);
    palette->setTestGroup(contrast);
    palette->setTestPosition(TestPosition::background);
    nested->setItems({palette, elevation});

    auto colorAlias = std::make_shared<QuenzColorAlias>(
        AliasSetTargets{AliasSetType::setItem("SET-1", 2), AliasSetType::set("SET-1"),
                        AliasSetType::item(idFor("color", AppearanceType::none)), AliasSetType::notSet()},
        common(AppearanceType::lightDarkHighContrast));
    auto shadowAlias = std::make_shared<QuenzColorShadowAlias>(
        AliasSetTargets{AliasSetType::item(idFor("shadow", AppearanceType::none)), AliasSetType::notSet(),
                        AliasSetType::setItem("SHADOWSET-1", 1), AliasSetType::notSet()},
        common(AppearanceType::lightAndDark));
    auto numberAlias = std::make_shared<QuenzColorNumberAlias>(
        ItemAliasTargets{ItemAliasType::item(idFor("number", AppearanceType::none)), ItemAliasType::notSet(),
                         ItemAliasType::item(idFor("number", AppearanceType::lightAndDark)), ItemAliasType::notSet()},
        common(AppearanceType::lightAndDark, 0.5, true));
    auto booleanAlias = std::make_shared<QuenzColorBooleanAlias>(
        ItemAliasTargets{ItemAliasType::item(idFor("boolean", AppearanceType::none)), {}, {}, {}});
    auto stringAlias = std::make_shared<QuenzColorStringAlias>(ItemAliasTargets{}, common(AppearanceType::none, 0.5, false, "why"));
    auto aliasItem = QuenzColorProjectItem::make("ignored", "Accent", colorAlias);
    aliasItem->setTestGroup(contrast);
    aliasItem->setTestPosition(TestPosition::foreground);
    nested->appendItem(aliasItem);
    nested->appendItem(QuenzColorProjectItem::make("ignored", "Raised", shadowAlias));
    nested->appendItem(QuenzColorProjectItem::make("ignored", "Gap", numberAlias));
    nested->appendItem(QuenzColorProjectItem::make("ignored", "Flag", booleanAlias));
    nested->appendItem(QuenzColorProjectItem::make("ignored", "Label", stringAlias));
    auto emptyGroup = QuenzColorProjectItem::make("GROUP-EMPTY", "", std::make_shared<QuenzColorGroup>());
    nested->appendItem(emptyGroup);

    auto group = QuenzColorProjectItem::make("GROUP-1", "Brand", nested);
    group->setExpanded(true);
    group->setBuildGroup(web);
    top.push_back(group);
    project->setItems(std::move(top));
    project->linkReferences();
    return project;
}

}  // namespace vantorel::format::testing
