#include "cof_dialog.h"

#include "serialport.h"
#include "settingsrecord.h"

#include <QComboBox>

cof_Dialog::cof_Dialog(SerialPort *port, QWidget *parent)
    : SettingDialog(port, SettingsRecord::Coefficient,
                    {QStringLiteral("DMX Coefficient"), QStringLiteral("DMX value = MIDI value * Coefficient"),
                     QStringLiteral("Coefficient:"), QString()},
                    SettingsRecord::coefficientItems(), parent)
{
    // The shared form connected its slots by name before this class existed.
    connect(comboBox(), &QComboBox::currentIndexChanged, this, &cof_Dialog::on_comboBox_currentIndexChanged);
}

int cof_Dialog::getCurrentIndexPlusOne() const
{
    return comboBox()->currentIndex() + 1;
}

void cof_Dialog::on_comboBox_currentIndexChanged(int index)
{
    if (const auto factor = SettingsRecord::coefficientFactor(index))
        Q_EMIT send_mp(*factor);
}

QString cof_Dialog::reportedText() const
{
    return SettingsRecord::coefficientItems().value(serialPort->coefficientCode);
}
