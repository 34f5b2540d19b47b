#include "mytableview2.h"

#include "edithistory.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

MyTableView2::MyTableView2(QWidget *parent) : QTableView(parent) {}

void MyTableView2::mousePressEvent(QMouseEvent *event)
{
    QTableView::mousePressEvent(event);
    pressPos = event->position().toPoint();
    startIndex = indexAt(pressPos);
}

void MyTableView2::mouseMoveEvent(QMouseEvent *event)
{
    QTableView::mouseMoveEvent(event);
    if ((event->buttons() & Qt::LeftButton)
        && event->position().toPoint().y() - pressPos.y() > QApplication::startDragDistance())
        viewport()->setCursor(Qt::SizeAllCursor);
}

void MyTableView2::mouseReleaseEvent(QMouseEvent *event)
{
    QTableView::mouseReleaseEvent(event);
    viewport()->setCursor(Qt::ArrowCursor);
    if (event->button() != Qt::LeftButton)
        return;
    const QModelIndex end = indexAt(event->position().toPoint());
    if (startIndex.isValid() && end.isValid() && end.row() > startIndex.row())
        copyDown(startIndex, end.row());
}

void MyTableView2::copyDown(const QModelIndex &start, int endRow)
{
    QAbstractItemModel *remarks = model();
    EditHistory::Step step(editHistory, QStringLiteral("Copy remarks down"));
    for (int r = start.row() + 1; r <= endRow; ++r) {
        for (int c = 0; c < remarks->columnCount(); ++c)
            remarks->setData(remarks->index(r, c), remarks->index(start.row(), c).data().toString());
    }
}

void MyTableView2::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Delete || !model()) {
        QTableView::keyPressEvent(event);
        return;
    }
    EditHistory::Step step(editHistory, QStringLiteral("Delete remarks"));
    const QModelIndexList indexes = selectedIndexes();
    for (const QModelIndex &index : indexes)
        model()->setData(index, QString());
    event->accept();
}

bool MyTableView2::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    const bool editing = QTableView::edit(index, trigger, event);
    QWidget *editor = editing ? indexWidget(index) : nullptr;
    if (editor && editor != openEditor && editHistory) {
        openEditor = editor;
        editHistory->openStepFor(editor, QStringLiteral("Edit remark"));
    }
    return editing;
}

void MyTableView2::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (editHistory)
        editHistory->closeStepFor(editor);
    QTableView::closeEditor(editor, hint);
}
