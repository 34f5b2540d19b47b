#include "mytableview.h"

#include "aliaseditdialog.h"
#include "edithistory.h"
#include "ruletable.h"
#include "tableedits.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QStandardItemModel>

#include <functional>
#include <memory>

namespace {

// A fill counts only for a release clearly below the press and not far to its right.
constexpr int FillMinDown = 20;
constexpr int FillMaxRight = 100;

QString textAt(const QAbstractItemModel *model, int row, int column)
{
    return model->index(row, column).data().toString();
}

void editRows(QStandardItemModel *rules, QStandardItemModel *remarks,
              const std::function<void(QList<TableEdits::TableRow> &)> &operation)
{
    const QList<TableEdits::TableRow> before = TableEdits::readRows(rules, remarks);
    QList<TableEdits::TableRow> after = before;
    operation(after);
    TableEdits::renumber(after);
    TableEdits::writeRows(rules, remarks, before, after);
}

} // namespace

MyTableView::MyTableView(QWidget *parent) : QTableView(parent)
{
    setMouseTracking(true);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &MyTableView::showContextMenu);
}

QStandardItemModel *MyTableView::ruleModel() const
{
    return qobject_cast<QStandardItemModel *>(model());
}

void MyTableView::mousePressEvent(QMouseEvent *event)
{
    QTableView::mousePressEvent(event);
    pressPos = event->position().toPoint();
    dragStartRow = currentIndex().row();
}

void MyTableView::mouseMoveEvent(QMouseEvent *event)
{
    QTableView::mouseMoveEvent(event);
    if ((event->buttons() & Qt::LeftButton)
        && event->position().toPoint().y() - pressPos.y() > QApplication::startDragDistance())
        viewport()->setCursor(Qt::SizeFDiagCursor);
}

void MyTableView::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    viewport()->setCursor(Qt::ArrowCursor);
    // Right-button drags belong to the context menu, not to the fill.
    if (event->button() != Qt::LeftButton || !model())
        return;
    const QPoint moved = event->position().toPoint() - pressPos;
    const QModelIndex index = currentIndex();
    if (moved.y() <= FillMinDown || moved.x() > FillMaxRight || !index.isValid() || index.column() == RuleTable::SN)
        return;
    dragEndRow = index.row();
    const QModelIndex start = model()->index(dragStartRow, index.column());
    if (!start.data().toString().isEmpty())
        copyDataToNewPosition(start, index);
}

void MyTableView::copyDataToNewPosition(const QModelIndex &, const QModelIndex &index)
{
    QAbstractItemModel *rules = model();
    if (!rules || dragEndRow >= rules->rowCount() || dragStartRow < 0 || dragStartRow >= dragEndRow)
        return;
    const int column = index.column();
    const int columns = rules->columnCount();
    const QStringList aliases = aliasSource ? aliasSource->getUpdatedAliases() : QStringList();
    EditHistory::Step step(editHistory, QStringLiteral("Fill"));
    for (int r = dragStartRow + 1; r <= dragEndRow; ++r) {
        bool holdsRule = false;
        for (int j = 1; j < columns && !holdsRule; ++j)
            holdsRule = j != column && !textAt(rules, r, j).isEmpty();
        if (holdsRule) {
            fillCell(r, column, aliases);
        } else {
            for (int j = 1; j < columns; ++j)
                fillCell(r, j, aliases);
        }
    }
}

void MyTableView::fillCell(int row, int column, const QStringList &aliases)
{
    QAbstractItemModel *rules = model();
    const QModelIndex target = rules->index(row, column);
    const QModelIndex above = rules->index(row - 1, column);
    std::optional<QString> text;
    switch (column) {
    case RuleTable::Dmx:
        text = TableEdits::nextDmxText(above.data().toString(), aliases);
        break;
    case RuleTable::Controller:
        text = TableEdits::nextControllerText(above.data().toString(), textAt(rules, row - 1, RuleTable::Status), cnum);
        break;
    default:
        rules->setData(target, above.data(Qt::EditRole));
        return;
    }
    if (text)
        rules->setData(target, *text);
}

void MyTableView::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
    } else if (event->matches(QKeySequence::Paste)) {
        pasteSelection();
    } else if (event->key() == Qt::Key_Delete) {
        clearSelectedCells();
    } else {
        QTableView::keyPressEvent(event);
        return;
    }
    event->accept();
}

void MyTableView::copySelection()
{
    const QModelIndexList indexes = selectedIndexes();
    if (indexes.isEmpty())
        return;
    QList<TableEdits::CellText> cells;
    cells.reserve(indexes.size());
    for (const QModelIndex &index : indexes)
        cells << TableEdits::CellText{index.row(), index.column(), index.data().toString()};
    clipboardRows = TableEdits::copyBuffer(cells);
}

