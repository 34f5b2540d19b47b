// The rule table view: spreadsheet gestures over the rule model.
#pragma once

#include <QTableView>

class QStandardItemModel;
class AliasEditDialog;

class MyTableView : public QTableView
{
    Q_OBJECT
public:
    explicit MyTableView(QWidget *parent = nullptr);

    void setRemarkModel(QStandardItemModel *model) { remarkModel = model; }

    int cnum = 2;
    AliasEditDialog *aliasSource = nullptr;

Q_SIGNALS:
    void send_startrow(int row);
    void send_start_ad_strow(int row, int count);

private:
    QStandardItemModel *remarkModel = nullptr;
};
