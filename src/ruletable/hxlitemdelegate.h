// Paints the remark table: alternating grey rows, white centred text.
#pragma once

#include <QStyledItemDelegate>

class HXLItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
