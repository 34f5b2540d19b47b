// How the rule and remark tables draw a cell's text.
#pragma once

#include <QString>

class QPainter;
class QRect;

namespace CellPainting {

// Draws text centred in rect with the painter's pen. A text too long for the cell keeps its
// beginning (a DMX channel's number, the first words of a remark) and ends in an ellipsis.
void drawText(QPainter *painter, const QRect &rect, const QString &text);

} // namespace CellPainting
