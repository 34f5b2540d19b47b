#include "settingdialog.h"
#include "ui_settingdialog.h"

#include "serialport.h"
#include "settingsrecord.h"

SettingDialog::SettingDialog(SerialPort *port, int id, const Captions &captions, const QStringList &items,
                             QWidget *parent)
    : QDialog(parent), serialPort(port), id(id), ui(new Ui::SettingDialog)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowTitle(captions.title);
    ui->label_formula->setText(captions.formula);
    ui->label_formula->setVisible(!captions.formula.isEmpty());
    ui->label_name->setText(captions.name);
    ui->label_unit->setText(captions.unit);
    ui->label_unit->setVisible(!captions.unit.isEmpty());
    ui->comboBox->addItems(items);
}

SettingDialog::~SettingDialog()
{
    delete ui;
}

QComboBox *SettingDialog::comboBox() const
{
    return ui->comboBox;
}

void SettingDialog::on_buttonBox_accepted()
{
    accept();
    Q_EMIT connect_bool(id);
}

void SettingDialog::start_send()
{
    serialPort->writeSetting(id, SettingsRecord::valueOf(id, ui->comboBox->currentText()));
}

void SettingDialog::set_data()
{
    const int index = ui->comboBox->findText(reportedText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        ui->comboBox->setCurrentIndex(index);
}
