// Rendering an exporter-style template over 10,000 records: a loop with filters, conditions
// and custom tags that read host objects. Reports output bytes per second.

#include <benchmark/benchmark.h>

#include <cstdio>

#include "Stencil/Environment.h"
#include "Stencil/Parser.h"

namespace {

using namespace stencil;

class Rgba final : public HostObject {
public:
    Rgba(double red, double green, double blue, double alpha) : red_(red), green_(green), blue_(blue), alpha_(alpha) {}
    std::optional<Value> lookup(std::string_view name) const override {
        if (name == "red") return Value(red_);
        if (name == "green") return Value(green_);
        if (name == "blue") return Value(blue_);
        if (name == "alpha") return Value(alpha_);
        return std::nullopt;
    }
    double red_, green_, blue_, alpha_;
};

class Record final : public HostObject {
public:
    Record(std::string name, std::shared_ptr<const Rgba> light, std::shared_ptr<const Rgba> dark, bool deprecated)
        : name_(std::move(name)), light_(std::move(light)), dark_(std::move(dark)), deprecated_(deprecated) {}
    std::optional<Value> lookup(std::string_view name) const override {
        if (name == "name") return Value(name_);
        if (name == "light") return Value(std::shared_ptr<const HostObject>(light_));
        if (name == "dark") return Value(std::shared_ptr<const HostObject>(dark_));
        if (name == "deprecated") return Value(deprecated_);
        return std::nullopt;
    }
    std::string name_;
    std::shared_ptr<const Rgba> light_, dark_;
    bool deprecated_;
};

// `{% hex color %}`: the color as #RRGGBB.
class HexNode final : public Node {
public:
    explicit HexNode(Variable color) : color_(std::move(color)) {}
    Status render(Context& context, std::string& out) const override {
        auto value = color_.resolve(context);
        if (!value) return std::move(value).error();
        const auto* color = dynamic_cast<const Rgba*>(value->object());
        if (!color) {
            out += "Rendering color failed";
            return std::nullopt;
        }
        auto byte = [](double c) { return static_cast<unsigned>(c * 255.0 + 0.5) & 0xFFu; };
        char text[8];
        std::snprintf(text, sizeof text, "#%02X%02X%02X", byte(color->red_), byte(color->green_), byte(color->blue_));
        out += text;
        return std::nullopt;
    }

private:
    Variable color_;
};

Extension benchExtension() {
    Extension extension;
    extension.registerTag("hex", [](TokenParser& parser, const Token& token) -> Result<std::unique_ptr<Node>> {
        auto words = token.components();
        auto color = parser.compileVariable(words.size() > 1 ? words[1] : "\"\"");
        if (!color) return std::move(color).error();
        return std::unique_ptr<Node>(std::make_unique<HexNode>(std::move(color).value()));
    });
    extension.registerFilter("replace", [](const Value& value, std::span<const Value> arguments) -> Result<Value> {
        const std::string* text = value.string();
        if (!text || arguments.size() != 2 || !arguments[0].string() || !arguments[1].string()) return value;
        std::string result = *text;
        const std::string& from = *arguments[0].string();
        for (std::size_t at = result.find(from); !from.empty() && at != std::string::npos; at = result.find(from, at)) {
            result.replace(at, from.size(), *arguments[1].string());
            at += arguments[1].string()->size();
        }
        return Value(result);
    });
    return extension;
}

const char* benchTemplate = R"(:root {
  {% for item in items %}
  {% if item.deprecated %}
  /* {{ item.name|uppercase }} is deprecated */
  {% endif %}
  --{{ item.name|replace:"/","-"|lowercase }}: {% hex item.light %};
  --{{ item.name|replace:"/","-"|lowercase }}-dark: {% hex item.dark %}; /* {{ forloop.counter }} of {{ forloop.length }} */
  {% endfor %}
}
)";

Value records(std::size_t count) {
    Value::Array items;
    items.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        double t = static_cast<double>(i % 256) / 255.0;
        items.emplace_back(std::shared_ptr<const HostObject>(std::make_shared<Record>(
            "Brand/Primary" + std::to_string(i), std::make_shared<Rgba>(t, 1 - t, 0.5, 1.0),
            std::make_shared<Rgba>(1 - t, t, 0.25, 1.0), i % 10 == 0)));
    }
    return Value(Dictionary{{"items", Value(std::move(items))}});
}

void RenderTenThousandRecords(benchmark::State& state) {
    Environment environment(nullptr, {benchExtension()}, TrimBehaviour::smart());
    auto compiled = environment.templateFromString(benchTemplate, "bench");
    if (!compiled) {
        state.SkipWithError(compiled.error().describe().c_str());
        return;
    }
    Value context = records(10'000);
    std::size_t bytes = 0;
    for (auto _ : state) {
        auto out = compiled->render(context);
        if (!out) {
            state.SkipWithError(out.error().describe().c_str());
            return;
        }
        bytes += out->size();
        benchmark::DoNotOptimize(out->data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(RenderTenThousandRecords)->Unit(benchmark::kMillisecond);

void CompileTemplate(benchmark::State& state) {
    Environment environment(nullptr, {benchExtension()}, TrimBehaviour::smart());
    for (auto _ : state) {
        auto compiled = environment.templateFromString(benchTemplate);
        benchmark::DoNotOptimize(compiled.ok());
    }
}
BENCHMARK(CompileTemplate)->Unit(benchmark::kMicrosecond);

}  // namespace
