// Operations on the rule and remark models that every part of the editor shares.
#pragma once

#include <QList>
#include <QStringList>

class QStandardItemModel;

namespace RuleTable {

constexpr int RowCount = 3072;
constexpr int ColumnCount = 10;
enum Column { SN = 0, Dmx, Status, Controller, Channel, Fixed, FadeIn, FadeOut, Toggle, Enable };

// The model's own header labels (the view hides them; the window shows title labels).
QStringList headerLabels();

// A cell's display text; empty for a missing item.
QString cellText(const QStandardItemModel *model, int row, int column);
QStringList rowTexts(const QStandardItemModel *model, int row);

// Inserts a row decoded from the box: ten texts for a used slot, only the SN for a free
// one. The SN cell is never editable.
void insertReadRule(QStandardItemModel *model, int row, const QStringList &texts);

// Gives the remark model its 3072 rows, all empty.
void resetRemarks(QStandardItemModel *remarks);

// Empties cells 1..9 of every rule row and as many remarks; rows and SN cells stay.
void clearTable(QStandardItemModel *rules, QStandardItemModel *remarks);

// Fills the rule model with 3072 empty rules, as a read of an all-free box would.
void fillEmptyRules(QStandardItemModel *rules);

// Remarks of a project's remark text, indexed by row (3072 entries, empty where none).
// `usable` tells whether the text held any "aliasN=text" pair at all.
QStringList parseRemarks(const QString &text, bool *usable = nullptr);
void applyRemarks(QStandardItemModel *remarks, const QStringList &rowRemarks);

// One tick of the controller sweep: the Controller text follows its row's Status.
void sweepControllers(QStandardItemModel *rules, int cnum);

// Renames every Controller text in the note form after a change of convention.
void renameControllers(QStandardItemModel *rules, int cnum);

// The 3072 records of the table, free slots for incomplete rows.
QList<QByteArray> encodeRecords(const QStandardItemModel *rules);

} // namespace RuleTable
