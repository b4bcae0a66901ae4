#include "app/SystemClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace vantorel::app {
namespace {

struct TypeMapping {
    std::string_view pasteboardType;
    const char* mimeType;
};
constexpr TypeMapping mappings[] = {
    {projectItemsPasteboardType, projectItemsMimeType},
    {itemUuidPasteboardType, itemUuidMimeType},
};

}  // namespace

SystemClipboard::SystemClipboard() {
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { ++changeCount_; });
}

void SystemClipboard::setItems(std::vector<PasteboardItem> items) {
    auto* data = new QMimeData;
    if (!items.empty()) {
        const PasteboardItem& item = items.front();
        for (const TypeMapping& mapping : mappings) {
            if (const auto bytes = item.data(mapping.pasteboardType)) {
                data->setData(QString::fromLatin1(mapping.mimeType),
                              QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size())));
            }
        }
        if (const auto text = item.data(plainTextPasteboardType)) {
            data->setText(QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size())));
        }
    }
    QGuiApplication::clipboard()->setMimeData(data);  // the clipboard takes ownership
}

std::vector<PasteboardItem> SystemClipboard::items() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) return {};
    PasteboardItem item;
    for (const TypeMapping& mapping : mappings) {
        if (data->hasFormat(QString::fromLatin1(mapping.mimeType))) {
            item.setData(mapping.pasteboardType, data->data(QString::fromLatin1(mapping.mimeType)).toStdString());
        }
    }
    if (data->hasText()) {
        const std::string text = data->text().toStdString();
        // A payload pasted as text (from `vantorel copy`); the reader skips anything else.
        if (!item.hasType(projectItemsPasteboardType) && text.find_first_not_of(" \t\r\n") != std::string::npos &&
            text[text.find_first_not_of(" \t\r\n")] == '[') {
            item.setData(projectItemsPasteboardType, text);
        }
        item.setData(plainTextPasteboardType, text);
    }
    if (item.types().empty()) return {};
    return {item};
}

}  // namespace vantorel::app
