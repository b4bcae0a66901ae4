#include "app/ItemDrag.h"

#include "app/SystemClipboard.h"

namespace vantorel::app {

QMimeData* itemDragData(const std::vector<ProjectItemPtr>& items) {
    QByteArray ids;
    for (const ProjectItemPtr& item : items) {
        if (!item) continue;
        ids += QByteArray::fromStdString(item->uuid());
        ids += '\n';
    }
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(itemUuidMimeType), ids);
    return data;
}

std::vector<std::string> draggedItemUuids(const QMimeData* data) {
    std::vector<std::string> uuids;
    if (!data || !data->hasFormat(QString::fromLatin1(itemUuidMimeType))) return uuids;
    for (const QByteArray& line : data->data(QString::fromLatin1(itemUuidMimeType)).split('\n')) {
        if (!line.trimmed().isEmpty()) uuids.push_back(line.trimmed().toStdString());
    }
    return uuids;
}

}  // namespace vantorel::app
