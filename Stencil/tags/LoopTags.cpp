// `{% for item in items %}`, with `key, value` pairs, `where` conditions, `{% empty %}`, the
// `forloop` variables first, last, counter, counter0 and length, labels (`{% outer: for ... %}`,
// whose pass inner loops read as `forloop.outer`), and `{% break %}` and `{% continue %}`,
// optionally naming the labelled loop they leave.

#include <algorithm>

#include "Stencil/Parser.h"
#include "Stencil/tags/BuiltinTags.h"

namespace stencil::detail {

namespace {

// Keeps a labelled loop on the render's list of running loops while it runs.
class LabelledLoopEntry {
public:
    LabelledLoopEntry(RenderState* state, const std::string& label) : state_(label.empty() ? nullptr : state) {
        if (state_) {
            state_->labelledLoops.emplace_back(label, Value());
        }
    }
    ~LabelledLoopEntry() {
        if (state_) {
            state_->labelledLoops.pop_back();
        }
    }
    LabelledLoopEntry(const LabelledLoopEntry&) = delete;
    LabelledLoopEntry& operator=(const LabelledLoopEntry&) = delete;

    void setPass(const Value& forloop) {
        if (state_) {
            state_->labelledLoops.back().second = forloop;
        }
    }

private:
    RenderState* state_;
};

// A pass's `forloop` with the current passes of the labelled loops around it, under their labels.
Value withOuterLoops(const Dictionary& forloop, const std::vector<std::pair<std::string, Value>>& labelledLoops,
                     std::size_t count) {
    Dictionary extended = forloop;
    for (std::size_t outer = 0; outer < count; ++outer) {
        extended.set(labelledLoops[outer].first, labelledLoops[outer].second);
    }
    return Value(std::move(extended));
}

class ForNode final : public Node {
public:
    ForNode(std::string label, std::vector<std::string> names, FilterExpression collection,
            std::unique_ptr<Condition> where, NodeList body, NodeList empty, SourcePlace place)
        : label_(std::move(label)),
          names_(std::move(names)),
          collection_(std::move(collection)),
          where_(std::move(where)),
          body_(std::move(body)),
          empty_(std::move(empty)),
          place_(std::move(place)) {}

