#pragma once
// QuenzColorFileWriter turns a project into the bytes of a `.vantorel` document: an XML
// declaration line, then the element tree (header, settings, items, build groups, test groups)
// with two spaces of indentation per level, and numbers written the same in every locale.
// The element writers also serve one element at a time for undo snapshots and the pasteboard.

#include <pugixml.hpp>

#include <optional>
#include <string>

#include "VantorelData/model/Project.h"

namespace vantorel::format {

struct DocumentWriteError {
    enum class Kind {
        encoding,     // some text is not valid UTF-8 (or holds a NUL character)
        invalidItem,  // an item without payload, which the model never produces
    };
    Kind kind = Kind::encoding;
    std::string message;
};

struct WrittenDocument {
    std::string bytes;  // empty when writing failed
    std::optional<DocumentWriteError> error;
};

class QuenzColorFileWriter {
public:
    // The whole document. Fails only on text that cannot be encoded; no bytes are produced then.
    static WrittenDocument write(const QuenzColorProject& project);

    // Single elements, appended to `parent`; they print exactly as in a document. The returned
    // element is null only for an item without payload (nothing is appended then).
    static pugi::xml_node writeItem(const QuenzColorProjectItem& item, pugi::xml_node parent);
    static pugi::xml_node writeBuildGroup(const BuildGroup& group, pugi::xml_node parent);
    static pugi::xml_node writeTestGroup(const TestGroup& group, pugi::xml_node parent);
    static pugi::xml_node writeBuildTask(const BuildTask& task, pugi::xml_node parent);
    static pugi::xml_node writeTestTask(const TestTask& task, pugi::xml_node parent);

    // One item element as text, without declaration line and at nesting level 0; none when the
    // item cannot be written. Cheaper than building pugixml elements and printing them.
    static std::optional<std::string> itemText(const QuenzColorProjectItem& item);
};

}  // namespace vantorel::format
