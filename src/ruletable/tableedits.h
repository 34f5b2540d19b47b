// The editing gestures of the rule table as plain functions: the fill's next cell texts,
// the private copy buffer, and the row operations of the SN context menu.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QStandardItemModel;

namespace TableEdits {

// DMX cell below `above`: the first digit run of `above` counted up by one, 1024 (and
// anything past it) wrapping to 1; in the alias form when the channel has an alias
// (aliases[i] names channel i + 1). Nothing when `above` holds no number.
std::optional<QString> nextDmxText(const QString &above, const QStringList &aliases);

// Controller cell below `above` on a row whose upper neighbour has the Status `statusAbove`:
// CC rows count the plain number, Note and AT rows the note form in convention cnum; 127
// wraps to 0. Nothing when `above` is empty or, for the note form, cnum is unknown.
std::optional<QString> nextControllerText(const QString &above, const QString &statusAbove, int cnum);

struct CellText
{
    int row = 0;
    int column = 0;
    QString text;
};

// The copy buffer of a selection: the cells in row, then column order, one list per row.
// A row is padded with empty texts up to the column offset of the next row's first cell.
QList<QStringList> copyBuffer(QList<CellText> cells);

// Where a paste with the current cell at (row, column) writes: every buffer entry that falls
// inside a rowCount x columnCount table, never into the SN column.
QList<CellText> pasteTargets(const QList<QStringList> &buffer, int row, int column, int rowCount,
                             int columnCount);

// One rule row with its remark, as the row operations move it.
struct TableRow
{
    QStringList cells;        // SN, DMX Channels, ..., Enable
    QString remark;
    bool snEditable = false;  // rows read from the box keep their SN fixed

    bool operator==(const TableRow &) const = default;
};

// Inserts `count` empty rows at `first`; as many rows drop off the bottom, so the row
// count stays, and the last row's SN reads the row count.
void insertRowsAbove(QList<TableRow> &rows, int first, int count, int columnCount);

// Empties rows first..last, moves the rows below them up and empties as many at the bottom.
void deleteRowsMovingUp(QList<TableRow> &rows, int first, int last);

// Empties cells 1.. and the remark of rows first..last.
void clearRows(QList<TableRow> &rows, int first, int last);

// SN of row i - 1 becomes i for every row but the last.
void renumber(QList<TableRow> &rows);

QList<TableRow> readRows(const QStandardItemModel *rules, const QStandardItemModel *remarks);

// Writes the cells, remarks and SN flags that differ between `before` and `after`.
void writeRows(QStandardItemModel *rules, QStandardItemModel *remarks, const QList<TableRow> &before,
               const QList<TableRow> &after);

} // namespace TableEdits
