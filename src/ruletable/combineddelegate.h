// Paints the rule table's cells and creates their editors.
#pragma once

#include <QStyledItemDelegate>

class CombinedDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit CombinedDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // A drop-down of the column's items for every rule column, a line editor for SN;
    // each editor carries the model index it edits in its property "index".
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;

    int cnum = 2;
    // The text a Status editor reported last, in any row; it picks the Controller default.
    QString statusText;

public Q_SLOTS:
    void change_cnum(int value);
    // A value was picked: an empty row is completed from the row above or the defaults.
    void onTextChanged(int);
    // A Status editor changed: the row's Controller takes the form of the new status.
    void onstaChanged(const QString &text);
};
