// The template exporter: which records the items become (once each, named, converted), the
// render context, and the file it writes or the error it reports.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "ExportFixtures.h"
#include "Vantorel/build/templates/TemplateExporter.h"
#include "Vantorel/build/templates/TemplateItemCollector.h"

namespace vantorel::build {
namespace {

using namespace testing;
namespace fs = std::filesystem;

class TemplateExporterTest : public FullStopLocaleTest {
protected:

    // Renders without writing; "ERROR: message" on failure.
    static std::string rendered(const QuenzColorProject& project, const BuildTask& buildTask,
                                const std::vector<ProjectItemPtr>& items, const std::string& source) {
        TemplateExporter exporter(project, source);
        auto result = exporter.render(buildTask, items);
        return result.error ? "ERROR: " + result.error->message : result.text;
    }

    ScratchFolder scratch_;
};

const std::string namesTemplate = "{% for item in items %}{{ item.name }};{% endfor %}";

TEST_F(TemplateExporterTest, AnItemReachableTwiceAppearsOnceAtItsFirstPosition) {
    auto red = color("Red", colorValue(rgb(1, 0, 0)));
    auto blue = color("Blue", colorValue(rgb(0, 0, 1)));
    auto brand = group("Brand", {red, blue});
    auto gap = number("Gap", ThemeableNumber(8));
    auto project = projectWith({brand, gap});
    const auto plain = task(BuildFileType::customTemplate, "out");

    struct Case {
        std::vector<ProjectItemPtr> items;
        std::string expected;
    };
    const Case cases[] = {
        {{brand, red, blue, gap}, "Red;Blue;Gap;"},  // the builder's order: a group, then its assigned children
        {{blue, brand, gap}, "Blue;Red;Gap;"},
        {{gap, gap, red}, "Gap;Red;"},
        {{brand, brand}, "Red;Blue;"},
        {{}, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(rendered(*project, plain, c.items, namesTemplate), c.expected);
}

TEST_F(TemplateExporterTest, CodeNamesFollowNamespacesTransformPrefixAndSuffix) {
    auto primary = color("Primary Blue", colorValue(rgb(0, 0, 1)));
    auto core = group("Core", {primary}, true);
    auto plainGroup = group("Plain", {core}, false);
    auto brand = group("Brand", {plainGroup}, true);
    auto project = projectWith({brand});
    struct Case {
        BuildNameTransform transform;
        std::optional<std::string> prefix, suffix;
        std::string expected;
    };
    const Case cases[] = {
        {BuildNameTransform::none, "ds", std::nullopt, "dsBrandCorePrimary Blue;"},
        {BuildNameTransform::camelCase, "ds", std::nullopt, "dsbrandCorePrimaryBlue;"},
        {BuildNameTransform::kebabCase, std::nullopt, "-color", "brand-core-primary-blue-color;"},
        {BuildNameTransform::snakeCase, "", "", "brand_core_primary_blue;"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rendered(*project, task(BuildFileType::customTemplate, "out", c.transform, c.prefix, c.suffix),
                           {primary}, namesTemplate),
                  c.expected);
    }
}

TEST_F(TemplateExporterTest, EveryKindBecomesItsRecord) {
    auto red = color("Red", colorValue(rgb(1, 0, 0), rgb(0.5, 0, 0)), deprecatedFields("Use Brand"));
    auto ramp = colorSet("Ramp", {colorValue(rgb(0.1, 0.1, 0.1), std::nullopt, std::nullopt, std::nullopt, "100"),
                                  colorValue(rgb(0.9, 0.9, 0.9), std::nullopt, std::nullopt, std::nullopt, "900")});
    auto alias = colorAlias("Accent", red);
    auto gap = number("Gap", ThemeableNumber(8, std::nullopt, 12.5));
    auto gapAlias = numberAlias("Gap Alias", gap);
    auto flag = boolean("Rounded", ThemeableBoolean(true, std::nullopt, false));
    auto label = string("Label", ThemeableString("Hello", std::string("HELLO")));
    auto drop = shadow("Drop", ShadowDetails(rgb(0, 0, 0, 0.5), 0, 2, 4, 0));
    auto project = projectWith({red, ramp, alias, gap, gapAlias, flag, label, drop});

    const std::string source =
        "{% for item in items %}"
        "{{ item.name }}{% if item.deprecated %} (deprecated: {{ item.deprecatedReason }}){% endif %}:"
        "{% if item.colorItem %} color {{ item.colorItem.color.light.red }}/{{ item.colorItem.color.dark.red }}"
        "/[{{ item.colorItem.color.highContrast }}]/[{{ item.colorItem.color.name }}]{% endif %}"
        "{% if item.colorSet %} set{% for step in item.colorSet.colors %} {{ step.name }}={% colorAsCSSHexRGB "
        "step.light %}{% endfor %}{% endif %}"
        "{% if item.number %} number {{ item.number.value.light }}/{{ item.number.value.dark }}{% endif %}"
        "{% if item.boolean %} boolean {{ item.boolean.value.light }}/{{ item.boolean.value.dark }}{% endif %}"
        "{% if item.string %} string {{ item.string.value.light }}/{{ item.string.value.highContrast }}{% endif %}"
        "{% if item.shadowItem %} shadow {% shadowAsCSSBoxShadow item.shadowItem.shadow.light %}{% endif %}\n"
        "{% endfor %}";
    // Smart trim takes the spaces and the line break next to each block tag, inline ones too.
    EXPECT_EQ(rendered(*project, task(BuildFileType::customTemplate, "out"), project->items(), source),
              "Red(deprecated: Use Brand):color 1.0/0.5/[]/[]"
              "Ramp:set100=#1A1A1A900=#E6E6E6"
              "Accent:color 1.0//[]/[]"  // the alias names no dark target
              "Gap:number 8.0/12.5"
              "Gap Alias:number 8.0/12.5"
              "Rounded:boolean true/false"
              "Label:string Hello/HELLO"
              "Drop:shadow0 2px 4px 0 color(srgb 0 0 0 / 0.5)");
}

// "red green blue space" with four decimals.
std::string describe(const TemplateRGBAColor& color) {
    char text[96];
    std::snprintf(text, sizeof text, "%.4f %.4f %.4f ", color.red, color.green, color.blue);
    return text + std::string(caseName(color.colorSpace));
}

TEST_F(TemplateExporterTest, ColorsAreConvertedIntoTheTaskColorSpace) {
    // Light is Display P3 red (outside sRGB), dark is sRGB green: `original` keeps both in the
    // light color's space.
    auto wide = color("Wide", colorValue(rgb(1, 0, 0, 1, quenz::RGBSpace::displayP3), rgb(0, 1, 0)));
    auto drop = shadow("Drop", ShadowDetails(rgb(1, 0, 0, 1, quenz::RGBSpace::displayP3), 0, 1, 2, 0));
    auto project = projectWith({wide, drop});
    struct Case {
        ColorSpaceConversion conversion;
        std::string light, dark;
    };
    const Case cases[] = {
        {ColorSpaceConversion::original, "1.0000 0.0000 0.0000 displayP3", "0.4584 0.9853 0.2983 displayP3"},
        {ColorSpaceConversion::sRGB, "1.0000 0.0000 0.0000 sRGB", "0.0000 1.0000 0.0000 sRGB"},
        {ColorSpaceConversion::sRGBExtended, "1.0931 -0.2267 -0.1501 extendedSRGB",
         "0.0000 1.0000 0.0000 extendedSRGB"},
        {ColorSpaceConversion::displayP3, "1.0000 0.0000 0.0000 displayP3", "0.4584 0.9853 0.2983 displayP3"},
    };
    for (const auto& c : cases) {
        auto buildTask = task(BuildFileType::customTemplate, "out");
        buildTask.setColorSpaceConversion(c.conversion);
        auto items = collectTemplateItems(*project, buildTask, {wide, drop});
        ASSERT_EQ(items.size(), 2u);
        const auto& colors = items[0]->record<TemplateColorItem>()->field()->variants();
        EXPECT_EQ(describe(*colors.light), c.light) << displayName(c.conversion);
        ASSERT_TRUE(colors.dark);
        EXPECT_EQ(describe(**colors.dark), c.dark) << displayName(c.conversion);
        EXPECT_FALSE(colors.highContrast);
        EXPECT_FALSE(colors.darkHighContrast);
        const auto& shadows = items[1]->record<TemplateShadowItem>()->field()->variants();
        EXPECT_EQ(describe(*shadows.light->color), c.light) << "shadow colors convert alike";
        EXPECT_EQ(shadows.light->y, 1);
    }
}

// The tasks of one build share records when they name and convert alike; any difference in
// naming or color space gets records of its own, named and converted for that task.
TEST_F(TemplateExporterTest, TasksThatNameAndConvertAlikeShareRecords) {
    auto red = color("Brand Red", colorValue(rgb(1, 0, 0, 1, quenz::RGBSpace::displayP3)));
    auto project = projectWith({group("Core", {red}, true)});
    const std::vector<ProjectItemPtr> items = project->items(), sameItemsElsewhere = project->items();
    const auto kebab = task(BuildFileType::css, "a", BuildNameTransform::kebabCase, "", std::nullopt);
    auto inSRGB = kebab;
    inSRGB.setColorSpaceConversion(ColorSpaceConversion::sRGB);
    struct Case {
        BuildTask task;
        const std::vector<ProjectItemPtr>* items;
        bool shared;
        std::string name;
    };
    const Case cases[] = {
        {task(BuildFileType::scss, "b", BuildNameTransform::kebabCase), &items, true, "core-brand-red"},
        {task(BuildFileType::css, "c", BuildNameTransform::snakeCase), &items, false, "core_brand_red"},
        {task(BuildFileType::css, "d", BuildNameTransform::kebabCase, "x-"), &items, false, "x-core-brand-red"},
        {task(BuildFileType::css, "e", BuildNameTransform::kebabCase, std::nullopt, "-y"), &items, false,
         "core-brand-red-y"},
        {inSRGB, &items, false, "core-brand-red"},
        {kebab, &sameItemsElsewhere, false, "core-brand-red"},
    };
    SharedTemplateItems shared(*project);
    const auto first = shared.itemsFor(kebab, items);
    ASSERT_EQ(first.size(), 1u);
    for (const auto& c : cases) {
        const auto records = shared.itemsFor(c.task, *c.items);
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0] == first[0], c.shared) << c.name;
        EXPECT_EQ(records[0]->name(), c.name);
        EXPECT_EQ(records[0], shared.itemsFor(c.task, *c.items)[0]) << "asked again, " << c.name;
    }
    const auto& light = shared.itemsFor(inSRGB, items)[0]->record<TemplateColorItem>()->field()->variants().light;
    EXPECT_EQ(light->colorSpace, TemplateColorSpace::sRGB);
}

// Records of one build live in its arena; the next build of the same items reuses the memory
// the first one gave back, instead of asking the system for fresh pages.
TEST_F(TemplateExporterTest, ArenaRecordsMatchHeapRecordsAndTheNextBuildReusesTheirMemory) {
    auto project = projectWith({color("Red", colorValue(rgb(1, 0, 0), rgb(0.5, 0, 0)), deprecatedFields())});
    const auto kebab = task(BuildFileType::css, "a", BuildNameTransform::kebabCase);
    const auto onHeap = collectTemplateItems(*project, kebab, project->items());
    ASSERT_EQ(onHeap.size(), 1u);
    const void* firstAddress = nullptr;
    for (int build = 0; build < 2; ++build) {
        SharedTemplateItems shared(*project);
        const auto& records = shared.itemsFor(kebab, project->items());
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0]->toJSON(), onHeap[0]->toJSON());
        if (build == 0) firstAddress = records[0].get();
        EXPECT_EQ(records[0].get(), firstAddress) << "build " << build;
    }
}

