#include "serialport.h"

#include "common.h"
#include "devicelist.h"
#include "messages.h"
#include "settingsrecord.h"
#include "tablestream.h"
#include "upgradereplies.h"

#include <QComboBox>
#include <QDebug>
#include <QMessageBox>
#include <QSerialPortInfo>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <poll.h>
#endif

namespace {

constexpr int ScanIntervalMs = 2000;

QList<DeviceList::Port> systemPorts()
{
    QList<DeviceList::Port> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        DeviceList::Port port;
        port.name = info.portName();
        port.usb = info.hasProductIdentifier() && info.hasVendorIdentifier();
        port.productId = info.productIdentifier();
        port.vendorId = info.vendorIdentifier();
        // On Linux this is the product string udev read from the USB descriptor.
        port.product = info.description();
        ports << port;
    }
    return ports;
}

} // namespace

SerialPort::SerialPort(QComboBox *deviceList, const QString &vendor, QObject *parent)
    : QSerialPort(parent),
      busyNotice(Messages::notice(QStringLiteral("Warning"), QStringLiteral("Data is being sent..."))),
      vendorName(vendor),
      deviceList(deviceList)
{
    initPort();
    connect(this, &QSerialPort::readyRead, this, &SerialPort::readDataSlot);
    scanTimer = new QTimer(this);
    connect(scanTimer, &QTimer::timeout, this, &SerialPort::initPort);
    scanTimer->start(ScanIntervalMs);
}

SerialPort::~SerialPort() = default;

void SerialPort::initPort()
{
    QStringList existing;
    for (int i = 0; i < deviceList->count(); ++i)
        existing << deviceList->itemText(i);
    const DeviceList::Changes changes = DeviceList::update(
        ListDevices(vendorName.toUtf8().constData(), 0), systemPorts(), existing, vendorName, fixedDevices);
    for (const DeviceList::Item &item : changes.append)
        deviceList->addItem(item.text, item.portName);
    for (const QString &text : changes.remove)
        deviceList->removeItem(deviceList->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void SerialPort::addFixedDevice(const QString &text, const QString &portName)
{
    fixedDevices << text;
    deviceList->addItem(text, portName);
}

bool SerialPort::open(QString portName, int baud)
{
    // A table cut off by the last close is over: what is left of it in the line must not be
    // taken for a table, nor make the next "ok" look like table bytes.
    rxBuffer.clear();
    receivingTable = false;
    if (portName.isEmpty()) {
        Common::showMsgBox(QStringLiteral("port name error, please choose right com!"), nullptr,
                           QStringLiteral("OK"), QStringLiteral("Cancel"), QStringLiteral(":/IMG/zkq.png"));
        return false;
    }
    setPortName(portName);
    setBaudRate(baud);
    if (!open(QIODevice::ReadWrite)) {
        Messages::plain(QStringLiteral("Device error"));
        return false;
    }
    return true;
}

void SerialPort::writeSetting(int id, quint16 value)
{
    write(SettingsRecord::StartText);
    write(SettingsRecord::encode(id, value));
    flushOutput();
    write(SettingsRecord::EndText);
    flushOutput();
}

void SerialPort::flushOutput()
{
#ifdef Q_OS_UNIX
    pollfd output{int(handle()), POLLOUT, 0};
    if (::poll(&output, 1, 0) != 1 || !(output.revents & POLLOUT))
        return;
#endif
    flush();
}

void SerialPort::send(const QByteArray &bytes)
{
    // Replies are parsed in tests without an open port; a closed port takes nothing anyway.
    if (isOpen())
        write(bytes);
}

void SerialPort::readDataSlot()
{
    examineBlock(readAll());
}

bool SerialPort::receivingRuleTable() const
{
    // "download success" also opens a reception; what follows it is no table.
    return receivingTable && !rxBuffer.contains("download success");
}

void SerialPort::examineBlock(const QByteArray &block)
{
    const bool wasReceiving = receivingRuleTable();
    deal_inidata(block);
    tableBlock = wasReceiving || (block.contains("download") && !block.contains("download success"));
    deal_updata(block);
    deal_erase(block);
    if (const auto report = SettingsRecord::parseReport(block)) {
        breakTime = report->breakTime;
        markAfterBreak = report->markAfterBreak;
        coefficientCode = report->coefficientCode;
        Q_EMIT rec_sucess();
    }
    deal_sucess(block);
}

void SerialPort::deal_inidata(QByteArray block)
{
    if (block.contains("download")) {
        rxBuffer = block;
        receivingTable = true;
    } else if (receivingTable) {
        rxBuffer += block;
    }
    // Only a table being received is split: an "end" in any other reply ("setting end")
    // must not bring back the last table.
    if (!receivingTable)
        return;
    if (block.contains("end")) {
        receivingTable = false;
        bool complete = false;
        const QList<QByteArray> records = TableStream::split(rxBuffer, &complete);
        if (complete)
            Q_EMIT showdata(records);
    } else if (rxBuffer.size() > MaxReceptionSize) {
        qDebug() << "table reception given up after" << rxBuffer.size() << "bytes without an end marker";
        receivingTable = false;
        rxBuffer.clear();
        Messages::warning(QStringLiteral("warning"),
                          QStringLiteral("The data from the device was not a valid configuration and has been ignored."));
    }
}

void SerialPort::deal_sucess(QByteArray block)
{
    if (block.contains("download success")) {
        busyNotice->hide();
        Messages::information(QStringLiteral("operate successfully"),
                              QStringLiteral("Product is configured successfully!"));
    } else if (block.contains(SettingsRecord::EndText)) {
        send(QByteArrayLiteral("upload request"));
    } else if (block.contains("ok") && !tableBlock) {
        Q_EMIT sure_connect(true);
    }
}

void SerialPort::deal_updata(QByteArray block)
{
    if (UpgradeReplies::isVersionReply(block)) {
        if (const auto version = UpgradeReplies::version(block))
            Q_EMIT send_vesion(*version);
        return;
    }
    if (const auto model = UpgradeReplies::model(block)) {
        Q_EMIT send_ZKQ(*model);
        send(UpgradeReplies::command(3));
    }
}

void SerialPort::deal_erase(QByteArray block)
{
    if (UpgradeReplies::eraseFinished(block))
        Q_EMIT send_erase(true);
}
