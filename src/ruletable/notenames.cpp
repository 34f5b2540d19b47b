#include "notenames.h"

#include <array>

namespace {

QStringList buildTable(int offset)
{
    static const char *const classes[12] = {"C", "C#", "D", "D#", "E", "F",
                                            "F#", "G", "G#", "A", "A#", "B"};
    QStringList names;
    names.reserve(128);
    for (int n = 0; n < 128; ++n)
        names << QLatin1String(classes[n % 12]) + QString::number(n / 12 + offset);
    return names;
}

} // namespace

namespace NoteNames {

const QStringList &table(int cnum)
{
    static const std::array<QStringList, 4> tables = {
        QStringList(), buildTable(-2), buildTable(-1), buildTable(0)};
    return (cnum >= C3 && cnum <= C5) ? tables[cnum] : tables[0];
}

QString name(int n, int cnum)
{
    const QStringList &names = table(cnum);
    return (n >= 0 && n < names.size()) ? names.at(n) : QString();
}

int number(const QString &text, int cnum)
{
    return table(cnum).indexOf(text);
}

QString controllerText(int n, int cnum)
{
    return QString::number(n) + QStringLiteral(" / ") + name(n, cnum);
}

int toNumber(const QString &text)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok ? v : 0;
}

int controllerNumber(const QString &text)
{
    return toNumber(text.section(QStringLiteral(" / "), 0, 0));
}

} // namespace NoteNames