TEST_F(TemplateExporterTest, RecordsSerialiseWithTheirFieldNames) {
    auto red = color("Red", colorValue(rgb(1, 0, 0), rgb(0.5, 0, 0)), deprecatedFields());
    auto ramp = colorSet("Ramp", {colorValue(rgb(0, 0, 0), std::nullopt, std::nullopt, std::nullopt, "100")});
    auto project = projectWith({red, ramp});
    auto items = collectTemplateItems(*project, task(BuildFileType::customTemplate, "out"), project->items());
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]->toJSON().dump(),
              R"({"name":"Red","deprecated":true,"colorItem":{"color":{"light":{"red":1.0,"green":0.0,"blue":0.0,)"
              R"("alpha":1.0,"colorSpace":"sRGB"},"dark":{"red":0.5,"green":0.0,"blue":0.0,"alpha":1.0,)"
              R"("colorSpace":"sRGB"},"name":""}}})");
    EXPECT_EQ(items[1]->toJSON()["colorSet"]["colors"][0]["name"], "100");
}

// Records answer every field by name, the same through `find` and `lookup`, and nothing for
// names that differ from a field only in a letter; kinds an item is not are present but empty.
TEST_F(TemplateExporterTest, RecordFieldsAnswerByExactName) {
    auto steel = std::make_shared<const TemplateRGBAColor>(0.25, 0.5, 0.75, 1, TemplateColorSpace::displayP3);
    auto drop = std::make_shared<const TemplateShadow>(1, 2, 3, 4, steel);
    auto themed = std::make_shared<const TemplateThemedColor>(
        TemplateVariants<std::shared_ptr<const TemplateRGBAColor>>{steel, std::nullopt, steel, std::nullopt, "500"});
    auto unnamed = std::make_shared<const TemplateThemedNumber>(TemplateVariants<double>{8, std::nullopt, std::nullopt, std::nullopt, std::nullopt});
    auto kind = std::make_shared<const TemplateColorItem>(themed);
    auto item = std::make_shared<const TemplateItem>("Steel", true, "Use Iron", kind);
    struct Case {
        const stencil::HostObject* record;
        std::string_view field;
        std::optional<std::string> text;  // the field's printed form; none when there is no such field
    };
    const Case cases[] = {
        {steel.get(), "red", "0.25"},          {steel.get(), "green", "0.5"},
        {steel.get(), "blue", "0.75"},         {steel.get(), "alpha", "1.0"},
        {steel.get(), "colorSpace", "displayP3"}, {steel.get(), "rex", std::nullopt},
        {steel.get(), "alphx", std::nullopt},  {steel.get(), "colorSpacE", std::nullopt},
        {drop.get(), "x", "1.0"},              {drop.get(), "y", "2.0"},
        {drop.get(), "blur", "3.0"},           {drop.get(), "spread", "4.0"},
        {drop.get(), "z", std::nullopt},       {drop.get(), "colour", std::nullopt},
        {themed.get(), "light", steel->description()}, {themed.get(), "dark", steel->description()},
        {themed.get(), "highContrast", ""},    {themed.get(), "darkHighContrast", ""},
        {themed.get(), "name", "500"},         {themed.get(), "dare", std::nullopt},
        {unnamed.get(), "name", std::nullopt}, {unnamed.get(), "light", "8.0"},
        {kind.get(), "color", themed->description()}, {kind.get(), "colors", std::nullopt},
        {item.get(), "name", "Steel"},         {item.get(), "deprecated", "true"},
        {item.get(), "deprecatedReason", "Use Iron"}, {item.get(), "colorItem", kind->description()},
        {item.get(), "colorSet", ""},          {item.get(), "number", ""},
        {item.get(), "string", ""},            {item.get(), "boolean", ""},
        {item.get(), "shadowItem", ""},        {item.get(), "shadowSet", ""},
        {item.get(), "numbers", std::nullopt}, {item.get(), "shadowIteM", std::nullopt},
        {item.get(), "nAme", std::nullopt},    {item.get(), "", std::nullopt},
    };
    for (const auto& c : cases) {
        stencil::Value holder;
        const stencil::Value* found = c.record->find(c.field, holder);
        const auto looked = c.record->lookup(c.field);
        ASSERT_EQ(found != nullptr, c.text.has_value()) << c.field;
        ASSERT_EQ(looked.has_value(), c.text.has_value()) << c.field;
        if (!c.text) continue;
        EXPECT_EQ(found->text(), *c.text) << c.field;
        EXPECT_EQ(*found, *looked) << c.field;
    }
}

