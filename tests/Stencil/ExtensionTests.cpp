#include <gtest/gtest.h>

#include "RenderSupport.h"
#include "Stencil/Parser.h"

namespace stencil {
namespace {

using testing::renderOrError;

// A host record read field by field, counting how often it is asked.
class Swatch final : public HostObject {
public:
    Swatch(double red, double alpha) : red_(red), alpha_(alpha) {}
    std::optional<Value> lookup(std::string_view name) const override {
        ++lookups;
        if (name == "red") return Value(red_);
        if (name == "alpha") return Value(alpha_);
        return std::nullopt;
    }
    std::string description() const override { return "Swatch"; }
    mutable int lookups = 0;
    double red_;
    double alpha_;
};

// A host sequence that `for` walks, with a field made afresh on every lookup that holds further
// records, so that paths through it pass values that live only while the path resolves.
class Steps final : public HostObject {
public:
    std::optional<Value> lookup(std::string_view name) const override {
        if (name == "palette") {
            return Value(Dictionary{{"swatch", std::shared_ptr<const HostObject>(std::make_shared<Swatch>(0.5, 1.0))},
                                    {"names", Value::Array{"warm", "cool"}}});
        }
        return name == "title" ? std::optional<Value>(Value("Steps")) : std::nullopt;
    }
    std::optional<Value::Array> elements() const override { return Value::Array{100, 200}; }
};

// A record that keeps its fields as values and hands them out where they are.
class Shelf final : public HostObject {
public:
    std::optional<Value> lookup(std::string_view name) const override {
        Value holder;
        const Value* field = find(name, holder);
        return field ? std::optional<Value>(*field) : std::nullopt;
    }
    const Value* find(std::string_view name, Value&) const override {
        if (name == "label") return &label_;
        if (name == "swatches") return &swatches_;
        return nullptr;
    }
    Value label_{"Shelf"};
    Value swatches_{Value::Array{std::shared_ptr<const HostObject>(std::make_shared<Swatch>(0.75, 1.0)),
                                 std::shared_ptr<const HostObject>(std::make_shared<Swatch>(0.5, 0.25))}};
};

// Writes the red component of a swatch, or a failure note in place.
class RedNode final : public Node {
public:
    explicit RedNode(Variable swatch) : swatch_(std::move(swatch)) {}
    Status render(Context& context, std::string& out) const override {
        auto value = swatch_.resolve(context);
        if (!value) return std::move(value).error();
        const auto* swatch = dynamic_cast<const Swatch*>(value->object());
        out += swatch ? Value(swatch->red_).text() : "Rendering color failed";
        return std::nullopt;
    }

private:
    Variable swatch_;
};

// `{% repeat n %}body{% endrepeat %}`: a custom tag with arguments and a body.
class RepeatNode final : public Node {
public:
    RepeatNode(std::int64_t times, NodeList body) : times_(times), body_(std::move(body)) {}
    Status render(Context& context, std::string& out) const override {
        for (std::int64_t i = 0; i < times_; ++i) {
            if (auto error = renderNodes(body_, context, out)) return error;
        }
        return std::nullopt;
    }

private:
    std::int64_t times_;
    NodeList body_;
};

Extension sampleExtension() {
    Extension extension;
    extension.registerFilter("double", [](const Value& value) -> Result<Value> {
        if (auto number = value.integer()) return Value(*number * 2);
        return value;
    });
    extension.registerFilter("multiply", [](const Value& value, std::span<const Value> arguments) -> Result<Value> {
        if (arguments.empty() || !arguments.front().integer()) {
            return makeError(ErrorKind::render, "multiply must be called with an integer argument");
        }
        if (auto number = value.integer()) return Value(*number * *arguments.front().integer());
        return value;
    });
    extension.registerFilter("surround", [](const Value& value, std::span<const Value> arguments) -> Result<Value> {
        if (arguments.size() != 2) return makeError(ErrorKind::render, "surround takes two arguments");
        return Value(arguments[0].text() + value.text() + arguments[1].text());
    });
    extension.registerSimpleTag("custom", [](Context&) -> Result<std::string> { return std::string("Hello World"); });
    extension.registerSimpleTag("greet", [](Context& context) -> Result<std::string> {
        return "Hi " + context.lookup("name").text();
    });
    extension.registerSimpleTag("broken", [](Context&) -> Result<std::string> {
        return makeError(ErrorKind::render, "broken tag refused");
    });
    extension.registerTag("red", [](TokenParser& parser, const Token& token) -> Result<std::unique_ptr<Node>> {
        auto words = token.components();
        if (words.size() < 2) {
            return std::unique_ptr<Node>(std::make_unique<RedNode>(*Variable::parse("\"\"")));
        }
        auto variable = parser.compileVariable(words[1]);
        if (!variable) return std::move(variable).error();
        return std::unique_ptr<Node>(std::make_unique<RedNode>(std::move(variable).value()));
    });
    extension.registerTag("repeat", [](TokenParser& parser, const Token& token) -> Result<std::unique_ptr<Node>> {
        auto words = token.components();
        auto times = words.size() == 2 ? Variable::parse(words[1]) : Result<Variable>(makeError(ErrorKind::syntax, "x"));
        if (!times || !times->literal() || !times->literal()->integer()) {
            return TokenParser::errorAt(token, ErrorKind::syntax, "'repeat' needs a whole number");
        }
        auto body = parser.parse({"endrepeat"}, &token);
        if (!body) return std::move(body).error();
        parser.nextToken();
        return std::unique_ptr<Node>(std::make_unique<RepeatNode>(*times->literal()->integer(), std::move(body).value()));
    });
    return extension;
}

TEST(Extensions, CustomFiltersAndTags) {
    Environment environment(nullptr, {sampleExtension()}, TrimBehaviour::nothing());
    auto swatch = std::make_shared<Swatch>(0.25, 1.0);
    Value context(Dictionary{{"n", 21}, {"name", "Kyle"}, {"swatch", std::shared_ptr<const HostObject>(swatch)},
                             {"steps", std::shared_ptr<const HostObject>(std::make_shared<Steps>())},
                             {"shelf", std::shared_ptr<const HostObject>(std::make_shared<Shelf>())}});
    struct Case {
        std::string source;
        std::string expected;
    };
    const Case cases[] = {
        {"{{ n|double }} {{ \"x\"|double }}", "42 x"},
        {"{{ n|double:2 }}", "ERROR: 1:1: 'double' takes no arguments (in '{{ n|double:2 }}')"},
        {"{{ n|multiply:2 }}", "42"},
        {"{{ n|multiply }}", "ERROR: 1:1: multiply must be called with an integer argument (in '{{ n|multiply }}')"},
        {"{{ name|surround:\"[\", n }}", "[Kyle21"},
        {"{{ name|surround:\"[\" }}", "ERROR: 1:1: surround takes two arguments (in '{{ name|surround:\"[\" }}')"},
        {"{{ n|double|nosuch }}", "ERROR: 1:1: Unknown filter 'nosuch'. (in '{{ n|double|nosuch }}')"},
        {"{% custom %}", "Hello World"},
        {"{% greet %}!", "Hi Kyle!"},
        {"x\n  {% broken %}", "ERROR: 2:3: broken tag refused (in '{% broken %}')"},
        {"{% red swatch %} {% red name %} {% red %}", "0.25 Rendering color failed Rendering color failed"},
        {"{{ swatch.red }}/{{ swatch.alpha }}/[{{ swatch.green }}]/{{ swatch }}", "0.25/1.0/[]/Swatch"},
        {"{% repeat 3 %}{{ name }}{% endrepeat %}", "KyleKyleKyle"},
        {"{% for i in 1...3 %}{% repeat 2 %}{{ i }}{% if i == 2 %}{% break %}{% endif %}{% endrepeat %}{% endfor %}",
         "112"},
        {"{% repeat x %}{% endrepeat %}", "ERROR: 1:1: 'repeat' needs a whole number (in '{% repeat x %}')"},
        {"{% repeat 2 %}", "ERROR: 1:1: Block is never closed; expected {% endrepeat %} (in '{% repeat 2 %}')"},
        {"{{ steps.title }} {% for s in steps %}{{ s }},{% endfor %} {{ steps.count }} {{ steps.last }}",
         "Steps 100,200, 2 200"},
        {"{{ steps.palette.swatch.red }} {{ steps.palette.names.last.count }} {{ steps.palette.names[1].first }}",
         "0.5 4 c"},
        {"{% for name in steps.palette.names %}{{ name }}{{ forloop.counter }} {% endfor %}", "warm1 cool2 "},
        {"{{ shelf.label }} {{ shelf.swatches.last.alpha }} {% for s in shelf.swatches where s.red > 0.6 %}{{ s.red }}"
         "{% endfor %} {{ shelf.label == \"Shelf\" }} {{ shelf.swatches.count }}",
         "Shelf 0.25 0.75 true 2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(renderOrError(environment, c.source, context), c.expected) << c.source;
    }
}

TEST(Extensions, HostObjectFieldsAreReadOnlyWhenNamed) {
    Environment environment;
    auto swatch = std::make_shared<Swatch>(0.5, 1.0);
    Value context(Dictionary{{"swatch", std::shared_ptr<const HostObject>(swatch)}});
    ASSERT_TRUE(environment.renderString("{{ swatch.red }}", context));
    EXPECT_EQ(swatch->lookups, 1);
}

TEST(Extensions, ExtensionNamesTakePrecedence) {
    Extension extension;
    extension.registerFilter("uppercase", [](const Value&) -> Result<Value> { return Value("custom"); });
    Environment environment(nullptr, {extension});
    EXPECT_EQ(renderOrError(environment, "{{ \"a\"|uppercase }}", Value(Dictionary{})), "custom");
}

}  // namespace
}  // namespace stencil
