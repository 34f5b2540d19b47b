// The project file: remark lines, the table stream and the DMX channel aliases in one file.
#pragma once

#include "dmxaliases.h"
#include "tablestream.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

namespace ProjectFile {

// The stream as a file holds it, from "download request" to "end of data" (its final
// 0x00 is not counted).
constexpr int StreamLength = TableStream::Size - 1;
constexpr int AliasCount = 1024;
// A project file is some 100 KB; anything far beyond is not one and is not read into memory.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;
// Lines are cut to these many characters when read. Every rule cell of a channel repeats
// its alias, so an alias of a megabyte would cost gigabytes; a remark line keeps what a
// cell editor takes (32767 characters) and room for its key.
constexpr int MaxAliasLength = DmxAliases::MaxAliasLength;
constexpr int MaxRemarkLineLength = 32767 + 64;

// The whole file: "[Aliases]", one "alias<row>=<remark>" line per remark cell (keyed by
// row), the stream, a line feed and one line for each of the 1024 channels' aliases. Line
// breaks inside a remark or an alias become spaces, so that every entry stays on its own line.
QByteArray build(const QMap<int, QString> &remarks, const QByteArray &stream, const QStringList &aliases);

enum class Error {
    None,
    NoStream,  // no line starts with "download request"
    BadStream, // the stream part is not a whole stream
};

struct Contents
{
    Error error = Error::None;
    QString remarkText;     // everything before the stream, for the remark loader
    QByteArray stream;      // StreamLength bytes when error is None
    bool hasAliases = false; // false for a file that ends right after the stream
    QStringList aliases;    // AliasCount entries when hasAliases
};

Contents parse(const QByteArray &bytes);

} // namespace ProjectFile
