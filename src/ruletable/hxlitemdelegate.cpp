#include "hxlitemdelegate.h"

#include "cellpainting.h"

#include <QPainter>

void HXLItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    painter->save();
    QColor fill;
    if (option.state & QStyle::State_Selected)
        fill = QColor(202, 244, 27, 76);
    else
        fill = (index.row() % 2) ? QColor(0x4F, 0x4F, 0x4F) : QColor(0xB5, 0xB5, 0xB5);
    painter->fillRect(option.rect, fill);
    painter->setPen(Qt::white);
    CellPainting::drawText(painter, option.rect, index.data(Qt::DisplayRole).toString());
    painter->restore();
}
