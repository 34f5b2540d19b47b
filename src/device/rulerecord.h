// The box's 8-byte conversion rule record and its link to the rule table's cell texts.
#pragma once

#include <QByteArray>
#include <QStringList>

namespace RuleRecord {

constexpr int Size = 8;
constexpr int ColumnCount = 10; // SN, DMX, Status, Controller, Channel, Fixed, Fade In, Fade Out, Toggle, Enable

// Status code written for a complete row whose Status is none of "Note", "AT", "CC"
// (a " " from a read). 0 is no MIDI status, so such a rule never fires in the box,
// and it reads back as " " again.
constexpr int UnknownStatusCode = 0;

// A row is encoded when its cells 1..8 all hold text; Enable is not looked at.
// cells are indexed by column; missing cells count as empty.
bool isComplete(const QStringList &cells);

// The record of a row: its encoding when complete, else a free slot (8 zero bytes).
QByteArray encode(const QStringList &cells);

// Cell texts of a decoded record for table row `row`: ten texts, or only the SN text for
// a free slot, or nothing when the record is not 8 bytes long.
QStringList decode(const QByteArray &record, int row, int cnum);

// DMX channel number of a cell as encoding reads it: the part before the first "-".
int dmxChannel(const QString &text);

} // namespace RuleRecord
