#include "edithistory.h"
#include "ruletable.h"

#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>

namespace {

using RuleTable::cellText;

void setCell(QStandardItemModel *model, int row, int column, const QString &text)
{
    model->setData(model->index(row, column), text);
}

} // namespace

class TestEditHistory : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void stepUndoesAndRedoesItsCells();
    void undoneCellsEmitDataChanged();
    void unchangedStepRecordsNothing();
    void nestedStepsJoinTheOuterOne();
    void editabilityGoesBack();
    void changesOutsideStepsAreNotSteps();
    void undoSkipsCellsAlreadyBack();
    void loadsClearTheHistory_data();
    void loadsClearTheHistory();
    void rowsMovedInsideStepAreCells();
    void stepEmptyingTheModelIsDropped();
    void ownerStepEndsWithItsOwner();
    void cleanState();
    void undoWaitsForOpenStep();
    void stepActionsFollowUndoAndRedo();
    void undoLimitKeepsNewest();

private:
    QStandardItemModel *rules = nullptr;
    QStandardItemModel *remarks = nullptr;
    EditHistory *history = nullptr;
};

void TestEditHistory::init()
{
    rules = new QStandardItemModel;
    remarks = new QStandardItemModel;
    RuleTable::fillEmptyRules(rules);
    RuleTable::resetRemarks(remarks);
    history = new EditHistory(rules, remarks);
}

void TestEditHistory::cleanup()
{
    delete history;
    delete rules;
    delete remarks;
}

void TestEditHistory::stepUndoesAndRedoesItsCells()
{
    setCell(rules, 4, RuleTable::Dmx, QStringLiteral("9"));
    {
        EditHistory::Step step(history, QStringLiteral("Paste"));
        setCell(rules, 4, RuleTable::Dmx, QStringLiteral("10"));
        setCell(rules, 3071, RuleTable::Enable, QStringLiteral("ON"));
        setCell(remarks, 7, 0, QStringLiteral("spot"));
    }
    QCOMPARE(history->count(), 1);
    QCOMPARE(history->undoText(), QStringLiteral("Paste"));
    QVERIFY(history->canUndo());
    QVERIFY(!history->canRedo());

    history->undo();
    QCOMPARE(cellText(rules, 4, RuleTable::Dmx), QStringLiteral("9"));
    QCOMPARE(cellText(rules, 3071, RuleTable::Enable), QString());
    QCOMPARE(cellText(remarks, 7, 0), QString());
    QVERIFY(history->canRedo());

    history->redo();
    QCOMPARE(cellText(rules, 4, RuleTable::Dmx), QStringLiteral("10"));
    QCOMPARE(cellText(rules, 3071, RuleTable::Enable), QStringLiteral("ON"));
    QCOMPARE(cellText(remarks, 7, 0), QStringLiteral("spot"));
}

void TestEditHistory::undoneCellsEmitDataChanged()
{
    {
        EditHistory::Step step(history, QStringLiteral("Fill"));
        setCell(rules, 1, RuleTable::Status, QStringLiteral("CC"));
        setCell(rules, 2, RuleTable::Status, QStringLiteral("CC"));
    }
    QSignalSpy changed(rules, &QAbstractItemModel::dataChanged);
    history->undo();
    QCOMPARE(changed.size(), 2);
    QSet<int> rows;
    for (const QList<QVariant> &args : changed) {
        const QModelIndex index = args.at(0).toModelIndex();
        QCOMPARE(index.column(), int(RuleTable::Status));
        rows << index.row();
    }
    QCOMPARE(rows, (QSet<int>{1, 2}));
}

void TestEditHistory::unchangedStepRecordsNothing()
{
    setCell(rules, 0, RuleTable::Dmx, QStringLiteral("1"));
    {
        EditHistory::Step step(history, QStringLiteral("Delete"));
        setCell(rules, 0, RuleTable::Dmx, QStringLiteral("2"));
        setCell(rules, 0, RuleTable::Dmx, QStringLiteral("1"));
    }
    QCOMPARE(history->count(), 0);
    QVERIFY(history->isClean());
}

