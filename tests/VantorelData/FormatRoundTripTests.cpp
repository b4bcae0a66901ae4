#include <gtest/gtest.h>

#include "FormatTestSupport.h"
#include "VantorelData/model/ItemSearch.h"
#include "tests/support/NestedGroups.h"

namespace vantorel::format {
namespace {

using namespace vantorel::format::testing;

void expectSameCommon(const QuenzValueItem& a, const QuenzValueItem& b) {
    EXPECT_EQ(a.appearanceType(), b.appearanceType());
    if (isAuto(a.appearanceType())) {
        EXPECT_EQ(a.autoContrastAmount(), b.autoContrastAmount());
    }
    EXPECT_EQ(a.deprecated(), b.deprecated());
    EXPECT_EQ(a.deprecatedReason(), b.deprecatedReason());
}

template <class Step>
void expectSameSteps(const std::vector<Step>& a, const std::vector<Step>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) EXPECT_TRUE(a[i].sameValues(b[i])) << "step " << i;
}

template <class Set>
void expectSameSet(const Set& a, const Set& b) {
    EXPECT_EQ(a.steps(), b.steps());
    EXPECT_EQ(a.type(), b.type());
    EXPECT_EQ(a.interpolationMethod(), b.interpolationMethod());
    EXPECT_EQ(a.curveType(), b.curveType());
    EXPECT_EQ(a.curveAmount(), b.curveAmount());
    EXPECT_EQ(a.namingScheme(), b.namingScheme());
    EXPECT_EQ(a.middleLocation(), b.middleLocation());
    EXPECT_EQ(a.colorSpace(), b.colorSpace());
    EXPECT_EQ(a.colorFormat(), b.colorFormat());
    expectSameSteps(a.stepValues(), b.stepValues());
}

template <class Alias>
void expectSameTargets(const Alias& a, const Alias& b) {
    for (ColorSource source : allColorSources) EXPECT_EQ(a.target(source), b.target(source));
}

void expectSameItem(const QuenzColorProjectItem& a, const QuenzColorProjectItem& b) {
    SCOPED_TRACE(a.name());
    ASSERT_EQ(a.itemType(), b.itemType());
    EXPECT_EQ(a.name(), b.name());
    const bool alias = a.colorAlias() || a.shadowAlias() || a.numberAlias() || a.booleanAlias() || a.stringAlias();
    EXPECT_EQ(a.uuid() == b.uuid(), !alias);  // aliases get fresh identifiers
    EXPECT_EQ(a.buildGroup() ? a.buildGroup()->uuid() : "-", b.buildGroup() ? b.buildGroup()->uuid() : "-");
    EXPECT_EQ(a.testGroup() ? a.testGroup()->uuid() : "-", b.testGroup() ? b.testGroup()->uuid() : "-");
    EXPECT_EQ(a.testPosition(), b.testPosition());
    if (const auto v = a.valueItem()) expectSameCommon(*v, *b.valueItem());
    switch (a.itemType()) {
        case ProjectItemType::group: {
            EXPECT_EQ(a.isExpanded(), b.isExpanded());
            EXPECT_EQ(a.group()->providesNamespace(), b.group()->providesNamespace());
            const auto& ai = a.group()->items();
            const auto& bi = b.group()->items();
            ASSERT_EQ(ai.size(), bi.size());
            for (std::size_t i = 0; i < ai.size(); ++i) expectSameItem(*ai[i], *bi[i]);
            break;
        }
        case ProjectItemType::color:
            EXPECT_TRUE(a.color()->color().sameValues(b.color()->color()));
            EXPECT_EQ(a.color()->colorFormat(), b.color()->colorFormat());
            break;
        case ProjectItemType::colorSet: expectSameSet(*a.colorSet(), *b.colorSet()); break;
        case ProjectItemType::shadowSet: expectSameSet(*a.shadowSet(), *b.shadowSet()); break;
        case ProjectItemType::shadow:
            EXPECT_TRUE(a.shadow()->shadow().sameValues(b.shadow()->shadow()));
            EXPECT_EQ(a.shadow()->colorSpace(), b.shadow()->colorSpace());
            break;
        case ProjectItemType::number:
            EXPECT_EQ(a.number()->value(), b.number()->value());
            EXPECT_EQ(a.number()->minValue(), b.number()->minValue());
            EXPECT_EQ(a.number()->maxValue(), b.number()->maxValue());
            EXPECT_EQ(a.number()->steps(), b.number()->steps());
            break;
        case ProjectItemType::boolean: EXPECT_EQ(a.boolean()->value(), b.boolean()->value()); break;
        case ProjectItemType::string: EXPECT_EQ(a.string()->value(), b.string()->value()); break;
        case ProjectItemType::colorAlias: expectSameTargets(*a.colorAlias(), *b.colorAlias()); break;
        case ProjectItemType::shadowAlias: expectSameTargets(*a.shadowAlias(), *b.shadowAlias()); break;
        case ProjectItemType::numberAlias: expectSameTargets(*a.numberAlias(), *b.numberAlias()); break;
        case ProjectItemType::booleanAlias: expectSameTargets(*a.booleanAlias(), *b.booleanAlias()); break;
        case ProjectItemType::stringAlias: expectSameTargets(*a.stringAlias(), *b.stringAlias()); break;
    }
}

TEST(FormatRoundTrip, EveryKindAndAppearanceSurvivesWriteAndRead) {
    const auto original = everyKindProject();
    const std::string bytes = bytesOf(*original);
    const auto read = QuenzColorFileReader::read(bytes);

    EXPECT_EQ(read->projectDescription(), original->projectDescription());
    ASSERT_EQ(read->settings().size(), original->settings().size());
    for (std::size_t i = 0; i < read->settings().size(); ++i) {
        EXPECT_EQ(read->settings()[i]->key(), original->settings()[i]->key());
        EXPECT_EQ(read->settings()[i]->value(), original->settings()[i]->value());
    }
    EXPECT_EQ(read->statistics(), original->statistics());
    ASSERT_EQ(read->items().size(), original->items().size());
    for (std::size_t i = 0; i < read->items().size(); ++i) expectSameItem(*original->items()[i], *read->items()[i]);

    const auto& task = *read->buildGroups().at(0)->tasks().at(0);
    EXPECT_EQ(task.fields().name, "Style sheet");
    EXPECT_EQ(task.namePrefix(), std::optional<std::string>(""));
    EXPECT_EQ(task.nameSuffix(), std::optional<std::string>("-token"));
    EXPECT_EQ(task.exportFormat(), BuildExportFormat::cssOKLCH);
    EXPECT_EQ(task.colorSpaceConversion(), ColorSpaceConversion::displayP3);
    EXPECT_EQ(task.customData(), original->buildGroups()[0]->tasks()[0]->customData());
    EXPECT_TRUE(read->buildGroups()[0]->isExpanded());
    const auto& test = *read->testGroups().at(0)->tests().at(0);
    EXPECT_EQ(test.fields().threshold, 75.0);
    EXPECT_EQ(test.minFontSize(), 16);
    EXPECT_EQ(test.minFontWeight(), TestFontWeight::fourHundred);
    EXPECT_EQ(test.thresholdType(), TestThresholdType::textSize);

    // Aliases find their targets again after reading.
    const auto accent = read->items().back()->group()->items().at(2);
    ASSERT_TRUE(accent->colorAlias());
    EXPECT_EQ(accent->colorAlias()->referencedProjectItem(), read->itemWithId("SET-1"));
    EXPECT_EQ(accent->colorAlias()->referencedSetIndex(), 2);

    EXPECT_EQ(bytesOf(*read), bytes);
}

TEST(FormatRoundTrip, OkSpacesAreStoredAsDisplayP3) {
    for (quenz::ColorSpace space : {quenz::ColorSpace::oklch, quenz::ColorSpace::oklab}) {
        QuenzColorProject project;
        project.setItems({QuenzColorProjectItem::make(
            "C", "Ok", std::make_shared<QuenzColorItem>(ThemeableColor(rgb(0.5, 0.25, 1, 1, quenz::RGBSpace::displayP3)),
                                                        ColorPresentation{space, quenz::ColorFormat::cssOKLCH}))});
        const std::string bytes = bytesOf(project);
        EXPECT_NE(bytes.find("<profile>DisplayP3</profile>"), std::string::npos);
        const auto read = QuenzColorFileReader::read(bytes);
        EXPECT_EQ(read->items()[0]->color()->colorSpace(), quenz::ColorSpace::displayP3);
        EXPECT_EQ(read->items()[0]->color()->color().lightVariant, rgb(0.5, 0.25, 1, 1, quenz::RGBSpace::displayP3));
    }
}

TEST(FormatRoundTrip, RoundedNumbersReadBackAsWritten) {
    QuenzColorProject project;
    auto item = std::make_shared<QuenzColorItem>(ThemeableColor(rgb(0.123456, 1.0, 0.5, 1)), ColorPresentation{},
                                                 common(AppearanceType::highContrastAuto, 0.333));
    project.setItems({QuenzColorProjectItem::make("C", "C", item),
                      QuenzColorProjectItem::make("N", "N", std::make_shared<QuenzColorNumber>(ThemeableNumber(2.71828)))});
    const auto read = QuenzColorFileReader::read(bytesOf(project));
    EXPECT_EQ(read->items()[0]->color()->color().lightVariant.red, 0.12346);
    EXPECT_EQ(read->items()[0]->color()->autoContrastAmount(), 0.33);
    EXPECT_EQ(read->items()[1]->number()->value().lightVariant, 2.7183);
}

// Groups nest to any depth: reading, writing, the model's lookups and dropping the tree walk it
// without recursion, and nothing inside is lost.
TEST(FormatRoundTrip, DeeplyNestedGroupsSurviveWholly) {
    using vantorel::testing::deepNesting;
    const std::string bytes = bytesOf(*vantorel::testing::nestedGroupsProject(deepNesting));
    const auto read = QuenzColorFileReader::read(bytes);
    const auto [deep, groups] = vantorel::testing::innermost(read->items());
    ASSERT_TRUE(deep);
    EXPECT_EQ(groups, deepNesting);
    EXPECT_EQ(deep->uuid(), "DEEP");
    EXPECT_EQ(rewritten(bytes), bytes);
    // Indentation stops growing, so the file grows with the depth, not its square.
    EXPECT_LT(bytes.size(), deepNesting * 400);

    EXPECT_EQ(read->statistics().groupCount, static_cast<int>(deepNesting));
    EXPECT_EQ(read->itemWithId("DEEP"), deep);
    EXPECT_EQ(read->indexPath("DEEP").value_or(ItemPath{}).size(), deepNesting + 1);
    EXPECT_EQ(read->itemAtPath(*read->indexPath("DEEP")), deep);
    EXPECT_TRUE(matchesSearch(*read->items()[0], "deep"));
    EXPECT_EQ(read->itemsInBuildGroup(*read->buildGroups()[0]), std::vector<ProjectItemPtr>{deep});
    EXPECT_EQ(read->items()[1]->colorAlias()->resolvedColor().lightVariant, rgb(1, 0.5, 0));
    read->linkReferences();
    EXPECT_EQ(read->items()[1]->colorAlias()->resolvedColor().lightVariant, rgb(1, 0.5, 0));
}

TEST(FormatRoundTrip, ShippedDocumentsAreInCanonicalForm) {
    const std::string paths[] = {std::string(VANTOREL_SOURCE_DIR) + "/examples/Showcase.vantorel",
                                 std::string(VANTOREL_SOURCE_DIR) + "/resources/Defaults/Default.vantorel"};
    for (const auto& path : paths) {
        SCOPED_TRACE(path);
        const std::string bytes = fileContents(path);
        ASSERT_FALSE(bytes.empty());
        EXPECT_EQ(rewritten(bytes), bytes);
    }
}

TEST(FormatRoundTrip, ShowcaseHoldsEveryKindOfItem) {
    const auto project = QuenzColorFileReader::read(fileContents(std::string(VANTOREL_SOURCE_DIR) + "/examples/Showcase.vantorel"));
    const auto counts = project->statistics();
    const int each[] = {counts.colorItemCount, counts.colorSetCount,   counts.colorAliasCount,   counts.groupCount,
                        counts.numberCount,    counts.numberAliasCount, counts.booleanCount,     counts.booleanAliasCount,
                        counts.stringCount,    counts.stringAliasCount, counts.shadowCount,      counts.shadowSetCount,
                        counts.shadowAliasCount};
    for (int count : each) EXPECT_GT(count, 0);
    EXPECT_FALSE(project->buildGroups().empty());
    EXPECT_FALSE(project->testGroups().empty());
    // Every alias finds its light target.
    project->forEachItem([](const ProjectItemPtr& item) {
        const bool isAlias = item->colorAlias() || item->shadowAlias() || item->numberAlias() || item->booleanAlias() ||
                             item->stringAlias();
        if (!isAlias) return;
        const auto value = item->valueItem();
        std::shared_ptr<QuenzColorProjectItem> target;
        if (auto alias = item->colorAlias()) target = alias->referencedProjectItem();
        if (auto alias = item->shadowAlias()) target = alias->referencedProjectItem();
        if (auto alias = item->numberAlias()) target = alias->referencedProjectItem();
        if (auto alias = item->booleanAlias()) target = alias->referencedProjectItem();
        if (auto alias = item->stringAlias()) target = alias->referencedProjectItem();
        EXPECT_TRUE(target) << item->name();
    });
}

}  // namespace
}  // namespace vantorel::format
