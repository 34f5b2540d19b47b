// The 24844-byte table stream that carries all rule records to and from the box and files.
#pragma once

#include <QByteArray>
#include <QList>

namespace TableStream {

constexpr int RecordCount = 3072;
constexpr int HeaderSize = 256;
constexpr int Size = 24844;
constexpr int ChecksumOffset = 17;
inline constexpr char StartText[] = "download request";
inline constexpr char EndText[] = "end of data";

// Sum of all record bytes, modulo 65536.
quint16 checksum(const QByteArray &records);

// The whole stream around 3072 records (missing records are free slots).
QByteArray build(const QList<QByteArray> &records);

// Records of a received stream: the bytes from offset 256 up to the first "end of data"
// found there, cut in 8-byte pieces (a short remainder is one last record). `found`
// tells whether the end marker was there; without it there are no records.
QList<QByteArray> split(const QByteArray &stream, bool *found = nullptr);

} // namespace TableStream
