#pragma once
// Drawing of color swatches: one color, or the steps of a set side by side, over a checkerboard
// where the colors are translucent; and the small icon of each item kind in lists.

#include <QColor>
#include <QIcon>
#include <QRectF>
#include <vector>

#include "VantorelData/model/ProjectItem.h"

class QPainter;

namespace vantorel::app {

// Draws the colors as the application's swatch proofing mode shows them.
void paintSwatch(QPainter& painter, const QRectF& rect, const std::vector<QColor>& colors, qreal radius);
// The item's light swatch for colored kinds, a symbol of its kind for the others.
QIcon kindIcon(const QuenzColorProjectItem& item, int size);
// The symbol drawn for kinds without a color: "#" numbers, "T" strings, "✓" booleans, a folder.
QString kindSymbol(ProjectItemType type);
// The application's icon, drawn as vantorel-editor.svg draws it (Qt reads SVG only with an
// extra module; the desktop uses the SVG file itself).
QIcon applicationIcon();

}  // namespace vantorel::app
