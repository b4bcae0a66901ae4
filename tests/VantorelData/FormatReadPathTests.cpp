// The flat reader against pugixml on the inputs where they could part: references, line ends,
// comments inside text, blanks, attributes, duplicates, nesting. Where the flat reader takes the
// bytes, both must save the same bytes; what it must leave to pugixml, it refuses.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/VantorelData/FormatTestSupport.h"
#include "tests/VantorelData/ReadPathComparison.h"

namespace vantorel::format::testing {
namespace {

constexpr std::string_view declaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";

// A document whose items are `items`, with a build group that a task fragment can join.
std::string documentWith(std::string_view items, std::string_view tasks = {}) {
    return std::string(declaration) +
           "<vantorel xmlns=\"urn:x\">\n<project><header><version>1.7</version><description>Doc</description></header>"
           "<settings><setting><key>DisplayMode</key><value>grid</value></setting></settings><colorItems>" +
           std::string(items) +
           "</colorItems><buildGroups><buildGroup><id>B</id><name>Web</name><tasks>" + std::string(tasks) +
           "</tasks></buildGroup></buildGroups><testGroups/></project></vantorel>\n";
}

// A string item whose name and value are the given markup.
std::string stringItem(std::string_view name, std::string_view value = "v") {
    return "<stringItem><id>S</id><name>" + std::string(name) + "</name><string><variants><variant><value>" +
           std::string(value) + "</value></variant></variants></string></stringItem>";
}

std::string colorItem(std::string_view variants) {
    return "<colorItem><id>C</id><name>c</name><profile>sRGB</profile><format>0</format><appearance>lightAndDark"
           "</appearance><color><variants>" +
           std::string(variants) + "</variants></color></colorItem>";
}

std::string nestedGroups(int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "<group><id>G" + std::to_string(i) + "</id><name>g</name>";
    text += stringItem("deep");
    for (int i = 0; i < depth; ++i) text += "</group>";
    return text;
}

struct Case {
    const char* what;
    std::string bytes;
    bool plain;  // whether the flat reader takes them
};

TEST(DocumentReadPaths, AgreeOnTrickyInputsAndRefuseWhatIsNotPlain) {
    const std::string task = "<task><name>t</name><id>T</id><folder>f</folder><fileName>a</fileName><fileType>0"
                             "</fileType><nameTransform>0</nameTransform>";
    const Case cases[] = {
        {"predefined entities", documentWith(stringItem("a &lt;b&gt; &amp; &apos;c&quot;", "&amp;&amp;")), true},
        {"character references", documentWith(stringItem("&#65;&#x42;&#x6a;&#233;&#x20AC;&#x10FFFF;", "&#x9;&#10;")), true},
        {"line ends", documentWith(stringItem("one\r\ntwo\rthree\n", "\r\r\n\n")), true},
        {"blank texts kept alone", documentWith(stringItem("   ", "\t\r\n ")), true},
        {"text around a child", documentWith(stringItem("a<i>b</i>c", "<i/> x <j/>")), true},
        {"comment inside text", documentWith(stringItem("Na<!-- c -->me", "  <!--c-->  ")), true},
        {"comment splits text and child", documentWith(stringItem("a<!--c--><i/>b<!--d-->c")), true},
        {"comment first, no declaration", "<!--c-->" + documentWith(stringItem("a<i/>b")).substr(declaration.size()), true},
        {"comment after the root", documentWith(stringItem("a<i/>b")) + "<!-- end -->\n", true},
        {"empty elements", documentWith(stringItem("<!---->", "") + "<stringItem><id/><name/><string><variants>"
                                        "<variant><value/></variant></variants></string><deprecatedReason/></stringItem>"),
         true},
        {"duplicate children", documentWith("<stringItem><id>D</id><name>first</name><name>second</name><string>"
                                             "<variants><variant><value>1</value></variant><variant><value>2</value>"
                                             "</variant></variants></string></stringItem>"),
         true},
        {"unknown elements", documentWith("<mystery>x</mystery>" + stringItem("n<odd a='1'>t</odd>") + "<more/>"), true},
        {"attribute blanks and quotes",
         documentWith(colorItem("<variant><rgba>1 0 0 1</rgba></variant><variant\ntype='dark'\t><rgba>0 0 0 1</rgba>"
                                "</variant><variant type=\" highContrast\"><rgba>1 1 1 1</rgba></variant>"
                                "<variant type=\"darkHighContrast\" type=\"dark\"><rgba>.5 .5 .5 1</rgba>"
                                "</variant><variant x=\"&amp;\r\n\"><rgba>0 1 0 1</rgba></variant>")),
         true},
        {"blanks in tags", documentWith(stringItem("n") + "<stringItem ><id >X</id ><name\n>m</name\t><string><variants>"
                                        "<variant\n/><variant ><value>v</value></variant></variants></string></stringItem>"),
         true},
        {"tasks", documentWith("", task + "<namePrefix/><configuration><k>1</k><k>2</k><e/></configuration></task>"), true},
        {"deep nesting", documentWith(nestedGroups(3000)), true},
        {"items before the groups they join",
         documentWith("<group><id>G</id><name>g</name><buildGroupId>B</buildGroupId>" + stringItem("in") +
                      "</group><numberItem><id>N</id><name>n</name><number><variants><variant><value>1</value>"
                      "</variant></variants></number><buildGroupId>none</buildGroupId><testGroupId>T</testGroupId>"
                      "<testPosition>foreground</testPosition></numberItem>"),
         true},
        {"item lists outside the first project, and a second list",
         std::string(declaration) + "<vantorel><other><colorItems>" + stringItem("outside") +
             "</colorItems></other><project><colorItems/><colorItems>" + stringItem("second list") +
             "</colorItems></project><project><colorItems>" + stringItem("second project") +
             "</colorItems></project></vantorel>",
         true},
        {"plain declaration", "<?xml version=\"1.0\"?>" + documentWith("").substr(declaration.size()), true},
        {"type with a tab", documentWith(colorItem("<variant><rgba>1 0 0 1</rgba></variant><variant type=\"\tdark\"/>")),
         false},
        {"type with a line end", documentWith(colorItem("<variant><rgba>1 0 0 1</rgba></variant><variant type=\"dark\r\n\">"
                                                        "<rgba>0 0 0 1</rgba></variant>")),
         false},
        {"type with a reference", documentWith(colorItem("<variant><rgba>1 0 0 1</rgba></variant><variant type=\"&#x64;ark\">"
                                                         "<rgba>0 0 0 1</rgba></variant>")),
         false},
        {"CDATA", documentWith(stringItem("<![CDATA[x]]>")), false},
        {"processing instruction", documentWith(stringItem("a<?pi x?>b")), false},
        {"DOCTYPE", "<!DOCTYPE vantorel>" + documentWith(""), false},
        {"byte order mark", "\xEF\xBB\xBF" + documentWith(""), false},
        {"other encoding", "<?xml version=\"1.0\" encoding=\"latin1\"?>" + documentWith(stringItem("\xE9")), false},
        {"unknown entity", documentWith(stringItem("&nbsp;")), false},
        {"reference without end", documentWith(stringItem("&#65")), false},
        {"reference to nothing", documentWith(stringItem("&#0;")), false},
        {"reference to a surrogate", documentWith(stringItem("&#xD800;")), false},
        {"upper-case hex mark", documentWith(stringItem("&#X41;")), false},
        {"bare ampersand", documentWith(stringItem("a & b")), false},
        {"mismatched end tag", documentWith(stringItem("a</nam>")), false},
        {"unterminated comment", documentWith(stringItem("<!-- a")), false},
        {"attribute without quotes", documentWith(colorItem("<variant type=dark/>")), false},
        {"attributes run together", documentWith(colorItem("<variant a=\"1\"type=\"dark\"/>")), false},
        {"text outside the root", documentWith("") + "tail", false},
        {"two roots", documentWith("") + "<vantorel/>", false},
        {"not XML", "hello", false},
        {"nothing", "", false},
        {"unclosed root", std::string(declaration) + "<vantorel><project>", false},
        {"zero byte", documentWith(stringItem(std::string("a\0b", 3))), false},
        // Names and texts either side of the sixteen bytes scanned at once.
        {"long names and texts",
         documentWith(stringItem("sixteen  letters and then &amp; more", std::string(40, ' ') + "\r\n x") +
                      "<fifteen_letters>a</fifteen_letters><sixteen-letters.>b</sixteen-letters.>"
                      "<seventeen:letters>c</seventeen:letters><a" + std::string(40, 'z') + "/>"),
         true},
        {"end tag differing in its seventeenth byte",
         documentWith("<seventeen-letter>x</seventeen-lettex>"), false},
        {"end tag differing in its sixteenth byte", documentWith("<sixteen-letters>x</sixteen-letterz>"), false},
        {"zero byte after sixteen", documentWith(stringItem(std::string(20, 'a') + std::string("\0b", 2))), false},
        {"slash inside a name", documentWith("<bad/name-that-is-long>x</bad/name-that-is-long>"), false},
        {"name with other bytes", documentWith("<na\xC3\xAFve>x</na\xC3\xAFve>"), false},
    };
    for (const Case& c : cases) {
        const auto outcome = compareReadPaths(c.bytes);
        EXPECT_EQ(outcome.plainTook, c.plain) << c.what;
        EXPECT_EQ(outcome.difference, "") << c.what;
    }
}

// The example and every document kept with the tests take the flat way, and save as before.
TEST(DocumentReadPaths, TakeTheShippedDocumentsTheFlatWay) {
    const std::filesystem::path source(VANTOREL_SOURCE_DIR);
    int documents = 0;
    for (const char* folder : {"examples", "tests", "resources", "fuzz"}) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(source / folder)) {
            if (entry.path().extension() != ".vantorel") continue;
            const std::string bytes = fileContents(entry.path().string());
            const auto before = documentReadCounts();
            const auto outcome = compareReadPaths(bytes);
            EXPECT_TRUE(outcome.plainTook) << entry.path();
            EXPECT_EQ(outcome.difference, "") << entry.path();
            QuenzColorFileReader::read(bytes);
            EXPECT_EQ(documentReadCounts().plain, before.plain + 2) << entry.path();
            ++documents;
        }
    }
    EXPECT_GE(documents, 3);
}

}  // namespace
}  // namespace vantorel::format::testing
