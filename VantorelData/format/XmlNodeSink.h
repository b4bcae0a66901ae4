#pragma once
// XmlNodeSink builds pugixml elements below a given parent element.

#include <pugixml.hpp>

#include <string>
#include <string_view>

#include "VantorelData/format/XmlSink.h"
#include "VantorelData/format/XmlTextSink.h"

namespace vantorel::format {

class XmlNodeSink final : public XmlSink {
public:
    explicit XmlNodeSink(pugi::xml_node parent) : current_(parent) {}

    void open(const char* name) override { current_ = current_.append_child(name); }
    void attribute(const char* name, std::string_view value) override {
        withCarriedText(value, [&](std::string_view carried) {
            current_.append_attribute(name).set_value(carried.data(), carried.size());
        });
    }
    void leaf(const char* name, std::string_view text) override {
        withCarriedText(text, [&](std::string_view carried) {
            current_.append_child(name).text().set(carried.data(), carried.size());
        });
    }
    void close() override { current_ = current_.parent(); }

    pugi::xml_node current() const { return current_; }

private:
    // Replaced as the text sink replaces them, so that a printed tree is the text sink's document.
    template <class Use>
    static void withCarriedText(std::string_view text, const Use& use) {
        if (hasCharactersXmlCannotCarry(text)) {
            use(withCharactersXmlCanCarry(text));
        } else {
            use(text);
        }
    }

    pugi::xml_node current_;
};

}  // namespace vantorel::format
