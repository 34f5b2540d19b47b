#include "abt_dialog.h"

#include "serialport.h"
#include "settingsrecord.h"

Abt_Dialog::Abt_Dialog(SerialPort *port, QWidget *parent)
    : SettingDialog(port, SettingsRecord::MarkAfterBreak,
                    {QStringLiteral("DMX After Break Time"), QString(), QStringLiteral("DMX After Break Time:"),
                     QStringLiteral("us")},
                    SettingsRecord::markAfterBreakItems(), parent)
{
}

QString Abt_Dialog::reportedText() const
{
    return QString::number(serialPort->markAfterBreak);
}
