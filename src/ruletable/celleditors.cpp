#include "celleditors.h"

#include "dmxaliases.h"
#include "notenames.h"
#include "ruletable.h"

namespace {

QStringList numbers(int first, int last)
{
    QStringList list;
    list.reserve(last - first + 1);
    for (int n = first; n <= last; ++n)
        list << QString::number(n);
    return list;
}

QStringList offThenNumbers(int last)
{
    return QStringList{QStringLiteral("OFF")} + numbers(1, last);
}

} // namespace

namespace CellEditors {

QStringList items(int column)
{
    using namespace RuleTable;
    switch (column) {
    case Dmx: return numbers(1, DmxAliases::ChannelCount);
    case Status: return {QStringLiteral("Note"), QStringLiteral("AT"), QStringLiteral("CC")};
    case Controller: return numbers(0, 127);
    case Channel: return QStringList{QStringLiteral("ALL")} + numbers(1, 16);
    case Fixed: return offThenNumbers(255);
    case FadeIn:
    case FadeOut: return offThenNumbers(50);
    case Toggle:
    case Enable: return {QStringLiteral("ON"), QStringLiteral("OFF")};
    default: return {};
    }
}

int startItem(int column, const QString &cellText)
{
    if (cellText.isEmpty())
        return -1;
    if (column == RuleTable::Dmx) {
        const int channel = DmxAliases::channelOf(cellText);
        return channel >= 1 && channel <= DmxAliases::ChannelCount ? channel - 1 : -1;
    }
    if (column == RuleTable::Controller) {
        const int n = NoteNames::controllerNumber(cellText);
        return n >= 0 && n <= 127 ? n : -1;
    }
    return -1;
}

QString defaultText(int column, const QString &statusText, int cnum)
{
    using namespace RuleTable;
    switch (column) {
    case Dmx: return QStringLiteral("1");
    case Status: return QStringLiteral("Note");
    case Controller:
        if (statusText == QLatin1String("CC"))
            return QStringLiteral("0");
        return NoteNames::table(cnum).isEmpty() ? QString() : NoteNames::controllerText(0, cnum);
    case Channel: return QStringLiteral("ALL");
    case Fixed:
    case FadeIn:
    case FadeOut:
    case Toggle: return QStringLiteral("OFF");
    case Enable: return QStringLiteral("ON");
    default: return {};
    }
}

bool isEmptyRow(const QStringList &row)
{
    for (int c = 1; c < row.size(); ++c) {
        if (!row.at(c).isEmpty())
            return false;
    }
    return true;
}

QMap<int, QString> rowFill(const QStringList &above, int column, int columnCount,
                           const QString &statusText, int cnum)
{
    QMap<int, QString> cells;
    for (int j = 1; j < columnCount; ++j) {
        if (j == column)
            continue;
        const QString text = above.value(j);
        cells.insert(j, text.isEmpty() ? defaultText(j, statusText, cnum) : text);
    }
    return cells;
}

std::optional<QString> controllerAfterStatus(const QString &status, const QString &controller, int cnum)
{
    const bool cc = status == QLatin1String("CC");
    const qsizetype length = controller.size();
    if (length == 0)
        return std::nullopt;
    if (length <= 4)
        return cc ? controller : controller + QStringLiteral(" / ") + NoteNames::name(NoteNames::toNumber(controller), cnum);
    if (!cc)
        return controller;
    const QStringList parts = controller.split(QStringLiteral(" / "), Qt::SkipEmptyParts);
    return QString::number(NoteNames::toNumber(parts.value(0)));
}

} // namespace CellEditors
