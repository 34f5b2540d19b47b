// What the three settings dialogs share: the form, sending the selected value, showing the reported one.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QComboBox;
class SerialPort;

QT_BEGIN_NAMESPACE
namespace Ui { class SettingDialog; }
QT_END_NAMESPACE

class SettingDialog : public QDialog
{
    Q_OBJECT
public:
    ~SettingDialog() override;

    int settingId() const { return id; }
    QComboBox *comboBox() const;

Q_SIGNALS:
    void connect_bool(int num);

public Q_SLOTS:
    void on_buttonBox_accepted();
    void start_send();
    void set_data();

protected:
    struct Captions
    {
        QString title;
        QString formula;     // a line above the value, empty for none
        QString name;
        QString unit;
    };
    SettingDialog(SerialPort *port, int id, const Captions &captions, const QStringList &items, QWidget *parent);

    // The item text of the value the box last reported; no item has it when out of range.
    virtual QString reportedText() const = 0;

    SerialPort *serialPort;

private:
    const int id;
    Ui::SettingDialog *ui;
};
