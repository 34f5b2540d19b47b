// Sets the box's DMX mark-after-break time.
#pragma once

#include "settingdialog.h"

class Abt_Dialog : public SettingDialog
{
    Q_OBJECT
public:
    explicit Abt_Dialog(SerialPort *port, QWidget *parent = nullptr);

protected:
    QString reportedText() const override;
};
