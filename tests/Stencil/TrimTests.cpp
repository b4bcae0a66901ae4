#include <gtest/gtest.h>

#include "RenderSupport.h"

namespace stencil {
namespace {

using testing::render;

const char* listTemplate = "<ul>\n  {% for u in users %}\n    <li>{{ u }}</li>\n  {% endfor %}\n</ul>";

Value users() { return Value(Dictionary{{"users", Value::Array{"a", "b"}}}); }

TEST(Trim, BehavioursAroundBlockTags) {
    struct Case {
        const char* name;
        TrimBehaviour trim;
        std::string expected;
    };
    const Case cases[] = {
        {"nothing", TrimBehaviour::nothing(), "<ul>\n  \n    <li>a</li>\n  \n    <li>b</li>\n  \n</ul>"},
        {"smart", TrimBehaviour::smart(), "<ul>\n    <li>a</li>\n    <li>b</li>\n</ul>"},
        {"all", TrimBehaviour::all(), "<ul><li>a</li><li>b</li></ul>"},
        {"trailing line only", {Trim::nothing, Trim::whitespaceAndOneNewLine},
         "<ul>\n      <li>a</li>\n      <li>b</li>\n  </ul>"},
        {"leading spaces and line", {Trim::whitespaceAndOneNewLine, Trim::nothing},
         "<ul>\n    <li>a</li>\n    <li>b</li>\n</ul>"},
        {"spaces both sides", {Trim::whitespace, Trim::whitespace},
         "<ul>\n\n    <li>a</li>\n\n    <li>b</li>\n\n</ul>"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(render(listTemplate, users(), c.trim), c.expected) << c.name;
    }
}

// Variables and comments are never trimmed; around a block tag in mid-line, the spaces next
// to the tag go.
TEST(Trim, SmartTouchesOnlyBlockTags) {
    struct Case {
        std::string source;
        std::string expected;
    };
    const Case cases[] = {
        {"  {{ u }}  \n", "  x  \n"},
        {"a {% if u %}b{% endif %} c\n", "abc\n"},
        {"line\r\n  {% if u %}\r\nyes\r\n  {% endif %}\r\nend", "line\r\nyes\r\nend"},
        {"{% if u %}\n\n{% endif %}", "\n"},
        {"{# comment #}\nnext", "\nnext"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(render(c.source, Value(Dictionary{{"u", "x"}}), TrimBehaviour::smart()), c.expected) << c.source;
    }
}

// `-` removes all whitespace on its side of the tag, `+` keeps it, whatever the behaviour.
TEST(Trim, ModifiersOverrideTheBehaviour) {
    struct Case {
        std::string source;
        TrimBehaviour trim;
        std::string expected;
    };
    const Case cases[] = {
        {"a  \n  {%- if true -%}  \n  b  {%- endif %}\n", TrimBehaviour::nothing(), "ab\n"},
        {"a \n {%- if true %} b {% endif -%} \n c", TrimBehaviour::nothing(), "a b c"},
        {"{% for i in xs -%}\n  {{ i }}\n{%- endfor %}", TrimBehaviour::nothing(), "123"},
        {"a\n  {%+ if true %}\nb\n  {% endif +%}\nc", TrimBehaviour::smart(), "a\n  b\n\nc"},
        {"a \n{%+ if true +%}\n b{% endif %}", TrimBehaviour::all(), "a \n\n b"},
        {"[{% if true -%}  \n  {%+ endif %}]", TrimBehaviour::smart(), "[]"},
    };
    Value context(Dictionary{{"xs", Value::Array{1, 2, 3}}});
    for (const auto& c : cases) {
        EXPECT_EQ(render(c.source, context, c.trim), c.expected) << c.source;
    }
}

}  // namespace
}  // namespace stencil
