#include "bk_tim_dialog.h"

#include "serialport.h"
#include "settingsrecord.h"

Bk_Tim_Dialog::Bk_Tim_Dialog(SerialPort *port, QWidget *parent)
    : SettingDialog(port, SettingsRecord::BreakTime,
                    {QStringLiteral("DMX Break Time"), QString(), QStringLiteral("DMX Break Time:"), QStringLiteral("us")},
                    SettingsRecord::breakTimeItems(), parent)
{
}

QString Bk_Tim_Dialog::reportedText() const
{
    return QString::number(serialPort->breakTime);
}
