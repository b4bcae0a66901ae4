#include "VantorelData/format/QuenzColorFileReader.h"

#include <atomic>
#include <string>
#include <vector>

#include "VantorelData/format/DocumentReadPaths.h"
#include "VantorelData/format/FlatXmlDocument.h"
#include "VantorelData/format/ItemElements.h"
#include "VantorelData/format/TaskElements.h"

namespace vantorel::format {
namespace {

// Fewer bytes than a written item takes with its indentation, for sizing the linker's table up
// front; the table grows when a document holds more items than that.
constexpr std::size_t typicalItemBytes = 384;

// Text is split into pieces only by markup inside it: a comment, a CDATA section or a
// processing instruction, each of which starts with "<!" or "<?" (in UTF-16, with a zero byte
// between). Both marks are rare in documents, so looking for them costs little next to parsing;
// the declaration at the very start does not count.
bool mayHoldSplitText(std::string_view bytes) {
    constexpr std::size_t declarationArea = 8;  // "<?" after a byte order mark, in any encoding
    for (const char mark : {'!', '?'}) {
        for (std::size_t at = bytes.find(mark); at != std::string_view::npos; at = bytes.find(mark, at + 1)) {
            if (at < 2 || (mark == '?' && at < declarationArea)) continue;
            if (bytes[at - 1] == '<' || (bytes[at - 1] == '\0' && bytes[at - 2] == '<')) return true;
        }
    }
    return false;
}

bool isText(pugi::xml_node node) { return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata; }

bool isBlank(const char* text) {
    for (; *text; ++text) {
        if (*text != ' ' && *text != '\t' && *text != '\n' && *text != '\r') return false;
    }
    return true;
}

// Joins the text pieces of each element into its first piece, so that lookups, which read an
// element's first text node, see the whole text. Blank pieces beside child elements are the
// layout between them and are dropped.
void joinSplitText(pugi::xml_document& document) {
    std::vector<pugi::xml_node> pieces;
    for (pugi::xml_node node = document.first_child(); node;) {
        if (node.type() == pugi::node_element) {
            pieces.clear();
            bool hasElements = false;
            for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
                if (isText(child)) pieces.push_back(child);
                hasElements = hasElements || child.type() == pugi::node_element;
            }
            if (hasElements) {
                std::erase_if(pieces, [&node](pugi::xml_node piece) {
                    if (!isBlank(piece.value())) return false;
                    node.remove_child(piece);
                    return true;
                });
            }
            if (pieces.size() > 1) {
                std::string whole;
                for (const pugi::xml_node piece : pieces) whole += piece.value();
                pieces.front().set_value(whole.c_str());
                for (std::size_t i = 1; i < pieces.size(); ++i) node.remove_child(pieces[i]);
            }
        }
        // The next node in document order, without recursion: documents nest to any depth.
        if (node.first_child()) {
            node = node.first_child();
            continue;
        }
        while (node && !node.next_sibling()) node = node.parent();
        if (node) node = node.next_sibling();
    }
}

std::atomic<std::size_t> plainReads{0};
std::atomic<std::size_t> libraryReads{0};

template <class Element>
std::optional<std::string_view> childTextOf(Element element, std::string_view name) {
    return textOf(element.child(name));
}

// A document's description, settings, and build and test groups: all it holds but its items.
template <class Element>
void readProjectFields(Element projectElement, QuenzColorProject& project) {
    if (const auto description = childTextOf(projectElement.child("header"), "description")) {
        project.setProjectDescription(std::string(*description));
    }

    std::vector<DocumentSettingPtr> settings;
    for (Element setting = projectElement.child("settings").firstChild(); setting; setting = setting.nextSibling()) {
        if (setting.name() != "setting") continue;
        const auto key = childTextOf(setting, "key");
        const auto value = childTextOf(setting, "value");
        if (key && value) settings.push_back(std::make_shared<DocumentSetting>(std::string(*key), std::string(*value)));
    }
    project.setSettings(std::move(settings));

    std::vector<BuildGroupPtr> buildGroups;
    for (Element group = projectElement.child("buildGroups").firstChild(); group; group = group.nextSibling()) {
        if (group.name() == "buildGroup") buildGroups.push_back(readBuildGroupElement(group, false));
    }
    project.setBuildGroups(std::move(buildGroups));
    std::vector<TestGroupPtr> testGroups;
    for (Element group = projectElement.child("testGroups").firstChild(); group; group = group.nextSibling()) {
        if (group.name() == "testGroup") testGroups.push_back(readTestGroupElement(group, false));
    }
    project.setTestGroups(std::move(testGroups));
}

// The top-level items of a document as they are read, one element at a time. Aliases are
// linked from what the item reader offers as it goes, not by walking the finished tree again:
// on a large document that walk costs a cache miss per item. Group assignments wait for the
// groups, which the document holds after its items.
class DocumentItems {
public:
    explicit DocumentItems(std::size_t byteCount) { linker_.reserve(byteCount / typicalItemBytes); }

    template <class Element>
    void read(Element element, const QuenzColorProject& project) {
        if (auto item = readItemElement(element, project, false, &linker_, arena_, &pending_)) {
            items_.push_back(std::move(item));
        }
    }

    // Hands the items to `project`, whose groups are read by now, assigned and linked.
    void finish(QuenzColorProject& project) {
        pending_.assign(project);
        project.setItems(std::move(items_));
        linker_.link();
    }

private:
    ReferenceLinker linker_;
    ItemArenaPtr arena_ = std::make_shared<ItemArena>();
    PendingAssignments pending_;
    std::vector<ProjectItemPtr> items_;
};

// The items of the first `colorItems` element of the first `project` element, taken from the
// flat parser as each closes.
class StreamedItems final : public FlatXmlChildReader {
public:
    StreamedItems(std::size_t byteCount, const QuenzColorProject& project) : items_(byteCount), project_(project) {}

