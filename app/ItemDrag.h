#pragma once
// The data a drag of project items carries inside the editor: the items' identifiers, one per
// line, under our item MIME type. A drop moves them with the editor's `move`.

#include <QMimeData>
#include <string>
#include <vector>

#include "VantorelData/model/ProjectItem.h"

namespace vantorel::app {

QMimeData* itemDragData(const std::vector<ProjectItemPtr>& items);
// The dragged identifiers, in drag order; empty when the data is not a drag of items.
std::vector<std::string> draggedItemUuids(const QMimeData* data);

}  // namespace vantorel::app
