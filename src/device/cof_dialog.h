// Sets the box's conversion coefficient and tells the editor the factor in use.
#pragma once

#include "settingdialog.h"

class cof_Dialog : public SettingDialog
{
    Q_OBJECT
public:
    explicit cof_Dialog(SerialPort *port, QWidget *parent = nullptr);

    // Position of the selected coefficient, 1..6.
    int getCurrentIndexPlusOne() const;

Q_SIGNALS:
    void send_mp(double factor);

public Q_SLOTS:
    void on_comboBox_currentIndexChanged(int index);

protected:
    QString reportedText() const override;
};
