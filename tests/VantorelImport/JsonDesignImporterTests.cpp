// The design-token reader: what each token becomes, runs into sets, mode groups into
// appearance variants, and the lenient reading of other tools' files.

#include <gtest/gtest.h>

#include "Vantorel/import/JsonDesignImporter.h"
#include "tests/VantorelImport/ImportTestSupport.h"

namespace vantorel::import {
namespace {

using testing::describe;

struct TokenCase {
    const char* what;
    std::string json;
    std::string expected;  // describe() of the import group's children
};

std::string colors(int count) {
    std::string json = "{\"ramp\":{";
    for (int i = 0; i < count; ++i) {
        json += fmt::format("{}\"c{:02}\":{{\"$type\":\"color\",\"$value\":{{\"hex\":\"#0000{:02X}\"}}}}",
                            i ? "," : "", i, i);
    }
    return json + "}}";
}

std::string imported(const std::string& json, bool lenient) {
    QuenzColorGroup group;
    const auto error = JsonDesignImporter(ImportOptions{lenient}).importText(json, group);
    if (error) return "error: " + error->description;
    return describe(group.items());
}

const char* const red = R"({"colorSpace":"srgb","components":[1,0,0]})";
const char* const green = R"({"colorSpace":"srgb","components":[0,1,0]})";

const TokenCase documentedCases[] = {
    {"a Display P3 color",
     R"({"a":{"$type":"color","$value":{"colorSpace":"display-p3","components":[1,0,0]}}})", "a=p3#FF0000"},
    {"alpha, and any other space read as sRGB",
     R"({"a":{"$type":"color","$value":{"colorSpace":"oklch","components":[1,0,0],"alpha":0.5}}})",
     "a=#FF000080"},
    {"short components count as 0",
     R"({"a":{"$type":"color","$value":{"colorSpace":"srgb","components":[1]}}})", "a=#FF0000"},
    {"hex when space or components are missing", R"({"a":{"$type":"color","$value":{"hex":"#00FF00"}}})",
     "a=#00FF00"},
    {"a color without space, components or hex is skipped", R"({"a":{"$type":"color","$value":{"x":1}}})",
     ""},
    {"color text and references are not color values",
     R"({"a":{"$type":"color","$value":"#FF0000"},"b":{"$type":"color","$value":"{a}"}})", ""},
    {"numbers, and a number of the wrong kind",
     R"({"n":{"$type":"number","$value":4.5},"m":{"$type":"number","$value":"4"}})", "n=4.5"},
    {"strings and booleans only without a type",
     R"({"s":{"$type":"string","$value":"x"},"t":{"$value":"x"},"u":{"$value":false}})", "t=\"x\",u=false"},
    {"unsupported types are skipped", R"({"d":{"$type":"dimension","$value":"4px"}})", ""},
    {"shadows: px texts, and numbers count as 0",
     R"({"s":{"$type":"shadow","$value":{"color":"#FF0000","offsetX":"1px","offsetY":"2px","blur":"4px","spread":"0.5px"}},
         "t":{"$type":"shadow","$value":{"color":"#000000","blur":4}},"u":{"$type":"shadow","$value":{"blur":"4px"}}})",
     "s=shadow(1,2,4,0.5,#FF0000),t=shadow(0,0,0,0,#000000)"},
    {"deprecation as flag or reason",
     R"({"a":{"$type":"number","$value":1,"$deprecated":true},"b":{"$type":"number","$value":2,"$deprecated":"old"},
         "c":{"$type":"number","$value":3,"$deprecated":""}})",
     "a=1!,b=2!old,c=3"},
    {"keys in ascending order, groups nested",
     R"({"b":{"x":{"$value":true}},"a":{"$value":"1"},"B":{"$value":"2"}})", "B=\"2\",a=\"1\",b[x=true]"},
    {"four colors become a set named after the group",
     fmt::format(R"({{"g":{{"a":{{"$type":"color","$value":{0}}},"b":{{"$type":"color","$value":{1}}},
                  "c":{{"$type":"color","$value":{0}}},"d":{{"$type":"color","$value":{1}}}}}}})",
                 red, green),
     "g={a=#FF0000,b=#00FF00,c=#FF0000,d=#00FF00}"},
    {"two colors stay a group",
     fmt::format(R"({{"g":{{"a":{{"$type":"color","$value":{0}}},"b":{{"$type":"color","$value":{1}}}}}}})",
                 red, green),
     "g[a=#FF0000,b=#00FF00]"},
    {"a run with another kind stays a group",
     fmt::format(R"({{"g":{{"a":{{"$type":"color","$value":{0}}},"b":{{"$type":"color","$value":{0}}},
                  "c":{{"$type":"color","$value":{0}}},"n":{{"$type":"number","$value":1}}}}}})",
                 red),
     "g[a=#FF0000,b=#FF0000,c=#FF0000,n=1]"},
    {"shadows become a shadow set",
     R"({"e":{"1":{"$type":"shadow","$value":{"color":"#000000","blur":"2px"}},"2":{"$type":"shadow","$value":{"color":"#000000","blur":"8px"}}}})",
     "e={1=shadow(0,0,2,0,#000000),2=shadow(0,0,8,0,#000000)}"},
    {"light and dark fold into variants",
     fmt::format(R"({{"Light":{{"a":{{"$type":"color","$value":{0}}},"n":{{"$type":"number","$value":1}}}},
                  "Dark":{{"a":{{"$type":"color","$value":{1}}},"n":{{"$type":"number","$value":2}},"x":{{"$value":"gone"}}}}}})",
                 red, green),
     "a=#FF0000/dark#00FF00@lightanddark,n=1/dark2@lightanddark"},
    {"high contrast with dark, dark high contrast, in nested groups",
     fmt::format(
         R"({{"light":{{"g":{{"a":{{"$type":"color","$value":{0}}}}}}},"dark":{{"g":{{"a":{{"$type":"color","$value":{1}}}}}}},
                  "high contrast":{{"g":{{"a":{{"$type":"color","$value":{1}}}}}}}}})",
         red, green),
     "g[a=#FF0000/dark#00FF00/hc#00FF00/dhc#FF0000@lightDarkHighContrast]"},
    {"high contrast alone",
     fmt::format(
         R"({{"Light":{{"a":{{"$type":"color","$value":{0}}}}},"High Contrast":{{"a":{{"$type":"color","$value":{1}}}}}}})",
         red, green),
     "a=#FF0000/hc#00FF00@highContrast"},
    {"a kind that differs from light is dropped",
     fmt::format(
         R"({{"Light":{{"a":{{"$type":"color","$value":{0}}}}},"Dark":{{"a":{{"$type":"number","$value":1}}}}}})",
         red),
     "a=#FF0000"},
    {"the light group stays beside other groups",
     R"({"Light":{"n":{"$type":"number","$value":1}},"Dark":{"n":{"$type":"number","$value":2}},"Other":{"m":{"$value":true}}})",
     "Light[n=1/dark2@lightanddark],Other[m=true]"},
    {"runs fold by step name, whichever mode made a set of them",
     fmt::format(R"({{"Light":{{"g":{{"a":{{"$type":"color","$value":{0}}},"b":{{"$type":"color","$value":{0}}},
                  "c":{{"$type":"color","$value":{0}}}}},"e":{{"a":{{"$type":"color","$value":{0}}}}}}},
                  "Dark":{{"g":{{"b":{{"$type":"color","$value":{1}}}}},"e":{{"a":{{"$type":"color","$value":{1}}},
                  "x":{{"$type":"color","$value":{1}}},"y":{{"$type":"color","$value":{1}}}}}}}}})",
                 red, green),
     "e[a=#FF0000/dark#00FF00@lightanddark],g={a=#FF0000,b=#FF0000/dark#00FF00,c=#FF0000}@lightanddark"},
    {"without light nothing folds", R"({"Dark":{"n":{"$type":"number","$value":2}}})", "Dark[n=2]"},
    {"a root that is not an object imports nothing", "[1, 2]", ""},
    {"bytes that are not JSON fail",
     "{\"a\":", "error: The data couldn't be read because it isn't in the correct format."},
};