TEST_F(TemplateExporterTest, ContextKeysAndSmartTrim) {
    auto red = color("Red", colorValue(rgb(1, 0, 0)));
    auto project = projectWith({red});
    const std::string source =
        "/* {{ exportFileName }} in {{ exportFileNameWithExtension }} */\n"
        ":root {\n"
        "    {% for item in items %}\n"
        "    --{{ item.name }}: {% colorAsCSSHexRGB item.colorItem.color.light %};\n"
        "    {% endfor %}\n"
        "}\n";
    // The names are the task's base and output file names (their rules are checked with the
    // task). Smart trim also takes the space between "--Red:" and the inline color tag.
    EXPECT_EQ(rendered(*project, task(BuildFileType::scss, "my.theme.css"), {red}, source),
              "/* my.theme in my.theme.css */\n:root {\n    --Red:#FF0000;\n}\n");
}

TEST_F(TemplateExporterTest, ExportWritesTheOutputFile) {
    auto red = color("Red", colorValue(rgb(1, 0, 0)));
    auto project = projectWith({red});
    const fs::path folder = scratch_.path();

    // Plain text without tags, an empty item list, and a file that stood there before.
    std::ofstream(folder / "plain.txt") << "old contents that are longer than the new ones";
    auto result = renderTemplate("Just text.\n", ExportRequest{*project, folder, folder,
                                                               task(BuildFileType::customTemplate, "plain"), {}});
    ASSERT_FALSE(result.error) << result.error->message;
    EXPECT_EQ(result.outputs, std::vector<fs::path>{folder / "plain.txt"});
    EXPECT_EQ(fileText(folder / "plain.txt"), "Just text.\n");

    TemplateExporter exporter(*project, namesTemplate);
    auto tokens = task(BuildFileType::customTemplate, "names.list");
    result = exporter.exportTask(ExportRequest{*project, folder, folder, tokens, {red}});
    ASSERT_FALSE(result.error) << result.error->message;
    EXPECT_EQ(fileText(folder / "names.list"), "Red;");
    ASSERT_EQ(exporter.itemsForExport().size(), 1u);
    EXPECT_EQ(exporter.itemsForExport()[0]->name(), "Red");
}

