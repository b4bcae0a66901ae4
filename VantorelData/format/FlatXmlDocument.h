#pragma once
// The plain XML that documents are written in, read in one pass into a flat list of elements
// in document order, each with its name, its text and its `type` attribute. It takes only what
// the writer produces and people write by hand: the UTF-8 declaration, elements, attributes,
// text with the predefined entities and character references, comments and blanks. Anything
// else, or any doubt (a DOCTYPE, CDATA, processing instructions, byte order marks, other
// encodings, unknown entities, a `type` value with references or blanks other than spaces,
// malformed markup), gives no document, and the caller reads the bytes with pugixml instead. What it does read, it reads as pugixml does under the document
// parse options: the same texts, kept and dropped by the same rules, so the element readers
// build the same model from either.

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace vantorel::format {

class FlatXmlElement;

// Takes the children of chosen elements one at a time, each as soon as its end tag is read,
// while its records are still in cache; the parser then drops them and reuses their room. A
// large document's items are then never all kept as records, only the one being read.
class FlatXmlChildReader {
public:
    virtual ~FlatXmlChildReader() = default;
    // Asked for every element opened near the root (`depth` 0 for the root, up to
    // `deepestTaker`): whether its children are to be handed over as they close, not kept.
    virtual bool takesChildrenOf(std::string_view name, std::size_t depth) = 0;
    // One complete child of such an element, in document order; it is gone after the call.
    virtual void take(FlatXmlElement child) = 0;

    static constexpr std::size_t deepestTaker = 2;
};

// How pugixml will have given the texts of elements that comments cut into pieces.
enum class TextPieces {
    firstOnly,  // an element's text is its first piece
    joined,     // the pieces are joined into one text
};

class FlatXmlDocument {
public:
    // One element, in 32 bytes so that a large document's list stays small. Its first child, if
    // any, is the next record; `nextOffset` leads to its next sibling. The `type` attribute's
    // value lies shortly after the name, in the bytes themselves.
    struct Record {
        const char* name = nullptr;
        const char* text = nullptr;
        std::uint32_t textLength = 0;
        std::uint32_t nextOffset = 0;  // 0 for the last child
        std::uint16_t nameLength = 0;
        std::uint16_t typeOffset = 0;  // from the name
        std::uint16_t typeLength = 0;
        bool hasChildren : 1 = false;
        bool hasAttributes : 1 = false;
        bool hasType : 1 = false;
    };

    // None when the bytes are outside the plain subset. Texts point into `bytes`, which must
    // outlive the document. With a child reader, the children of the elements it takes are
    // handed to it and are not in the document; a refusal may come after some were handed over.
    static std::optional<FlatXmlDocument> parse(std::string_view bytes, TextPieces pieces,
                                                FlatXmlChildReader* childReader = nullptr);

    FlatXmlElement root() const;

    // Whether some element's text came in more than one piece, the only texts that differ
    // between the two ways of taking pieces.
    bool hasPiecedText() const { return piecedText_; }

private:
    friend class FlatXmlParser;
    std::vector<Record> records_;
    std::unique_ptr<char[]> decoded_;  // texts that needed their references or line ends resolved
    bool piecedText_ = false;
};

// An element of a flat document, with the same view of it the element readers take of a
// pugixml element (`PugiElement`).
class FlatXmlElement {
public:
    FlatXmlElement() = default;
    explicit FlatXmlElement(const FlatXmlDocument::Record* record) : record_(record) {}

    explicit operator bool() const { return record_ != nullptr; }

    std::string_view name() const { return record_ ? std::string_view(record_->name, record_->nameLength) : std::string_view(); }

    FlatXmlElement firstChild() const {
        return FlatXmlElement(record_ && record_->hasChildren ? record_ + 1 : nullptr);
    }
    FlatXmlElement nextSibling() const {
        return FlatXmlElement(record_ && record_->nextOffset ? record_ + record_->nextOffset : nullptr);
    }
    FlatXmlElement child(std::string_view name) const {
        for (FlatXmlElement element = firstChild(); element; element = element.nextSibling()) {
            if (element.name() == name) return element;
        }
        return {};
    }

    std::string_view value() const { return record_ ? std::string_view(record_->text, record_->textLength) : std::string_view(); }

    bool hasAttributes() const { return record_ && record_->hasAttributes; }
    std::optional<std::string_view> typeAttribute() const {
        if (!record_ || !record_->hasType) return std::nullopt;
        return std::string_view(record_->name + record_->typeOffset, record_->typeLength);
    }

private:
    const FlatXmlDocument::Record* record_ = nullptr;
};

inline FlatXmlElement FlatXmlDocument::root() const {
    return FlatXmlElement(records_.empty() ? nullptr : records_.data());
}

}  // namespace vantorel::format
