#include <gtest/gtest.h>

#include "RenderSupport.h"
#include "Stencil/Loader.h"

namespace stencil {
namespace {

struct ErrorCase {
    std::string source;
    ErrorKind kind;
    std::size_t line;
    std::size_t column;
    std::string token;    // expected in the error's token
    std::string message;  // expected within the message
};

Error errorOf(const Environment& environment, const std::string& source, const std::string& name = "page.stencil") {
    auto compiled = environment.templateFromString(source, name);
    if (!compiled) {
        return compiled.error();
    }
    auto rendered = compiled->render(Value(Dictionary{{"items", Value::Array{1, 2}}, {"name", "x"}}));
    EXPECT_FALSE(rendered) << source << " rendered " << (rendered ? *rendered : "");
    return rendered ? Error{} : rendered.error();
}

TEST(Errors, CarryKindPlaceAndToken) {
    const ErrorCase cases[] = {
        {"Hi {{ name", ErrorKind::syntax, 1, 4, "{{ name", "never closed"},
        {"a\n{% if x", ErrorKind::syntax, 2, 1, "{% if x", "never closed"},
        {"{# open", ErrorKind::syntax, 1, 1, "{# open", "never closed"},
        {"\n\n  {% frobnicate x %}", ErrorKind::unknownTag, 3, 3, "{% frobnicate x %}", "Unknown tag 'frobnicate'"},
        {"{{ name|uppercsae }}", ErrorKind::unknownFilter, 1, 1, "{{ name|uppercsae }}", "Found similar filters: 'uppercase'"},
        {"{% filter nosuch %}x{% endfilter %}", ErrorKind::unknownFilter, 1, 1, "{% filter nosuch %}", "'nosuch'"},
        {"é {% if x > %}{% endif %}", ErrorKind::syntax, 1, 3, "{% if x > %}", "ends with an operator"},
        {"{% for x in %}{% endfor %}", ErrorKind::syntax, 1, 1, "{% for x in %}", "Expected '{% for"},
        {"{% for x of items %}{% endfor %}", ErrorKind::syntax, 1, 1, "", "Expected '{% for"},
        {"{% for x in items %}", ErrorKind::unclosedBlock, 1, 1, "{% for x in items %}", "expected {% endfor %}"},
        {"{% if x %}{% for y in items %}{% endif %}", ErrorKind::syntax, 1, 31, "{% endif %}", "Unexpected 'endif'"},
        {"{% if x %}a{% else %}b", ErrorKind::unclosedBlock, 1, 1, "{% if x %}", "expected {% endif %}"},
        {"{% endif %}", ErrorKind::syntax, 1, 1, "{% endif %}", "Unexpected 'endif'"},
        {"{% block a %}", ErrorKind::unclosedBlock, 1, 1, "{% block a %}", "endblock"},
        {"{% filter lowercase %}", ErrorKind::unclosedBlock, 1, 1, "{% filter lowercase %}", "endfilter"},
        {"{% %}", ErrorKind::syntax, 1, 1, "{% %}", "Empty tag"},
        {"{{ a b }}", ErrorKind::syntax, 1, 1, "{{ a b }}", "not a valid variable"},
        {"{{ a..b }}", ErrorKind::syntax, 1, 1, "", "empty name"},
        {"{{ a[b }}", ErrorKind::syntax, 1, 1, "", "Missing ']'"},
        {"{{ \"open }}", ErrorKind::syntax, 1, 1, "", "Malformed string literal"},
        {"{% if (a or b %}{% endif %}", ErrorKind::syntax, 1, 1, "", "Missing ')'"},
        {"{% if a b %}{% endif %}", ErrorKind::syntax, 1, 1, "", "Unexpected 'b'"},
        {"{% else %}", ErrorKind::syntax, 1, 1, "", "Unexpected 'else'"},
        {"{% if a %}{% else %}{% else %}{% endif %}", ErrorKind::syntax, 1, 21, "{% else %}", "Unexpected 'else'"},
        {"{% block a %}{% endblock %}{% block a %}{% endblock %}", ErrorKind::syntax, 1, 28, "", "defined twice"},
        {"{% block a %}{% endblock b %}", ErrorKind::syntax, 1, 14, "", "closes block 'a'"},
        {"{% if x %}{% extends \"b\" %}{% endif %}", ErrorKind::syntax, 1, 11, "", "top level"},
        {"{% include \"missing.html\" %}", ErrorKind::templateNotFound, 1, 1, "{% include \"missing.html\" %}",
         "no template loader"},
        {"{% extends \"missing.html\" %}", ErrorKind::templateNotFound, 1, 1, "", "'missing.html'"},
        {"{% include items %}", ErrorKind::render, 1, 1, "", "needs a template name"},
        {"{% for i in 1...name %}{% endfor %}", ErrorKind::render, 1, 1, "", "whole numbers"},
        {"{% for i in 1...99999999 %}{% endfor %}", ErrorKind::limitExceeded, 1, 1, "", "range"},
        {"{% break %}", ErrorKind::syntax, 1, 1, "{% break %}", "'break' must stand inside a 'for' loop"},
        {"{% for x in items %}{% empty %}{% continue %}{% endfor %}", ErrorKind::syntax, 1, 32, "", "inside a 'for'"},
        {"{% a: for x in items %}{% continue b %}{% endfor %}", ErrorKind::syntax, 1, 24, "{% continue b %}",
         "No loop labelled 'b' encloses 'continue'"},
        {"{% for x in items %}{% break a b %}{% endfor %}", ErrorKind::syntax, 1, 21, "", "Expected '{% break %}'"},
        {"{% outer: if x %}{% endif %}", ErrorKind::syntax, 1, 1, "{% outer: if x %}", "Only a 'for' loop"},
        {"{% a.b: for x in items %}{% endfor %}", ErrorKind::syntax, 1, 1, "", "'a.b' cannot label a loop"},
        {"{{ name if x else }}", ErrorKind::syntax, 1, 1, "{{ name if x else }}", "Expected a value after 'else'"},
        {"{{ name == }}", ErrorKind::syntax, 1, 1, "", "ends with an operator"},
    };
    Environment environment;
    for (const auto& c : cases) {
        Error error = errorOf(environment, c.source);
        EXPECT_EQ(error.kind, c.kind) << c.source << ": " << error.describe();
        EXPECT_EQ(error.line, c.line) << c.source << ": " << error.describe();
        EXPECT_EQ(error.column, c.column) << c.source << ": " << error.describe();
        EXPECT_EQ(error.templateName, "page.stencil") << c.source;
        EXPECT_NE(error.token.find(c.token), std::string::npos) << c.source << ": " << error.describe();
        EXPECT_NE(error.message.find(c.message), std::string::npos) << c.source << ": " << error.describe();
    }
}

TEST(Errors, DescribeNamesTemplatePlaceAndToken) {
    Environment environment;
    Error error = errorOf(environment, "a\n  {% nope %}");
    EXPECT_EQ(error.describe(), "page.stencil:2:3: Unknown tag 'nope' (in '{% nope %}')");
}

TEST(Errors, DeepNestingIsReportedNotOverflowed) {
    Environment environment;
    std::string deepIf;
    for (int i = 0; i < 5000; ++i) deepIf += "{% if x %}";
    EXPECT_EQ(errorOf(environment, deepIf).kind, ErrorKind::nestingTooDeep);

    std::string deepParens = "{% if " + std::string(5000, '(') + "x" + std::string(5000, ')') + " %}{% endif %}";
    EXPECT_EQ(errorOf(environment, deepParens).kind, ErrorKind::nestingTooDeep);

    std::string manyNots = "{% if";
    for (int i = 0; i < 5000; ++i) manyNots += " not";
    EXPECT_EQ(errorOf(environment, manyNots + " x %}{% endif %}").kind, ErrorKind::nestingTooDeep);

    std::string deepSubscript = "{{ a";
    for (int i = 0; i < 5000; ++i) deepSubscript += "[a";
    deepSubscript += std::string(5000, ']') + " }}";
    EXPECT_EQ(errorOf(environment, deepSubscript).kind, ErrorKind::nestingTooDeep);

    // Long flat chains are fine: they do not nest.
    std::string longChain = "{% if x";
    for (int i = 0; i < 5000; ++i) longChain += " or x";
    auto chained = environment.renderString(longChain + " %}yes{% else %}no{% endif %}", Value(Dictionary{}));
    ASSERT_TRUE(chained) << chained.error().describe();
    EXPECT_EQ(*chained, "no");
}

TEST(Errors, IncludeAndExtendsCyclesAreReported) {
    Environment environment(std::make_shared<MemoryLoader>(std::map<std::string, std::string, std::less<>>{
        {"self", "{% include \"self\" %}"},
        {"ping", "{% include \"pong\" %}"},
        {"pong", "{% include \"ping\" %}"},
        {"a", "{% extends \"b\" %}"},
        {"b", "{% extends \"c\" %}"},
        {"c", "{% extends \"a\" %}"},
        {"me", "{% extends \"me\" %}"},
        {"broken", "ok {{ x|nosuch }}"},
    }));
    struct Case {
        std::string name;
        ErrorKind kind;
        std::string message;
    };
    const Case cases[] = {
        {"self", ErrorKind::nestingTooDeep, "include itself"},
        {"ping", ErrorKind::nestingTooDeep, "levels deep"},
        {"a", ErrorKind::inheritanceCycle, "'a' -> 'b' -> 'c' -> 'a'"},
        {"me", ErrorKind::inheritanceCycle, "'me' -> 'me'"},
        {"broken", ErrorKind::unknownFilter, "'nosuch'"},
    };
    for (const auto& c : cases) {
        auto rendered = environment.renderTemplate(c.name, Value(Dictionary{}));
        ASSERT_FALSE(rendered) << c.name;
        EXPECT_EQ(rendered.error().kind, c.kind) << rendered.error().describe();
        EXPECT_NE(rendered.error().message.find(c.message), std::string::npos) << rendered.error().describe();
    }
    auto included = environment.renderString("x\n{% include \"broken\" %}", Value(Dictionary{}));
    ASSERT_FALSE(included);
    EXPECT_EQ(included.error().templateName, "broken");
}

TEST(Errors, RenderBudgetStopsRunawayTemplates) {
    Limits limits;
    limits.maxLoopIterations = 1000;
    limits.maxOutputBytes = 10'000;
    Environment environment(nullptr, {}, TrimBehaviour::nothing(), limits);
    auto loops = environment.renderString("{% for a in 1...100 %}{% for b in 1...100 %}{% endfor %}{% endfor %}",
                                          Value(Dictionary{}));
    ASSERT_FALSE(loops);
    EXPECT_EQ(loops.error().kind, ErrorKind::limitExceeded);
    auto output = environment.renderString("{% for a in 1...500 %}{{ text }}{% endfor %}",
                                           Value(Dictionary{{"text", std::string(100, 'x')}}));
    ASSERT_FALSE(output);
    EXPECT_EQ(output.error().kind, ErrorKind::limitExceeded);
}

}  // namespace
}  // namespace stencil
