// What `diff` reports for one edit of the base document, and the version bump it suggests.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "CompareFixtures.h"
#include "Vantorel/compare/DiffReport.h"
#include "Vantorel/compare/DocumentDiff.h"

namespace vantorel::compare {
namespace {

using namespace vantorel::testing;

struct DiffCase {
    const char* title;
    Edit edit;
    ChangeKind kind;
    ChangeSubject subject;
    const char* path;
    const char* property;
    VersionBump bump;
};

DocumentDiff diffAfter(const Edit& edit) {
    const auto base = baseDocument();
    return diffDocuments(format::QuenzColorFileReader::read(base), format::QuenzColorFileReader::read(edited(base, edit)));
}

TEST(DocumentDiff, EachEditIsReportedWithItsBump) {
    const DiffCase cases[] = {
        {"rename of the alias's target (the alias, which follows it by identifier, is unchanged)",
         [](auto& p) { rename(p, "C-PRIMARY", "Main"); }, ChangeKind::renamed, ChangeSubject::item,
         "Brand/Main", "name", VersionBump::major},
        {"removal", [](auto& p) { removeTopLevel(p, "N-SPACING"); }, ChangeKind::removed, ChangeSubject::item,
         "Spacing", "", VersionBump::major},
        {"addition", [](auto& p) { addToBrand(p, color("C-NEW", "New", srgb(0, 1, 0)), 2); }, ChangeKind::added,
         ChangeSubject::item, "Brand/New", "", VersionBump::minor},
        {"color value", [](auto& p) { recolor(p, "C-ACCENT", srgb(0, 0.2, 1)); }, ChangeKind::valueChanged,
         ChangeSubject::item, "Brand/Accent", "light", VersionBump::patch},
        {"dark variant added", [](auto& p) { p.itemWithId("C-ACCENT")->color()->setColor(srgb(0, 0, 0.5), ColorSource::dark); },
         ChangeKind::valueChanged, ChangeSubject::item, "Brand/Accent", "dark", VersionBump::patch},
        {"number value", [](auto& p) { p.itemWithId("N-SPACING")->number()->setValue(12, ColorSource::light); },
         ChangeKind::valueChanged, ChangeSubject::item, "Spacing", "light", VersionBump::patch},
        {"alias retarget",
         [](auto& p) {
             p.itemAtPath({3})->colorAlias()->setAliasType(AliasSetType::item("C-ACCENT"));
         },
         ChangeKind::targetChanged, ChangeSubject::item, "Link", "light", VersionBump::major},
        {"move out of a namespace",
         [](auto& p) {
             auto accent = p.itemWithId("G-BRAND")->group()->removeItemAt(1);
             p.insert({accent});
         },
         ChangeKind::moved, ChangeSubject::item, "Accent", "position", VersionBump::major},
        {"reorder inside a group",
         [](auto& p) { addToBrand(p, p.itemWithId("G-BRAND")->group()->removeItemAt(1), 0); },
         ChangeKind::moved, ChangeSubject::item, "Brand/Accent", "position", VersionBump::patch},
        {"alias moved into a namespace",
         [](auto& p) {
             auto link = p.itemAtPath({3});
             removeTopLevel(p, link->uuid());
             addToBrand(p, link, 2);
         },
         ChangeKind::moved, ChangeSubject::item, "Brand/Link", "position", VersionBump::major},
        {"alias renamed", [](auto& p) { p.itemAtPath({3})->setName("Anchor"); }, ChangeKind::renamed,
         ChangeSubject::item, "Anchor", "name", VersionBump::major},
        {"kind change",
         [](auto& p) {
             auto items = p.items();
             items[1] = QuenzColorProjectItem::make("N-SPACING", "Spacing",
                                                    std::make_shared<QuenzColorString>(ThemeableString(std::string("8px"))));
             p.setItems(items);
         },
         ChangeKind::kindChanged, ChangeSubject::item, "Spacing", "kind", VersionBump::major},
        {"deprecation", [](auto& p) { p.itemWithId("S-FONT")->string()->setDeprecated(true); }, ChangeKind::propertyChanged,
         ChangeSubject::item, "Font", "deprecated", VersionBump::patch},
        {"build task changed", [](auto& p) { p.buildGroups()[0]->tasks()[0]->setExportFileName("tokens"); },
         ChangeKind::propertyChanged, ChangeSubject::buildTask, "Web/CSS", "fileName", VersionBump::patch},
        {"test group added", [](auto& p) { p.appendTestGroup(std::make_shared<TestGroup>("Contrast")); },
         ChangeKind::added, ChangeSubject::testGroup, "Contrast", "", VersionBump::patch},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.title);
        const auto diff = diffAfter(row.edit);
        ASSERT_EQ(diff.changes.size(), 1u) << textReport(diff);
        const auto& change = diff.changes[0];
        EXPECT_EQ(change.kind, row.kind);
        EXPECT_EQ(change.subject, row.subject);
        EXPECT_EQ(change.path, row.path);
        EXPECT_EQ(change.property, row.property);
        EXPECT_EQ(diff.bump, row.bump);
        EXPECT_FALSE(diff.reason.empty());
    }
}

TEST(DocumentDiff, ColorChangesCarrySwatchesAndDistance) {
    const auto diff = diffAfter([](auto& p) { recolor(p, "C-ACCENT", srgb(0, 0.2, 1)); });
    ASSERT_EQ(diff.changes.size(), 1u);
    const auto& change = diff.changes[0];
    EXPECT_EQ(change.before, "#0000FF");
    EXPECT_EQ(change.after, "#0033FF");
    ASSERT_TRUE(change.deltaE.has_value());
    EXPECT_GT(*change.deltaE, 1.0);
    EXPECT_LT(*change.deltaE, 20.0);

    const auto markdown = markdownReport(diff);
    EXPECT_NE(markdown.find("**Suggested version bump: patch**"), std::string::npos) << markdown;
    EXPECT_NE(markdown.find("🟦"), std::string::npos) << markdown;
    const auto json = nlohmann::json::parse(jsonReport(diff));
    EXPECT_EQ(json["bump"], "patch");
    EXPECT_EQ(json["changes"][0]["change"], "valueChanged");
    EXPECT_EQ(json["changes"][0]["before"], "#0000FF");
}

TEST(DocumentDiff, TheWidestChangeDecidesTheBump) {
    const auto diff = diffAfter([](auto& p) {
        recolor(p, "C-ACCENT", srgb(0, 0.2, 1));
        addToBrand(p, color("C-NEW", "New", srgb(0, 1, 0)), 0);
        removeTopLevel(p, "S-FONT");
    });
    EXPECT_EQ(diff.changes.size(), 3u) << textReport(diff);
    EXPECT_EQ(diff.bump, VersionBump::major);
    EXPECT_EQ(diff.reason, "item 'Font' was removed");
    EXPECT_TRUE(diffAfter({}).equal());
    EXPECT_EQ(diffAfter({}).bump, VersionBump::none);
}

// Sets are compared step by step and shadows by all their numbers and their color.
TEST(DocumentDiff, SetStepsAndShadowsAreComparedPerAppearance) {
    const auto project = [](double level, double blur, std::size_t stepCount) {
        std::vector<ThemeableColor> steps;
        for (std::size_t step = 0; step < stepCount; ++step) steps.emplace_back(srgb(step == 1 ? level : 0.1, 0, 0));
        SetParameters manual;
        manual.type = SetType::manual;
        auto result = std::make_shared<QuenzColorProject>();
        result->setItems({QuenzColorProjectItem::make("SET", "Ramp", std::make_shared<QuenzColorSet>(steps, manual)),
                          QuenzColorProjectItem::make("SHADOW", "Lift",
                                                      std::make_shared<QuenzColorShadow>(ThemeableShadow(
                                                          ShadowDetails(srgb(0, 0, 0), 0, 2, blur, 0))))});
        return result;
    };
    const auto diff = diffDocuments(project(0.1, 4, 3), project(0.2, 8, 4));
    std::vector<std::string> seen;
    for (const auto& change : diff.changes) seen.push_back(change.path + " " + change.property + ": " + change.before + " → " + change.after);
    EXPECT_EQ(seen, (std::vector<std::string>{"Ramp steps: 3 → 4", "Ramp step 1 light: #1A0000 → #330000", "Ramp step 3: none → #1A0000",
                                              "Lift light: 0 2 4 0 #000000 → 0 2 8 0 #000000"}));
    EXPECT_EQ(diff.bump, VersionBump::patch);
}

}  // namespace
}  // namespace vantorel::compare
