#include "Stencil/Extension.h"

#include "Stencil/BuiltinFilters.h"
#include "Stencil/Parser.h"

namespace stencil {

namespace {

class SimpleTagNode final : public Node {
public:
    SimpleTagNode(SimpleTagFunction tag, SourcePlace place) : tag_(std::move(tag)), place_(std::move(place)) {}

    Status render(Context& context, std::string& out) const override {
        auto text = tag_(context);
        if (!text) {
            return place_.attach(std::move(text).error(), context);
        }
        out += *text;
        return std::nullopt;
    }

private:
    SimpleTagFunction tag_;
    SourcePlace place_;
};

}  // namespace

void Extension::registerFilter(std::string name, FilterFunction filter) {
    filters_[std::move(name)] = std::move(filter);
}

void Extension::registerFilter(std::string name, std::function<Result<Value>(const Value& value)> filter) {
    FilterFunction refusingArguments = [name, filter = std::move(filter)](const Value& value,
                                                                          std::span<const Value> arguments,
                                                                          Context&) -> Result<Value> {
        if (!arguments.empty()) {
            return noArgumentsError(name);
        }
        return filter(value);
    };
    registerFilter(std::move(name), std::move(refusingArguments));
}

void Extension::registerFilter(std::string name,
                               std::function<Result<Value>(const Value& value, std::span<const Value> arguments)> filter) {
    registerFilter(std::move(name),
                   FilterFunction([filter = std::move(filter)](const Value& value, std::span<const Value> arguments,
                                                                Context&) { return filter(value, arguments); }));
}

void Extension::registerSimpleTag(std::string name, SimpleTagFunction tag) {
    registerTag(std::move(name), [tag = std::move(tag)](TokenParser&, const Token& token) -> Result<std::unique_ptr<Node>> {
        return std::unique_ptr<Node>(std::make_unique<SimpleTagNode>(tag, SourcePlace::of(token)));
    });
}

void Extension::registerTag(std::string name, TagParserFunction parser) {
    tags_.emplace_back(std::move(name), std::move(parser));
}

}  // namespace stencil
