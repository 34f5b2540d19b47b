// The link's own message box: titled "ZKQ Tool", with the box's icon.
#pragma once

#include <QString>

class QWidget;

class Common
{
public:
    // Modal box over `parent` with one button captioned `okText`; `cancelText` is accepted
    // for callers that name one but no Cancel button is shown. Returns the button index.
    static int showMsgBox(QString text, QWidget *parent, QString okText, QString cancelText, QString iconPath);
};