TEST(JsonDesignImporter, ReadsTheDocumentedForm) {
    for (const TokenCase& test : documentedCases) {
        EXPECT_EQ(imported(test.json, false), test.expected) << test.what;
    }
}

TEST(JsonDesignImporter, RunsOfThreeToThirtyTwoColorsBecomeSets) {
    EXPECT_EQ(imported(colors(3), false).substr(0, 6), "ramp={");
    EXPECT_EQ(imported(colors(32), false).substr(0, 6), "ramp={");
    EXPECT_EQ(imported(colors(33), false).substr(0, 5), "ramp[");
}

const TokenCase lenientCases[] = {
    {"color text of any form",
     R"j({"a":{"$type":"color","$value":"#FF0000"},"b":{"$type":"color","$value":"rgb(0 0 255)"}})j",
     "a=#FF0000,b=#0000FF"},
    {"types inherited from groups; $ keys are no groups",
     R"({"g":{"$type":"color","$description":"x","$extensions":{"k":{"$value":"v"}},"a":{"$value":"#00FF00"}}})",
     "g[a=#00FF00]"},
    {"dimensions as numbers",
     R"({"d":{"$type":"dimension","$value":{"value":4,"unit":"px"}},"e":{"$type":"dimension","$value":"1.5rem"}})",
     "d=4,e=1.5"},
    {"oklch value objects and components given as none",
     R"({"a":{"$type":"color","$value":{"colorSpace":"oklch","components":[1,"none",0]}}})", "a=x#FFFFFF"},
    {"an unresolved reference stays as its text", R"({"a":{"$type":"color","$value":"{missing.token}"}})",
     "a=\"{missing.token}\""},
    {"text of other types stays as strings", R"({"f":{"$type":"fontFamily","$value":"Inter"}})",
     "f=\"Inter\""},
    {"the documented form still reads", fmt::format(R"({{"a":{{"$type":"color","$value":{}}}}})", red),
     "a=#FF0000"},
};

