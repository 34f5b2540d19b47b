#include "cellpainting.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

// Keeps the text clear of the grid lines.
constexpr int Margin = 2;

} // namespace

namespace CellPainting {

void drawText(QPainter *painter, const QRect &rect, const QString &text)
{
    const QString shown = painter->fontMetrics().elidedText(text, Qt::ElideRight, rect.width() - 2 * Margin);
    painter->drawText(rect, Qt::AlignCenter, shown);
}

} // namespace CellPainting
