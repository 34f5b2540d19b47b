#include "settingsrecord.h"

namespace SettingsRecord {

namespace {

constexpr int ReportSize = 25;

QStringList steps(int first, int last, int step)
{
    QStringList items;
    for (int v = first; v <= last; v += step)
        items << QString::number(v);
    return items;
}

quint16 bigEndianAt(const QByteArray &bytes, int offset)
{
    return quint16(quint8(bytes.at(offset)) << 8 | quint8(bytes.at(offset + 1)));
}

} // namespace

QByteArray encode(int id, quint16 value)
{
    const quint8 high = value >> 8;
    const quint8 low = value & 0xFF;
    const quint16 sum = high + low;
    QByteArray record(Size, '\0');
    record[1] = char(id);
    record[2] = char(sum >> 8);
    record[3] = char(sum & 0xFF);
    record[4] = char(high);
    record[5] = char(low);
    return record;
}

quint16 valueOf(int id, const QString &text)
{
    if (id == Coefficient)
        return quint16(qMax(0, coefficientItems().indexOf(text)));
    return quint16(text.toUInt());
}

QStringList breakTimeItems()
{
    return steps(100, 1000, 20);
}

QStringList markAfterBreakItems()
{
    return steps(50, 510, 20);
}

QStringList coefficientItems()
{
    return {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("2.01"),
            QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")};
}

std::optional<double> coefficientFactor(int code)
{
    static constexpr double factors[] = {1.0, 2.0, 2.01, 3.0, 4.0, 5.0};
    if (code < 0 || code >= int(std::size(factors)))
        return std::nullopt;
    return factors[code];
}

std::optional<Report> parseReport(const QByteArray &block)
{
    if (block.size() < ReportSize || !block.contains(ReportText))
        return std::nullopt;
    return Report{bigEndianAt(block, 19), bigEndianAt(block, 21), bigEndianAt(block, 23)};
}

} // namespace SettingsRecord