TEST(JsonDesignImporter, LenientReadingTakesOtherToolsFiles) {
    for (const TokenCase& test : lenientCases) {
        EXPECT_EQ(imported(test.json, true), test.expected) << test.what;
    }
}

TEST(JsonDesignImporter, LenientReferencesBecomeAliasesOfWhatTheyName) {
    QuenzColorGroup group;
    const std::string json = fmt::format(
        R"({{"base":{{"$type":"color","a":{{"$value":{0}}},"b":{{"$value":{0}}},"c":{{"$value":{0}}}}},
            "size":{{"$type":"number","$value":4}},
            "use":{{"step":{{"$value":"{{base.b}}"}},"same":{{"$value":"{{size}}"}},"chain":{{"$value":"{{use.same}}"}}}}}})",
        red);
    ASSERT_FALSE(JsonDesignImporter(ImportOptions{true}).importText(json, group));
    ASSERT_EQ(describe(group.items()),
              "base={a=#FF0000,b=#FF0000,c=#FF0000},size=4,use[chain->alias,same->alias,step->alias]");
    const auto& base = group.items()[0];
    const auto& use = group.items()[2]->group()->items();
    EXPECT_EQ(use[2]->colorAlias()->aliasType(), AliasSetType::setItem(base->uuid(), 1));
    EXPECT_EQ(use[1]->numberAlias()->aliasType(), ItemAliasType::item(group.items()[1]->uuid()));
    EXPECT_EQ(use[0]->numberAlias()->aliasType(), ItemAliasType::item(group.items()[1]->uuid()));
}

}  // namespace
}  // namespace vantorel::import
