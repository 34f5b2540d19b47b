#include "projectfile.h"

namespace {

QByteArray oneLine(const QString &text)
{
    QString line = text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' '));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line.toUtf8();
}

// The stream always starts a line; a remark that mentions the start text does not.
qsizetype streamStart(const QByteArray &bytes)
{
    qsizetype from = 0;
    while (true) {
        const qsizetype at = bytes.indexOf(TableStream::StartText, from);
        if (at <= 0 || bytes.at(at - 1) == '\n')
            return at;
        from = at + 1;
    }
}

// A line of the file as text, cut after `maxLength` characters (never inside a character).
QString cutLine(QByteArrayView line, qsizetype maxLength)
{
    QString text = QString::fromUtf8(line);
    if (text.size() > maxLength) {
        text.truncate(maxLength);
        if (text.back().isHighSurrogate())
            text.chop(1);
    }
    return text;
}

QString remarkLines(QByteArrayView section)
{
    QString text;
    qsizetype from = 0;
    while (from < section.size()) {
        const qsizetype end = section.indexOf('\n', from);
        const qsizetype next = end < 0 ? section.size() : end + 1;
        text += cutLine(section.sliced(from, next - from), ProjectFile::MaxRemarkLineLength);
        if (end >= 0 && !text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char('\n');
        from = next;
    }
    return text;
}

QStringList aliasLines(QByteArrayView section)
{
    QStringList lines;
    if (section.endsWith('\n'))
        section.chop(1);
    if (section.isEmpty())
        return lines;
    qsizetype from = 0;
    while (lines.size() < ProjectFile::AliasCount) {
        const qsizetype end = section.indexOf('\n', from);
        QByteArrayView line = section.sliced(from, (end < 0 ? section.size() : end) - from);
        // Tolerate files whose lines were turned into CR LF on the way.
        if (line.endsWith('\r'))
            line.chop(1);
        lines << cutLine(line, ProjectFile::MaxAliasLength);
        if (end < 0)
            break;
        from = end + 1;
    }
    return lines;
}

} // namespace

namespace ProjectFile {

QByteArray build(const QMap<int, QString> &remarks, const QByteArray &stream, const QStringList &aliases)
{
    QByteArray file;
    file.reserve(stream.size() + remarks.size() * 16 + AliasCount * 8 + 64);
    file += "[Aliases]\n";
    for (auto it = remarks.cbegin(); it != remarks.cend(); ++it) {
        file += "alias";
        file += QByteArray::number(it.key());
        file += '=';
        file += oneLine(it.value());
        file += '\n';
    }
    file += stream;
    file += '\n';
    // One line per channel, whatever the list holds: none for an empty aliases file, more
    // when that file had lines past the last channel.
    for (int channel = 0; channel < AliasCount; ++channel) {
        file += oneLine(aliases.value(channel));
        file += '\n';
    }
    return file;
}

Contents parse(const QByteArray &bytes)
{
    Contents contents;
    const qsizetype start = streamStart(bytes);
    if (start < 0) {
        contents.error = Error::NoStream;
        return contents;
    }
    const qsizetype endText = bytes.indexOf(TableStream::EndText, start);
    const qsizetype end = endText < 0 ? -1 : endText + qsizetype(sizeof(TableStream::EndText)) - 1;
    if (end - start != StreamLength) {
        contents.error = Error::BadStream;
        return contents;
    }
    contents.remarkText = remarkLines(QByteArrayView(bytes).first(start));
    contents.stream = bytes.mid(start, StreamLength);

    // The stream's final 0x00 and a line feed open the alias section.
    const QByteArrayView rest = QByteArrayView(bytes).sliced(end);
    const QByteArrayView opening("\0\n", 2);
    if (rest.startsWith(opening)) {
        contents.hasAliases = true;
        contents.aliases = aliasLines(rest.sliced(opening.size()));
        // Every channel gets an entry, so a short section also clears the aliases it lacks.
        while (contents.aliases.size() < AliasCount)
            contents.aliases << QString();
    }
    return contents;
}

} // namespace ProjectFile