void MyTableView::pasteSelection()
{
    QAbstractItemModel *rules = model();
    const QModelIndex current = currentIndex();
    if (clipboardRows.isEmpty() || !rules || !current.isValid())
        return;
    EditHistory::Step step(editHistory, QStringLiteral("Paste"));
    const QList<TableEdits::CellText> targets = TableEdits::pasteTargets(
        clipboardRows, current.row(), current.column(), rules->rowCount(), rules->columnCount());
    for (const TableEdits::CellText &cell : targets)
        rules->setData(rules->index(cell.row, cell.column), cell.text);
}

void MyTableView::clearSelectedCells()
{
    QAbstractItemModel *rules = model();
    if (!rules)
        return;
    EditHistory::Step step(editHistory, QStringLiteral("Delete"));
    const QModelIndexList indexes = selectedIndexes();
    for (const QModelIndex &index : indexes) {
        if (index.flags() & Qt::ItemIsEditable)
            rules->setData(index, QString());
    }
}

bool MyTableView::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    const bool editing = QTableView::edit(index, trigger, event);
    QWidget *editor = editing ? indexWidget(index) : nullptr;
    if (!editor || editor == openEditor)
        return editing;
    openEditor = editor;
    // The editor's commit, and whatever the delegate writes while it is open, is one step.
    if (editHistory)
        editHistory->openStepFor(editor, QStringLiteral("Edit"));
    if (auto *line = qobject_cast<QLineEdit *>(editor)) {
        const QPersistentModelIndex cell(index);
        connect(line, &QLineEdit::returnPressed, this, [this, cell] {
            if (cell.isValid())
                model()->setData(cell, QString());
        });
    }
    return editing;
}

void MyTableView::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    // The editor has committed by now; a following edit (Tab) opens its own step.
    if (editHistory)
        editHistory->closeStepFor(editor);
    QTableView::closeEditor(editor, hint);
}

bool MyTableView::selectedRowSpan(int *first, int *last) const
{
    const QModelIndexList indexes = selectedIndexes();
    if (indexes.isEmpty())
        return false;
    *first = indexes.first().row();
    *last = indexes.last().row();
    return *last >= *first;
}

QMenu *MyTableView::createContextMenu(const QPoint &pos)
{
    const QModelIndex index = indexAt(pos);
    if (!index.isValid() || index.column() != RuleTable::SN)
        return nullptr;
    auto *menu = new QMenu(this);
    connect(menu->addAction(QStringLiteral("Insert rows above")), &QAction::triggered, this,
            &MyTableView::insertRowsAbove);
    connect(menu->addAction(QStringLiteral("Delete the current rows and move the next row up")),
            &QAction::triggered, this, &MyTableView::deleteRowsMovingUp);
    connect(menu->addAction(QStringLiteral("Delete selected rows")), &QAction::triggered, this,
            &MyTableView::deleteSelectedRows);
    return menu;
}

void MyTableView::showContextMenu(const QPoint &pos)
{
    const std::unique_ptr<QMenu> menu(createContextMenu(pos));
    if (menu && !menu->exec(viewport()->mapToGlobal(pos)))
        renumberRows();
}

void MyTableView::insertRowsAbove()
{
    QStandardItemModel *rules = ruleModel();
    if (!rules)
        return;
    EditHistory::Step step(editHistory, QStringLiteral("Insert rows"));
    int first = 0;
    int last = 0;
    const bool rows = selectedRowSpan(&first, &last);
    // The emulator shifts its fixtures' rules only when rows really move.
    if (rows)
        Q_EMIT send_startrow(last);
    editRows(rules, remarkModel, [&](QList<TableEdits::TableRow> &table) {
        if (rows)
            TableEdits::insertRowsAbove(table, first, last - first + 1, rules->columnCount());
    });
}

void MyTableView::deleteRowsMovingUp()
{
    QStandardItemModel *rules = ruleModel();
    if (!rules)
        return;
    EditHistory::Step step(editHistory, QStringLiteral("Delete rows"));
    int first = 0;
    int last = 0;
    const bool rows = selectedRowSpan(&first, &last);
    if (rows)
        Q_EMIT send_start_ad_strow(first, last);
    editRows(rules, remarkModel, [&](QList<TableEdits::TableRow> &table) {
        if (rows)
            TableEdits::deleteRowsMovingUp(table, first, last);
    });
}

void MyTableView::deleteSelectedRows()
{
    QStandardItemModel *rules = ruleModel();
    if (!rules)
        return;
    EditHistory::Step step(editHistory, QStringLiteral("Clear rows"));
    int first = 0;
    int last = 0;
    const bool rows = selectedRowSpan(&first, &last);
    editRows(rules, remarkModel, [&](QList<TableEdits::TableRow> &table) {
        if (rows)
            TableEdits::clearRows(table, first, last);
    });
}

void MyTableView::renumberRows()
{
    QStandardItemModel *rules = ruleModel();
    if (!rules)
        return;
    EditHistory::Step step(editHistory, QStringLiteral("Renumber"));
    editRows(rules, remarkModel, [](QList<TableEdits::TableRow> &) {});
}
