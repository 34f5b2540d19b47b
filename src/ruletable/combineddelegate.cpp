#include "combineddelegate.h"

#include <QApplication>
#include <QPainter>

CombinedDelegate::CombinedDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

void CombinedDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    const QString text = index.data(Qt::DisplayRole).toString();
    painter->save();
    painter->fillRect(option.rect, (index.row() % 2) ? QColor(0x4F, 0x4F, 0x4F) : QColor(0xB5, 0xB5, 0xB5));
    painter->setPen(Qt::white);
    painter->drawText(option.rect, Qt::AlignCenter, text);
    if (option.state & QStyle::State_Selected) {
        painter->fillRect(option.rect, option.palette.highlight());
        QStyleOptionViewItem panel(option);
        panel.state = QStyle::State_Enabled;
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        style->drawPrimitive(QStyle::PE_PanelItemViewItem, &panel, painter, widget);
        painter->drawText(option.rect, Qt::AlignCenter, text);
    }
    painter->restore();
}

void CombinedDelegate::change_cnum(int value)
{
    cnum = value;
}
