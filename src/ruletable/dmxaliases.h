// Names of the 1024 DMX channels: the aliases file and the DMX cell texts that carry them.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace DmxAliases {

constexpr int ChannelCount = 1024;
// Every rule cell of a channel repeats its alias, so an alias of a megabyte would cost
// gigabytes: aliases are cut to this many characters when read, and an aliases file is
// read only this far.
constexpr int MaxAliasLength = 1024;
constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

// The list a dialog starts with and a read from the box leaves: no channel named.
QStringList emptyList();

// The aliases file: one alias per line, line i naming channel i + 1, UTF-8. An empty
// file gives an empty list; lines past the last channel are kept; long lines are cut.
QStringList parse(const QByteArray &fileData);
QByteArray serialize(const QStringList &aliases);

// Alias of a channel (1-based); empty when the list has none for it.
QString alias(const QStringList &aliases, int channel);

// DMX cell text of a channel: "12", or "12-Front" when the channel has an alias.
QString cellText(int channel, const QStringList &aliases);

// The first run of decimal digits in a text as a number; -1 when there is none or it is
// too long for a number.
int firstDigitRun(const QString &text);

// Channel of a DMX cell: a text without "-" is a plain number; otherwise the first run
// of decimal digits counts, so an alias holding "-" or digits still finds its channel.
// 0 when the text names no channel.
int channelOf(const QString &text);

// A DMX cell rewritten with the current aliases; unchanged when it names no channel the
// list covers.
QString relabelledCell(const QString &text, const QStringList &aliases);

// Items of an open DMX editor: every channel in its cell form.
QStringList editorItems(const QStringList &aliases);

} // namespace DmxAliases
