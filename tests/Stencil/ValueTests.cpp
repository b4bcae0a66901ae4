#include <gtest/gtest.h>

#include <cmath>

#include "Stencil/JsonValue.h"
#include "Stencil/Value.h"

namespace stencil {
namespace {

TEST(Value, PrintsAsTemplatesExpect) {
    struct Case {
        Value value;
        std::string text;
    };
    const Case cases[] = {
        {Value(), ""},
        {Value(true), "true"},
        {Value(false), "false"},
        {Value(42), "42"},
        {Value(-7), "-7"},
        {Value(4.0), "4.0"},
        {Value(0.5), "0.5"},
        {Value(-0.25), "-0.25"},
        {Value(0.1 + 0.2), "0.30000000000000004"},
        {Value(1234567.0), "1234567.0"},
        {Value(1e20), "1e+20"},
        {Value(1e-7), "1e-07"},
        {Value(0.0), "0.0"},
        {Value(std::nan("")), "nan"},
        {Value("text"), "text"},
        {Value(Value::Array{"a", 1, Value()}), "[\"a\", 1, nil]"},
        {Value(Dictionary{{"k", "v"}, {"n", 2}}), "[\"k\": \"v\", \"n\": 2]"},
        {Value(Dictionary{}), "[:]"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.value.text(), c.text);
    }
}

TEST(Value, TruthFollowsTheLanguage) {
    struct Case {
        Value value;
        bool truthy;
    };
    const Case cases[] = {
        {Value(), false},           {Value(false), false},          {Value(true), true},
        {Value(0), false},          {Value(-1), false},             {Value(1), true},
        {Value(0.0), false},        {Value(-0.5), false},           {Value(0.5), true},
        {Value(""), false},         {Value("x"), true},             {Value(Value::Array{}), false},
        {Value(Value::Array{1}), true}, {Value(Dictionary{}), false}, {Value(Dictionary{{"a", 1}}), true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.value.truthy(), c.truthy) << c.value.text();
    }
}

TEST(Value, CopiesAndMovesKeepEveryKind) {
    const Value samples[] = {Value(),
                             Value(true),
                             Value(-3),
                             Value(2.5),
                             Value("short"),
                             Value(std::string(100, 'x')),
                             Value(Value::Array{1, "two"}),
                             Value(Dictionary{{"k", "v"}})};
    for (const Value& sample : samples) {
        for (const Value& previous : samples) {
            Value copied = previous;
            copied = sample;
            EXPECT_EQ(copied, sample) << sample.text();
            Value moved = previous;
            Value source = sample;
            moved = std::move(source);
            EXPECT_EQ(moved, sample) << sample.text();
            Value constructed(std::move(moved));
            EXPECT_EQ(constructed, sample) << sample.text();
            const Value& alias = constructed;
            constructed = alias;
            EXPECT_EQ(constructed, sample) << sample.text();
        }
    }
}

TEST(Value, TakesAnElementOfItsOwnContainer) {
    Value value(Value::Array{Value(Value::Array{"inner", std::string(40, 'y')}), 2});
    value = value.array()->front();
    EXPECT_EQ(value.text(), "[\"inner\", \"" + std::string(40, 'y') + "\"]");
    value = value.array()->back();
    EXPECT_EQ(value.text(), std::string(40, 'y'));
}

TEST(Value, EqualityComparesNumbersByValue) {
    EXPECT_EQ(Value(1), Value(1.0));
    EXPECT_NE(Value(std::int64_t{9007199254740993}), Value(std::int64_t{9007199254740992}));  // one double apart
    EXPECT_NE(Value(1), Value("1"));
    EXPECT_NE(Value(true), Value(1));
    EXPECT_EQ(Value(), Value());
    EXPECT_EQ(Value(Value::Array{1, "a"}), Value(Value::Array{1.0, "a"}));
    EXPECT_EQ(Value(Dictionary{{"a", 1}, {"b", 2}}), Value(Dictionary{{"b", 2}, {"a", 1}}));
    EXPECT_NE(Value(Dictionary{{"a", 1}}), Value(Dictionary{{"a", 2}}));
}

TEST(Value, MembersOfArraysStringsAndDictionaries) {
    Value people(Value::Array{"Kyle", "Katie", "Ana"});
    Value word("héllo");
    Value record(Dictionary{{"name", "John"}});
    struct Case {
        const Value* base;
        std::string name;
        Value expected;
    };
    const Case cases[] = {
        {&people, "count", 3},     {&people, "first", "Kyle"}, {&people, "last", "Ana"},
        {&people, "1", "Katie"},   {&people, "3", Value()},    {&people, "x", Value()},
        {&word, "count", 5},       {&word, "first", "h"},      {&word, "1", "é"},
        {&word, "last", "o"},      {&record, "name", "John"},  {&record, "count", 1},
        {&record, "missing", Value()},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(lookupMember(*c.base, c.name), c.expected) << c.name;
    }
}

TEST(Value, DictionaryKeepsInsertionOrderAndReplacesInPlace) {
    Dictionary entries;
    for (int i = 20; i > 0; --i) {
        entries.set("key" + std::to_string(i), i);
    }
    entries.set("key20", "replaced");
    EXPECT_EQ(entries.size(), 20u);
    EXPECT_EQ(entries.begin()->first, "key20");
    EXPECT_EQ(*entries.find("key20"), Value("replaced"));
    EXPECT_EQ(*entries.find("key7"), Value(7));
    EXPECT_EQ(entries.find("key21"), nullptr);
}

TEST(JsonValue, KeepsObjectKeyOrderAndTypes) {
    auto value = parseJsonValue(R"({"z": 1, "a": [true, null, 2.5, "s"], "m": {"b": 1, "a": 2}, "big": 18446744073709551615})");
    ASSERT_TRUE(value) << value.error().describe();
    EXPECT_EQ(value->text(), R"(["z": 1, "a": [true, nil, 2.5, "s"], "m": ["b": 1, "a": 2], "big": 1.8446744073709552e+19])");
}

TEST(JsonValue, ReportsBadAndTooDeepJson) {
    EXPECT_FALSE(parseJsonValue("{\"a\": }"));
    auto deep = parseJsonValue(std::string(1000, '[') + std::string(1000, ']'));
    ASSERT_FALSE(deep);
    EXPECT_EQ(deep.error().kind, ErrorKind::nestingTooDeep);
}

}  // namespace
}  // namespace stencil
