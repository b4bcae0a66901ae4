// Compiles and renders arbitrary template text. Anything is allowed to fail with an error
// value; nothing may crash, overflow the stack or run away.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "Stencil/Environment.h"

namespace {

using namespace stencil;

const Environment& fuzzEnvironment() {
    static const Environment environment = [] {
        auto loader = std::make_shared<MemoryLoader>(std::map<std::string, std::string, std::less<>>{
            {"base", "<{% block a %}A{% endblock %}|{% block b %}B{{ block.super }}{% endblock %}>"},
            {"self", "{% include \"self\" %}"},
            {"loop", "{% extends \"loop\" %}"},
            {"row", "[{{ item.name|default:\"?\" }}]"},
        });
        Extension extension;
        extension.registerSimpleTag("now", [](Context&) -> Result<std::string> { return std::string("today"); });
        Limits limits;
        limits.maxLoopIterations = 20'000;
        limits.maxOutputBytes = 1 << 20;
        return Environment(loader, {extension}, TrimBehaviour::smart(), limits);
    }();
    return environment;
}

// A host record whose fields are made afresh on every read, holding containers and further
// records, so that paths through it pass values that live only while the path resolves.
class Record final : public HostObject {
public:
    explicit Record(int depth) : depth_(depth) {}
    std::optional<Value> lookup(std::string_view name) const override {
        if (name == "child" && depth_ < 3) return Value(std::shared_ptr<const HostObject>(std::make_shared<Record>(depth_ + 1)));
        if (name == "list") return Value(Value::Array{"x", Value(Dictionary{{"name", "y"}}), depth_});
        if (name == "name") return Value("record " + std::to_string(depth_));
        return std::nullopt;
    }
    std::optional<Value::Array> elements() const override {
        return Value::Array{depth_, Value(std::shared_ptr<const HostObject>(std::make_shared<Record>(depth_ + 1)))};
    }
    std::string description() const override { return "Record"; }

private:
    int depth_;
};

const Value& fuzzContext() {
    static const Value context(Dictionary{
        {"name", "Kyle"},
        {"items", Value::Array{Dictionary{{"name", "a"}, {"n", 1}}, Dictionary{{"name", "b"}, {"n", 2.5}}}},
        {"dict", Dictionary{{"k", "v"}, {"n", Value()}}},
        {"text", "line one\nline two"},
        {"n", 3},
        {"flag", true},
        {"record", std::shared_ptr<const HostObject>(std::make_shared<Record>(0))},
    });
    return context;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view source(reinterpret_cast<const char*>(data), size);
    auto compiled = fuzzEnvironment().templateFromString(source, "fuzz");
    if (compiled) {
        auto rendered = compiled->render(fuzzContext());
        (void)rendered.ok();
    }
    return 0;
}
