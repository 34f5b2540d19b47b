#include "ruletable.h"
#include "tableedits.h"

#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>

using TableEdits::CellText;
using TableEdits::TableRow;

namespace {

// "sn a b | remark", "-" for an empty cell, "*" after the SN for an editable SN.
QList<TableRow> parseRows(const QStringList &lines)
{
    QList<TableRow> rows;
    for (const QString &line : lines) {
        const QStringList halves = line.split(QLatin1Char('|'));
        TableRow row;
        for (QString cell : halves.at(0).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (row.cells.isEmpty() && cell.endsWith(QLatin1Char('*'))) {
                row.snEditable = true;
                cell.chop(1);
            }
            row.cells << (cell == QLatin1String("-") ? QString() : cell);
        }
        row.remark = halves.value(1).trimmed();
        rows << row;
    }
    return rows;
}

QStringList formatRows(const QList<TableRow> &rows)
{
    QStringList lines;
    for (const TableRow &row : rows) {
        QStringList cells;
        for (const QString &cell : row.cells)
            cells << (cell.isEmpty() ? QStringLiteral("-") : cell);
        if (row.snEditable)
            cells[0] += QLatin1Char('*');
        lines << cells.join(QLatin1Char(' ')) + QStringLiteral(" | ") + row.remark;
    }
    for (QString &line : lines)
        line = line.trimmed();
    return lines;
}

const QStringList sixRows = {"1 a1 b1 | r1", "2 a2 b2 | r2", "3 a3 b3 | r3",
                             "4 a4 b4 | r4", "5 a5 b5 | r5", "6 a6 b6 | r6"};

// "row,column,text;..."
QList<CellText> parseCells(const QString &text)
{
    QList<CellText> cells;
    for (const QString &part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList fields = part.split(QLatin1Char(','));
        cells << CellText{fields.at(0).toInt(), fields.at(1).toInt(), fields.value(2)};
    }
    return cells;
}

QString formatCells(const QList<CellText> &cells)
{
    QStringList parts;
    for (const CellText &cell : cells)
        parts << QStringLiteral("%1,%2,%3").arg(cell.row).arg(cell.column).arg(cell.text);
    return parts.join(QLatin1Char(';'));
}

} // namespace

class TestTableEdits : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void nextDmx_data();
    void nextDmx();
    void nextController_data();
    void nextController();
    void copyBuffer_data();
    void copyBuffer();
    void pasteTargets_data();
    void pasteTargets();
    void rowOperations_data();
    void rowOperations();
    void writeRowsTouchesOnlyChanges();
};

void TestTableEdits::nextDmx_data()
{
    QTest::addColumn<QString>("above");
    QTest::addColumn<QStringList>("aliases");
    QTest::addColumn<QString>("expected"); // "<none>": nothing is written
    const QStringList none;
    QTest::newRow("counts up") << "1" << none << "2";
    QTest::newRow("last channel") << "1023" << none << "1024";
    QTest::newRow("wraps to 1") << "1024" << none << "1";
    QTest::newRow("past the range wraps") << "2000" << none << "1";
    QTest::newRow("too long for a number") << "99999999999" << none << "<none>";
    QTest::newRow("zero") << "0" << none << "1";
    QTest::newRow("alias form above") << "12-Front" << none << "13";
    QTest::newRow("alias with digits above") << "12-Par64" << none << "13";
    QTest::newRow("digits inside text") << "x7y" << none << "8";
    QTest::newRow("next has an alias") << "1" << QStringList{"", "Spot"} << "2-Spot";
    QTest::newRow("wrap into an alias") << "1024" << QStringList{"Front"} << "1-Front";
    QTest::newRow("short alias list") << "5" << QStringList{"Front"} << "6";
    QTest::newRow("no digits") << "Front" << none << "<none>";
    QTest::newRow("empty") << "" << none << "<none>";
}

void TestTableEdits::nextDmx()
{
    QFETCH(QString, above);
    QFETCH(QStringList, aliases);
    QFETCH(QString, expected);
    const std::optional<QString> next = TableEdits::nextDmxText(above, aliases);
    QCOMPARE(next.value_or(QStringLiteral("<none>")), expected);
}

