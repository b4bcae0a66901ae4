// Compiles and renders arbitrary template text. Anything is allowed to fail with an error
// value; nothing may crash, overflow the stack or run away.

#include <cstddef>
#include <cstdint>
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

const Value& fuzzContext() {
    static const Value context(Dictionary{
        {"name", "Kyle"},
        {"items", Value::Array{Dictionary{{"name", "a"}, {"n", 1}}, Dictionary{{"name", "b"}, {"n", 2.5}}}},
        {"dict", Dictionary{{"k", "v"}, {"n", Value()}}},
        {"text", "line one\nline two"},
        {"n", 3},
        {"flag", true},
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
