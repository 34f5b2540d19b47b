// The remark table view beside the rule table: a copy-down drag and Delete, each one step
// of the edit history.
#pragma once

#include <QPersistentModelIndex>
#include <QPoint>
#include <QPointer>
#include <QTableView>

class EditHistory;

class MyTableView2 : public QTableView
{
    Q_OBJECT
public:
    explicit MyTableView2(QWidget *parent = nullptr);

    void setEditHistory(EditHistory *history) { editHistory = history; }

    using QTableView::edit;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    void copyDown(const QModelIndex &start, int endRow);

    EditHistory *editHistory = nullptr;
    QPoint pressPos;
    QPersistentModelIndex startIndex;
    QPointer<QWidget> openEditor;
};