    bool takesChildrenOf(std::string_view name, std::size_t depth) override {
        if (depth == 1) {
            inProject_ = !projectSeen_ && name == "project";
            projectSeen_ = projectSeen_ || inProject_;
        } else if (depth == 2 && inProject_ && !itemsSeen_ && name == "colorItems") {
            itemsSeen_ = true;
            return true;
        }
        return false;
    }

    void take(FlatXmlElement child) override { items_.read(child, project_); }

    DocumentItems& items() { return items_; }

private:
    DocumentItems items_;
    const QuenzColorProject& project_;
    bool projectSeen_ = false;
    bool inProject_ = false;
    bool itemsSeen_ = false;
};

// The project of bytes in the plain subset read in one pass, or none.
QuenzColorProjectPtr readStreamed(std::string_view bytes, TextPieces pieces) {
    auto project = std::make_shared<QuenzColorProject>();
    StreamedItems streamed(bytes.size(), *project);
    auto document = FlatXmlDocument::parse(bytes, pieces, &streamed);
    if (!document) return nullptr;
    if (const FlatXmlElement projectElement = document->root().child("project")) {
        readProjectFields(projectElement, *project);
        streamed.items().finish(*project);
    }
    // Texts in pieces are rare; only then does it matter whether pugixml would join them.
    if (pieces == TextPieces::firstOnly && document->hasPiecedText() && mayHoldSplitText(bytes)) {
        return readStreamed(bytes, TextPieces::joined);
    }
    return project;
}

}  // namespace

bool parseDocumentXml(pugi::xml_document& document, std::string_view bytes) {
    if (!mayHoldSplitText(bytes)) {
        return static_cast<bool>(
            document.load_buffer(bytes.data(), bytes.size(), documentParseOptions, pugi::encoding_auto));
    }
    // Text stays in text nodes (not in the element), so that its pieces can be joined.
    constexpr unsigned splitTextOptions = (documentParseOptions & ~pugi::parse_embed_pcdata) | pugi::parse_ws_pcdata;
    if (!document.load_buffer(bytes.data(), bytes.size(), splitTextOptions, pugi::encoding_auto)) return false;
    joinSplitText(document);
    return true;
}

QuenzColorProjectPtr QuenzColorFileReader::read(std::string_view bytes) {
    auto project = readWellFormed(bytes);
    return project ? project : std::make_shared<QuenzColorProject>();
}

QuenzColorProjectPtr QuenzColorFileReader::readWellFormed(std::string_view bytes) {
    if (auto project = readPlainDocument(bytes)) return project;
    return readDocumentThroughLibrary(bytes);
}

QuenzColorProjectPtr readPlainDocument(std::string_view bytes) {
    auto project = readStreamed(bytes, TextPieces::firstOnly);
    if (project) plainReads.fetch_add(1, std::memory_order_relaxed);
    return project;
}

QuenzColorProjectPtr readDocumentThroughLibrary(std::string_view bytes) {
    pugi::xml_document document;
    if (!parseDocumentXml(document, bytes)) return nullptr;
    libraryReads.fetch_add(1, std::memory_order_relaxed);
    auto project = std::make_shared<QuenzColorProject>();
    const PugiElement projectElement = PugiElement(document.document_element()).child("project");
    if (!projectElement) return project;
    readProjectFields(projectElement, *project);
    DocumentItems items(bytes.size());
    for (PugiElement element = projectElement.child("colorItems").firstChild(); element; element = element.nextSibling()) {
        items.read(element, *project);
    }
    items.finish(*project);
    return project;
}

DocumentReadCounts documentReadCounts() {
    return {plainReads.load(std::memory_order_relaxed), libraryReads.load(std::memory_order_relaxed)};
}

bool QuenzColorFileReader::isWellFormed(std::string_view bytes) {
    pugi::xml_document document;
    return parseDocumentXml(document, bytes);
}

ProjectItemPtr QuenzColorFileReader::readItem(pugi::xml_node element, const QuenzColorProject& project,
                                              bool generateNewIds) {
    return readItemElement(PugiElement(element), project, generateNewIds);
}

BuildGroupPtr QuenzColorFileReader::readBuildGroup(pugi::xml_node element, bool generateNewIds) {
    return readBuildGroupElement(PugiElement(element), generateNewIds);
}

TestGroupPtr QuenzColorFileReader::readTestGroup(pugi::xml_node element, bool generateNewIds) {
    return readTestGroupElement(PugiElement(element), generateNewIds);
}

std::optional<BuildTaskPtr> QuenzColorFileReader::readBuildTask(pugi::xml_node element, bool generateNewIds) {
    return readBuildTaskElement(PugiElement(element), generateNewIds);
}

std::optional<TestTaskPtr> QuenzColorFileReader::readTestTask(pugi::xml_node element, bool generateNewIds) {
    return readTestTaskElement(PugiElement(element), generateNewIds);
}

ProjectItemPtr QuenzColorFileReader::readItemText(std::string_view text, const QuenzColorProject& project,
                                                  bool generateNewIds) {
    pugi::xml_document document;
    if (!parseDocumentXml(document, text)) return nullptr;
    return readItemElement(PugiElement(document.document_element()), project, generateNewIds);
}

}  // namespace vantorel::format