void TestTableEdits::nextController_data()
{
    QTest::addColumn<QString>("above");
    QTest::addColumn<QString>("status");
    QTest::addColumn<int>("cnum");
    QTest::addColumn<QString>("expected");
    QTest::newRow("cc counts") << "126" << "CC" << 2 << "127";
    QTest::newRow("cc wraps") << "127" << "CC" << 2 << "0";
    QTest::newRow("cc note form is no plain number") << "60 / C4" << "CC" << 2 << "1";
    QTest::newRow("cc text") << "abc" << "CC" << 2 << "1";
    QTest::newRow("cc ignores the convention") << "5" << "CC" << 0 << "6";
    QTest::newRow("note C4") << "126 / F#9" << "Note" << 2 << "127 / G9";
    QTest::newRow("note wraps") << "127 / G9" << "Note" << 2 << "0 / C-1";
    QTest::newRow("note after wrap") << "0 / C-1" << "Note" << 2 << "1 / C#-1";
    QTest::newRow("plain number on a note row") << "60" << "Note" << 2 << "61 / C#4";
    QTest::newRow("aftertouch C3") << "59 / B1" << "AT" << 1 << "60 / C3";
    QTest::newRow("C5") << "59 / B4" << "Note" << 3 << "60 / C5";
    QTest::newRow("empty status counts notes") << "10 / A#-1" << "" << 2 << "11 / B-1";
    QTest::newRow("text reads as 0") << "x / y" << "Note" << 2 << "1 / C#-1";
    QTest::newRow("unknown convention") << "5 / F-1" << "Note" << 0 << "<none>";
    QTest::newRow("empty above") << "" << "Note" << 2 << "<none>";
    QTest::newRow("empty above cc") << "" << "CC" << 2 << "<none>";
}

void TestTableEdits::nextController()
{
    QFETCH(QString, above);
    QFETCH(QString, status);
    QFETCH(int, cnum);
    QFETCH(QString, expected);
    const std::optional<QString> next = TableEdits::nextControllerText(above, status, cnum);
    QCOMPARE(next.value_or(QStringLiteral("<none>")), expected);
}

void TestTableEdits::copyBuffer_data()
{
    QTest::addColumn<QString>("cells");
    QTest::addColumn<QList<QStringList>>("expected");
    QTest::newRow("nothing") << "" << QList<QStringList>{};
    QTest::newRow("one cell") << "4,2,Note" << QList<QStringList>{{"Note"}};
    QTest::newRow("block in selection order")
        << "3,3,f;2,1,a;3,1,d;2,2,b;2,3,c;3,2,e" << QList<QStringList>{{"a", "b", "c"}, {"d", "e", "f"}};
    QTest::newRow("ragged rows are padded to the next row's offset")
        << "0,1,a;1,3,b" << QList<QStringList>{{"a", ""}, {"b"}};
    QTest::newRow("no padding when the next row starts left")
        << "0,2,a;1,1,b" << QList<QStringList>{{"a"}, {"b"}};
    QTest::newRow("empty texts kept") << "0,1,;0,2,x" << QList<QStringList>{{"", "x"}};
}

void TestTableEdits::copyBuffer()
{
    QFETCH(QString, cells);
    QFETCH(QList<QStringList>, expected);
    QCOMPARE(TableEdits::copyBuffer(parseCells(cells)), expected);
}

void TestTableEdits::pasteTargets_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("expected");
    QTest::newRow("inside") << 5 << 2 << "5,2,a;5,3,b;5,4,c;6,2,d;6,3,e;6,4,f";
    QTest::newRow("never into SN") << 5 << 0 << "5,1,b;5,2,c;6,1,e;6,2,f";
    QTest::newRow("past the last row") << 9 << 1 << "9,1,a;9,2,b;9,3,c";
    QTest::newRow("past the last column") << 0 << 8 << "0,8,a;0,9,b;1,8,d;1,9,e";
    QTest::newRow("no current cell") << -1 << -1 << "";
}

void TestTableEdits::pasteTargets()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, expected);
    const QList<QStringList> buffer = {{"a", "b", "c"}, {"d", "e", "f"}};
    QCOMPARE(formatCells(TableEdits::pasteTargets(buffer, row, column, 10, 10)), expected);
}

