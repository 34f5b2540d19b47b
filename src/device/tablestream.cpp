#include "tablestream.h"

#include "rulerecord.h"

namespace TableStream {

quint16 checksum(const QByteArray &records)
{
    quint32 sum = 0;
    for (const char c : records)
        sum += quint8(c);
    return quint16(sum & 0xFFFF);
}

QByteArray build(const QList<QByteArray> &records)
{
    QByteArray body;
    body.reserve(RecordCount * RuleRecord::Size);
    for (int k = 0; k < RecordCount; ++k) {
        const QByteArray record = k < records.size() ? records.at(k) : QByteArray();
        body += record.size() == RuleRecord::Size ? record : QByteArray(RuleRecord::Size, '\0');
    }
    const quint16 sum = checksum(body);

    QByteArray stream;
    stream.reserve(Size);
    stream += StartText;
    stream += '\0';
    stream += char(sum & 0xFF);
    stream += char(sum >> 8);
    stream += QByteArray(HeaderSize - stream.size(), '\0');
    stream += body;
    stream += EndText;
    stream += '\0';
    return stream;
}

QList<QByteArray> split(const QByteArray &stream, bool *found)
{
    const qsizetype end = stream.indexOf(EndText, HeaderSize);
    if (found)
        *found = end >= 0;
    QList<QByteArray> records;
    if (end < 0)
        return records;
    records.reserve((end - HeaderSize + RuleRecord::Size - 1) / RuleRecord::Size);
    for (qsizetype pos = HeaderSize; pos < end; pos += RuleRecord::Size)
        records << stream.mid(pos, qMin<qsizetype>(RuleRecord::Size, end - pos));
    return records;
}

} // namespace TableStream
