// The box's global settings: the 6-byte settings record, the offered values and the report.
#pragma once

#include <QByteArray>
#include <QStringList>

#include <optional>

namespace SettingsRecord {

enum Id { BreakTime = 1, MarkAfterBreak = 2, Coefficient = 3, FactoryReset = 4 };

constexpr int Size = 6;
inline constexpr char StartText[] = "settingdata";
inline constexpr char EndText[] = "setting end";
inline constexpr char ReportText[] = "setting request";

// 00, id, checksum (sum of the value's two bytes) big-endian, value big-endian.
QByteArray encode(int id, quint16 value);

// The value a dialog's selected text stands for: microseconds for break time and
// mark-after-break, the coefficient code (position in the list, 0 when absent) otherwise.
quint16 valueOf(int id, const QString &text);

// The texts the dialogs offer: "100".."1000", "50".."510" (both in steps of 20), and the
// coefficients "1", "2", "2.01", "3", "4", "5" whose positions are their codes.
QStringList breakTimeItems();
QStringList markAfterBreakItems();
QStringList coefficientItems();

// Factor of a coefficient code; nothing for a code outside 0..5.
std::optional<double> coefficientFactor(int code);

struct Report
{
    quint16 breakTime = 0;
    quint16 markAfterBreak = 0;
    quint16 coefficientCode = 0;
};

// The box's report of its settings: a block holding "setting request" and at least 25
// bytes, with the three values big-endian at block offsets 19, 21 and 23.
std::optional<Report> parseReport(const QByteArray &block);

} // namespace SettingsRecord
