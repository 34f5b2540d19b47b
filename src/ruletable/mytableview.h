// The rule table view: spreadsheet gestures over the rule model (drag-fill, private copy
// and paste, Delete, the SN context menu), each gesture one step of the edit history.
#pragma once

#include <QList>
#include <QPoint>
#include <QPointer>
#include <QStringList>
#include <QTableView>

class EditHistory;
class QMenu;
class QStandardItemModel;
class AliasEditDialog;

class MyTableView : public QTableView
{
    Q_OBJECT
public:
    explicit MyTableView(QWidget *parent = nullptr);

    void setRemarkModel(QStandardItemModel *model) { remarkModel = model; }
    void setEditHistory(EditHistory *history) { editHistory = history; }

    using QTableView::edit;
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;

    void copyDataToNewPosition(const QModelIndex &, const QModelIndex &index);
    void copySelection();
    void pasteSelection();

    // The SN column's menu for a right click at `pos` (viewport coordinates), its actions
    // wired to the row operations; none off the SN column. The caller owns it.
    QMenu *createContextMenu(const QPoint &pos);
    void insertRowsAbove();
    void deleteRowsMovingUp();
    void deleteSelectedRows();
    void renumberRows();

    int cnum = 2;
    // Whose alias list the DMX fill writes; not owned.
    AliasEditDialog *aliasSource = nullptr;
    QPoint pressPos;
    int dragStartRow = -1;
    int dragEndRow = -1;
    QList<QStringList> clipboardRows;

Q_SIGNALS:
    void send_startrow(int row);
    void send_start_ad_strow(int startRow, int endRow);

public Q_SLOTS:
    void showContextMenu(const QPoint &pos);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    QStandardItemModel *ruleModel() const;
    bool selectedRowSpan(int *first, int *last) const;
    void fillCell(int row, int column, const QStringList &aliases);
    void clearSelectedCells();

    QStandardItemModel *remarkModel = nullptr;
    EditHistory *editHistory = nullptr;
    QPointer<QWidget> openEditor;
};
