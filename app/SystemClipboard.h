#pragma once
// The system clipboard behind the core's pasteboard interface: copied items travel under a
// MIME type of our own beside plain text, so that copy and paste work between windows, between
// running editors and with other applications, which see the readable description.

#include <QObject>

#include "Vantorel/editing/Pasteboard.h"

namespace vantorel::app {

// Our MIME types for the pasteboard types of the core.
inline constexpr const char* projectItemsMimeType = "application/x-vantorel-project-items";
inline constexpr const char* itemUuidMimeType = "application/x-vantorel-item-uuid";

class SystemClipboard final : public QObject, public Pasteboard {
    Q_OBJECT
public:
    SystemClipboard();

    // One pasteboard item at most: the clipboard holds one set of data at a time.
    void setItems(std::vector<PasteboardItem> items) override;
    // The clipboard's content; plain text that holds an items payload (as `vantorel copy`
    // prints it) counts as items too.
    std::vector<PasteboardItem> items() const override;
    std::uint64_t changeCount() const override { return changeCount_; }

private:
    std::uint64_t changeCount_ = 0;
};

}  // namespace vantorel::app
