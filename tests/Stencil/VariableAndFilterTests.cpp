#include <gtest/gtest.h>

#include "RenderSupport.h"

namespace stencil {
namespace {

using testing::render;

Value sampleContext() {
    return Value(Dictionary{
        {"name", "Kyle"},
        {"people", Value::Array{"Kyle", "Katie", "Ana"}},
        {"item", Dictionary{{"name", "John"}, {"tags", Value::Array{"a", "b"}}}},
        {"key", "name"},
        {"index", 1},
        {"words", "one, two, three"},
        {"ratio", 0.5},
        {"whole", 4.0},
        {"flag", true},
        {"empty", ""},
        {"nested", Value::Array{Value::Array{1, 2}, Value::Array{3, 4}}},
    });
}

TEST(Variables, LookupByDotSubscriptAndLiteral) {
    struct Case {
        std::string source;
        std::string expected;
    };
    const Case cases[] = {
        {"Hello {{ name }}", "Hello Kyle"},
        {"There are {{ people.count }} people. {{ people.first }} is the first person, followed by {{ people.1 }}.",
         "There are 3 people. Kyle is the first person, followed by Katie."},
        {"{{ people.last }}", "Ana"},
        {"{{ item[key] }} = {{ item.name }}", "John = John"},
        {"{{ people[index] }}", "Katie"},
        {"{{ item.tags[index] }}", "b"},
        {"{{ nested.1.0 }}", "3"},
        {"{{ nested[index][0] }}", "3"},
        {"{{ name.count }} {{ name.first }} {{ name.last }} {{ name.2 }}", "4 K e l"},
        {"[{{ missing }}][{{ missing.deeper }}][{{ people.9 }}]", "[][][]"},
        {"{{ \"text\" }} {{ 'single' }} {{ 42 }} {{ 2.5 }} {{ true }}", "text single 42 2.5 true"},
        {"{{ ratio }} {{ whole }} {{ flag }}", "0.5 4.0 true"},
        {"{{ 1...3 }}", "[1, 2, 3]"},
        {"{% for i in 3...1 %}{{ i }}{% endfor %}", "321"},
        {"{% for i in 1...people.count %}{{ i }}{% endfor %}", "123"},
        {"{{ index == 1 }} {{ index > 1 }} {{ not flag }} {{ \"Kyle\" in people }}", "true false false true"},
        {"{{ (index == 1 or missing) and not empty }}", "true"},
        {"[{{ name if flag }}|{{ name if empty }}|{{ name if empty else people.last }}]", "[Kyle||Ana]"},
        {"{{ name|uppercase if index == 1 else \"none\" }} {{ \"yes\" if not flag else index > 0 }}", "KYLE true"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(render(c.source, sampleContext()), c.expected) << c.source;
    }
}

TEST(Filters, BuiltInsFromTheLanguageDocumentation) {
    struct Case {
        std::string source;
        std::string expected;
    };
    const Case cases[] = {
        {"{{ \"stencil\"|capitalize }}", "Stencil"},
        {"{{ \"Stencil\"|uppercase }}", "STENCIL"},
        {"{{ \"Stencil\"|lowercase }}", "stencil"},
        {"{{ \"éclair straße\"|uppercase }}", "ÉCLAIR STRASSE"},
        {"{{ \"ÉCLAIR\"|lowercase }}", "éclair"},
        {"{{ \"élan vital\"|capitalize }}", "Élan vital"},
        {"{{ people|uppercase|join:\",\" }}", "KYLE,KATIE,ANA"},
        {"Hello {{ missing|default:\"World\" }}", "Hello World"},
        {"Hello {{ name|default:\"World\" }}", "Hello Kyle"},
        {"[{{ empty|default:\"World\" }}]", "[]"},
        {"{{ missing|default:alsoMissing,\"second\" }}", "second"},
        {"{{ people|join:\", \" }}", "Kyle, Katie, Ana"},
        {"{{ people|join }}", "KyleKatieAna"},
        {"{{ words|split:\", \"|join:\"/\" }}", "one/two/three"},
        {"{{ \"a b  c\"|split|join:\",\" }}", "a,b,,c"},
        {"{{ (words|split:\", \").count }}", "ERROR"},
        {"{{ \"a\nb\n\nc\"|indent }}", "a\n    b\n\n    c"},
        {"{{ \"a\nb\"|indent:2,\"-\",true }}", "--a\n--b"},
        {"{{ \"a\nb\"|indent:1,\"\t\" }}", "a\n\tb"},
        {"{{ name|filter:\"uppercase\" }}", "KYLE"},
        {"{{ \"a\nb\"|filter:'indent:2,\"-\",true' }}", "--a\n--b"},
        {"{{ \"hELLO\"|filter:\"lowercase|capitalize\" }}[{{ missing|filter:\"uppercase\" }}]", "Hello[]"},
        {"{{ \"x-y\"|default:\"z\"|uppercase }}", "X-Y"},
        {"{{ name|default: \"a b\" }}", "Kyle"},
    };
    for (const auto& c : cases) {
        std::string output = render(c.source, sampleContext());
        if (c.expected == "ERROR") {
            EXPECT_TRUE(output.starts_with("ERROR")) << c.source << " gave " << output;
        } else {
            EXPECT_EQ(output, c.expected) << c.source;
        }
    }
}

TEST(Filters, FilterNamedByAVariable) {
    Value context(Dictionary{{"string", "Hello"}, {"myfilter", "lowercase"}, {"joiner", "join:\"+\""},
                             {"letters", Value::Array{"a", "b"}}, {"itself", "filter:itself"}});
    EXPECT_EQ(render("{{ string|filter:myfilter }}", context), "hello");
    EXPECT_EQ(render("{{ letters|filter:joiner }}", context), "a+b");
    EXPECT_NE(render("{{ string|filter:\"nosuch\" }}", context).find("Unknown filter 'nosuch'"), std::string::npos);
    EXPECT_NE(render("{{ string|filter:itself }}", context).find("levels deep"), std::string::npos);
}

TEST(Filters, RefuseInputTheyCannotUse) {
    struct Case {
        std::string source;
        std::string message;
    };
    const Case cases[] = {
        {"{{ name|join:\",\" }}", "'join' needs an array"},
        {"{{ people|join:\",\",\";\" }}", "'join' takes one argument"},
        {"{{ people|split }}", "'split' needs a string"},
        {"{{ name|indent:\"x\" }}", "'indent' needs a width"},
        {"{{ name|indent:100000 }}", "'indent' needs a width"},
        {"{{ name|indent:2,3 }}", "needs a string for its indentation"},
        {"{{ name|indent:2,\" \",\"yes\" }}", "needs true or false"},
        {"{{ name|filter }}", "'filter' needs the name of a filter"},
        {"{{ name|uppercase:1 }}", "'uppercase' takes no arguments"},
        {"{{ name|capitalize:\"x\",\"y\" }}", "'capitalize' takes no arguments"},
        {"{{ name|filter:\"lowercase:1\" }}", "'lowercase' takes no arguments"},
    };
    for (const auto& c : cases) {
        std::string output = render(c.source, sampleContext());
        EXPECT_NE(output.find(c.message), std::string::npos) << c.source << " gave " << output;
        EXPECT_TRUE(output.starts_with("ERROR: 1:1:")) << output;
    }
}

}  // namespace
}  // namespace stencil
