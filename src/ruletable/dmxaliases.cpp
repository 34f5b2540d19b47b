#include "dmxaliases.h"

#include "notenames.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QTextStream>

namespace DmxAliases {

QStringList emptyList()
{
    return QStringList(ChannelCount);
}

QStringList parse(const QByteArray &fileData)
{
    QByteArray data = fileData;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly | QIODevice::Text);
    QTextStream stream(&buffer);
    stream.setEncoding(QStringConverter::Utf8);
    QStringList aliases;
    while (!stream.atEnd()) {
        QString alias = stream.readLine();
        if (alias.size() > MaxAliasLength) {
            alias.truncate(MaxAliasLength);
            if (alias.back().isHighSurrogate())
                alias.chop(1);
        }
        aliases << alias;
    }
    return aliases;
}

QByteArray serialize(const QStringList &aliases)
{
    QByteArray data;
    for (const QString &alias : aliases)
        data += alias.toUtf8() + '\n';
    return data;
}

QString alias(const QStringList &aliases, int channel)
{
    return channel >= 1 ? aliases.value(channel - 1) : QString();
}

QString cellText(int channel, const QStringList &aliases)
{
    const QString name = alias(aliases, channel);
    return name.isEmpty() ? QString::number(channel) : QString::number(channel) + QLatin1Char('-') + name;
}

int firstDigitRun(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("[0-9]+"));
    const QRegularExpressionMatch match = digits.match(text);
    if (!match.hasMatch())
        return -1;
    bool ok = false;
    const int n = match.captured().toInt(&ok);
    return ok ? n : -1;
}

int channelOf(const QString &text)
{
    if (!text.contains(QLatin1Char('-')))
        return NoteNames::toNumber(text);
    return qMax(0, firstDigitRun(text));
}

QString relabelledCell(const QString &text, const QStringList &aliases)
{
    const int channel = channelOf(text);
    if (channel < 1 || channel > aliases.size())
        return text;
    return cellText(channel, aliases);
}

QStringList editorItems(const QStringList &aliases)
{
    QStringList items;
    items.reserve(ChannelCount);
    for (int channel = 1; channel <= ChannelCount; ++channel)
        items << cellText(channel, aliases);
    return items;
}

} // namespace DmxAliases
