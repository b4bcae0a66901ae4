// Paths read over and over at one place of a template: records of one shape answer from their
// slots, and the place must still give what a name search gives when shapes, scopes and
// shadowing change under it.

#include <gtest/gtest.h>

#include "RenderSupport.h"

namespace stencil {
namespace {

using testing::render;

// A record whose fields sit in slots of a shape given by the test; `extra` is answered by name
// only, beside the slots.
class SlotRecord final : public HostObject {
public:
    SlotRecord(const HostShape& shape, std::vector<Value> fields, Value extra = {})
        : fields_(std::move(fields)), extra_(std::move(extra)) {
        setSlots(&shape, fields_.data());
    }
    std::optional<Value> lookup(std::string_view name) const override {
        Value holder;
        const Value* field = find(name, holder);
        return field ? std::optional<Value>(*field) : std::nullopt;
    }
    const Value* find(std::string_view name, Value&) const override {
        if (name == "extra" && !extra_.isNull()) return &extra_;
        std::size_t slot = shape()->slotOf(name);
        return slot == HostShape::noSlot ? nullptr : &fields_[slot];
    }

private:
    std::vector<Value> fields_;
    Value extra_;
};

// The same fields answered by name alone, as records without slots do.
class NamedRecord final : public HostObject {
public:
    std::optional<Value> lookup(std::string_view name) const override {
        if (name == "label") return Value("named");
        if (name == "tone") return Value(Dictionary{{"level", 7}});
        return std::nullopt;
    }
};

constexpr std::string_view paneFields[] = {"label", "tone"};
constexpr HostShape paneShape{paneFields};
constexpr std::string_view cardFields[] = {"tone", "label", "count"};
constexpr HostShape cardShape{cardFields};

Value record(const HostShape& shape, std::vector<Value> fields, Value extra = {}) {
    return Value(std::shared_ptr<const HostObject>(std::make_shared<SlotRecord>(shape, std::move(fields), std::move(extra))));
}

Value tone(int level) { return record(paneShape, {"tone", Value(Dictionary{{"level", level}})}); }

TEST(FieldSlots, PathsAnswerAlikeWhateverTheyMeetAtOnePlace) {
    // Shapes alternate so that every step's remembered slot is tried, kept and replaced.
    Value::Array mixed{
        record(paneShape, {"pane", tone(1)}),
        record(paneShape, {"pane2", tone(2)}),
        record(cardShape, {tone(3), "card", 9}),
        Value(std::shared_ptr<const HostObject>(std::make_shared<NamedRecord>())),
        Value(Dictionary{{"label", "dict"}, {"tone", Dictionary{{"level", 4}}}}),
        record(paneShape, {"bare", Value()}, "extra!"),
        Value("text"),
        Value(),
        record(cardShape, {tone(5), "card2", Value::Array{1, 2}}),
    };
    const Value context(Dictionary{{"records", Value(mixed)}, {"name", "root"}});
    const struct {
        std::string source;
        std::string expected;
    } cases[] = {
        {"{% for r in records %}[{{ r.label }}:{{ r.tone.level }}]{% endfor %}",
         "[pane:][pane2:][card:][named:7][dict:4][bare:][:][:][card2:]"},
        {"{% for r in records %}[{{ r.tone.tone.level }}]{% endfor %}", "[1][2][3][][][][][][5]"},
        {"{% for r in records %}{{ r.extra }}{{ r.count }}{{ r.count.last }}{% endfor %}", "92extra!4[1, 2]2"},
        {"{% for r in records %}{% if r.tone.tone != absent %}{{ forloop.counter }}{% endif %}{% endfor %}", "1239"},
        {"{% for r in records %}{{ r.label.count }}.{% endfor %}", "4.5.4.5.4.4...5."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(render(c.source, context), c.expected) << c.source;
    }
}

TEST(FieldSlots, NamesFollowScopesAsTheyComeAndGo) {
    const Value context(Dictionary{{"name", "root"}, {"list", Value::Array{1, 2}}});
    const struct {
        std::string source;
        std::string expected;
    } cases[] = {
        {"{{ name }}{% for name in list %}{{ name }}{% endfor %}{{ name }}", "root12root"},
        {"{% for x in list %}<{{ name }}>{% for name in list %}{{ name }}{% endfor %}{% endfor %}", "<root>12<root>12"},
        {"{% for x in list %}[{{ missing }}]{% for missing in list %}{{ missing }}{% endfor %}{% endfor %}", "[]12[]12"},
        {"{% for a in list %}{{ forloop.counter }}{% for b in list %}{{ forloop.counter }}{% endfor %}"
         "{{ forloop.counter }}{% endfor %}{{ forloop.counter }}",
         "11212122"},
        {"{% outer: for a in list %}{% for b in list %}{{ forloop.outer.counter }}{{ forloop.counter }},{% endfor %}"
         "{% endfor %}",
         "11,12,21,22,"},
        {"{% for list in list %}{{ list }}{% endfor %}{{ list.count }}", "122"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(render(c.source, context), c.expected) << c.source;
    }
}

}  // namespace
}  // namespace stencil