    Status render(Context& context, std::string& out) const override {
        Value holder;
        auto found = collection_.find(context, holder);
        if (!found) {
            return place_.attach(std::move(found).error(), context);
        }
        if (!*found) {
            return renderNodes(empty_, context, out);
        }
        const Value& collection = **found;
        // Arrays are walked in place; other collections are turned into elements first. Either
        // way the elements outlive the loop's scope, so names refer to them without copies.
        std::optional<Value::Array> materialised;
        const Value::Array* elements = collection.array();
        bool keysOnly = collection.dictionary() && names_.size() == 1;
        if (!elements) {
            materialised = iterationElements(collection);
            elements = materialised ? &*materialised : nullptr;
        }
        if (!elements || elements->empty()) {
            return renderNodes(empty_, context, out);
        }

        Context::Scope scope(context);
        std::vector<const Value*> chosen;
        if (where_) {
            chosen.reserve(elements->size());
            for (const Value& element : *elements) {
                bind(context, element, keysOnly);
                auto keep = where_->evaluate(context);
                if (!keep) {
                    return place_.attach(std::move(keep).error(), context);
                }
                if (*keep) {
                    chosen.push_back(&element);
                }
            }
            if (chosen.empty()) {
                return renderNodes(empty_, context, out);
            }
        }
        const std::size_t count = where_ ? chosen.size() : elements->size();

        RenderState* state = context.renderState();
        std::size_t outerLabels = state ? state->labelledLoops.size() : 0;
        // Labelled loops, and loops inside them, hand their passes on to inner loops; the others
        // make `forloop` only when the body reads it.
        bool passesShared = !label_.empty() || outerLabels > 0;
        LabelledLoopEntry entry(state, label_);
        for (std::size_t i = 0; i < count; ++i) {
            if (state && ++state->loopIterations > state->environment->limits.maxLoopIterations) {
                return place_.attach(makeError(ErrorKind::limitExceeded,
                                               "Loops ran more than " +
                                                   std::to_string(state->environment->limits.maxLoopIterations) +
                                                   " times in one render"),
                                     context);
            }
            bind(context, where_ ? *chosen[i] : (*elements)[i], keysOnly);
            if (passesShared) {
                Value pass = loopPass(i, count);
                if (outerLabels > 0) {
                    pass = withOuterLoops(*pass.dictionary(), state->labelledLoops, outerLabels);
                }
                entry.setPass(pass);
                context.set("forloop", std::move(pass));
            } else {
                context.setLoopPass(i, count);
            }
            if (auto error = renderNodes(body_, context, out)) {
                return error;
            }
            if (state && state->jump.kind != LoopJump::Kind::none) {
                if (!state->jump.label.empty() && state->jump.label != label_) {
                    return std::nullopt;  // it leaves an outer loop; this one ends on the way
                }
                bool leave = state->jump.kind == LoopJump::Kind::breakLoop;
                state->jump = {};
                if (leave) {
                    break;
                }
            }
        }
        return std::nullopt;
    }

private:
    // One name takes the element (a dictionary's key); several take the element's parts.
    void bind(Context& context, const Value& element, bool keysOnly) const {
        const Value::Array* parts = element.array();
        if (names_.size() == 1) {
            context.setReference(names_.front(), keysOnly && parts && !parts->empty() ? parts->front() : element);
            return;
        }
        for (std::size_t i = 0; i < names_.size(); ++i) {
            if (parts && i < parts->size()) {
                context.setReference(names_[i], (*parts)[i]);
            } else {
                context.set(names_[i], Value{});
            }
        }
    }

    std::string label_;
    std::vector<std::string> names_;
    FilterExpression collection_;
    std::unique_ptr<Condition> where_;
    NodeList body_;
    NodeList empty_;
    SourcePlace place_;
};

class JumpNode final : public Node {
public:
    explicit JumpNode(LoopJump jump) : jump_(std::move(jump)) {}
    Status render(Context& context, std::string&) const override {
        if (RenderState* state = context.renderState()) {
            state->jump = jump_;
        }
        return std::nullopt;
    }

private:
    LoopJump jump_;
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
    parser.enterLoop(token.label);
    auto body = parser.parse({"empty", "endfor"}, &token);
    parser.leaveLoop();
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
    return std::unique_ptr<Node>(std::make_unique<ForNode>(token.label, std::move(names), std::move(collection).value(),
                                                           std::move(where), std::move(body).value(),
                                                           std::move(empty), SourcePlace::of(token)));
}

Result<std::unique_ptr<Node>> parseJump(TokenParser& parser, const Token& token, LoopJump::Kind kind) {
    auto words = token.components();
    if (words.size() > 2) {
        return TokenParser::errorAt(token, ErrorKind::syntax, "Expected '{% " + words.front() + " %}' or '{% " +
                                                                  words.front() + " label %}'");
    }
    std::string label = words.size() == 2 ? words[1] : std::string();
    if (!parser.insideLoop(label)) {
        return TokenParser::errorAt(token, ErrorKind::syntax,
                                    label.empty() ? "'" + words.front() + "' must stand inside a 'for' loop"
                                                  : "No loop labelled '" + label + "' encloses '" + words.front() + "'");
    }
    return std::unique_ptr<Node>(std::make_unique<JumpNode>(LoopJump{kind, std::move(label)}));
}

}  // namespace

void addLoopTags(TagTable& tags) {
    tags["for"] = parseFor;
    tags["break"] = [](TokenParser& parser, const Token& token) {
        return parseJump(parser, token, LoopJump::Kind::breakLoop);
    };
    tags["continue"] = [](TokenParser& parser, const Token& token) {
        return parseJump(parser, token, LoopJump::Kind::continueLoop);
    };
}

}  // namespace stencil::detail
