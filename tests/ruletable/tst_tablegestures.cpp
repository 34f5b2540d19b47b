#include "aliaseditdialog.h"
#include "edithistory.h"
#include "mytableview.h"
#include "mytableview2.h"
#include "ruletable.h"
#include "tableedits.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>
#include <QTimer>

namespace {

using RuleTable::cellText;

const QStringList fullRule = {"", "5", "Note", "60 / C4", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"};

void setRow(QStandardItemModel *model, int row, const QStringList &cells)
{
    for (int c = 1; c < cells.size(); ++c)
        model->setData(model->index(row, c), cells.at(c));
}

QStringList rowCells(const QStandardItemModel *model, int row)
{
    return RuleTable::rowTexts(model, row).mid(1);
}

QStringList emptyCells()
{
    return QStringList(RuleTable::ColumnCount - 1);
}

} // namespace

class TestTableGestures : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void fillCountsDmxWithWrapAndAlias();
    void fillCountsNotesOverEmptyRows();
    void fillCountsCcControllers();
    void fillStatusOverRulesAndEmptyRows();
    void fillStopsAtEmptyDmxAbove();
    void releaseRule_data();
    void releaseRule();
    void dragsThatFillNothing_data();
    void dragsThatFillNothing();
    void cursorsFollowTheDrag();
    void copyAndPasteStayPrivate();
    void pasteStopsAtTheTableEdge();
    void deleteEmptiesEditableCells();
    void contextMenuOnlyOnSn();
    void insertRowsAbove();
    void deleteRowsMovingUp();
    void deleteSelectedRows();
    void dismissedMenuRenumbers();
    void menuChoiceThroughPopup();
    void lineEditorReturnEmptiesTheCell();
    void eachGestureIsOneUndoStep_data();
    void eachGestureIsOneUndoStep();
    void fullTableFillIsOneStep();
    void remarkCopyDown();
    void remarkDelete();
    void remarkEditIsOneStep();

private:
    QPoint cellCenter(QAbstractItemView *view, int row, int column) const;
    void drag(QAbstractItemView *view, QPoint from, QPoint to) const;
    void dragCells(int fromRow, int toRow, int column);
    void selectRows(int first, int last, int column = RuleTable::SN);
    QList<TableEdits::TableRow> table() const { return TableEdits::readRows(rules, remarks); }

    QStandardItemModel *rules = nullptr;
    QStandardItemModel *remarks = nullptr;
    EditHistory *history = nullptr;
    MyTableView *view = nullptr;
    MyTableView2 *remarkView = nullptr;
};

void TestTableGestures::init()
{
    rules = new QStandardItemModel;
    remarks = new QStandardItemModel;
    RuleTable::fillEmptyRules(rules);
    RuleTable::resetRemarks(remarks);
    history = new EditHistory(rules, remarks);

    view = new MyTableView;
    view->setModel(rules);
    view->setRemarkModel(remarks);
    view->setEditHistory(history);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(30);
    view->resize(1000, 600);
    view->show();

    remarkView = new MyTableView2;
    remarkView->setModel(remarks);
    remarkView->setEditHistory(history);
    remarkView->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    remarkView->verticalHeader()->setDefaultSectionSize(30);
    remarkView->resize(200, 600);
    remarkView->show();
    QVERIFY(QTest::qWaitForWindowExposed(view));
    QVERIFY(QTest::qWaitForWindowExposed(remarkView));
}

void TestTableGestures::cleanup()
{
    delete view;
    delete remarkView;
    delete history;
    delete rules;
    delete remarks;
}

QPoint TestTableGestures::cellCenter(QAbstractItemView *v, int row, int column) const
{
    const QModelIndex index = v->model()->index(row, column);
    v->scrollTo(index);
    return v->visualRect(index).center();
}

