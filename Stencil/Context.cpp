#include "Stencil/Context.h"

namespace stencil {

namespace {

std::optional<Value> lookupIn(const Value& base, std::string_view name) {
    if (const Dictionary* dictionary = base.dictionary()) {
        if (const Value* found = dictionary->find(name)) {
            return *found;
        }
    } else if (const HostObject* object = base.object()) {
        return object->lookup(name);
    }
    return std::nullopt;
}

}  // namespace

Context::Context(Value root) { frames_.push_back(Frame{{}, std::move(root)}); }

Value Context::lookup(std::string_view name) const {
    for (auto frame = frames_.rbegin(); frame != frames_.rend(); ++frame) {
        for (const auto& [key, value] : frame->names) {
            if (key == name) {
                return value;
            }
        }
        if (!frame->base.isNull()) {
            if (auto found = lookupIn(frame->base, name)) {
                return std::move(*found);
            }
        }
    }
    return {};
}

void Context::pushScope(Value base) { frames_.push_back(Frame{{}, std::move(base)}); }

void Context::popScope() {
    if (frames_.size() > 1) {
        frames_.pop_back();
    }
}

void Context::set(std::string name, Value value) {
    auto& names = frames_.back().names;
    for (auto& [key, existing] : names) {
        if (key == name) {
            existing = std::move(value);
            return;
        }
    }
    names.emplace_back(std::move(name), std::move(value));
}

}  // namespace stencil
