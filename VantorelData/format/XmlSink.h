#pragma once
// XmlSink: where the document writer puts its elements. The writer describes each element
// once; one sink prints the text of a whole document straight into a string (fast saving),
// another builds pugixml elements (undo snapshots and the pasteboard work on single elements).
// Both give the same document: printing the built elements with two-space indentation yields
// the bytes the text sink wrote.

#include <string_view>

namespace vantorel::format {

class XmlSink {
public:
    virtual ~XmlSink() = default;

    // Starts a child element of the current element; it becomes the current element.
    virtual void open(const char* name) = 0;
    // Adds an attribute to the element just opened, before any child.
    virtual void attribute(const char* name, std::string_view value) = 0;
    // A child element holding only text (possibly empty).
    virtual void leaf(const char* name, std::string_view text) = 0;
    // Ends the current element; its parent becomes current again.
    virtual void close() = 0;
};

}  // namespace vantorel::format
