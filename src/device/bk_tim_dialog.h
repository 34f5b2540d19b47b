// Sets the box's DMX break time.
#pragma once

#include "settingdialog.h"

class Bk_Tim_Dialog : public SettingDialog
{
    Q_OBJECT
public:
    explicit Bk_Tim_Dialog(SerialPort *port, QWidget *parent = nullptr);

protected:
    QString reportedText() const override;
};