void TestTableEdits::rowOperations_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("insert two") << "insert" << 2 << 3
        << QStringList{"1 a1 b1 | r1", "2 a2 b2 | r2", "-* - - |", "-* - - |", "3 a3 b3 | r3", "6 a4 b4 | r4"};
    QTest::newRow("insert at the top") << "insert" << 0 << 0
        << QStringList{"-* - - |", "1 a1 b1 | r1", "2 a2 b2 | r2", "3 a3 b3 | r3", "4 a4 b4 | r4", "6 a5 b5 | r5"};
    QTest::newRow("insert more than fits") << "insert" << 4 << 9
        << QStringList{"1 a1 b1 | r1", "2 a2 b2 | r2", "3 a3 b3 | r3", "4 a4 b4 | r4", "-* - - |", "6* - - |"};
    QTest::newRow("insert outside") << "insert" << 6 << 6 << sixRows;
    QTest::newRow("delete and move up") << "moveup" << 2 << 3
        << QStringList{"1 a1 b1 | r1", "2 a2 b2 | r2", "5 a5 b5 | r5", "6 a6 b6 | r6", "5 - - |", "6 - - |"};
    QTest::newRow("delete the last rows") << "moveup" << 4 << 9
        << QStringList{"1 a1 b1 | r1", "2 a2 b2 | r2", "3 a3 b3 | r3", "4 a4 b4 | r4", "5 - - |", "6 - - |"};
    QTest::newRow("delete most rows") << "moveup" << 1 << 4
        << QStringList{"1 a1 b1 | r1", "6 a6 b6 | r6", "3 - - |", "4 - - |", "5 - - |", "6 - - |"};
    QTest::newRow("delete reversed span") << "moveup" << 3 << 2 << sixRows;
    QTest::newRow("clear") << "clear" << 1 << 2
        << QStringList{"1 a1 b1 | r1", "2 - - |", "3 - - |", "4 a4 b4 | r4", "5 a5 b5 | r5", "6 a6 b6 | r6"};
    QTest::newRow("clear past the end") << "clear" << 5 << 7
        << QStringList{"1 a1 b1 | r1", "2 a2 b2 | r2", "3 a3 b3 | r3", "4 a4 b4 | r4", "5 a5 b5 | r5", "6 - - |"};
}

void TestTableEdits::rowOperations()
{
    QFETCH(QString, operation);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(QStringList, expected);
    QList<TableRow> rows = parseRows(sixRows);
    if (operation == QLatin1String("insert"))
        TableEdits::insertRowsAbove(rows, first, last - first + 1, 3);
    else if (operation == QLatin1String("moveup"))
        TableEdits::deleteRowsMovingUp(rows, first, last);
    else
        TableEdits::clearRows(rows, first, last);
    QCOMPARE(formatRows(rows), expected);

    // Renumbering afterwards gives every row but the last its SN.
    TableEdits::renumber(rows);
    for (int r = 0; r < 5; ++r)
        QCOMPARE(rows.at(r).cells.at(0), QString::number(r + 1));
    QCOMPARE(rows.at(5).cells.at(0), parseRows(expected).at(5).cells.at(0));
}

void TestTableEdits::writeRowsTouchesOnlyChanges()
{
    QStandardItemModel rules;
    QStandardItemModel remarks;
    RuleTable::fillEmptyRules(&rules);
    RuleTable::resetRemarks(&remarks);
    rules.item(3, RuleTable::Dmx)->setText(QStringLiteral("7"));

    const QList<TableRow> before = TableEdits::readRows(&rules, &remarks);
    QCOMPARE(before.size(), RuleTable::RowCount);
    QCOMPARE(before.at(3).cells.at(RuleTable::Dmx), QStringLiteral("7"));
    QVERIFY(!before.at(3).snEditable);

    QList<TableRow> after = before;
    after[3].cells[RuleTable::Dmx] = QStringLiteral("8");
    after[5].remark = QStringLiteral("front wash");
    after[6].snEditable = true;

    QSignalSpy ruleChanges(&rules, &QAbstractItemModel::dataChanged);
    QSignalSpy remarkChanges(&remarks, &QAbstractItemModel::dataChanged);
    TableEdits::writeRows(&rules, &remarks, before, after);
    QCOMPARE(ruleChanges.size(), 2); // the DMX text and the SN flag
    QCOMPARE(remarkChanges.size(), 1);
    QCOMPARE(RuleTable::cellText(&rules, 3, RuleTable::Dmx), QStringLiteral("8"));
    QCOMPARE(RuleTable::cellText(&remarks, 5, 0), QStringLiteral("front wash"));
    QVERIFY(rules.item(6, RuleTable::SN)->isEditable());
    QCOMPARE(TableEdits::readRows(&rules, &remarks), after);
}

QTEST_APPLESS_MAIN(TestTableEdits)
#include "tst_tableedits.moc"
