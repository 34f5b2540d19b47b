#include "rulerecord.h"

#include "notenames.h"

namespace {

enum Column { Dmx = 1, Status, Controller, Channel, Fixed, FadeIn, FadeOut, Toggle, Enable };

enum Flag : quint16 {
    ToggleFlag = 0x2000,
    InUseFlag = 0x1000,
    AllFlag = 0x0800,
    EnableFlag = 0x0400,
    ChannelMask = 0x03FF,
};

QString cell(const QStringList &cells, int column)
{
    return column < cells.size() ? cells.at(column) : QString();
}

int statusCode(const QString &text)
{
    if (text == QLatin1String("Note"))
        return 9;
    if (text == QLatin1String("AT"))
        return 10;
    if (text == QLatin1String("CC"))
        return 11;
    return RuleRecord::UnknownStatusCode;
}

int controllerValue(const QString &text)
{
    if (text.size() < 4)
        return NoteNames::toNumber(text);
    const QStringList parts = text.split(QStringLiteral(" / "), Qt::SkipEmptyParts);
    return parts.size() < 2 ? 0 : NoteNames::toNumber(parts.first());
}

int offValue(const QString &text)
{
    return text == QLatin1String("OFF") ? 0 : NoteNames::toNumber(text);
}

QString offText(int value)
{
    return value == 0 ? QStringLiteral("OFF") : QString::number(value);
}

QString onOff(bool on)
{
    return on ? QStringLiteral("ON") : QStringLiteral("OFF");
}

} // namespace

namespace RuleRecord {

bool isComplete(const QStringList &cells)
{
    for (int c = Dmx; c <= Toggle; ++c) {
        if (cell(cells, c).isEmpty())
            return false;
    }
    return true;
}

int dmxChannel(const QString &text)
{
    return NoteNames::toNumber(text.section(QLatin1Char('-'), 0, 0));
}

QByteArray encode(const QStringList &cells)
{
    QByteArray record(Size, '\0');
    if (!isComplete(cells))
        return record;

    const QString channel = cell(cells, Channel);
    const int v = NoteNames::toNumber(channel);
    const int nibble = v >= 1 ? (v - 1) & 0x0F : 0;

    quint16 word = quint16((dmxChannel(cell(cells, Dmx)) - 1) & ChannelMask) | InUseFlag;
    if (cell(cells, Toggle) == QLatin1String("ON"))
        word |= ToggleFlag;
    if (channel == QLatin1String("ALL"))
        word |= AllFlag;
    if (cell(cells, Enable) == QLatin1String("ON"))
        word |= EnableFlag;

    record[0] = char((statusCode(cell(cells, Status)) << 4) | nibble);
    record[1] = char(controllerValue(cell(cells, Controller)));
    record[2] = char(word & 0xFF);
    record[3] = char(word >> 8);
    record[4] = char(offValue(cell(cells, Fixed)));
    record[5] = char(offValue(cell(cells, FadeOut)));
    record[6] = char(offValue(cell(cells, FadeIn)));
    return record;
}

QStringList decode(const QByteArray &record, int row, int cnum)
{
    if (record.size() != Size)
        return {};
    const auto byte = [&record](int i) { return quint8(record.at(i)); };
    const QString sn = QString::number(row + 1);
    const quint16 word = quint16(byte(2) | (byte(3) << 8));
    if (!(word & InUseFlag))
        return {sn};

    QString status;
    switch (byte(0) >> 4) {
    case 9: status = QStringLiteral("Note"); break;
    case 10: status = QStringLiteral("AT"); break;
    case 11: status = QStringLiteral("CC"); break;
    default: status = QStringLiteral(" "); break;
    }
    const int controller = byte(1);
    const bool named = status == QLatin1String("Note") || status == QLatin1String("AT");

    return {sn,
            QString::number((word & ChannelMask) + 1),
            status,
            named ? NoteNames::controllerText(controller, cnum) : QString::number(controller),
            (word & AllFlag) ? QStringLiteral("ALL") : QString::number((byte(0) & 0x0F) + 1),
            offText(byte(4)),
            offText(byte(6)),
            offText(byte(5)),
            onOff(word & ToggleFlag),
            onOff(word & EnableFlag)};
}

} // namespace RuleRecord
