#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <sstream>

#include "FormatTestSupport.h"

namespace vantorel::format {
namespace {

using namespace vantorel::format::testing;

constexpr const char* smallDocument = R"(<?xml version="1.0" encoding="utf-8"?>
<vantorel xmlns="https://vantorel.app/schema/document" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" xsi:schemaLocation="https://vantorel.app/schema/document/vantorel-1.7.xsd">
  <project>
    <header>
      <version>1.7</version>
      <description>Tokens &amp; more</description>
    </header>
    <settings>
      <setting>
        <key>DisplayMode</key>
        <value>table</value>
      </setting>
    </settings>
    <colorItems>
      <group>
        <id>G-1</id>
        <name>Brand</name>
        <expanded>1</expanded>
        <namespace>1</namespace>
        <colorItem>
          <id>C-1</id>
          <name>Primary</name>
          <profile>DisplayP3</profile>
          <format>10</format>
          <appearance>highContrastAuto</appearance>
          <autoContrast>0.33</autoContrast>
          <deprecated>true</deprecated>
          <deprecatedReason>Use Accent</deprecatedReason>
          <color>
            <variants>
              <variant>
                <rgba>1 0.5 0.12346 1</rgba>
              </variant>
              <variant type="highContrast">
                <rgba>0.2 0.1 0 1</rgba>
              </variant>
            </variants>
          </color>
          <buildGroupId>B-1</buildGroupId>
          <testGroupId>T-1</testGroupId>
          <testPosition>foreground</testPosition>
        </colorItem>
      </group>
      <numberAlias>
        <name>Gap</name>
        <type>2</type>
        <referencedItemId>N-1</referencedItemId>
      </numberAlias>
      <numberItem>
        <id>N-1</id>
        <name>Space</name>
        <number>
          <variants>
            <variant>
              <value>2.7183</value>
            </variant>
          </variants>
        </number>
        <min>0</min>
        <steps>4</steps>
      </numberItem>
      <colorSet>
        <id>S-1</id>
        <name>Ramp</name>
        <profile>sRGB</profile>
        <format>0</format>
        <steps>2</steps>
        <interpolation>3</interpolation>
        <curve>2</curve>
        <curveAmount>1.0</curveAmount>
        <type>1</type>
        <middle>0.5</middle>
        <naming>2</naming>
        <colors>
          <color>
            <name>100</name>
            <variants>
              <variant>
                <rgba>0 0 0 1</rgba>
              </variant>
            </variants>
          </color>
          <color>
            <name>200</name>
            <variants>
              <variant>
                <rgba>1 1 1 1</rgba>
              </variant>
            </variants>
          </color>
        </colors>
      </colorSet>
      <alias>
        <name>Accent</name>
        <type>3</type>
        <typeDark>2</typeDark>
        <appearance>lightanddark</appearance>
        <referencedItemId>S-1</referencedItemId>
        <subIndex>1</subIndex>
        <referencedItemIdDark>S-1</referencedItemIdDark>
      </alias>
    </colorItems>
    <buildGroups>
      <buildGroup>
        <id>B-1</id>
        <name>Web</name>
        <tasks>
          <task>
            <name>CSS</name>
            <id>K-1</id>
            <folder>build/css</folder>
            <fileName>tokens</fileName>
            <fileType>1</fileType>
            <nameTransform>4</nameTransform>
            <colorSpaceConversion>0</colorSpaceConversion>
            <format>cssColor</format>
            <namePrefix></namePrefix>
            <configuration>
              <appearanceColorType>lightDark</appearanceColorType>
            </configuration>
          </task>
        </tasks>
      </buildGroup>
    </buildGroups>
    <testGroups>
      <testGroup>
        <id>T-1</id>
        <name>Contrast</name>
        <tests>
          <test>
            <name>Body text</name>
            <id>X-1</id>
            <type>wcagContrast</type>
            <thresholdType>luminosity</thresholdType>
            <threshold>4.5</threshold>
          </test>
        </tests>
      </testGroup>
    </testGroups>
  </project>
</vantorel>
)";

QuenzColorProjectPtr smallProject() {
    auto project = std::make_shared<QuenzColorProject>();
    project->setProjectDescription("Tokens & more");
    project->addSetting("DisplayMode", "table");

    BuildTaskFields css;
    css.name = "CSS";
    css.exportFileFolder = "build/css";
    css.exportFileName = "tokens";
    css.exportFileType = BuildFileType::css;
    css.nameTransform = BuildNameTransform::kebabCase;
    css.exportFormat = BuildExportFormat::cssColor;
    css.namePrefix = "";
    css.customData = {{"appearanceColorType", "lightDark"}};
    auto web = std::make_shared<BuildGroup>("Web", std::vector<BuildTaskPtr>{std::make_shared<BuildTask>(css, "K-1")}, "B-1");
    TestTaskFields wcag;
    wcag.name = "Body text";
    wcag.taskType = TestTaskType::wcagContrastTest;
    wcag.threshold = 4.5;
    wcag.thresholdType = TestThresholdType::luminosity;
    auto contrast = std::make_shared<TestGroup>("Contrast", std::vector<TestTaskPtr>{std::make_shared<TestTask>(wcag, "X-1")}, "T-1");
    project->setBuildGroups({web});
    project->setTestGroups({contrast});

    ThemeableColor primaryColor(rgb(1, 0.5, 0.123456, 1, quenz::RGBSpace::displayP3));
    primaryColor.setVariant(rgb(0.2, 0.1, 0, 1, quenz::RGBSpace::displayP3), ColorSource::lightHighContrast);
    auto primary = QuenzColorProjectItem::make(
        "C-1", "Primary",
        std::make_shared<QuenzColorItem>(primaryColor, ColorPresentation{quenz::ColorSpace::oklch, quenz::ColorFormat::hexRGBA},
                                         common(AppearanceType::highContrastAuto, 0.333, true, "Use Accent")));
    primary->setBuildGroup(web);
    primary->setTestGroup(contrast);
    primary->setTestPosition(TestPosition::foreground);
    auto brand = QuenzColorProjectItem::make("G-1", "Brand", std::make_shared<QuenzColorGroup>(std::vector<ProjectItemPtr>{primary}, true));
    brand->setExpanded(true);

    auto gap = QuenzColorProjectItem::make(
        "ignored", "Gap", std::make_shared<QuenzColorNumberAlias>(ItemAliasTargets{ItemAliasType::item("N-1"), {}, {}, {}}));
    auto space = QuenzColorProjectItem::make("N-1", "Space",
                                             std::make_shared<QuenzColorNumber>(ThemeableNumber(2.71828), 0.0, std::nullopt, 4));
    SetParameters parameters;
    parameters.interpolationMethod = InterpolationMethod::oklch;
    parameters.curveType = CurveType::cosine;
    parameters.namingScheme = ColorNamingScheme::largeNumeric;
    auto ramp = QuenzColorProjectItem::make(
        "S-1", "Ramp",
        std::make_shared<QuenzColorSet>(
            std::vector<ThemeableColor>{ThemeableColor(rgb(0, 0, 0), {}, {}, {}, "100"), ThemeableColor(rgb(1, 1, 1), {}, {}, {}, "200")},
            parameters));
    auto accent = QuenzColorProjectItem::make(
        "ignored", "Accent",
        std::make_shared<QuenzColorAlias>(
            AliasSetTargets{AliasSetType::setItem("S-1", 1), AliasSetType::notSet(), AliasSetType::set("S-1"), AliasSetType::notSet()},
            common(AppearanceType::lightAndDark)));
    project->setItems({brand, gap, space, ramp, accent});
    project->linkReferences();
    return project;
}

// Written from the model and read then written again, the bytes are the same whatever the
// user's global locale.
TEST(FileWriter, WritesTheExactBytesOfASmallDocumentInAnyLocale) {
    for (const bool decimalComma : {false, true}) {
        SCOPED_TRACE(decimalComma ? "decimal comma locale" : "classic locale");
        const std::locale previous = std::locale::global(
            decimalComma ? std::locale(std::locale::classic(), new DecimalComma) : std::locale::classic());
        const std::string written = bytesOf(*smallProject()), again = rewritten(smallDocument);
        std::locale::global(previous);
        EXPECT_EQ(written, smallDocument);
        EXPECT_EQ(again, smallDocument);
    }
}

TEST(FileWriter, ElementWritersPrintAsInTheDocument) {
    const auto project = everyKindProject();
    const std::string document = bytesOf(*project);
    auto printed = [](const pugi::xml_node& element, int depth) {
        std::ostringstream out;
        element.print(out, "  ", pugi::format_indent, pugi::encoding_utf8, static_cast<unsigned>(depth));
        return out.str();
    };
    pugi::xml_document scratch;
    for (const auto& item : project->items()) {
        const pugi::xml_node element = QuenzColorFileWriter::writeItem(*item, scratch);
        ASSERT_TRUE(element);
        const std::string text = printed(element, 3);
        EXPECT_NE(document.find(text), std::string::npos) << text;
        EXPECT_EQ(QuenzColorFileWriter::itemText(*item), printed(element, 0));
    }
    for (const auto& group : project->buildGroups()) {
        EXPECT_NE(document.find(printed(QuenzColorFileWriter::writeBuildGroup(*group, scratch), 3)), std::string::npos);
    }
    for (const auto& group : project->testGroups()) {
        EXPECT_NE(document.find(printed(QuenzColorFileWriter::writeTestGroup(*group, scratch), 3)), std::string::npos);
    }
}

TEST(FileWriter, TextThatIsNotUtf8IsAnEncodingError) {
    const std::string invalid[] = {"bad \xFF byte", std::string("nul\0inside", 10)};
    for (const auto& text : invalid) {
        QuenzColorProject project;
        project.setProjectDescription(text);
        const auto written = QuenzColorFileWriter::write(project);
        ASSERT_TRUE(written.error);
        EXPECT_EQ(written.error->kind, DocumentWriteError::Kind::encoding);
        EXPECT_TRUE(written.bytes.empty());
    }
}

TEST(FileWriter, UnwritableNumbersFollowTheirFallbacks) {
    QuenzColorProject project;
    const double huge = 1e120;
    project.setItems({QuenzColorProjectItem::make("N", "Huge", std::make_shared<QuenzColorNumber>(ThemeableNumber(huge), huge))});
    const std::string bytes = bytesOf(project);
    EXPECT_NE(bytes.find("<value>0</value>"), std::string::npos);  // a number variant falls back to 0
    EXPECT_NE(bytes.find("<min></min>"), std::string::npos);       // elsewhere the text is empty
}

TEST(FileWriter, CustomDataKeysThatCannotBeElementNamesAreLeftOut) {
    BuildTaskFields fields;
    fields.customData = {{"ok-key.1", "a"}, {"", "b"}, {"1st", "c"}, {"has space", "d"}};
    QuenzColorProject project;
    project.setBuildGroups({std::make_shared<BuildGroup>("G", std::vector<BuildTaskPtr>{std::make_shared<BuildTask>(fields)})});
    const auto reread = QuenzColorFileReader::read(bytesOf(project));
    ASSERT_EQ(reread->buildGroups().size(), 1u);
    ASSERT_EQ(reread->buildGroups()[0]->tasks().size(), 1u);
    EXPECT_EQ(reread->buildGroups()[0]->tasks()[0]->customData(), (CustomData{{"ok-key.1", "a"}}));
}

}  // namespace
}  // namespace vantorel::format
