// The main window's side of the device link: connecting, Read, Set, Clear and the settings.
#include "widget.h"
#include "ui_widget.h"

#include "abt_dialog.h"
#include "bk_tim_dialog.h"
#include "cof_dialog.h"
#include "edithistory.h"
#include "messages.h"
#include "ruletable.h"
#include "serialport.h"
#include "settingsrecord.h"

#include <QMessageBox>
#include <QStandardItemModel>
#include <QThread>

namespace {

constexpr int BaudRate = 115200;
constexpr int PieceSize = 256;
constexpr int PiecePauseMs = 20;

} // namespace

void Widget::setupDevice()
{
    serialPort = new SerialPort(ui->comboBox_ComDevices, QStringLiteral("Quorvani"), this);
    connect(serialPort, &SerialPort::showdata, this, &Widget::rec_data);
    connect(serialPort, &QSerialPort::errorOccurred, this, &Widget::handleSerialError);
    connect(serialPort, &SerialPort::sure_connect, this, &Widget::Definite_connection);
    updateDeviceState();

    breakTimeDialog = new Bk_Tim_Dialog(serialPort, this);
    mabDialog = new Abt_Dialog(serialPort, this);
    coefficientDialog = new cof_Dialog(serialPort, this);
    connect(coefficientDialog, &cof_Dialog::send_mp, this, &Widget::rec_mp);
    for (SettingDialog *dialog : {static_cast<SettingDialog *>(breakTimeDialog),
                                  static_cast<SettingDialog *>(mabDialog),
                                  static_cast<SettingDialog *>(coefficientDialog)}) {
        connect(serialPort, &SerialPort::rec_sucess, dialog, &SettingDialog::set_data);
        connect(dialog, &SettingDialog::connect_bool, this, &Widget::is_connect);
    }
    connect(this, &Widget::connect_bt, breakTimeDialog, &SettingDialog::start_send);
    connect(this, &Widget::connect_abt, mabDialog, &SettingDialog::start_send);
    connect(this, &Widget::connect_cof, coefficientDialog, &SettingDialog::start_send);
}

bool Widget::isLinkConnected() const
{
    return ui->connectButton->text() != QLatin1String("Connect");
}

void Widget::on_connectButton_clicked()
{
    // Disconnecting empties the table; connecting reads the box's table over it.
    if (!maybeKeepUnsavedChanges())
        return;
    if (serialPort->isOpen()) {
        serialPort->clear();
        serialPort->close();
        ruleModel->removeRows(0, ruleModel->rowCount());
        remarkModel->removeRows(0, remarkModel->rowCount());
    } else if (serialPort->open(ui->comboBox_ComDevices->currentData().toString(), BaudRate)) {
        // Only a link that opened starts afresh: a refused one leaves the remarks as they were.
        RuleTable::resetRemarks(remarkModel);
        serialPort->write(QByteArrayLiteral("hello"));
    }
    updateDeviceState();
}

void Widget::Definite_connection(bool sure)
{
    if (sure)
        serialPort->write(QByteArrayLiteral("setting request"));
}

void Widget::updateDeviceState()
{
    const bool open = serialPort->isOpen();
    // The notice has no button of its own: it must not outlive the link it waits on.
    if (!open)
        serialPort->busyNotice->hide();
    ui->comboBox_ComDevices->setEnabled(!open);
    ui->connectButton->setText(open ? QStringLiteral("Disconnect") : QStringLiteral("Connect"));
}

void Widget::handleSerialError(QSerialPort::SerialPortError error)
{
    // A vanished device shows as a resource error, or, on a pseudo-terminal or some USB
    // drivers, as a read error that repeats for as long as the port stays open.
    const bool gone = error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
    if (!gone || !serialPort->isOpen())
        return;
    serialPort->close();
    updateDeviceState();
}

void Widget::rec_data(QList<QByteArray> groupedData)
{
    loadRecords(groupedData);
    Messages::information(QStringLiteral("operate successfully"), QStringLiteral("Read successfully!"));
}

void Widget::on_pushButton_clicked()
{
    if (!Messages::confirm(QStringLiteral("Read product configuration\uFF1F")))
        return;
    if (!isLinkConnected()) {
        Messages::notConnected(this);
        return;
    }
    if (!maybeKeepUnsavedChanges())
        return;
    ruleModel->removeRows(0, ruleModel->rowCount());
    ui->tableView->viewport()->update();
    serialPort->write(QByteArrayLiteral("upload request"));
    RuleTable::resetRemarks(remarkModel);
    forgetAliases();
}

void Widget::on_pushButton_2_clicked()
{
    if (!Messages::confirm(QStringLiteral("Configure product\uFF1F")))
        return;
    if (!isLinkConnected()) {
        Messages::notConnected(this);
        return;
    }
    if (send_ini(1) == 1)
        serialPort->busyNotice->show();
}

int Widget::transmitStream(const QByteArray &stream)
{
    // The box takes the stream at line rate without flow control: small pieces with a
    // pause after each keep its input buffer from overflowing.
    qsizetype offset = 0;
    while (offset < stream.size()) {
        const qint64 accepted = serialPort->write(stream.mid(offset, PieceSize));
        if (accepted <= 0)
            return 0;
        serialPort->flushOutput();
        QThread::msleep(PiecePauseMs);
        offset += accepted;
    }
    return 1;
}

void Widget::on_clearButton_clicked()
{
    if (!Messages::confirm(QStringLiteral("Clear current configuration\uFF1F")))
        return;
    // Runs once the question box has gone.
    QMetaObject::invokeMethod(
        this,
        [this] {
            EditHistory::Step step(editHistory, QStringLiteral("Clear"));
            RuleTable::clearTable(ruleModel, remarkModel);
        },
        Qt::QueuedConnection);
}

void Widget::show_Bk_Tim_Dialog()
{
    breakTimeDialog->show();
}

void Widget::show_Abt_Tim_Dialog()
{
    mabDialog->show();
}

void Widget::show_Cof_Tim_Dialog()
{
    coefficientDialog->show();
}

void Widget::is_connect(int type)
{
    if (!isLinkConnected()) {
        Messages::notConnected(this);
        return;
    }
    switch (type) {
    case SettingsRecord::BreakTime: Q_EMIT connect_bt(); break;
    case SettingsRecord::MarkAfterBreak: Q_EMIT connect_abt(); break;
    case SettingsRecord::Coefficient: Q_EMIT connect_cof(); break;
    default: break;
    }
}

void Widget::factory_Dialog()
{
    if (!isLinkConnected()) {
        Messages::notConnected(this);
        return;
    }
    if (!Messages::confirm(QStringLiteral("Factory Reset\uFF1F"), QStringLiteral("Factory Reset")))
        return;
    serialPort->write(SettingsRecord::StartText + SettingsRecord::encode(SettingsRecord::FactoryReset, 1));
    serialPort->flushOutput();
    serialPort->write(SettingsRecord::EndText);
}

void Widget::rec_mp(double factor)
{
    coefficientFactor = factor;
}
