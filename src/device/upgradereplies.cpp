#include "upgradereplies.h"

namespace UpgradeReplies {

namespace {

const QByteArray LineEnd("\r\n");

std::optional<QString> textUpToLineEnd(const QByteArray &block, qsizetype start)
{
    if (start < 0)
        return std::nullopt;
    const qsizetype end = block.indexOf(LineEnd, start);
    if (end < 0)
        return std::nullopt;
    return QString::fromUtf8(block.mid(start, end - start));
}

} // namespace

QByteArray command(quint8 code)
{
    return QByteArray::fromHex("aacc0200") + char(code) + LineEnd;
}

bool isVersionReply(const QByteArray &block)
{
    return block.contains(QByteArray::fromHex("aacc0656"));
}

std::optional<QString> version(const QByteArray &block)
{
    return textUpToLineEnd(block, block.indexOf('V'));
}

std::optional<QString> model(const QByteArray &block)
{
    return textUpToLineEnd(block, block.indexOf("ZKQ-"));
}

bool eraseFinished(const QByteArray &block)
{
    return block.contains("ERASE END");
}

} // namespace UpgradeReplies
