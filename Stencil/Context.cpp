#include "Stencil/Context.h"

namespace stencil {

Value loopPass(std::size_t index, std::size_t length) {
    // Built entry by entry: its keys are known apart.
    std::vector<Dictionary::Entry> entries;
    entries.reserve(5);
    entries.emplace_back("first", Value(index == 0));
    entries.emplace_back("last", Value(index + 1 == length));
    entries.emplace_back("counter", Value(index + 1));
    entries.emplace_back("counter0", Value(index));
    entries.emplace_back("length", Value(length));
    return Value(Dictionary(std::move(entries)));
}

Context::Context(Value root) { frames_.emplace_back().base = std::move(root); }

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
        if (frame->passLength > 0 && name == "forloop") {
            if (!frame->forloopMade) {
                frame->forloop = loopPass(frame->passIndex, frame->passLength);
                frame->forloopMade = true;
            }
            return &frame->forloop;
        }
        for (const auto& binding : frame->names) {
            if (binding.name == name) {
                return binding.reference ? binding.reference : &binding.value;
            }
        }
        if (const Dictionary* dictionary = frame->base.dictionary()) {
            if (const Value* found = dictionary->find(name)) {
                return found;
            }
        } else if (const HostObject* object = frame->base.object()) {
            if (const Value* found = object->find(name, holder)) {
                return found;
            }
        }
    }
    return nullptr;
}

void Context::pushScope(Value base) { frames_.emplace_back().base = std::move(base); }

void Context::popScope() {
    if (frames_.size() > 1) {
        frames_.pop_back();
    }
}

void Context::set(std::string name, Value value) {
    auto& names = frames_.back().names;
    for (auto& binding : names) {
        if (binding.name == name) {
            binding.value = std::move(value);
            binding.reference = nullptr;
            return;
        }
    }
    names.push_back(Binding{std::move(name), std::move(value), nullptr});
}

void Context::setReference(std::string_view name, const Value& value) {
    auto& names = frames_.back().names;
    for (auto& binding : names) {
        if (binding.name == name) {
            if (!binding.value.isNull()) {
                binding.value = Value();
            }
            binding.reference = &value;
            return;
        }
    }
    names.push_back(Binding{std::string(name), Value(), &value});
}

void Context::setLoopPass(std::size_t index, std::size_t length) {
    Frame& frame = frames_.back();
    frame.passIndex = index;
    frame.passLength = length;
    frame.forloopMade = false;
}

}  // namespace stencil
