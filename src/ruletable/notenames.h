// Note names of MIDI note numbers in the three octave conventions (note 60 = C3, C4 or C5).
#pragma once

#include <QString>
#include <QStringList>

namespace NoteNames {

// cnum: 1 = note 60 is "C3", 2 = "C4", 3 = "C5".
enum Convention { C3 = 1, C4 = 2, C5 = 3 };

// The 128 names of a convention, indexed by note number; empty for an unknown convention.
const QStringList &table(int cnum);

// Name of note n, or an empty text when n is outside 0..127 or cnum is unknown.
QString name(int n, int cnum);

// The note whose name equals text exactly (case-sensitive), or -1.
int number(const QString &text, int cnum);

// The Controller cell text of a Note or AT row: "n / name".
QString controllerText(int n, int cnum);

// Leading decimal number of a text as the table reads numbers: a text that is
// not a number reads as 0.
int toNumber(const QString &text);

// Controller number of a cell in either form ("60" or "60 / C4").
int controllerNumber(const QString &text);

} // namespace NoteNames
