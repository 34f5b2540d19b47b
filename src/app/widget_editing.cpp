#include "widget.h"
#include "ui_widget.h"

#include "edithistory.h"
#include "mainwindow.h"

#include <QAction>

void Widget::setupEditing()
{
    editHistory = new EditHistory(ruleModel, remarkModel, this);
    ui->tableView->setEditHistory(editHistory);
    ui->tableView_2->setEditHistory(editHistory);
}

// The names in the cells and the convention they are written in go back and forth together.
void Widget::recordConventionChange(int from, int to)
{
    editHistory->setStepActions([this, from] { restoreConvention(from); }, [this, to] { restoreConvention(to); });
}

void Widget::restoreConvention(int c)
{
    const QList<QAction *> items = {menuWindow->c3Action, menuWindow->c4Action, menuWindow->c5Action};
    if (c < 1 || c > items.size())
        return;
    items.at(c - 1)->setChecked(true);
    applyConvention(c);
    menuWindow->saveActionSelection();
}