void TestEditHistory::nestedStepsJoinTheOuterOne()
{
    {
        EditHistory::Step outer(history, QStringLiteral("Edit"));
        setCell(rules, 0, RuleTable::Dmx, QStringLiteral("5"));
        {
            EditHistory::Step inner(history, QStringLiteral("Paste"));
            setCell(rules, 1, RuleTable::Dmx, QStringLiteral("6"));
        }
        QCOMPARE(history->count(), 0);
        setCell(rules, 2, RuleTable::Dmx, QStringLiteral("7"));
    }
    QCOMPARE(history->count(), 1);
    QCOMPARE(history->undoText(), QStringLiteral("Edit"));
    history->undo();
    for (int r = 0; r < 3; ++r)
        QCOMPARE(cellText(rules, r, RuleTable::Dmx), QString());
}

void TestEditHistory::editabilityGoesBack()
{
    QVERIFY(!rules->item(10, RuleTable::SN)->isEditable());
    {
        EditHistory::Step step(history, QStringLiteral("Insert rows"));
        rules->item(10, RuleTable::SN)->setEditable(true);
    }
    QCOMPARE(history->count(), 1);
    history->undo();
    QVERIFY(!rules->item(10, RuleTable::SN)->isEditable());
    history->redo();
    QVERIFY(rules->item(10, RuleTable::SN)->isEditable());
}

void TestEditHistory::changesOutsideStepsAreNotSteps()
{
    setCell(rules, 0, RuleTable::Status, QStringLiteral("Note"));
    setCell(rules, 0, RuleTable::Controller, QStringLiteral("60"));
    RuleTable::sweepControllers(rules, 2);
    QCOMPARE(cellText(rules, 0, RuleTable::Controller), QStringLiteral("60 / C4"));
    QCOMPARE(history->count(), 0);
    QVERIFY(!history->canUndo());
}

void TestEditHistory::undoSkipsCellsAlreadyBack()
{
    {
        EditHistory::Step step(history, QStringLiteral("Paste"));
        setCell(rules, 0, RuleTable::Dmx, QStringLiteral("3"));
        setCell(rules, 1, RuleTable::Dmx, QStringLiteral("4"));
    }
    setCell(rules, 1, RuleTable::Dmx, QString()); // changed back outside any step
    QSignalSpy changed(rules, &QAbstractItemModel::dataChanged);
    history->undo();
    QCOMPARE(changed.size(), 1);
    QCOMPARE(cellText(rules, 0, RuleTable::Dmx), QString());
}

void TestEditHistory::loadsClearTheHistory_data()
{
    QTest::addColumn<QString>("load");
    QTest::newRow("read empties the rules") << "read";
    QTest::newRow("new table") << "new";
    QTest::newRow("remarks reset") << "remarks";
    QTest::newRow("rows inserted from outside") << "insert";
}

void TestEditHistory::loadsClearTheHistory()
{
    QFETCH(QString, load);
    {
        EditHistory::Step step(history, QStringLiteral("Paste"));
        setCell(rules, 0, RuleTable::Dmx, QStringLiteral("3"));
    }
    QVERIFY(!history->isClean());
    QSignalSpy clean(history, &EditHistory::cleanChanged);
    QSignalSpy canUndo(history, &EditHistory::canUndoChanged);
    if (load == QLatin1String("read"))
        rules->removeRows(0, rules->rowCount());
    else if (load == QLatin1String("new"))
        RuleTable::fillEmptyRules(rules);
    else if (load == QLatin1String("remarks"))
        RuleTable::resetRemarks(remarks);
    else
        RuleTable::insertReadRule(rules, 3072, {QStringLiteral("3073")});
    QCOMPARE(history->count(), 0);
    QVERIFY(history->isClean());
    QCOMPARE(clean.size(), 1);
    QCOMPARE(canUndo.size(), 1);
    QCOMPARE(canUndo.first().first().toBool(), false);
}

void TestEditHistory::rowsMovedInsideStepAreCells()
{
    setCell(rules, 5, RuleTable::Dmx, QStringLiteral("6"));
    {
        EditHistory::Step step(history, QStringLiteral("Insert rows"));
        rules->insertRow(5);
        rules->removeRow(RuleTable::RowCount);
    }
    QCOMPARE(history->count(), 1);
    QCOMPARE(cellText(rules, 6, RuleTable::Dmx), QStringLiteral("6"));
    history->undo();
    QCOMPARE(cellText(rules, 5, RuleTable::Dmx), QStringLiteral("6"));
    QCOMPARE(cellText(rules, 6, RuleTable::Dmx), QString());
    QCOMPARE(cellText(rules, 5, RuleTable::SN), QStringLiteral("6"));
    QVERIFY(!rules->item(5, RuleTable::SN)->isEditable());
}

