// The one serial link to the box: lists the boxes, carries the bytes and recognises replies.
#pragma once

#include <QByteArray>
#include <QList>
#include <QSerialPort>
#include <QString>
#include <QStringList>

#include <memory>

class QComboBox;
class QMessageBox;
class QTimer;

class SerialPort : public QSerialPort
{
    Q_OBJECT
public:
    // A reception that passes this size without its end marker is given up: the table
    // stream is 24844 bytes, so nothing sound is ever that long.
    static constexpr qsizetype MaxReceptionSize = 64 * 1024;

    SerialPort(QComboBox *deviceList, const QString &vendor, QObject *parent = nullptr);
    ~SerialPort() override;

    bool open(QString portName, int baud);

    // Lists a device the USB scan cannot see (the simulated box); the scan keeps it.
    void addFixedDevice(const QString &text, const QString &portName);

    // Settings command: "settingdata", the record, "setting end", each part flushed.
    void writeSetting(int id, quint16 value);

    // Pushes out as much of the output as the device can take now. A plain flush() into a
    // full device buffer fails with EAGAIN, which the toolkit reports as a resource error,
    // the error of a device that has gone; what is left goes out from the event loop.
    void flushOutput();

    // Everything done with one block of input, as if the port had just delivered it.
    void examineBlock(const QByteArray &block);

    void deal_inidata(QByteArray block);
    void deal_sucess(QByteArray block);
    void deal_updata(QByteArray block);
    void deal_erase(QByteArray block);

    std::unique_ptr<QMessageBox> busyNotice;
    int breakTime = 0;
    int markAfterBreak = 0;
    int coefficientCode = 0;
    QByteArray rxBuffer;
    QString vendorName;
    QTimer *scanTimer = nullptr;
    bool receivingTable = false;

Q_SIGNALS:
    void showdata(QList<QByteArray> groupedData);
    void rec_sucess();
    void sure_connect(bool sure);
    void send_erase(bool eraseflag);
    void send_vesion(QString version);
    void send_ZKQ(QString ZKQ);

public Q_SLOTS:
    void initPort();
    void readDataSlot();

private:
    using QSerialPort::open;
    void send(const QByteArray &bytes);
    bool receivingRuleTable() const;

    // Set while the block being examined belongs to a table stream: rule records are
    // arbitrary bytes and may spell a reply such as "ok".
    bool tableBlock = false;

    QComboBox *deviceList;
    QStringList fixedDevices;
};
