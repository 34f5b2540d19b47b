// What the rule table's cell editors offer and write, decided without any widget.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

namespace CellEditors {

// Items of a column's drop-down editor, in order; empty for a column edited as plain
// text (SN).
QStringList items(int column);

// Item a fresh editor starts on before it looks for the cell's exact text: DMX and
// Controller cells carry aliases and note names that no plain item reads, so they start
// on the item of their number; -1 keeps the first item.
int startItem(int column, const QString &cellText);

// Text of a column when an empty row is filled and the row above has none; statusText is
// the text a Status editor reported last.
QString defaultText(int column, const QString &statusText, int cnum);

// A row is empty when every cell after SN is empty.
bool isEmptyRow(const QStringList &row);

// Cells written when a value is picked in `column` of an empty row: every other column
// after SN gets the text of the row above (`above`, empty for the first row) or its
// default. Keyed by column.
QMap<int, QString> rowFill(const QStringList &above, int column, int columnCount,
                           const QString &statusText, int cnum);

// Controller text once its row's Status becomes `status`: the CC form is the bare number,
// the Note and AT form carries the name. Nothing is written for an empty Controller.
std::optional<QString> controllerAfterStatus(const QString &status, const QString &controller, int cnum);

} // namespace CellEditors
