// Paints the rule table's cells and creates their editors.
#pragma once

#include <QStyledItemDelegate>

class CombinedDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit CombinedDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    int cnum = 2;

public Q_SLOTS:
    void change_cnum(int value);
};
