#include "ptybox.h"
#include "rulerecord.h"
#include "tablestream.h"

#include <QSerialPort>
#include <QSignalSpy>
#include <QTest>

namespace {

QByteArray sampleRecords()
{
    QByteArray records;
    for (int k = 0; k < TableStream::RecordCount; ++k) {
        const char record[] = {char(0x90 + k % 16), char(k % 128), char(k & 0xFF), char(0x14 | ((k % 1024) >> 8)),
                               char(k % 256), char(k % 51), 0, 0};
        records += QByteArray(record, sizeof record);
    }
    return records;
}

QByteArray streamOf(const QByteArray &records)
{
    QByteArrayList list;
    for (qsizetype pos = 0; pos < records.size(); pos += RuleRecord::Size)
        list << records.mid(pos, RuleRecord::Size);
    return TableStream::build(list);
}

// The program's side of the line: a serial port on the box's pty that keeps every block it reads.
class Host
{
public:
    explicit Host(const PtyBox &box)
    {
        port.setPortName(box.portName());
        port.setBaudRate(QSerialPort::Baud115200);
        QObject::connect(&port, &QSerialPort::readyRead, &port, [this] { blocks << port.readAll(); });
    }
    bool open() { return port.open(QIODevice::ReadWrite); }
    QByteArray received() const { return blocks.join(); }
    void send(const QByteArray &bytes)
    {
        port.write(bytes);
        port.flush();
    }

    QSerialPort port;
    QByteArrayList blocks;
};

} // namespace

class TestPtyBox : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void helloOk();
    void tableReadArrivesInBlocks_data();
    void tableReadArrivesInBlocks();
    void tableWriteIsStored();
    void settingIsApplied();
    void silentBoxConsumesInput();
    void upgradeBytesPassUnchanged();
    void portSurvivesHostReopen();
    void unplugMakesThePortFail();

private:
    PtyBox *box = nullptr;
};

void TestPtyBox::init()
{
    box = new PtyBox;
    QVERIFY(box->start());
    QVERIFY(box->portName().startsWith(QLatin1String("/dev/")));
}

void TestPtyBox::cleanup()
{
    delete box;
    box = nullptr;
}

void TestPtyBox::helloOk()
{
    Host host(*box);
    QVERIFY2(host.open(), qPrintable(host.port.errorString()));
    QSignalSpy received(box, &PtyBox::received);
    host.send("hello");
    QTRY_COMPARE(host.received(), QByteArray("ok"));
    QCOMPARE(received.first().first().toByteArray(), QByteArray("hello"));
}

void TestPtyBox::tableReadArrivesInBlocks_data()
{
    QTest::addColumn<bool>("paced");
    QTest::newRow("at once") << false;
    QTest::newRow("paced") << true;
}

void TestPtyBox::tableReadArrivesInBlocks()
{
    QFETCH(bool, paced);
    box->setPaced(paced);
    box->protocol().setRecords(sampleRecords());
    Host host(*box);
    QVERIFY2(host.open(), qPrintable(host.port.errorString()));
    host.send("upload request");
    QTRY_COMPARE_WITH_TIMEOUT(host.received().size(), qsizetype(TableStream::Size), 10000);
    QCOMPARE(host.received(), streamOf(sampleRecords()));
    QVERIFY(host.blocks.size() > 1);
    QVERIFY(host.blocks.first().contains("download"));
    // The program recognises the end of a table by a block that holds the whole marker.
    QVERIFY(host.blocks.last().contains(TableStream::EndText));
}

void TestPtyBox::tableWriteIsStored()
{
    Host host(*box);
    QVERIFY2(host.open(), qPrintable(host.port.errorString()));
    QSignalSpy stored(box, &PtyBox::tableStored);
    const QByteArray stream = streamOf(sampleRecords());
    for (qsizetype pos = 0; pos < stream.size(); pos += 256)
        host.send(stream.mid(pos, 256));
    QVERIFY(stored.wait());
    QCOMPARE(box->protocol().records(), sampleRecords());
    QTRY_COMPARE(host.received(), QByteArray("download success"));
}

void TestPtyBox::settingIsApplied()
{
    Host host(*box);
    QVERIFY2(host.open(), qPrintable(host.port.errorString()));
    QSignalSpy applied(box, &PtyBox::settingApplied);
    host.send("settingdata" + QByteArray::fromHex("000200EB01EA"));
    host.send("setting end");
    QVERIFY(applied.wait());
    QCOMPARE(applied.first(), (QVariantList{2, 490}));
    host.send("setting request");
    QTRY_VERIFY(host.received().contains("setting end"));
    QCOMPARE(quint8(host.received().at(21)) << 8 | quint8(host.received().at(22)), 490);
}

void TestPtyBox::silentBoxConsumesInput()
{
    Host host(*box);
    QVERIFY2(host.open(), qPrintable(host.port.errorString()));
    QSignalSpy received(box, &PtyBox::received);
    box->setSilent(true);
    host.send("hello");
    QVERIFY(received.wait());
    box->setSilent(false);
    host.send("hello");
    QTRY_COMPARE(received.size(), 2);
    // Only the second hello was answered.
    QTRY_COMPARE(host.received(), QByteArray("ok"));
}

void TestPtyBox::upgradeBytesPassUnchanged()
{
    box->protocol().setUpgradeMode(true);
    Host host(*box);
    QVERIFY2(host.open(), qPrintable(host.port.errorString()));
    host.send(QByteArray::fromHex("AACC020003 0D0A"));
    QTRY_COMPARE(host.received(), QByteArray("\xAA\xCC\x06V1.0.3\r\n"));

    QByteArray image;
    for (int i = 0; i < 4 * 256; ++i)
        image += char(i); // CR, LF, XON, XOFF, NUL and the rest must all arrive as sent
    QSignalSpy chunks(box, &PtyBox::imageChunk);
    host.send(QByteArray::fromHex("AACC020002 0D0A"));
    QTRY_VERIFY(host.received().contains("ERASE END"));
    for (qsizetype pos = 0; pos < image.size(); pos += 64)
        host.send(image.mid(pos, 64));
    QTRY_COMPARE(box->protocol().receivedImage().size(), image.size());
    QCOMPARE(box->protocol().receivedImage(), image);
    QCOMPARE(chunks.last().first().toInt(), int(image.size()));
}

void TestPtyBox::portSurvivesHostReopen()
{
    {
        Host first(*box);
        QVERIFY2(first.open(), qPrintable(first.port.errorString()));
        first.send("hello");
        QTRY_COMPARE(first.received(), QByteArray("ok"));
    }
    Host second(*box);
    QVERIFY2(second.open(), qPrintable(second.port.errorString()));
    second.send("hello");
    QTRY_COMPARE(second.received(), QByteArray("ok"));
}

void TestPtyBox::unplugMakesThePortFail()
{
    Host host(*box);
    QVERIFY2(host.open(), qPrintable(host.port.errorString()));
    QList<QSerialPort::SerialPortError> errors;
    // A hung-up port keeps reporting its error until it is closed, as a program does.
    QObject::connect(&host.port, &QSerialPort::errorOccurred, &host.port,
                     [&](QSerialPort::SerialPortError error) {
                         if (error == QSerialPort::NoError)
                             return;
                         errors << error;
                         host.port.close();
                     });
    box->unplug();
    QTRY_VERIFY(!host.port.isOpen());
    QVERIFY2(errors.first() == QSerialPort::ReadError || errors.first() == QSerialPort::ResourceError,
             QByteArray::number(errors.first()));
}

QTEST_GUILESS_MAIN(TestPtyBox)
#include "tst_ptybox.moc"
