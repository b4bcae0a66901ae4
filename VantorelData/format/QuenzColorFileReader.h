#pragma once
// QuenzColorFileReader builds a project from the bytes of a `.vantorel` document. Reading
// never fails: bytes that are not well-formed XML give an empty project, and items, tasks and
// tests that lack what they need are skipped. The element readers also serve one element at a
// time for undo snapshots and the pasteboard.

#include <pugixml.hpp>

#include <optional>
#include <string_view>

#include "VantorelData/model/Project.h"

namespace vantorel::format {

// The parse options of documents: text of leaf elements is kept even when it is only blanks.
inline constexpr unsigned documentParseOptions = pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_embed_pcdata;

// Parses the bytes of a document, or of one element of it, with those options. Text split into
// pieces by comments, CDATA sections or processing instructions is joined again, so that every
// element's text is one text node. False when the bytes are not well-formed XML.
bool parseDocumentXml(pugi::xml_document& document, std::string_view bytes);

class QuenzColorFileReader {
public:
    // A new project with the document's description, settings, build and test groups and
    // items, its alias references linked.
    static QuenzColorProjectPtr read(std::string_view bytes);
    // The same, but null when the bytes are not well-formed XML: one parse both checks and reads.
    static QuenzColorProjectPtr readWellFormed(std::string_view bytes);

    // Whether the bytes are well-formed XML (anything else reads as an empty project, so a
    // file that fails this test must not be overwritten by a save).
    static bool isWellFormed(std::string_view bytes);

    // Single elements. `generateNewIds` gives every item, group and task read a fresh
    // identifier (pasting); without it identifiers are kept (undo). Items find their build and
    // test groups in `project`; alias references are not linked here.
    static ProjectItemPtr readItem(pugi::xml_node element, const QuenzColorProject& project, bool generateNewIds);
    static BuildGroupPtr readBuildGroup(pugi::xml_node element, bool generateNewIds);
    static TestGroupPtr readTestGroup(pugi::xml_node element, bool generateNewIds);
    static std::optional<BuildTaskPtr> readBuildTask(pugi::xml_node element, bool generateNewIds);
    static std::optional<TestTaskPtr> readTestTask(pugi::xml_node element, bool generateNewIds);

    // One item from its text (as `QuenzColorFileWriter::itemText` gives it); null when the text
    // is not well-formed XML or names no readable item.
    static ProjectItemPtr readItemText(std::string_view text, const QuenzColorProject& project, bool generateNewIds);
};

}  // namespace vantorel::format