void TestTableGestures::drag(QAbstractItemView *v, QPoint from, QPoint to) const
{
    QTest::mousePress(v->viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(v->viewport(), (from + to) / 2);
    QTest::mouseMove(v->viewport(), to);
    QTest::mouseRelease(v->viewport(), Qt::LeftButton, {}, to);
}

void TestTableGestures::dragCells(int fromRow, int toRow, int column)
{
    drag(view, cellCenter(view, fromRow, column), cellCenter(view, toRow, column));
}

void TestTableGestures::selectRows(int first, int last, int column)
{
    view->selectionModel()->select(QItemSelection(rules->index(first, column), rules->index(last, column)),
                                   QItemSelectionModel::ClearAndSelect);
}

void TestTableGestures::fillCountsDmxWithWrapAndAlias()
{
    AliasEditDialog aliases;
    aliases.aliases = {QString(), QStringLiteral("Spot")};
    view->aliasSource = &aliases;
    rules->setData(rules->index(2, RuleTable::Dmx), QStringLiteral("1023"));
    dragCells(2, 5, RuleTable::Dmx);
    QCOMPARE(view->dragStartRow, 2);
    QCOMPARE(view->dragEndRow, 5);
    QCOMPARE(cellText(rules, 3, RuleTable::Dmx), QStringLiteral("1024"));
    QCOMPARE(cellText(rules, 4, RuleTable::Dmx), QStringLiteral("1"));
    QCOMPARE(cellText(rules, 5, RuleTable::Dmx), QStringLiteral("2-Spot"));
    // The rows were empty, so they took the whole row above: here nothing but the channel.
    QCOMPARE(cellText(rules, 5, RuleTable::Controller), QString());
    QCOMPARE(cellText(rules, 5, RuleTable::Status), QString());
    QCOMPARE(cellText(rules, 6, RuleTable::Dmx), QString());
}

void TestTableGestures::fillCountsNotesOverEmptyRows()
{
    QStringList rule = fullRule;
    rule[RuleTable::Controller] = QStringLiteral("126 / F#9");
    setRow(rules, 2, rule);
    dragCells(2, 5, RuleTable::Controller);
    QCOMPARE(cellText(rules, 3, RuleTable::Controller), QStringLiteral("127 / G9"));
    QCOMPARE(cellText(rules, 4, RuleTable::Controller), QStringLiteral("0 / C-1"));
    QCOMPARE(cellText(rules, 5, RuleTable::Controller), QStringLiteral("1 / C#-1"));
    QCOMPARE(rowCells(rules, 5), (QStringList{"8", "Note", "1 / C#-1", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"}));

    view->cnum = 1;
    dragCells(5, 6, RuleTable::Controller);
    QCOMPARE(cellText(rules, 6, RuleTable::Controller), QStringLiteral("2 / D-2"));
}

void TestTableGestures::fillCountsCcControllers()
{
    QStringList rule = fullRule;
    rule[RuleTable::Status] = QStringLiteral("CC");
    rule[RuleTable::Controller] = QStringLiteral("127");
    setRow(rules, 2, rule);
    dragCells(2, 4, RuleTable::Controller);
    QCOMPARE(cellText(rules, 3, RuleTable::Controller), QStringLiteral("0"));
    QCOMPARE(cellText(rules, 4, RuleTable::Controller), QStringLiteral("1"));
    QCOMPARE(cellText(rules, 4, RuleTable::Dmx), QStringLiteral("7"));
}

void TestTableGestures::fillStatusOverRulesAndEmptyRows()
{
    QStringList cc = fullRule;
    cc[RuleTable::Status] = QStringLiteral("CC");
    cc[RuleTable::Controller] = QStringLiteral("10");
    setRow(rules, 2, cc);
    QStringList note = fullRule;
    note[RuleTable::Dmx] = QStringLiteral("40");
    setRow(rules, 3, note);
    setRow(rules, 4, note);

    dragCells(2, 6, RuleTable::Status);
    // Rows holding rules change only in the dragged column...
    QCOMPARE(rowCells(rules, 3), (QStringList{"40", "CC", "60 / C4", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"}));
    QCOMPARE(rowCells(rules, 4), rowCells(rules, 3));
    // ...empty rows take the whole row above, counting DMX and Controller.
    QCOMPARE(rowCells(rules, 5), (QStringList{"41", "CC", "1", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"}));
    QCOMPARE(rowCells(rules, 6), (QStringList{"42", "CC", "2", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"}));
}

void TestTableGestures::fillStopsAtEmptyDmxAbove()
{
    // A rule without a channel: the rows below get its other cells, and no channel.
    QStringList rule = fullRule;
    rule[RuleTable::Dmx].clear();
    setRow(rules, 2, rule);
    dragCells(2, 3, RuleTable::Enable);
    QCOMPARE(cellText(rules, 3, RuleTable::Dmx), QString());
    QCOMPARE(cellText(rules, 3, RuleTable::Status), QStringLiteral("Note"));
    QCOMPARE(cellText(rules, 3, RuleTable::Controller), QStringLiteral("61 / C#4"));
}

void TestTableGestures::releaseRule_data()
{
    QTest::addColumn<int>("down");
    QTest::addColumn<int>("right");
    QTest::addColumn<bool>("fills");
    QTest::newRow("21 down counts") << 21 << 0 << true;
    QTest::newRow("20 down does not") << 20 << 0 << false;
    QTest::newRow("100 right counts") << 25 << 100 << true;
    QTest::newRow("101 right does not") << 25 << 101 << false;
    QTest::newRow("far left counts") << 25 << -300 << true;
}

void TestTableGestures::releaseRule()
{
    QFETCH(int, down);
    QFETCH(int, right);
    QFETCH(bool, fills);
    setRow(rules, 2, fullRule);
    const QRect cell = view->visualRect(rules->index(2, RuleTable::Channel));
    // Pressed at the foot of row 2, so even 20 pixels down lands in row 3.
    const QPoint press(cell.center().x(), cell.bottom() - 2);
    const QPoint release = press + QPoint(right, down);
    QCOMPARE(view->indexAt(release).row(), 3);
    drag(view, press, release);
    QCOMPARE(rowCells(rules, 3) != emptyCells(), fills);
    QCOMPARE(history->count(), fills ? 1 : 0);
}

void TestTableGestures::dragsThatFillNothing_data()
{
    QTest::addColumn<int>("fromColumn");
    QTest::addColumn<int>("toColumn");
    QTest::addColumn<int>("emptyStart");
    QTest::newRow("starts in SN") << 0 << 0 << 0;
    QTest::newRow("ends in SN") << 2 << 0 << 0;
    QTest::newRow("starts on an empty cell") << 5 << 5 << 1;
}

void TestTableGestures::dragsThatFillNothing()
{
    QFETCH(int, fromColumn);
    QFETCH(int, toColumn);
    QFETCH(int, emptyStart);
    QStringList rule = fullRule;
    if (emptyStart)
        rule[fromColumn].clear();
    setRow(rules, 2, rule);
    drag(view, cellCenter(view, 2, fromColumn), cellCenter(view, 5, toColumn));
    for (int r = 3; r <= 5; ++r)
        QCOMPARE(rowCells(rules, r), emptyCells());
    QCOMPARE(history->count(), 0);
}

void TestTableGestures::cursorsFollowTheDrag()
{
    const QPoint from = cellCenter(view, 2, 3);
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(view->viewport(), from + QPoint(0, QApplication::startDragDistance()));
    QVERIFY(view->viewport()->cursor().shape() != Qt::SizeFDiagCursor);
    QTest::mouseMove(view->viewport(), from + QPoint(0, 40));
    QCOMPARE(view->viewport()->cursor().shape(), Qt::SizeFDiagCursor);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, from + QPoint(0, 40));
    QCOMPARE(view->viewport()->cursor().shape(), Qt::ArrowCursor);
}

void TestTableGestures::copyAndPasteStayPrivate()
{
    QApplication::clipboard()->setText(QStringLiteral("untouched"));
    setRow(rules, 2, fullRule);
    QStringList second = fullRule;
    second[RuleTable::Dmx] = QStringLiteral("6");
    second[RuleTable::Status] = QStringLiteral("AT");
    setRow(rules, 3, second);
    view->selectionModel()->select(QItemSelection(rules->index(2, 1), rules->index(3, 3)),
                                   QItemSelectionModel::ClearAndSelect);
    view->setFocus();
    QTest::keySequence(view, QKeySequence::Copy);
    QCOMPARE(view->clipboardRows, (QList<QStringList>{{"5", "Note", "60 / C4"}, {"6", "AT", "60 / C4"}}));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("untouched"));

    view->selectionModel()->setCurrentIndex(rules->index(10, RuleTable::SN), QItemSelectionModel::ClearAndSelect);
    QTest::keySequence(view, QKeySequence::Paste);
    QCOMPARE(cellText(rules, 10, RuleTable::SN), QStringLiteral("11"));
    QCOMPARE(rules->index(10, 1).data().toString(), QStringLiteral("Note"));
    QCOMPARE(rules->index(10, 2).data().toString(), QStringLiteral("60 / C4"));
    QCOMPARE(rules->index(11, 1).data().toString(), QStringLiteral("AT"));
    QCOMPARE(rules->index(11, 3).data().toString(), QString());
    QCOMPARE(history->count(), 1);

    // Copying with nothing selected keeps the buffer.
    view->selectionModel()->clearSelection();
    QTest::keySequence(view, QKeySequence::Copy);
    QCOMPARE(view->clipboardRows.size(), 2);
}

void TestTableGestures::pasteStopsAtTheTableEdge()
{
    view->clipboardRows = {{"a", "b", "c"}, {"d", "e", "f"}};
    view->selectionModel()->setCurrentIndex(rules->index(3071, 8), QItemSelectionModel::ClearAndSelect);
    view->setFocus();
    QTest::keySequence(view, QKeySequence::Paste);
    QCOMPARE(cellText(rules, 3071, 8), QStringLiteral("a"));
    QCOMPARE(cellText(rules, 3071, 9), QStringLiteral("b"));
    QCOMPARE(rules->rowCount(), RuleTable::RowCount);
    QCOMPARE(rules->columnCount(), RuleTable::ColumnCount);
}

void TestTableGestures::deleteEmptiesEditableCells()
{
    setRow(rules, 2, fullRule);
    setRow(rules, 3, fullRule);
    rules->item(3, RuleTable::SN)->setEditable(true);
    view->selectionModel()->select(QItemSelection(rules->index(2, 0), rules->index(3, 4)),
                                   QItemSelectionModel::ClearAndSelect);
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Delete);
    QCOMPARE(cellText(rules, 2, RuleTable::SN), QStringLiteral("3"));
    QCOMPARE(cellText(rules, 3, RuleTable::SN), QString());
    QCOMPARE(rowCells(rules, 2).mid(0, 4), QStringList(4));
    QCOMPARE(cellText(rules, 2, RuleTable::Fixed), QStringLiteral("OFF"));
    QCOMPARE(history->count(), 1);
}

void TestTableGestures::contextMenuOnlyOnSn()
{
    std::unique_ptr<QMenu> menu(view->createContextMenu(cellCenter(view, 4, RuleTable::SN)));
    QVERIFY(menu);
    QStringList texts;
    for (QAction *action : menu->actions())
        texts << action->text();
    QCOMPARE(texts, (QStringList{"Insert rows above", "Delete the current rows and move the next row up",
                                 "Delete selected rows"}));
    for (int column = 1; column < RuleTable::ColumnCount; ++column)
        QVERIFY(!view->createContextMenu(cellCenter(view, 4, column)));
    QVERIFY(view->contextMenuPolicy() == Qt::CustomContextMenu);
}

void TestTableGestures::insertRowsAbove()
{
    for (int r : {9, 10, 11, 3070, 3071}) {
        QStringList rule = fullRule;
        rule[RuleTable::Dmx] = QString::number(r + 1);
        setRow(rules, r, rule);
        remarks->setData(remarks->index(r, 0), QStringLiteral("remark %1").arg(r + 1));
    }
    selectRows(10, 11);
    QSignalSpy startRow(view, &MyTableView::send_startrow);
    std::unique_ptr<QMenu> menu(view->createContextMenu(cellCenter(view, 10, RuleTable::SN)));
    menu->actions().at(0)->trigger();

    QCOMPARE(startRow.size(), 1);
    QCOMPARE(startRow.first().first().toInt(), 11);
    QCOMPARE(rules->rowCount(), RuleTable::RowCount);
    QCOMPARE(remarks->rowCount(), RuleTable::RowCount);
    QCOMPARE(rowCells(rules, 10), emptyCells());
    QCOMPARE(rowCells(rules, 11), emptyCells());
    QCOMPARE(cellText(remarks, 10, 0), QString());
    QCOMPARE(cellText(rules, 10, RuleTable::SN), QStringLiteral("11"));
    QVERIFY(rules->item(10, RuleTable::SN)->isEditable());
    QCOMPARE(cellText(rules, 12, RuleTable::Dmx), QStringLiteral("11"));
    QCOMPARE(cellText(remarks, 12, 0), QStringLiteral("remark 11"));
    QCOMPARE(cellText(rules, 12, RuleTable::SN), QStringLiteral("13"));
    QVERIFY(!rules->item(12, RuleTable::SN)->isEditable());
    QCOMPARE(cellText(rules, 9, RuleTable::Dmx), QStringLiteral("10"));
    // The bottom two rules fall off; the rules above them move down.
    QCOMPARE(cellText(rules, 3071, RuleTable::Dmx), QString());
    QCOMPARE(cellText(rules, 3071, RuleTable::SN), QStringLiteral("3072"));
    QCOMPARE(cellText(remarks, 3071, 0), QString());
    QCOMPARE(history->count(), 1);
}

void TestTableGestures::deleteRowsMovingUp()
{
    for (int r = 9; r < RuleTable::RowCount; ++r) {
        QStringList rule = fullRule;
        rule[RuleTable::Dmx] = QString::number(r % 1024 + 1);
        setRow(rules, r, rule);
        remarks->setData(remarks->index(r, 0), QStringLiteral("remark %1").arg(r + 1));
    }
    selectRows(10, 11);
    QSignalSpy moved(view, &MyTableView::send_start_ad_strow);
    std::unique_ptr<QMenu> menu(view->createContextMenu(cellCenter(view, 10, RuleTable::SN)));
    menu->actions().at(1)->trigger();

    QCOMPARE(moved.size(), 1);
    QCOMPARE(moved.first(), (QList<QVariant>{10, 11}));
    QCOMPARE(cellText(rules, 9, RuleTable::Dmx), QStringLiteral("10"));
    QCOMPARE(cellText(rules, 10, RuleTable::Dmx), QStringLiteral("13"));
    QCOMPARE(cellText(remarks, 10, 0), QStringLiteral("remark 13"));
    QCOMPARE(cellText(rules, 10, RuleTable::SN), QStringLiteral("11"));
    QCOMPARE(cellText(rules, 3069, RuleTable::Dmx), QString::number(3071 % 1024 + 1));
    QCOMPARE(rowCells(rules, 3070), emptyCells());
    QCOMPARE(rowCells(rules, 3071), emptyCells());
    QCOMPARE(cellText(remarks, 3071, 0), QString());
    QCOMPARE(cellText(rules, 3071, RuleTable::SN), QStringLiteral("3072"));
}

void TestTableGestures::deleteSelectedRows()
{
    for (int r : {9, 10, 11, 12}) {
        setRow(rules, r, fullRule);
        remarks->setData(remarks->index(r, 0), QStringLiteral("keep"));
    }
    selectRows(10, 11, RuleTable::Dmx);
    QSignalSpy startRow(view, &MyTableView::send_startrow);
    QSignalSpy moved(view, &MyTableView::send_start_ad_strow);
    std::unique_ptr<QMenu> menu(view->createContextMenu(cellCenter(view, 10, RuleTable::SN)));
    menu->actions().at(2)->trigger();
    QCOMPARE(rowCells(rules, 10), emptyCells());
    QCOMPARE(rowCells(rules, 11), emptyCells());
    QCOMPARE(cellText(remarks, 11, 0), QString());
    QCOMPARE(rowCells(rules, 12), fullRule.mid(1));
    QCOMPARE(cellText(remarks, 12, 0), QStringLiteral("keep"));
    QCOMPARE(startRow.size() + moved.size(), 0);
}

void TestTableGestures::dismissedMenuRenumbers()
{
    rules->setData(rules->index(5, RuleTable::SN), QStringLiteral("x"));
    rules->setData(rules->index(3071, RuleTable::SN), QStringLiteral("y"));
    QTimer::singleShot(0, this, [] {
        if (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    });
    view->showContextMenu(cellCenter(view, 5, RuleTable::SN));
    QCOMPARE(cellText(rules, 5, RuleTable::SN), QStringLiteral("6"));
    QCOMPARE(cellText(rules, 3071, RuleTable::SN), QStringLiteral("y"));
    QCOMPARE(history->count(), 1);

    // Off the SN column no menu opens and nothing is renumbered.
    rules->setData(rules->index(5, RuleTable::SN), QStringLiteral("x"));
    view->showContextMenu(cellCenter(view, 5, RuleTable::Dmx));
    QCOMPARE(cellText(rules, 5, RuleTable::SN), QStringLiteral("x"));
}

void TestTableGestures::menuChoiceThroughPopup()
{
    setRow(rules, 4, fullRule);
    selectRows(4, 4);
    bool shown = false;
    QTimer::singleShot(0, this, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        shown = true;
        menu->setActiveAction(menu->actions().at(2));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    view->showContextMenu(cellCenter(view, 4, RuleTable::SN));
    QVERIFY(shown);
    QCOMPARE(rowCells(rules, 4), emptyCells());
}

void TestTableGestures::lineEditorReturnEmptiesTheCell()
{
    rules->item(4, RuleTable::SN)->setEditable(true);
    const QModelIndex sn = rules->index(4, RuleTable::SN);
    view->setCurrentIndex(sn);
    view->edit(sn);
    auto *editor = qobject_cast<QLineEdit *>(view->indexWidget(sn));
    QVERIFY(editor);
    QVERIFY(history->inStep());
    QSignalSpy changed(rules, &QAbstractItemModel::dataChanged);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("42"));
    QTest::keyClick(editor, Qt::Key_Return);
    // Return empties the cell, which empties the open editor too; its text is committed after.
    QTRY_VERIFY(!history->inStep());
    QCOMPARE(cellText(rules, 4, RuleTable::SN), QString());
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.first().first().toModelIndex(), sn);
    QCOMPARE(history->count(), 1);
    history->undo();
    QCOMPARE(cellText(rules, 4, RuleTable::SN), QStringLiteral("5"));
}

void TestTableGestures::eachGestureIsOneUndoStep_data()
{
    QTest::addColumn<QString>("gesture");
    for (const char *gesture : {"fill", "paste", "delete", "insert", "moveup", "clearrows", "edit"})
        QTest::newRow(gesture) << QString::fromLatin1(gesture);
}

void TestTableGestures::eachGestureIsOneUndoStep()
{
    QFETCH(QString, gesture);
    for (int r = 0; r < 6; ++r) {
        QStringList rule = fullRule;
        rule[RuleTable::Dmx] = QString::number(r + 1);
        setRow(rules, r, rule);
        remarks->setData(remarks->index(r, 0), QStringLiteral("remark %1").arg(r));
    }
    const QList<TableEdits::TableRow> before = table();
    view->setFocus();
    if (gesture == QLatin1String("fill")) {
        dragCells(1, 8, RuleTable::Status);
    } else if (gesture == QLatin1String("paste")) {
        view->clipboardRows = {{"7", "CC"}, {"8", "AT"}};
        view->setCurrentIndex(rules->index(5, RuleTable::Dmx));
        QTest::keySequence(view, QKeySequence::Paste);
    } else if (gesture == QLatin1String("delete")) {
        view->selectionModel()->select(QItemSelection(rules->index(1, 1), rules->index(3, 9)),
                                       QItemSelectionModel::ClearAndSelect);
        QTest::keyClick(view, Qt::Key_Delete);
    } else if (gesture == QLatin1String("edit")) {
        const QModelIndex cell = rules->index(2, RuleTable::Fixed);
        view->setCurrentIndex(cell);
        QTest::keyClick(view, Qt::Key_F2);
        auto *editor = qobject_cast<QLineEdit *>(view->indexWidget(cell));
        QVERIFY(editor);
        editor->setText(QStringLiteral("200"));
        QTest::keyClick(editor, Qt::Key_Tab);
        QTRY_VERIFY(!view->indexWidget(cell));
        // Tab moved on into the next cell's editor: its own step, still open.
        QVERIFY(history->inStep());
        view->setFocus();
        view->setCurrentIndex(rules->index(9, 9));
        QTRY_VERIFY(!history->inStep());
    } else {
        selectRows(1, 2);
        const int action = gesture == QLatin1String("insert") ? 0 : gesture == QLatin1String("moveup") ? 1 : 2;
        std::unique_ptr<QMenu> menu(view->createContextMenu(cellCenter(view, 1, RuleTable::SN)));
        menu->actions().at(action)->trigger();
    }
    const QList<TableEdits::TableRow> after = table();
    QVERIFY(after != before);
    QCOMPARE(history->count(), 1);
    QVERIFY(history->canUndo());

    history->undo();
    QVERIFY(table() == before);
    history->redo();
    QVERIFY(table() == after);
}

void TestTableGestures::fullTableFillIsOneStep()
{
    setRow(rules, 0, fullRule);
    view->dragStartRow = 0;
    view->dragEndRow = RuleTable::RowCount - 1;
    view->copyDataToNewPosition(rules->index(0, 1), rules->index(RuleTable::RowCount - 1, 1));
    // 5 + 3071 channels on, wrapping at 1024; 60 + 3071 notes on, wrapping at 127.
    QCOMPARE(cellText(rules, 3071, RuleTable::Dmx), QStringLiteral("4"));
    QCOMPARE(cellText(rules, 3071, RuleTable::Controller), QStringLiteral("59 / B3"));
    QCOMPARE(history->count(), 1);
    history->undo();
    for (int r = 1; r < RuleTable::RowCount; ++r)
        QCOMPARE(rowCells(rules, r), emptyCells());
    QCOMPARE(rowCells(rules, 0), fullRule.mid(1));
}

void TestTableGestures::remarkCopyDown()
{
    remarks->setData(remarks->index(5, 0), QStringLiteral("wash"));
    remarks->setData(remarks->index(9, 0), QStringLiteral("keep"));
    const QPoint from = cellCenter(remarkView, 5, 0);
    const QPoint to = cellCenter(remarkView, 8, 0);
    QTest::mousePress(remarkView->viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(remarkView->viewport(), to);
    QCOMPARE(remarkView->viewport()->cursor().shape(), Qt::SizeAllCursor);
    QTest::mouseRelease(remarkView->viewport(), Qt::LeftButton, {}, to);
    QCOMPARE(remarkView->viewport()->cursor().shape(), Qt::ArrowCursor);
    for (int r = 6; r <= 8; ++r)
        QCOMPARE(cellText(remarks, r, 0), QStringLiteral("wash"));
    QCOMPARE(cellText(remarks, 9, 0), QStringLiteral("keep"));
    QCOMPARE(history->count(), 1);
    history->undo();
    for (int r = 6; r <= 8; ++r)
        QCOMPARE(cellText(remarks, r, 0), QString());
    QCOMPARE(cellText(remarks, 5, 0), QStringLiteral("wash"));
    history->redo();
    QCOMPARE(cellText(remarks, 8, 0), QStringLiteral("wash"));

    // Upwards nothing is copied.
    drag(remarkView, cellCenter(remarkView, 5, 0), cellCenter(remarkView, 2, 0));
    QCOMPARE(cellText(remarks, 2, 0), QString());
}

void TestTableGestures::remarkDelete()
{
    for (int r : {3, 4, 5})
        remarks->setData(remarks->index(r, 0), QStringLiteral("r%1").arg(r));
    remarkView->selectionModel()->select(QItemSelection(remarks->index(3, 0), remarks->index(4, 0)),
                                         QItemSelectionModel::ClearAndSelect);
    remarkView->setFocus();
    QTest::keyClick(remarkView, Qt::Key_Delete);
    QCOMPARE(cellText(remarks, 3, 0), QString());
    QCOMPARE(cellText(remarks, 4, 0), QString());
    QCOMPARE(cellText(remarks, 5, 0), QStringLiteral("r5"));
    QCOMPARE(history->count(), 1);
    history->undo();
    QCOMPARE(cellText(remarks, 3, 0), QStringLiteral("r3"));
}

void TestTableGestures::remarkEditIsOneStep()
{
    const QModelIndex cell = remarks->index(7, 0);
    remarkView->setCurrentIndex(cell);
    remarkView->edit(cell);
    auto *editor = qobject_cast<QLineEdit *>(remarkView->indexWidget(cell));
    QVERIFY(editor);
    QVERIFY(history->inStep());
    QTest::keyClicks(editor, QStringLiteral("strobe"));
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_VERIFY(!history->inStep());
    QCOMPARE(cellText(remarks, 7, 0), QStringLiteral("strobe"));
    QCOMPARE(history->count(), 1);
    history->undo();
    QCOMPARE(cellText(remarks, 7, 0), QString());
    history->redo();
    QCOMPARE(cellText(remarks, 7, 0), QStringLiteral("strobe"));
}

QTEST_MAIN(TestTableGestures)
#include "tst_tablegestures.moc"
