#include <gtest/gtest.h>

#include <ctime>
#include <regex>

#include "RenderSupport.h"
#include "Stencil/Loader.h"

namespace stencil {
namespace {

using testing::render;
using testing::renderOrError;

Value usersContext() {
    return Value(Dictionary{
        {"users", Value::Array{Dictionary{{"name", "Kyle"}, {"age", 30}}, Dictionary{{"name", "Katie"}, {"age", 25}},
                               Dictionary{{"name", "Ana"}, {"age", 41}}}},
        {"dict", Dictionary{{"one", 1}, {"two", 2}}},
        {"unsorted", Dictionary{{"b", 2}, {"c", 3}, {"a", 1}}},
        {"noUsers", Value::Array{}},
        {"grid", Value::Array{Value::Array{1, 2}, Value::Array{3}}},
        {"one", true},
        {"two", false},
        {"three", true},
        {"admin", false},
        {"user", "kyle"},
        {"value", 3},
        {"other", 3.0},
        {"text", "abc"},
    });
}

TEST(ForTag, LoopsAsDocumented) {
    struct Case {
        std::string source;
        std::string expected;
    };
    const Case cases[] = {
        {"{% for user in users %}<{{ user.name }}>{% endfor %}", "<Kyle><Katie><Ana>"},
        {"{% for key, value in dict %}{{ key }}: {{ value }};{% endfor %}", "one: 1;two: 2;"},
        {"{% for key in dict %}{{ key }};{% endfor %}", "one;two;"},
        {"{% for user in users where user.name != \"Kyle\" %}{{ user.name }}{% endfor %}", "KatieAna"},
        {"{% for user in users where user.age > 26 and user.age < 40 %}{{ user.name }}{% endfor %}", "Kyle"},
        {"{% for user in noUsers %}x{% empty %}There are no users.{% endfor %}", "There are no users."},
        {"{% for user in missing %}x{% empty %}none{% endfor %}", "none"},
        {"{% for user in users where user.age > 100 %}x{% empty %}nobody{% endfor %}", "nobody"},
        {"{% for user in users %}{% if forloop.first %}first:{% endif %}{{ forloop.counter }}/{{ forloop.counter0 }}/"
         "{{ forloop.length }}{% if forloop.last %}:last{% endif %} {% endfor %}",
         "first:1/0/3 2/1/3 3/2/3:last "},
        {"{% for user in users where user.age > 26 %}{{ forloop.counter }} of {{ forloop.length }};{% endfor %}",
         "1 of 2;2 of 2;"},
        {"{% for row in grid %}[{% for cell in row %}{{ forloop.counter }}:{{ cell }}{% endfor %}]"
         "{{ forloop.counter }}{% endfor %}",
         "[1:12:2]1[1:3]2"},
        {"{% for a, b in grid %}{{ a }}-{{ b }};{% endfor %}", "1-2;3-;"},
        {"{% for c in text %}{{ c }}.{% endfor %}", "a.b.c."},
        {"{% for user in users %}{{ user.name }}{% endfor %}{{ user }}", "KyleKatieAnakyle"},
        {"{% for key, value in unsorted %}{{ key }}={{ value }};{% endfor %}", "a=1;b=2;c=3;"},
        {"{% for user in users %}{% if forloop.first %}{% continue %}{% endif %}{{ user.name }}"
         "{% if user.age < 30 %}{% break %}{% endif %}.{% endfor %}",
         "Katie"},
        {"{% outer: for row in grid %}{% for cell in row %}{{ forloop.outer.counter }}.{{ forloop.counter }}={{ cell }} "
         "{% endfor %}{% endfor %}",
         "1.1=1 1.2=2 2.1=3 "},
        {"{% outer: for row in grid %}{% for cell in row %}{% for x in 1...2 %}{{ forloop.outer.counter0 }}"
         "{% endfor %}{% endfor %}{% endfor %}",
         "000011"},
        {"{% outer: for row in grid %}{% for cell in row %}{{ cell }}{% if cell == 1 %}{% continue outer %}{% endif %}"
         "{% endfor %}|{% endfor %}",
         "13|"},
        {"{% outer: for row in grid %}[{% for cell in row %}{{ cell }}{% break outer %}{% endfor %}]{% endfor %}end",
         "[1end"},
        {"{% for user in users %}{% for x in noUsers %}{% empty %}{% break %}{% endfor %}{{ user.name }}{% endfor %}",
         ""},
        // A pass's forloop is made when read: the innermost loop's, and gone once its loop ends.
        {"{% for forloop in users %}{{ forloop.counter }}{% endfor %}[{{ forloop.counter }}]", "123[]"},
        {"{% for row in grid %}{% for cell in row %}{{ cell }}{% endfor %}{{ forloop.last }};{% endfor %}",
         "12false;3true;"},
        {"{% for row in grid %}{% for cell in row where forloop.first %}{{ cell }}{% endfor %}{% endfor %}", "12"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(render(c.source, usersContext()), c.expected) << c.source;
    }
}

TEST(IfTag, ConditionsAndOperators) {
    struct Case {
        std::string source;
        std::string expected;
    };
    const Case cases[] = {
        {"{% if admin %}admin{% elif user %}user{% else %}nobody{% endif %}", "user"},
        {"{% if missing %}a{% elif alsoMissing %}b{% else %}No user was found.{% endif %}", "No user was found."},
        {"{% if one and two %}both{% endif %}", ""},
        {"{% if not two %}not two{% endif %}", "not two"},
        {"{% if one or two %}either{% endif %}", "either"},
        {"{% if not one or two %}x{% else %}y{% endif %}", "y"},
        {"{% if two or one and three %}x{% endif %}", "x"},
        {"{% if (two or one) and two %}x{% else %}y{% endif %}", "y"},
        {"{% if ( two or one ) and three %}x{% endif %}", "x"},
        {"{% if not not one %}x{% endif %}", "x"},
        {"{% if value == other %}eq{% endif %}", "eq"},
        {"{% if value != 4 %}ne{% endif %}", "ne"},
        {"{% if user == \"kyle\" %}kyle{% endif %}", "kyle"},
        {"{% if one == true %}t{% endif %}", "t"},
        {"{% if value < 4 %}lt{% endif %}{% if value > 4 %}gt{% endif %}", "lt"},
        {"{% if value <= 3 %}le{% endif %}{% if value >= 3.5 %}ge{% endif %}", "le"},
        {"{% if text < 4 %}x{% else %}not comparable{% endif %}", "not comparable"},
        {"{% if \"Kyle\" in users.0.name %}sub{% endif %}", "sub"},
        {"{% if \"one\" in dict %}key{% endif %}{% if \"three\" in dict %}no{% endif %}", "key"},
        {"{% if 2 in grid.0 %}elem{% endif %}", "elem"},
        {"{% if missing == nothing %}both missing{% endif %}", "both missing"},
        {"{% ifnot admin %}The variable was NOT found{% else %}found{% endif %}", "The variable was NOT found"},
        {"{% ifnot user %}no{% else %}The variable was found.{% endif %}", "The variable was found."},
        {"{% if users %}{% if users.count > 2 %}many{% endif %}{% endif %}", "many"},
        {"{% if user|uppercase == \"KYLE\" %}filtered{% endif %}", "filtered"},
        {"{% if ((two or one) and (three or two)) %}x{% endif %}", "x"},
        {"{% if not (two or (one and two)) %}x{% endif %}", "x"},
        {"{% if (((one))) and (not (two)) %}x{% endif %}", "x"},
        {"{% if (user != \")\") and (\"(\" in \"a(b\") %}x{% endif %}", "x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(render(c.source, usersContext()), c.expected) << c.source;
    }
}

TEST(FilterTag, FiltersTheBlock) {
    EXPECT_EQ(render("{% filter lowercase %}This Text Will Be Lowercased.{% endfilter %}"), "this text will be lowercased.");
    EXPECT_EQ(render("{% filter lowercase|capitalize %}This Text Will BE Capitalised{% endfilter %}"),
              "This text will be capitalised");
    EXPECT_EQ(render("{% filter indent:2 %}a\n{{ x }}{% endfilter %}", Value(Dictionary{{"x", "b"}})), "a\n  b");
}

TEST(NowTag, WritesTheCurrentDateInThePattern) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const std::string year = std::to_string(local.tm_year + 1900);
    const std::regex defaultForm(R"(\d{4}-\d{2}-\d{2} at \d{2}:\d{2})");
    EXPECT_TRUE(std::regex_match(render("{% now %}"), defaultForm)) << render("{% now %}");
    // A year boundary may pass between the two readings of the clock; the test then says so.
    EXPECT_EQ(render("{% now \"yyyy\" %}"), year);
    EXPECT_EQ(render("{% now pattern %}", Value(Dictionary{{"pattern", "'Year' yyyy"}})), "Year " + year);
    EXPECT_EQ(render("{% now \"'unclosed\" %}"), "unclosed");  // date patterns forgive a missing quote
    struct Case {
        const char* source;
        const char* error;
    } failures[] = {
        {"{% now \"yyyy\" extra %}", "Expected '{% now %}'"},
        {"{% now 12 %}", "'now' needs a date pattern"},
    };
    for (const auto& c : failures) {
        EXPECT_NE(render(c.source).find(c.error), std::string::npos) << c.source << " → " << render(c.source);
    }
}

TEST(Comments, AreHidden) {
    EXPECT_EQ(render("a{# My comment is completely hidden #}b"), "ab");
    EXPECT_EQ(render("a{# {% if %} {{ }} #}b"), "ab");
}

Environment environmentWith(std::map<std::string, std::string, std::less<>> templates,
                            TrimBehaviour trim = TrimBehaviour::nothing()) {
    return Environment(std::make_shared<MemoryLoader>(std::move(templates)), {}, trim);
}

TEST(IncludeTag, RendersWithTheCurrentOrASubContext) {
    auto environment = environmentWith({
        {"comment.html", "<p>{{ comment.text|default:text }}</p>"},
        {"name.html", "[{{ name }}]"},
    });
    Value context(Dictionary{{"comment", Dictionary{{"text", "hi"}}}, {"text", "outer"}, {"people", Value::Array{
        Dictionary{{"name", "A"}}, Dictionary{{"name", "B"}}}}});
    EXPECT_EQ(renderOrError(environment, "{% include \"comment.html\" %}", context), "<p>hi</p>");
    EXPECT_EQ(renderOrError(environment, "{% include \"comment.html\" people %}", context), "<p>hi</p>");
    EXPECT_EQ(renderOrError(environment, "{% for p in people %}{% include \"name.html\" p %}{% endfor %}", context),
              "[A][B]");
    Value named(Dictionary{{"which", "name.html"}, {"name", "N"}});
    EXPECT_EQ(renderOrError(environment, "{% include which %}", named), "[N]");
}

TEST(IncludeTag, AllowsRecursionThatEnds) {
    auto environment = environmentWith({{"tree", "{{ node.name }}({% for node in node.children %}{% include \"tree\" %}{% endfor %})"}});
    Value tree(Dictionary{{"node", Dictionary{{"name", "a"}, {"children", Value::Array{
        Dictionary{{"name", "b"}, {"children", Value::Array{}}},
        Dictionary{{"name", "c"}, {"children", Value::Array{Dictionary{{"name", "d"}}}}}}}}}});
    EXPECT_EQ(renderOrError(environment, "{% include \"tree\" %}", tree), "a(b()c(d()))");
}

TEST(Inheritance, ChildBlocksReplaceTheBase) {
    auto environment = environmentWith({
        {"base.html",
         "<title>{% block title %}Example{% endblock %}</title>"
         "<aside>{% block sidebar %}<ul><li>Home</li></ul>{% endblock %}</aside>"
         "<section>{% block content %}{% endblock %}</section>"},
        {"child.html",
         "{% extends \"base.html\" %}\n"
         "{% block title %}Notes{% endblock %}\n"
         "{% block content %}{% for note in notes %}<h2>{{ note }}</h2>{% endfor %}{% endblock %}"},
        {"grandchild.html",
         "{% extends \"child.html\" %}{% block title %}{{ block.super }} - More{% endblock %}"
         "{% block sidebar %}[{{ block.super }}]{% endblock %}"},
        {"nested.html", "{% block outer %}O[{% block inner %}I{% endblock %}]{% endblock %}"},
        {"nestedChild.html", "{% extends \"nested.html\" %}{% block inner %}i{% endblock %}"},
    });
    Value context(Dictionary{{"notes", Value::Array{"Pick up food", "Do laundry"}}});
    auto child = environment.renderTemplate("child.html", context);
    ASSERT_TRUE(child) << child.error().describe();
    EXPECT_EQ(*child,
              "<title>Notes</title><aside><ul><li>Home</li></ul></aside>"
              "<section><h2>Pick up food</h2><h2>Do laundry</h2></section>");
    auto grandchild = environment.renderTemplate("grandchild.html", context);
    ASSERT_TRUE(grandchild) << grandchild.error().describe();
    EXPECT_EQ(*grandchild,
              "<title>Notes - More</title><aside>[<ul><li>Home</li></ul>]</aside>"
              "<section><h2>Pick up food</h2><h2>Do laundry</h2></section>");
    EXPECT_EQ(renderOrError(environment, "{% extends \"nestedChild.html\" %}", context), "O[i]");
    EXPECT_EQ(renderOrError(environment, "{% extends \"base.html\" %}{% block title %}T{% endblock %}", context),
              "<title>T</title><aside><ul><li>Home</li></ul></aside><section></section>");
    // A block renders again, as its most derived version, wherever `block.name` is written after it.
    EXPECT_EQ(renderOrError(environment, "{% extends \"child.html\" %}{% block content %}"
                            "{{ block.title }}/{{ block.sidebar }}{% endblock %}", context),
              "<title>Notes</title><aside><ul><li>Home</li></ul></aside><section>Notes/<ul><li>Home</li></ul></section>");
    EXPECT_EQ(renderOrError(environment, "[{{ block.n }}]{% for i in notes %}{% block n %}{{ forloop.counter }}"
                            "{% endblock %}{% endfor %}{{ block.n }}{{ block.missing }}", context),
              "[]122");
}

TEST(Templates, CompileOnceRenderMany) {
    Environment environment;
    auto compiled = environment.templateFromString("{% for x in xs %}{{ x }}{% endfor %}");
    ASSERT_TRUE(compiled);
    for (int n = 0; n < 3; ++n) {
        Value::Array xs(static_cast<std::size_t>(n), Value(n));
        auto out = compiled->render(Value(Dictionary{{"xs", xs}}));
        ASSERT_TRUE(out);
        EXPECT_EQ(*out, std::string(static_cast<std::size_t>(n), static_cast<char>('0' + n)));
    }
}

}  // namespace
}  // namespace stencil
