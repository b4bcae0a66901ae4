#pragma once
// Pasteboard: where copied and dragged items wait between one document and another. A
// pasteboard holds a list of pasteboard items, each carrying its data under one or more type
// names, as the host's clipboard does. This is the platform interface; `InProcessPasteboard`
// keeps the data in memory (tools, tests, and any process that has no system clipboard), and
// the desktop app puts the system clipboard behind the same interface.
//
// Confined to the user-interface thread, like the documents that read and write it.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantorel {

// The copied project items: a JSON array of Base64 texts, one compressed item element each.
inline constexpr std::string_view projectItemsPasteboardType = "QuenzColor.PasteboardType.QuenzColorProjectItems";
// The identifier of one dragged item.
inline constexpr std::string_view itemUuidPasteboardType = "QuenzColor.PasteboardType.ItemUuid";
// The platform's plain-text type, under which other applications find readable text.
inline constexpr std::string_view plainTextPasteboardType = "public.utf8-plain-text";

// One entry of a pasteboard: the same content under several types.
class PasteboardItem {
public:
    void setData(std::string_view type, std::string bytes) { data_[std::string(type)] = std::move(bytes); }
    // The bytes under `type`; none when the item does not carry the type.
    std::optional<std::string_view> data(std::string_view type) const;
    bool hasType(std::string_view type) const { return data_.find(type) != data_.end(); }
    std::vector<std::string> types() const;

private:
    std::map<std::string, std::string, std::less<>> data_;
};

class Pasteboard {
public:
    virtual ~Pasteboard() = default;

    // Replaces the whole content with `items` (an empty list clears it).
    virtual void setItems(std::vector<PasteboardItem> items) = 0;
    virtual std::vector<PasteboardItem> items() const = 0;
    // Rises with every change of content, so that a reader can tell whether it changed.
    virtual std::uint64_t changeCount() const = 0;

    void clearContents() { setItems({}); }
};

class InProcessPasteboard final : public Pasteboard {
public:
    void setItems(std::vector<PasteboardItem> items) override;
    std::vector<PasteboardItem> items() const override { return items_; }
    std::uint64_t changeCount() const override { return changeCount_; }

private:
    std::vector<PasteboardItem> items_;
    std::uint64_t changeCount_ = 0;
};

// The pasteboard that copy, cut and paste use: an in-process one until the host installs the
// system clipboard with setGeneralPasteboard.
Pasteboard& generalPasteboard();
// Installs `pasteboard` as the general pasteboard; null restores the in-process one.
void setGeneralPasteboard(std::shared_ptr<Pasteboard> pasteboard);

}  // namespace vantorel
