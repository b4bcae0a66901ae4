#include "VantorelData/model/Identifier.h"

#include <cstring>
#include <ostream>

namespace vantorel {

Identifier::Identifier(Identifier&& other) noexcept {
    std::memcpy(static_cast<void*>(this), static_cast<const void*>(&other), sizeof(Identifier));
    other.clear();
}

Identifier& Identifier::operator=(const Identifier& other) {
    if (this != &other) {
        Identifier copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Identifier& Identifier::operator=(Identifier&& other) noexcept {
    if (this != &other) {
        release();
        std::memcpy(static_cast<void*>(this), static_cast<const void*>(&other), sizeof(Identifier));
        other.clear();
    }
    return *this;
}

void Identifier::assign(std::string_view text) {
    if (text.size() <= inlineCapacity) {
        std::memcpy(inline_, text.data(), text.size());
        inline_[text.size()] = '\0';
        tag() = static_cast<unsigned char>(inlineCapacity - text.size());
        return;
    }
    char* copy = new char[text.size() + 1];
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    heap_.data = copy;
    heap_.size = text.size();
    tag() = onHeap;
}

void Identifier::release() noexcept {
    if (!isInline()) delete[] heap_.data;
    clear();
}

std::ostream& operator<<(std::ostream& out, const Identifier& identifier) { return out << identifier.view(); }

}  // namespace vantorel
