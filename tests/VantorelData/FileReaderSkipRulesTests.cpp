#include <gtest/gtest.h>

#include <functional>

#include "FormatTestSupport.h"
#include "VantorelData/format/ItemElements.h"

namespace vantorel::format {
namespace {

using namespace vantorel::format::testing;

struct DocumentParts {
    std::string items;
    std::string buildGroups;
    std::string testGroups;
    std::string settings;
};

std::string documentWith(const DocumentParts& parts) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><vantorel><project><header><version>1.7</version>"
           "<description>d</description></header><settings>" +
           parts.settings + "</settings><colorItems>" + parts.items + "</colorItems><buildGroups>" +
           parts.buildGroups + "</buildGroups><testGroups>" + parts.testGroups + "</testGroups></project></vantorel>";
}

std::string colorItem(const std::string& inner, const std::string& id = "C") {
    return "<colorItem><id>" + id + "</id><name>Color</name>" + inner + "</colorItem>";
}
std::string lightRgba(const std::string& rgba) {
    return "<color><variants><variant><rgba>" + rgba + "</rgba></variant></variants></color>";
}
std::string colorSet(const std::string& block, int colors = 1) {
    std::string steps;
    for (int i = 0; i < colors; ++i) steps += lightRgba("0 0 0 1");
    return "<colorSet><id>S</id><name>Set</name>" + block + "<colors>" + steps + "</colors></colorSet>";
}
const std::string validSetBlock = "<steps>12</steps><interpolation>1</interpolation><curve>1</curve>"
                                  "<curveAmount>1.0</curveAmount><type>1</type><middle>0.5</middle><naming>1</naming>";
std::string setBlockWith(const std::string& element, const std::string& replacement) {
    std::string block = validSetBlock;
    const auto start = block.find("<" + element + ">");
    const auto end = block.find("</" + element + ">") + element.size() + 3;
    block.replace(start, end - start, replacement);
    return block;
}

ProjectItemPtr only(const QuenzColorProject& project) {
    EXPECT_EQ(project.items().size(), 1u);
    return project.items().empty() ? nullptr : project.items().front();
}

struct ItemCase {
    const char* description;
    std::string items;
    std::function<void(const QuenzColorProject&)> check;
};

TEST(FileReader, SkipsOrDefaultsMalformedItemParts) {
    const auto nothingLoads = [](const QuenzColorProject& p) { EXPECT_TRUE(p.items().empty()); };
    const ItemCase cases[] = {
        {"rgba with three numbers skips the color, the rest loads",
         colorItem(lightRgba("1 0 0"), "A") + colorItem(lightRgba("0 1 0 1"), "B"),
         [](const QuenzColorProject& p) { EXPECT_EQ(only(p)->uuid(), "B"); }},
        {"a color without light variant is skipped",
         colorItem("<color><variants><variant type=\"dark\"><rgba>0 0 0 1</rgba></variant></variants></color>"),
         nothingLoads},
        {"an unreadable first light variant makes the value unreadable",
         colorItem("<color><variants><variant><rgba>x</rgba></variant><variant><rgba>0 0 0 1</rgba></variant></variants></color>"),
         nothingLoads},
        {"variants: first of each type wins, unknown types and typeless attributes are ignored",
         colorItem("<color><variants><variant other=\"x\"><rgba>0.5 0.5 0.5 1</rgba></variant>"
                   "<variant><rgba>1 0 0 1</rgba></variant><variant><rgba>0 1 0 1</rgba></variant>"
                   "<variant type=\"dark\"><rgba>bad</rgba></variant><variant type=\"dark\"><rgba>0 0 1 1</rgba></variant>"
                   "<variant type=\"sepia\"><rgba>1 1 1 1</rgba></variant>"
                   "<variant type=\"darkHighContrast\"><rgba>0.25 0.25 0.25 1</rgba></variant></variants></color>"),
         [](const QuenzColorProject& p) {
             const auto& color = only(p)->color()->color();
             EXPECT_EQ(color.lightVariant, rgb(1, 0, 0));
             EXPECT_FALSE(color.darkVariant());  // the first dark variant is unreadable
             EXPECT_FALSE(color.lightVariantHighContrast());
             EXPECT_EQ(color.darkVariantHighContrast(), rgb(0.25, 0.25, 0.25));
         }},
        {"format 8 reads as hexRGBA, 25 and junk as floatRGBA, signs allowed",
         colorItem("<format>8</format>" + lightRgba("0 0 0 1"), "8") + colorItem("<format>25</format>" + lightRgba("0 0 0 1"), "25") +
             colorItem("<format>+3</format>" + lightRgba("0 0 0 1"), "+3") + colorItem("<format>-1</format>" + lightRgba("0 0 0 1"), "-1") +
             colorItem("<format>x</format>" + lightRgba("0 0 0 1"), "x") + colorItem(lightRgba("0 0 0 1"), "none"),
         [](const QuenzColorProject& p) {
             ASSERT_EQ(p.items().size(), 6u);
             const quenz::ColorFormat expected[] = {quenz::ColorFormat::hexRGBA, quenz::ColorFormat::floatRGBA,
                                                    quenz::ColorFormat::cssRGB,  quenz::ColorFormat::floatRGBA,
                                                    quenz::ColorFormat::floatRGBA, quenz::ColorFormat::floatRGBA};
             for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(p.items()[i]->color()->colorFormat(), expected[i]) << i;
         }},
        {"profiles choose the space of the components; unknown ones read as sRGB",
         colorItem("<profile>DisplayP3</profile>" + lightRgba("1 0 0 1"), "p3") +
             colorItem("<profile>extendedSRGB</profile>" + lightRgba("1.5 0 0 1"), "ext") +
             colorItem("<profile>CMYK</profile>" + lightRgba("1 0 0 1"), "other"),
         [](const QuenzColorProject& p) {
             ASSERT_EQ(p.items().size(), 3u);
             EXPECT_EQ(p.items()[0]->color()->colorSpace(), quenz::ColorSpace::displayP3);
             EXPECT_EQ(p.items()[0]->color()->color().lightVariant.space, quenz::RGBSpace::displayP3);
             EXPECT_EQ(p.items()[1]->color()->colorSpace(), quenz::ColorSpace::sRGBExtended);
             EXPECT_EQ(p.items()[1]->color()->color().lightVariant.space, quenz::RGBSpace::extendedSRGB);
             EXPECT_EQ(p.items()[2]->color()->colorSpace(), quenz::ColorSpace::sRGB);
         }},
        {"appearance raw strings are exact; unreadable auto contrast is 0.5",
         colorItem("<appearance>lightAndDark</appearance><autoContrast>x</autoContrast>" + lightRgba("0 0 0 1"), "A") +
             colorItem("<appearance>lightanddark</appearance><autoContrast>0.8</autoContrast>" + lightRgba("0 0 0 1"), "B"),
         [](const QuenzColorProject& p) {
             ASSERT_EQ(p.items().size(), 2u);
             EXPECT_EQ(p.items()[0]->color()->appearanceType(), AppearanceType::none);
             EXPECT_EQ(p.items()[0]->color()->autoContrastAmount(), 0.5);
             EXPECT_EQ(p.items()[1]->color()->appearanceType(), AppearanceType::lightAndDark);
             EXPECT_EQ(p.items()[1]->color()->autoContrastAmount(), 0.8);
         }},
        {"deprecated only for the text true; an empty reason is present",
         colorItem("<deprecated>TRUE</deprecated><deprecatedReason></deprecatedReason>" + lightRgba("0 0 0 1")),
         [](const QuenzColorProject& p) {
             EXPECT_FALSE(only(p)->color()->deprecated());
             EXPECT_EQ(only(p)->color()->deprecatedReason(), std::optional<std::string>(""));
         }},
        {"a set reads its steps from the colors it holds", colorSet(validSetBlock, 9),
         [](const QuenzColorProject& p) {
             EXPECT_EQ(only(p)->colorSet()->steps(), 9);
             EXPECT_EQ(only(p)->colorSet()->colors().size(), 9u);
         }},
        {"sets with an unreadable middle, an invalid interpolation, without naming or a valid type are skipped",
         colorSet(setBlockWith("middle", "<middle>half</middle>")) +
             colorSet(setBlockWith("interpolation", "<interpolation>5</interpolation>")) +
             colorSet(setBlockWith("naming", "")) + colorSet(setBlockWith("type", "<type>0</type>")),
         nothingLoads},
        {"curve and curve amount fall back to linear and 1.0",
         colorSet("<interpolation>1</interpolation><curve>9</curve><curveAmount>x</curveAmount><type>2</type>"
                  "<middle>0.5</middle><naming>1</naming>"),
         [](const QuenzColorProject& p) {
             EXPECT_EQ(only(p)->colorSet()->curveType(), CurveType::linear);
             EXPECT_EQ(only(p)->colorSet()->curveAmount(), 1.0);
         }},
        {"naming code 4 is mediumNumeric", colorSet(setBlockWith("naming", "<naming>4</naming>")),
         [](const QuenzColorProject& p) { EXPECT_EQ(only(p)->colorSet()->namingScheme(), ColorNamingScheme::mediumNumeric); }},
        {"aliases without type elements point nowhere", "<numberAlias><name>N</name></numberAlias><alias><name>C</name></alias>",
         [](const QuenzColorProject& p) {
             ASSERT_EQ(p.items().size(), 2u);
             EXPECT_EQ(p.items()[0]->numberAlias()->aliasType(), ItemAliasType::notSet());
             EXPECT_EQ(p.items()[1]->colorAlias()->aliasType(), AliasSetType::notSet());
             EXPECT_EQ(p.items()[1]->colorAlias()->darkAliasType(), AliasSetType::notSet());
         }},
        {"alias codes, missing identifiers and unreadable indexes",
         "<alias><name>C</name><type>3</type><referencedItemId>S</referencedItemId><subIndex>x</subIndex>"
         "<typeDark>1</typeDark><typeLightHighContrast>2</typeLightHighContrast><referencedItemIdLightHighContrast>S"
         "</referencedItemIdLightHighContrast><typeDarkHighContrast>7</typeDarkHighContrast></alias>"
         "<stringAlias><name>S</name><type>2</type><referencedItemId>T</referencedItemId><typeDark>1</typeDark></stringAlias>",
         [](const QuenzColorProject& p) {
             ASSERT_EQ(p.items().size(), 2u);
             const auto& alias = *p.items()[0]->colorAlias();
             EXPECT_EQ(alias.aliasType(), AliasSetType::setItem("S", 0));
             EXPECT_EQ(alias.highContrastAliasType(), AliasSetType::set("S"));
             EXPECT_EQ(alias.darkAliasType(), AliasSetType::item(""));
             EXPECT_EQ(alias.darkHighContrastAliasType(), AliasSetType::notSet());
             EXPECT_EQ(p.items()[1]->stringAlias()->aliasType(), ItemAliasType::item("T"));
             EXPECT_EQ(p.items()[1]->stringAlias()->darkAliasType(), ItemAliasType::notSet());
         }},
        {"aliases always get fresh identifiers",
         "<booleanAlias><id>KEPT?</id><name>B</name></booleanAlias>",
         [](const QuenzColorProject& p) { EXPECT_NE(only(p)->uuid(), "KEPT?"); }},
        {"items without id get a fresh one; names default to empty",
         "<numberItem><number><variants><variant><value>1</value></variant></variants></number></numberItem>",
         [](const QuenzColorProject& p) {
             EXPECT_EQ(only(p)->uuid().size(), 36u);
             EXPECT_EQ(only(p)->name(), "");
         }},
        {"number ranges read when parsable",
         "<numberItem><id>N</id><number><variants><variant><value>+1.5</value></variant></variants></number>"
         "<min>x</min><max>1e3</max><steps>2.5</steps></numberItem>",
         [](const QuenzColorProject& p) {
             const auto& number = *only(p)->number();
             EXPECT_EQ(number.value().lightVariant, 1.5);
             EXPECT_EQ(number.minValue(), std::nullopt);
             EXPECT_EQ(number.maxValue(), 1000.0);
             EXPECT_EQ(number.steps(), std::nullopt);
         }},
        {"a number variant that is not a number is unreadable",
         "<numberItem><number><variants><variant><value>1,5</value></variant></variants></number></numberItem>",
         nothingLoads},
        {"booleans are true only for the text true; strings keep blanks; a variant without value is false or empty",
         "<booleanItem><boolean><variants><variant><value>True</value></variant><variant type=\"dark\"><value>true</value>"
         "</variant></variants></boolean></booleanItem><stringItem><string><variants><variant><value>  </value></variant>"
         "<variant type=\"dark\"></variant></variants></string></stringItem>"
         "<booleanItem><boolean><variants><variant/><variant type=\"dark\"><value/></variant></variants></boolean>"
         "</booleanItem><stringItem><string><variants><variant></variant></variants></string></stringItem>",
         [](const QuenzColorProject& p) {
             ASSERT_EQ(p.items().size(), 4u);
             EXPECT_EQ(p.items()[0]->boolean()->value().lightVariant, false);
             EXPECT_EQ(p.items()[0]->boolean()->value().darkVariant(), true);
             EXPECT_EQ(p.items()[1]->string()->value().lightVariant, "  ");
             EXPECT_EQ(p.items()[1]->string()->value().darkVariant(), "");
             EXPECT_EQ(p.items()[2]->boolean()->value().lightVariant, false);
             EXPECT_EQ(p.items()[2]->boolean()->value().darkVariant(), false);
             EXPECT_EQ(p.items()[3]->string()->value().lightVariant, "");
         }},
        {"text split by comments, CDATA sections and processing instructions reads whole",
         "<stringItem><id>A<!-- one -->B</id><name><![CDATA[Na]]>me<?note x?> &amp; <![CDATA[<more>]]></name>"
         "<string><variants><variant><value>  lead<!--x-->  trail  </value></variant></variants></string>"
         "</stringItem>" + colorItem(lightRgba("0.5 <!--c-->0.25 0<![CDATA[.5]]> 1")),
         [](const QuenzColorProject& p) {
             ASSERT_EQ(p.items().size(), 2u);
             EXPECT_EQ(p.items()[0]->uuid(), "AB");
             EXPECT_EQ(p.items()[0]->name(), "Name & <more>");
             EXPECT_EQ(p.items()[0]->string()->value().lightVariant, "  lead  trail  ");
             EXPECT_EQ(p.items()[1]->color()->color().lightVariant, rgb(0.5, 0.25, 0.5));
         }},
        {"shadow variants need a color; missing numbers are 0",
         "<shadowItem><id>A</id><shadow><variants><variant><shadowDetails><y>2</y><colorRgba>0 0 0 0.5</colorRgba>"
         "</shadowDetails></variant><variant type=\"dark\"><shadowDetails><x>1</x></shadowDetails></variant>"
         "</variants></shadow></shadowItem><shadowItem><id>B</id><shadow><variants><variant><shadowDetails><x>1</x>"
         "</shadowDetails></variant></variants></shadow></shadowItem>",
         [](const QuenzColorProject& p) {
             const auto& shadow = only(p)->shadow()->shadow();
             EXPECT_EQ(shadow.lightVariant, shadowOf(0, 2, 0, 0, rgb(0, 0, 0, 0.5)));
             EXPECT_FALSE(shadow.darkVariant());
         }},
        {"elements of other names are ignored, also inside groups",
         "<comment>x</comment><group><id>G</id><name>G</name><expanded>yes</expanded><namespace>1</namespace><note/>" +
             colorItem(lightRgba("0 0 0 1")) + "</group>",
         [](const QuenzColorProject& p) {
             const auto group = only(p);
             EXPECT_FALSE(group->isExpanded());
             EXPECT_TRUE(group->group()->providesNamespace());
             ASSERT_EQ(group->group()->items().size(), 1u);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        c.check(*QuenzColorFileReader::read(documentWith({c.items, {}, {}, {}})));
    }
}

TEST(FileReader, SkipsOrDefaultsMalformedGroupsAndTasks) {
    const std::string task = "<task><name>T</name><id>K</id><folder>f</folder><fileName>n</fileName>";
    const std::string buildGroups =
        "<buildGroup><name>No id</name><expanded>1</expanded><tasks>" + task +
        "<fileType>14</fileType><nameTransform>0</nameTransform></task>" + task +
        "<fileType>text</fileType><nameTransform>0</nameTransform></task>" + task +
        "<fileType>2</fileType><nameTransform>5</nameTransform></task>" + task +
        "<fileType>2</fileType><nameTransform>1</nameTransform><format>cssLab</format>"
        "<configuration><a>1</a><empty></empty><a>2</a></configuration></task>"
        "<task><fileType>0</fileType><nameTransform>0</nameTransform><colorSpaceConversion>4</colorSpaceConversion></task>"
        "</tasks></buildGroup>";
    const std::string testGroups =
        "<testGroup><id>T</id><tests><test><name>bad</name><type>contrast</type></test>"
        "<test><type>apcaContrast</type><thresholdType>size</thresholdType><threshold>x</threshold>"
        "<fontSize>12.5</fontSize><fontWeight>800</fontWeight></test>"
        "<test><type>wcagContrast</type><thresholdType>textSize</thresholdType><threshold>3</threshold>"
        "<fontSize>18</fontSize><fontWeight>700</fontWeight></test></tests></testGroup>";
    const std::string items = colorItem("<buildGroupId></buildGroupId><testGroupId>T</testGroupId><testPosition>top"
                                        "</testPosition>" + lightRgba("0 0 0 1"), "A") +
                              colorItem("<buildGroupId>missing</buildGroupId>" + lightRgba("0 0 0 1"), "B");
    const std::string settings = "<setting><key>k</key><value>v</value></setting><setting><key>lonely</key></setting>"
                                 "<setting><key>empty</key><value></value></setting>";
    const auto project = QuenzColorFileReader::read(documentWith({items, buildGroups, testGroups, settings}));

    ASSERT_EQ(project->settings().size(), 1u);
    EXPECT_EQ(project->settings()[0]->key(), "k");

    ASSERT_EQ(project->buildGroups().size(), 1u);
    const auto& group = *project->buildGroups()[0];
    EXPECT_EQ(group.uuid(), "");
    EXPECT_TRUE(group.isExpanded());
    ASSERT_EQ(group.tasks().size(), 1u);  // bad file types, name transform and conversion are dropped
    const auto& kept = *group.tasks()[0];
    EXPECT_EQ(kept.exportFileType(), BuildFileType::scss);
    EXPECT_EQ(kept.colorSpaceConversion(), ColorSpaceConversion::original);
    EXPECT_EQ(kept.exportFormat(), std::nullopt);
    EXPECT_EQ(kept.namePrefix(), std::nullopt);
    EXPECT_EQ(kept.customData(), (CustomData{{"a", "2"}}));

    ASSERT_EQ(project->testGroups().size(), 1u);
    const auto& tests = project->testGroups()[0]->tests();
    ASSERT_EQ(tests.size(), 2u);
    EXPECT_EQ(tests[0]->taskType(), TestTaskType::apcaContrastTest);
    EXPECT_EQ(tests[0]->thresholdType(), std::nullopt);
    EXPECT_EQ(tests[0]->threshold(), std::nullopt);
    EXPECT_EQ(tests[0]->minFontSize(), std::nullopt);
    EXPECT_EQ(tests[0]->minFontWeight(), std::nullopt);
    EXPECT_EQ(tests[1]->thresholdType(), TestThresholdType::textSize);
    EXPECT_EQ(tests[1]->threshold(), 3.0);
    EXPECT_EQ(tests[1]->minFontSize(), 18);
    EXPECT_EQ(tests[1]->minFontWeight(), TestFontWeight::sevenHundred);

    ASSERT_EQ(project->items().size(), 2u);
    // An empty build group identifier is missing, so the group without id is not assigned.
    EXPECT_EQ(project->items()[0]->buildGroup(), nullptr);
    EXPECT_EQ(project->items()[0]->testGroup(), project->testGroups()[0]);
    EXPECT_EQ(project->items()[0]->testPosition(), TestPosition::both);
    EXPECT_EQ(project->items()[1]->buildGroup(), nullptr);
}

TEST(FileReader, BytesThatAreNotADocumentGiveAnEmptyProject) {
    const std::string inputs[] = {"",
                                  "not xml at all",
                                  "<vantorel><project>",
                                  "<vantorel/>",
                                  "<?xml version=\"1.0\"?><vantorel></vantorel>",
                                  "<other><colorItems/></other>",
                                  std::string("\xFF\xFE<\0v\0/\0>\0", 10)};
    for (const auto& input : inputs) {
        const auto project = QuenzColorFileReader::read(input);
        EXPECT_TRUE(project->items().empty());
        EXPECT_TRUE(project->buildGroups().empty());
        EXPECT_TRUE(project->settings().empty());
        EXPECT_EQ(project->projectDescription(), "");
    }
    EXPECT_FALSE(QuenzColorFileReader::isWellFormed("<vantorel><project>"));
    EXPECT_TRUE(QuenzColorFileReader::isWellFormed("<vantorel/>"));
}

// Aliases are linked while the tree is read; when items share an identifier the alias must
// reach the one `itemWithId` finds: depth first, a group before its children.
TEST(FileReader, AliasesReachTheFirstItemOfASharedIdentifier) {
    const auto named = [](const std::string& name, const std::string& id) {
        return "<colorItem><id>" + id + "</id><name>" + name + "</name>" + lightRgba("0 0 0 1") + "</colorItem>";
    };
    const auto group = [](const std::string& name, const std::string& id, const std::string& children) {
        return "<group><id>" + id + "</id><name>" + name + "</name>" + children + "</group>";
    };
    const auto aliasTo = [](const std::string& id) {
        return "<alias><name>A</name><type>1</type><referencedItemId>" + id + "</referencedItemId></alias>";
    };
    const std::string alias = aliasTo("X");
    // Many aliases ahead, found and not found in turn: each must keep its own answer.
    std::string manyAliases = named("other", "Y");
    for (int i = 0; i < 50; ++i) manyAliases += aliasTo(i % 3 == 0 ? "missing" : "Y");
    const struct {
        const char* description;
        std::string items;
        const char* expected;  // the name of the item the alias reaches
    } cases[] = {
        {"earlier sibling", named("first", "X") + named("second", "X") + alias, "first"},
        {"alias before its target", alias + named("only", "X"), "only"},
        {"a group comes before its children", group("outer", "X", named("inner", "X")) + alias, "outer"},
        {"a nested item comes before a later top-level one",
         group("g", "G", group("h", "H", named("deep", "X"))) + named("top", "X") + alias, "deep"},
        {"an unreadable first item leaves the identifier to the next",
         "<colorItem><id>X</id><name>broken</name></colorItem>" + named("readable", "X") + alias, "readable"},
        {"after many other aliases", manyAliases + named("target", "X") + alias, "target"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        const auto project = QuenzColorFileReader::read(documentWith({c.items, {}, {}, {}}));
        ProjectItemPtr aliasItem;
        project->forEachItem([&](const ProjectItemPtr& item) {
            const auto read = item->colorAlias();
            if (!read) return;
            aliasItem = item;
            // Every alias reaches an item with the identifier it names, or none when none has it.
            const std::string wanted = read->target(ColorSource::light).uuid;
            const ProjectItemPtr reached = read->referencedProjectItem();
            EXPECT_EQ(reached ? reached->uuid().str() : "", reached || project->itemWithId(wanted) ? wanted : "");
        });
        ASSERT_TRUE(aliasItem);
        const ProjectItemPtr reached = aliasItem->colorAlias()->referencedProjectItem();
        ASSERT_TRUE(reached);
        EXPECT_EQ(reached->name(), c.expected);
        EXPECT_TRUE(reached == project->itemWithId("X")) << "the item itemWithId finds";
    }
}

TEST(FileReader, ElementReadersKeepOrRenewIdentifiers) {
    const auto project = everyKindProject();
    pugi::xml_document scratch;
    for (const bool fresh : {false, true}) {
        SCOPED_TRACE(fresh ? "pasting" : "undo");
        const auto group = project->items().back();  // the nested group
        const auto read = QuenzColorFileReader::readItem(QuenzColorFileWriter::writeItem(*group, scratch), *project, fresh);
        ASSERT_TRUE(read);
        EXPECT_EQ(read->uuid() == group->uuid(), !fresh);
        const auto palette = read->group()->items()[0];
        EXPECT_EQ(palette->uuid() == "SET-1", !fresh);
        EXPECT_EQ(palette->buildGroup(), project->buildGroups()[0]);  // assignments always resolve

        const auto buildGroup = QuenzColorFileReader::readBuildGroup(
            QuenzColorFileWriter::writeBuildGroup(*project->buildGroups()[0], scratch), fresh);
        EXPECT_EQ(buildGroup->uuid() == "BUILD-1", !fresh);
        ASSERT_EQ(buildGroup->tasks().size(), 1u);
        EXPECT_EQ(buildGroup->tasks()[0]->uuid() == "TASK-1", !fresh);

        const auto testGroup = QuenzColorFileReader::readTestGroup(
            QuenzColorFileWriter::writeTestGroup(*project->testGroups()[0], scratch), fresh);
        EXPECT_EQ(testGroup->uuid() == "TESTGROUP-1", !fresh);
        EXPECT_EQ(testGroup->tests()[0]->uuid() == "TEST-1", !fresh);

        const auto task = QuenzColorFileReader::readBuildTask(
            QuenzColorFileWriter::writeBuildTask(*project->buildGroups()[0]->tasks()[0], scratch), fresh);
        ASSERT_TRUE(task);
        EXPECT_EQ((*task)->uuid() == "TASK-1", !fresh);
        const auto test = QuenzColorFileReader::readTestTask(
            QuenzColorFileWriter::writeTestTask(*project->testGroups()[0]->tests()[0], scratch), fresh);
        ASSERT_TRUE(test);
        EXPECT_EQ((*test)->uuid() == "TEST-1", !fresh);
    }
    EXPECT_FALSE(QuenzColorFileReader::readBuildTask(scratch.append_child("test"), false));
    EXPECT_FALSE(QuenzColorFileReader::readItem(scratch.append_child("colour"), *project, false));
}

}  // namespace
}  // namespace vantorel::format