TEST_F(TemplateExporterTest, EngineErrorsFailTheExportWithTheEngineMessage) {
    auto project = projectWith({});
    const fs::path folder = scratch_.path();
    const struct {
        std::string source;
        std::string message;
    } cases[] = {
        {"ok\n  {% frobnicate %}", "colors:2:3: Unknown tag 'frobnicate'"},
        {"{% include \"other.stencil\" %}", "no template loader"},
        {"{% extends \"base.stencil\" %}", "no template loader"},
    };
    for (const auto& c : cases) {
        std::ofstream(folder / "colors.txt") << "earlier build";
        TemplateRenderOptions options;
        options.templateName = "colors";
        auto result = renderTemplate(
            c.source, ExportRequest{*project, folder, folder, task(BuildFileType::customTemplate, "colors"), {}},
            options);
        ASSERT_TRUE(result.error) << c.source;
        EXPECT_NE(result.error->message.find(c.message), std::string::npos) << result.error->message;
        EXPECT_TRUE(result.outputs.empty());
        EXPECT_FALSE(fs::exists(folder / "colors.txt")) << "the earlier output is removed before rendering";
    }
}

TEST_F(TemplateExporterTest, WriteFailuresAndBadFileNamesFailTheExport) {
    auto project = projectWith({});
    const fs::path folder = scratch_.path();
    fs::create_directories(folder / "taken.txt" / "inside");  // a folder where the file should go
    for (const auto& fileName : {std::string("taken"), std::string("a/b"), std::string(".."), std::string("x/")}) {
        auto result = renderTemplate(
            "text", ExportRequest{*project, folder, folder, task(BuildFileType::customTemplate, fileName), {}});
        EXPECT_TRUE(result.error) << fileName;
        EXPECT_TRUE(result.outputs.empty());
    }
    EXPECT_TRUE(fs::is_directory(folder / "taken.txt" / "inside"));
}

}  // namespace
}  // namespace vantorel::build
