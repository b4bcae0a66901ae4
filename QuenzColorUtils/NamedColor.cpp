#include "QuenzColorUtils/NamedColor.h"

#include <algorithm>

namespace quenz {

NamedColor& NamedColor::operator=(const NamedColor& other) {
    if (this != &other) {
        name_ = other.name_;
        color_ = other.color_;
        notify();
    }
    return *this;
}

void NamedColor::setName(std::string name) {
    if (name == name_) {
        return;
    }
    name_ = std::move(name);
    notify();
}

void NamedColor::setColor(const ColorValue& color) {
    if (color == color_) {
        return;
    }
    color_ = color;
    notify();
}

std::size_t NamedColor::addObserver(Observer observer) {
    const std::size_t token = nextToken_++;
    observers_.emplace_back(token, std::move(observer));
    return token;
}

void NamedColor::removeObserver(std::size_t token) {
    std::erase_if(observers_, [token](const auto& entry) { return entry.first == token; });
}

void NamedColor::notify() const {
    // Copy so that an observer may remove itself while being told.
    const auto observers = observers_;
    for (const auto& [token, observer] : observers) {
        observer(*this);
    }
}

}  // namespace quenz
