#include "Stencil/Context.h"

#include <atomic>

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
    const Value* answer = nullptr;
    search(name, holder, answer);
    return answer;
}

std::uint64_t Context::newSite() {
    static std::atomic<std::uint64_t> sites{0};
    return sites.fetch_add(1, std::memory_order_relaxed) + 1;
}

const Value* Context::findAndRemember(std::string_view name, Value& holder, std::uint64_t site) const {
    Remembered& entry = remembered_.entries[memoryIndex(site)];
    if (entry.shape == shape_ && entry.site == site) {
        return answerOf(entry.found);  // a loop pass's `forloop`, made on its first read
    }
    const Value* answer = nullptr;
    Found found = search(name, holder, answer);
    if (found.kind != Found::Kind::none) {
        entry = {shape_, site, found};
    }
    return answer;
}

const Value* Context::answerOf(const Found& found) const {
    switch (found.kind) {
    case Found::Kind::binding: {
        const auto& binding = *static_cast<const Binding*>(found.where);
        return binding.reference ? binding.reference : &binding.value;
    }
    case Found::Kind::forloop: {
        const auto& frame = *static_cast<const Frame*>(found.where);
        if (!frame.forloopMade) {
            frame.forloop = loopPass(frame.passIndex, frame.passLength);
            frame.forloopMade = true;
        }
        return &frame.forloop;
    }
    case Found::Kind::value: return static_cast<const Value*>(found.where);
    default: return nullptr;
    }
}

// Names in a scope's bindings and dictionary stay where they are until the scopes change; a
// host object's fields may be made on the spot, so what they answer is not remembered (kind
// none), nor is a name missing from scopes that include a host object.
Context::Found Context::search(std::string_view name, Value& holder, const Value*& answer) const {
    bool remembered = true;
    for (auto frame = frames_.rbegin(); frame != frames_.rend(); ++frame) {
        if (frame->passLength > 0 && name == "forloop") {
            Found found{Found::Kind::forloop, &*frame};
            answer = answerOf(found);
            return found;
        }
        for (const auto& binding : frame->names) {
            if (binding.name == name) {
                Found found{Found::Kind::binding, &binding};
                answer = answerOf(found);
                return found;
            }
        }
        if (const Dictionary* dictionary = frame->base.dictionary()) {
            if (const Value* value = dictionary->find(name)) {
                answer = value;
                return {Found::Kind::value, value};
            }
        } else if (const HostObject* object = frame->base.object()) {
            remembered = false;
            if (const Value* value = object->find(name, holder)) {
                answer = value;
                return {};
            }
        }
    }
    answer = nullptr;
    return remembered ? Found{Found::Kind::missing, nullptr} : Found{};
}

void Context::pushScope(Value base) {
    frames_.emplace_back().base = std::move(base);
    reshape();
}

void Context::popScope() {
    if (frames_.size() > 1) {
        frames_.pop_back();
        reshape();
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
    reshape();
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
    reshape();
}

void Context::setLoopPass(std::size_t index, std::size_t length) {
    Frame& frame = frames_.back();
    if ((frame.passLength > 0) != (length > 0)) {
        reshape();  // `forloop` starts or stops standing for this scope's pass
    }
    frame.passIndex = index;
    frame.passLength = length;
    frame.forloopMade = false;
}

}  // namespace stencil
