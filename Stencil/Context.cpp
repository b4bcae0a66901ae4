#include "Stencil/Context.h"

namespace stencil {

Context::Context(Value root) { frames_.push_back(Frame{{}, std::move(root)}); }

Value Context::lookup(std::string_view name) const {
    Value holder;
    const Value* found = find(name, holder);
    if (found == &holder) {
        return holder;
    }
    return found ? *found : Value();
}

const Value* Context::find(std::string_view name, Value& holder) const {
    for (auto frame = frames_.rbegin(); frame != frames_.rend(); ++frame) {
        for (const auto& [key, value] : frame->names) {
            if (key == name) {
                return &value;
            }
        }
        if (const Dictionary* dictionary = frame->base.dictionary()) {
            if (const Value* found = dictionary->find(name)) {
                return found;
            }
        } else if (const HostObject* object = frame->base.object()) {
            if (auto found = object->lookup(name)) {
                holder = std::move(*found);
                return &holder;
            }
        }
    }
    return nullptr;
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
