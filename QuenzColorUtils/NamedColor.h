#pragma once
// NamedColor: a candidate color with its name, as importers hand it to the document, which
// turns each accepted one into a color item. Observers hear about every change of name or
// color; two named colors are equal when name and color are equal.

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "QuenzColorUtils/ColorValue.h"

namespace quenz {

class NamedColor {
public:
    using Observer = std::function<void(const NamedColor&)>;

    NamedColor() = default;
    NamedColor(std::string name, ColorValue color) : name_(std::move(name)), color_(color) {}

    // Copies carry name and color but not observers: they watch one object, not its value.
    NamedColor(const NamedColor& other) : name_(other.name_), color_(other.color_) {}
    NamedColor& operator=(const NamedColor& other);
    NamedColor(NamedColor&&) = default;
    NamedColor& operator=(NamedColor&&) = default;
    ~NamedColor() = default;

    const std::string& name() const { return name_; }
    const ColorValue& color() const { return color_; }
    void setName(std::string name);
    void setColor(const ColorValue& color);

    // Returns a token for removeObserver.
    std::size_t addObserver(Observer observer);
    void removeObserver(std::size_t token);

    friend bool operator==(const NamedColor& a, const NamedColor& b) {
        return a.name_ == b.name_ && a.color_ == b.color_;
    }

private:
    void notify() const;

    std::string name_;
    ColorValue color_;
    std::vector<std::pair<std::size_t, Observer>> observers_;
    std::size_t nextToken_ = 1;
};

}  // namespace quenz
