#include "common.h"

#include "messages.h"

int Common::showMsgBox(QString text, QWidget *parent, QString okText, QString cancelText, QString iconPath)
{
    Q_UNUSED(cancelText);
    return Messages::show({Messages::Icon::None, QStringLiteral("ZKQ Tool"), text, {okText}, parent}, iconPath);
}
