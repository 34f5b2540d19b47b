// The remark table view beside the rule table.
#pragma once

#include <QTableView>

class MyTableView2 : public QTableView
{
    Q_OBJECT
public:
    explicit MyTableView2(QWidget *parent = nullptr);
};
