// The box's upgrade-mode replies, recognised in any block the link receives.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace UpgradeReplies {

// The 7-byte command AA CC 02 00 code 0D 0A: 1 asks for the model, 2 erases, 3 asks for
// the version.
QByteArray command(quint8 code);

// A version reply holds AA CC 06 56 anywhere in the block.
bool isVersionReply(const QByteArray &block);

// Text of a version reply: from the block's first "V" up to the next CR LF.
std::optional<QString> version(const QByteArray &block);

// Model reply: the text from the first "ZKQ-" up to the next CR LF.
std::optional<QString> model(const QByteArray &block);

bool eraseFinished(const QByteArray &block);

} // namespace UpgradeReplies
