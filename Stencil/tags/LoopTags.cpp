// `{% for item in items %}`, with `key, value` pairs, `where` conditions, `{% empty %}` and the
// `forloop` variables first, last, counter, counter0 and length.

#include "Stencil/Parser.h"
#include "Stencil/tags/BuiltinTags.h"

namespace stencil::detail {

namespace {

class ForNode final : public Node {
public:
    ForNode(std::vector<std::string> names, FilterExpression collection, std::unique_ptr<Condition> where,
            NodeList body, NodeList empty, SourcePlace place)
        : names_(std::move(names)),
          collection_(std::move(collection)),
          where_(std::move(where)),
          body_(std::move(body)),
          empty_(std::move(empty)),
          place_(std::move(place)) {}

    Status render(Context& context, std::string& out) const override {
        auto collection = collection_.resolve(context);
        if (!collection) {
            return place_.attach(std::move(collection).error(), context);
        }
        // Arrays are walked in place; other collections are turned into elements first.
        std::optional<Value::Array> materialised;
        const Value::Array* elements = collection->array();
        bool keysOnly = collection->dictionary() && names_.size() == 1;
        if (!elements) {
            materialised = iterationElements(*collection);
            elements = materialised ? &*materialised : nullptr;
        }
        if (!elements || elements->empty()) {
            return renderNodes(empty_, context, out);
        }

        Context::Scope scope(context);
        std::vector<const Value*> chosen;
        chosen.reserve(elements->size());
        for (const Value& element : *elements) {
            if (where_) {
                bind(context, element, keysOnly);
                auto keep = where_->evaluate(context);
                if (!keep) {
                    return place_.attach(std::move(keep).error(), context);
                }
                if (!*keep) {
                    continue;
                }
            }
            chosen.push_back(&element);
        }
        if (chosen.empty()) {
            return renderNodes(empty_, context, out);
        }

        RenderState* state = context.renderState();
        for (std::size_t i = 0; i < chosen.size(); ++i) {
            if (state && ++state->loopIterations > state->environment->limits.maxLoopIterations) {
                return place_.attach(makeError(ErrorKind::limitExceeded,
                                               "Loops ran more than " +
                                                   std::to_string(state->environment->limits.maxLoopIterations) +
                                                   " times in one render"),
                                     context);
            }
            bind(context, *chosen[i], keysOnly);
            context.set("forloop", Value(Dictionary{
                                       {"first", Value(i == 0)},
                                       {"last", Value(i + 1 == chosen.size())},
                                       {"counter", Value(i + 1)},
                                       {"counter0", Value(i)},
                                       {"length", Value(chosen.size())},
                                   }));
            if (auto error = renderNodes(body_, context, out)) {
                return error;
            }
        }
        return std::nullopt;
    }

private:
    // One name takes the element (a dictionary's key); several take the element's parts.
    void bind(Context& context, const Value& element, bool keysOnly) const {
        const Value::Array* parts = element.array();
        if (names_.size() == 1) {
            context.set(names_.front(), keysOnly && parts && !parts->empty() ? parts->front() : element);
            return;
        }
        for (std::size_t i = 0; i < names_.size(); ++i) {
            context.set(names_[i], parts && i < parts->size() ? (*parts)[i] : Value{});
        }
    }

    std::vector<std::string> names_;
    FilterExpression collection_;
    std::unique_ptr<Condition> where_;
    NodeList body_;
    NodeList empty_;
    SourcePlace place_;
};

bool isLoopName(std::string_view name) {
    if (name.empty()) {
        return false;
    }
    for (char c : name) {
        if (c == '.' || c == '[' || c == ']' || c == '"' || c == '\'' || c == '|' || c == ':') {
            return false;
        }
    }
    return true;
}

Result<std::unique_ptr<Node>> parseFor(TokenParser& parser, const Token& token) {
    auto words = token.components();
    const char* usage = "Expected '{% for name in collection %}', optionally followed by 'where' and a condition";
    if (words.size() < 4 || words[2] != "in" || (words.size() > 4 && (words[4] != "where" || words.size() < 6))) {
        return TokenParser::errorAt(token, ErrorKind::syntax, usage);
    }
    std::vector<std::string> names;
    for (std::string_view name : splitOutside(words[1], ',')) {
        if (!isLoopName(name)) {
            return TokenParser::errorAt(token, ErrorKind::syntax, "'" + std::string(name) + "' cannot name a loop variable");
        }
        names.emplace_back(name);
    }
    auto collection = parser.compileFilter(words[3]);
    if (!collection) {
        return std::move(collection).error();
    }
    std::unique_ptr<Condition> where;
    if (words.size() > 4) {
        auto condition = parser.compileCondition({words.begin() + 5, words.end()});
        if (!condition) {
            return std::move(condition).error();
        }
        where = std::move(condition).value();
    }
    auto body = parser.parse({"empty", "endfor"}, &token);
    if (!body) {
        return std::move(body).error();
    }
    NodeList empty;
    if (auto next = parser.nextToken(); next && tagName(*next) == "empty") {
        auto emptyBody = parser.parse({"endfor"}, &token);
        if (!emptyBody) {
            return std::move(emptyBody).error();
        }
        empty = std::move(emptyBody).value();
        parser.nextToken();
    }
    return std::unique_ptr<Node>(std::make_unique<ForNode>(std::move(names), std::move(collection).value(),
                                                           std::move(where), std::move(body).value(),
                                                           std::move(empty), SourcePlace::of(token)));
}

}  // namespace

void addLoopTags(TagTable& tags) { tags["for"] = parseFor; }

}  // namespace stencil::detail
