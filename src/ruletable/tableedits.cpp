#include "tableedits.h"

#include "dmxaliases.h"
#include "notenames.h"
#include "ruletable.h"

#include <QStandardItemModel>

#include <algorithm>

namespace {

constexpr int LastController = 127;

// Counts up within first..last, wrapping past the end (and from out-of-range values) to first.
int nextInRange(int n, int last, int first)
{
    return (n < first || n >= last) ? first : n + 1;
}

void emptyRow(TableEdits::TableRow &row)
{
    for (qsizetype c = 1; c < row.cells.size(); ++c)
        row.cells[c].clear();
    row.remark.clear();
}

QStandardItem *itemAt(QStandardItemModel *model, int row, int column)
{
    QStandardItem *item = model->item(row, column);
    if (!item) {
        item = new QStandardItem();
        model->setItem(row, column, item);
    }
    return item;
}

} // namespace

namespace TableEdits {

std::optional<QString> nextDmxText(const QString &above, const QStringList &aliases)
{
    const int n = DmxAliases::firstDigitRun(above);
    if (n < 0)
        return std::nullopt;
    return DmxAliases::cellText(nextInRange(n, DmxAliases::ChannelCount, 1), aliases);
}

std::optional<QString> nextControllerText(const QString &above, const QString &statusAbove, int cnum)
{
    if (above.isEmpty())
        return std::nullopt;
    if (statusAbove == QLatin1String("CC"))
        return QString::number(nextInRange(NoteNames::toNumber(above), LastController, 0));
    if (NoteNames::table(cnum).isEmpty())
        return std::nullopt;
    const QStringList parts = above.split(QStringLiteral(" / "), Qt::SkipEmptyParts);
    const int n = parts.isEmpty() ? 0 : NoteNames::toNumber(parts.first());
    return NoteNames::controllerText(nextInRange(n, LastController, 0), cnum);
}

QList<QStringList> copyBuffer(QList<CellText> cells)
{
    QList<QStringList> buffer;
    if (cells.isEmpty())
        return buffer;
    std::stable_sort(cells.begin(), cells.end(), [](const CellText &a, const CellText &b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    const int firstColumn = cells.first().column;
    int currentRow = cells.first().row;
    QStringList line;
    for (const CellText &cell : std::as_const(cells)) {
        if (cell.row != currentRow) {
            while (line.size() < cell.column - firstColumn)
                line << QString();
            buffer << line;
            line.clear();
            currentRow = cell.row;
        }
        line << cell.text;
    }
    buffer << line;
    return buffer;
}

QList<CellText> pasteTargets(const QList<QStringList> &buffer, int row, int column, int rowCount,
                             int columnCount)
{
    QList<CellText> targets;
    if (row < 0 || column < 0)
        return targets;
    for (qsizetype i = 0; i < buffer.size(); ++i) {
        const int r = row + int(i);
        if (r >= rowCount)
            break;
        const QStringList &line = buffer.at(i);
        for (qsizetype j = 0; j < line.size(); ++j) {
            const int c = column + int(j);
            if (c >= columnCount)
                break;
            if (c != RuleTable::SN)
                targets << CellText{r, c, line.at(j)};
        }
    }
    return targets;
}

void insertRowsAbove(QList<TableRow> &rows, int first, int count, int columnCount)
{
    const qsizetype size = rows.size();
    if (first < 0 || first >= size || count <= 0)
        return;
    const TableRow blank{QStringList(columnCount), QString(), true};
    rows.insert(first, std::min<qsizetype>(count, size - first), blank);
    rows.resize(size);
    if (!rows.last().cells.isEmpty())
        rows.last().cells[RuleTable::SN] = QString::number(size);
}

void deleteRowsMovingUp(QList<TableRow> &rows, int first, int last)
{
    const int size = int(rows.size());
    last = std::min(last, size - 1);
    if (first < 0 || first > last)
        return;
    const int count = last - first + 1;
    for (int r = first; r <= last; ++r)
        emptyRow(rows[r]);
    for (int r = last + 1; r < size; ++r) {
        rows[r - count].cells = rows.at(r).cells;
        rows[r - count].remark = rows.at(r).remark;
    }
    for (int r = std::max(size - count, first); r < size; ++r)
        emptyRow(rows[r]);
}

void clearRows(QList<TableRow> &rows, int first, int last)
{
    last = std::min(last, int(rows.size()) - 1);
    for (int r = std::max(first, 0); r <= last; ++r)
        emptyRow(rows[r]);
}

void renumber(QList<TableRow> &rows)
{
    for (qsizetype i = 1; i < rows.size(); ++i) {
        QStringList &cells = rows[i - 1].cells;
        if (!cells.isEmpty())
            cells[RuleTable::SN] = QString::number(i);
    }
}

QList<TableRow> readRows(const QStandardItemModel *rules, const QStandardItemModel *remarks)
{
    QList<TableRow> rows;
    const int rowCount = rules->rowCount();
    const int columnCount = rules->columnCount();
    rows.reserve(rowCount);
    for (int r = 0; r < rowCount; ++r) {
        TableRow row;
        row.cells.reserve(columnCount);
        for (int c = 0; c < columnCount; ++c)
            row.cells << RuleTable::cellText(rules, r, c);
        if (remarks)
            row.remark = RuleTable::cellText(remarks, r, 0);
        const QStandardItem *sn = rules->item(r, RuleTable::SN);
        row.snEditable = !sn || sn->isEditable();
        rows << row;
    }
    return rows;
}

void writeRows(QStandardItemModel *rules, QStandardItemModel *remarks, const QList<TableRow> &before,
               const QList<TableRow> &after)
{
    const int rowCount = int(std::min({before.size(), after.size(), qsizetype(rules->rowCount())}));
    for (int r = 0; r < rowCount; ++r) {
        const TableRow &was = before.at(r);
        const TableRow &now = after.at(r);
        const int columns = int(std::min({was.cells.size(), now.cells.size(), qsizetype(rules->columnCount())}));
        for (int c = 0; c < columns; ++c) {
            if (was.cells.at(c) != now.cells.at(c))
                rules->setData(rules->index(r, c), now.cells.at(c));
        }
        if (was.snEditable != now.snEditable && columns > 0)
            itemAt(rules, r, RuleTable::SN)->setEditable(now.snEditable);
        if (remarks && r < remarks->rowCount() && was.remark != now.remark)
            remarks->setData(remarks->index(r, 0), now.remark);
    }
}

} // namespace TableEdits