void TestEditHistory::stepEmptyingTheModelIsDropped()
{
    {
        EditHistory::Step step(history, QStringLiteral("Paste"));
        setCell(rules, 0, RuleTable::Dmx, QStringLiteral("3"));
    }
    {
        // An editor is open while a read replaces the table.
        EditHistory::Step step(history, QStringLiteral("Edit"));
        rules->removeRows(0, rules->rowCount());
        RuleTable::fillEmptyRules(rules);
        setCell(rules, 0, RuleTable::Dmx, QStringLiteral("4"));
    }
    QCOMPARE(history->count(), 0);
    QVERIFY(history->isClean());

    {
        EditHistory::Step step(history, QStringLiteral("Odd"));
        rules->removeRow(100);
    }
    QCOMPARE(history->count(), 0);
}

void TestEditHistory::ownerStepEndsWithItsOwner()
{
    auto *editor = new QObject;
    history->openStepFor(editor, QStringLiteral("Edit"));
    history->openStepFor(editor, QStringLiteral("Edit again"));
    QVERIFY(history->inStep());
    setCell(rules, 0, RuleTable::Dmx, QStringLiteral("5"));
    delete editor;
    QVERIFY(!history->inStep());
    QCOMPARE(history->count(), 1);

    QObject second;
    history->openStepFor(&second, QStringLiteral("Edit"));
    setCell(rules, 1, RuleTable::Dmx, QStringLiteral("6"));
    history->closeStepFor(&second);
    history->closeStepFor(&second);
    QVERIFY(!history->inStep());
    QCOMPARE(history->count(), 2);
}

void TestEditHistory::cleanState()
{
    QVERIFY(history->isClean());
    QSignalSpy clean(history, &EditHistory::cleanChanged);
    {
        EditHistory::Step step(history, QStringLiteral("Paste"));
        setCell(rules, 0, RuleTable::Dmx, QStringLiteral("3"));
    }
    QVERIFY(!history->isClean());
    history->setClean();
    QVERIFY(history->isClean());
    history->undo();
    QVERIFY(!history->isClean());
    history->redo();
    QVERIFY(history->isClean());
    QCOMPARE(clean.size(), 4);
    QCOMPARE(clean.last().first().toBool(), true);
}

void TestEditHistory::undoWaitsForOpenStep()
{
    {
        EditHistory::Step step(history, QStringLiteral("Paste"));
        setCell(rules, 0, RuleTable::Dmx, QStringLiteral("3"));
    }
    QSignalSpy canUndo(history, &EditHistory::canUndoChanged);
    history->beginStep(QStringLiteral("Edit"));
    QVERIFY(!history->canUndo());
    QCOMPARE(canUndo.size(), 1);
    history->undo();
    QCOMPARE(cellText(rules, 0, RuleTable::Dmx), QStringLiteral("3"));
    history->endStep();
    QVERIFY(history->canUndo());
    QCOMPARE(canUndo.size(), 2);
    history->endStep(); // unbalanced: ignored
    QVERIFY(!history->inStep());
}

void TestEditHistory::stepActionsFollowUndoAndRedo()
{
    QStringList log;
    {
        EditHistory::Step step(history, QStringLiteral("Note names"));
        history->setStepActions([&] { log << "undo"; }, [&] { log << "redo"; });
    }
    QCOMPARE(history->count(), 0); // no cell changed: nothing to keep
    {
        EditHistory::Step step(history, QStringLiteral("Note names"));
        history->setStepActions([&] { log << QStringLiteral("undo to ") + cellText(rules, 0, RuleTable::Controller); },
                                [&] { log << "redo"; });
        setCell(rules, 0, RuleTable::Controller, QStringLiteral("60 / C3"));
    }
    QVERIFY(log.isEmpty());
    history->undo();
    history->redo();
    QCOMPARE(log, (QStringList{"undo to ", "redo"}));
}

void TestEditHistory::undoLimitKeepsNewest()
{
    for (int i = 0; i <= EditHistory::UndoLimit; ++i) {
        EditHistory::Step step(history, QStringLiteral("Paste"));
        setCell(rules, 0, RuleTable::Dmx, QString::number(i + 1));
    }
    QCOMPARE(history->count(), EditHistory::UndoLimit);
    while (history->canUndo())
        history->undo();
    QCOMPARE(cellText(rules, 0, RuleTable::Dmx), QStringLiteral("1"));
}

QTEST_APPLESS_MAIN(TestEditHistory)
#include "tst_edithistory.moc"
