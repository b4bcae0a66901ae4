#pragma once
// XmlNodeSink builds pugixml elements below a given parent element.

#include <pugixml.hpp>

#include "VantorelData/format/XmlSink.h"

namespace vantorel::format {

class XmlNodeSink final : public XmlSink {
public:
    explicit XmlNodeSink(pugi::xml_node parent) : current_(parent) {}

    void open(const char* name) override { current_ = current_.append_child(name); }
    void attribute(const char* name, std::string_view value) override {
        current_.append_attribute(name).set_value(value.data(), value.size());
    }
    void leaf(const char* name, std::string_view text) override {
        current_.append_child(name).text().set(text.data(), text.size());
    }
    void close() override { current_ = current_.parent(); }

    pugi::xml_node current() const { return current_; }

private:
    pugi::xml_node current_;
};

}  // namespace vantorel::format
