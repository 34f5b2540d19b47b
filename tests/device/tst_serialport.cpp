#include "../app/testsupport.h"
#include "serialport.h"
#include "tablestream.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

QByteArray streamWithRules()
{
    QList<QByteArray> records(TableStream::RecordCount, QByteArray(8, '\0'));
    records[0] = QByteArray::fromHex("903C001C00000000");
    records[3071] = QByteArray::fromHex("AF7FFF3701323200");
    return TableStream::build(records);
}

// The stream as the box sends it: cut into blocks of `size` bytes.
QList<QByteArray> blocksOf(const QByteArray &stream, int size)
{
    QList<QByteArray> blocks;
    for (int pos = 0; pos < stream.size(); pos += size)
        blocks << stream.mid(pos, size);
    return blocks;
}

// A block of a broken or hostile line: pieces of replies, table streams cut anywhere, random
// bytes and floods, in any mix; a quiet block holds only random bytes and floods.
QByteArray randomBlock(QRandomGenerator &random, const QByteArray &stream, bool quiet)
{
    static const QByteArrayList fragments = {
        "download", "download request", "download success", "end", "end of data", "end of d", "ata",
        "setting request", "setting end", "ok", "ERASE END", "ZKQ-", "\r\n",
        QByteArray::fromHex("AACC0656"), QByteArray(1, '\0'), "V"};
    QByteArray block;
    const int parts = 1 + random.bounded(4);
    for (int i = 0; i < parts; ++i) {
        switch (quiet ? 1 + 2 * random.bounded(2) : random.bounded(5)) {
        case 0:
            block += fragments.at(random.bounded(fragments.size()));
            break;
        case 1: {
            QByteArray noise(random.bounded(64), '\0');
            for (char &c : noise)
                c = char(random.bounded(256));
            block += noise;
            break;
        }
        case 2: {
            const int from = random.bounded(stream.size());
            block += stream.mid(from, random.bounded(4096));
            break;
        }
        case 3:
            block += QByteArray(random.bounded(8192), char(random.bounded(256)));
            break;
        default:
            block += "setting request" + QByteArray(random.bounded(12), '\x01');
            break;
        }
    }
    return block;
}

} // namespace

class TestSerialPort : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void tableInBlocksIsJoined_data();
    void tableInBlocksIsJoined();
    void receptionStartsOnlyWithDownload();
    void endMarkerBeforeRecordsGivesNothing();
    void endOutsideReceptionKeepsLastTable_data();
    void endOutsideReceptionKeepsLastTable();
    void endlessReceptionIsGivenUp();
    void okInsideTableIsNoAcceptance_data();
    void okInsideTableIsNoAcceptance();
    void settingsReport_data();
    void settingsReport();
    void dispatcher();
    void downloadSuccessHidesNotice();
    void upgradeReplies();
    void busyNoticeHasNoButtons();
    void openRefusesEmptyName();
    void openReportsDeviceError();
    void openEndsAnUnfinishedReception();
    void scanKeepsFixedDevice();
    void brokenLineStaysBounded_data();
    void brokenLineStaysBounded();

private:
    QComboBox *list = nullptr;
    SerialPort *port = nullptr;
    FakeUser *user = nullptr;
};

void TestSerialPort::init()
{
    user = new FakeUser;
    list = new QComboBox;
    port = new SerialPort(list, QStringLiteral("Quorvani"));
}

void TestSerialPort::cleanup()
{
    delete port;
    delete list;
    delete user;
}

void TestSerialPort::tableInBlocksIsJoined_data()
{
    QTest::addColumn<int>("blockSize");
    QTest::newRow("one block") << TableStream::Size;
    QTest::newRow("blocks of 64") << 64;
    QTest::newRow("blocks of 4096") << 4096;
}

void TestSerialPort::tableInBlocksIsJoined()
{
    QFETCH(int, blockSize);
    QSignalSpy shown(port, &SerialPort::showdata);
    for (const QByteArray &block : blocksOf(streamWithRules(), blockSize))
        port->examineBlock(block);
    QCOMPARE(shown.count(), 1);
    const auto records = shown.first().first().value<QList<QByteArray>>();
    QCOMPARE(records.size(), 3072);
    QCOMPARE(records.first(), QByteArray::fromHex("903C001C00000000"));
    QCOMPARE(records.last(), QByteArray::fromHex("AF7FFF3701323200"));
    QVERIFY(!port->receivingTable);
}

void TestSerialPort::receptionStartsOnlyWithDownload()
{
    QSignalSpy shown(port, &SerialPort::showdata);
    const QList<QByteArray> blocks = blocksOf(streamWithRules(), 4096);
    for (int i = 1; i < blocks.size(); ++i)
        port->examineBlock(blocks.at(i));
    QCOMPARE(shown.count(), 0);
}

void TestSerialPort::endMarkerBeforeRecordsGivesNothing()
{
    QSignalSpy shown(port, &SerialPort::showdata);
    port->examineBlock("download end of data");
    QCOMPARE(shown.count(), 0);
    QVERIFY(!port->receivingTable);
}

void TestSerialPort::endOutsideReceptionKeepsLastTable_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::newRow("setting end") << QByteArray("setting end");
    QTest::newRow("a second end marker") << QByteArray("end of data");
}

void TestSerialPort::endOutsideReceptionKeepsLastTable()
{
    QFETCH(QByteArray, block);
    QSignalSpy shown(port, &SerialPort::showdata);
    port->examineBlock(streamWithRules());
    QCOMPARE(shown.count(), 1);
    user->boxes.clear();
    port->examineBlock(block);
    QCOMPARE(shown.count(), 1);
    QVERIFY(user->boxes.isEmpty());
}

void TestSerialPort::okInsideTableIsNoAcceptance_data()
{
    QTest::addColumn<int>("blockSize");
    QTest::newRow("one block") << TableStream::Size;
    QTest::newRow("blocks of 256") << 256;
}

void TestSerialPort::okInsideTableIsNoAcceptance()
{
    QFETCH(int, blockSize);
    // Controller 111 on DMX 108 puts the bytes "ok" into the record.
    QList<QByteArray> records(TableStream::RecordCount, QByteArray::fromHex("B06F6B1400000000"));
    QSignalSpy accepted(port, &SerialPort::sure_connect);
    QSignalSpy shown(port, &SerialPort::showdata);
    for (const QByteArray &block : blocksOf(TableStream::build(records), blockSize))
        port->examineBlock(block);
    QCOMPARE(shown.count(), 1);
    QCOMPARE(accepted.count(), 0);
    port->examineBlock("ok");
    QCOMPARE(accepted.count(), 1);
}

void TestSerialPort::endlessReceptionIsGivenUp()
{
    QSignalSpy shown(port, &SerialPort::showdata);
    port->examineBlock("download");
    const QByteArray noise(4096, 'x');
    for (int i = 0; i < 20 && port->receivingTable; ++i)
        port->examineBlock(noise);
    QVERIFY(!port->receivingTable);
    QVERIFY(port->rxBuffer.isEmpty());
    QCOMPARE(user->boxes.size(), 1);
    QCOMPARE(user->boxes.first().title, QStringLiteral("warning"));

    // The rest of the broken stream is not collected any more.
    port->examineBlock(noise);
    QVERIFY(port->rxBuffer.isEmpty());
    port->examineBlock("end of data");
    QCOMPARE(shown.count(), 0);

    // A new reception works again.
    port->examineBlock(streamWithRules());
    QCOMPARE(shown.count(), 1);
}

void TestSerialPort::settingsReport_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<int>("reports");
    QTest::addColumn<int>("breakTime");
    QTest::addColumn<int>("markAfterBreak");
    QTest::addColumn<int>("coefficient");
    const QByteArray report = "setting request" + QByteArray(4, '\0') + QByteArray::fromHex("03E800B40002");
    QTest::newRow("report") << report << 1 << 1000 << 180 << 2;
    QTest::newRow("too short") << report.left(24) << 0 << 7 << 7 << 7;
}

void TestSerialPort::settingsReport()
{
    QFETCH(QByteArray, block);
    QFETCH(int, reports);
    port->breakTime = port->markAfterBreak = port->coefficientCode = 7;
    QSignalSpy reported(port, &SerialPort::rec_sucess);
    port->examineBlock(block);
    QCOMPARE(reported.count(), reports);
    QTEST(port->breakTime, "breakTime");
    QTEST(port->markAfterBreak, "markAfterBreak");
    QTEST(port->coefficientCode, "coefficient");
}

void TestSerialPort::dispatcher()
{
    QSignalSpy accepted(port, &SerialPort::sure_connect);
    port->examineBlock("ok");
    QCOMPARE(accepted.count(), 1);
    QCOMPARE(accepted.first().first().toBool(), true);
    port->examineBlock("download success ok");
    QCOMPARE(accepted.count(), 1); // first match wins
}

void TestSerialPort::downloadSuccessHidesNotice()
{
    port->busyNotice->show();
    port->examineBlock("download success");
    QVERIFY(!port->busyNotice->isVisible());
    QCOMPARE(user->boxes.size(), 1);
    QCOMPARE(user->boxes.first().title, QStringLiteral("operate successfully"));
    QCOMPARE(user->boxes.first().text, QStringLiteral("Product is configured successfully!"));
    QCOMPARE(user->boxes.first().buttons, QStringList{"OK"});
    QVERIFY(!user->boxes.first().parent);
}

void TestSerialPort::upgradeReplies()
{
    QSignalSpy erased(port, &SerialPort::send_erase);
    QSignalSpy versions(port, &SerialPort::send_vesion);
    QSignalSpy models(port, &SerialPort::send_ZKQ);
    port->examineBlock("ERASE END");
    port->examineBlock(QByteArray::fromHex("AACC06") + "V1.0.3\r\n");
    port->examineBlock("ZKQ-1024\r\n");
    QCOMPARE(erased.count(), 1);
    QCOMPARE(erased.first().first().toBool(), true);
    QCOMPARE(versions.count(), 1);
    QCOMPARE(versions.first().first().toString(), QStringLiteral("V1.0.3"));
    QCOMPARE(models.count(), 1);
    QCOMPARE(models.first().first().toString(), QStringLiteral("ZKQ-1024"));
}

void TestSerialPort::busyNoticeHasNoButtons()
{
    QMessageBox *notice = port->busyNotice.get();
    QCOMPARE(notice->windowTitle(), QStringLiteral("Warning"));
    QCOMPARE(notice->text(), QStringLiteral("Data is being sent..."));
    QVERIFY(!notice->parent());
    notice->show();
    QVERIFY(notice->buttons().isEmpty());
    QVERIFY(!notice->isModal());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    notice->hide();
}

void TestSerialPort::openRefusesEmptyName()
{
    QVERIFY(!port->open(QString(), 115200));
    QVERIFY(!port->isOpen());
    QCOMPARE(user->boxes.size(), 1);
    QCOMPARE(user->boxes.first().title, QStringLiteral("ZKQ Tool"));
    QCOMPARE(user->boxes.first().text, QStringLiteral("port name error, please choose right com!"));
    QCOMPARE(user->boxes.first().buttons, QStringList{"OK"});
}

void TestSerialPort::openReportsDeviceError()
{
    port->rxBuffer = "stale";
    QVERIFY(!port->open(QStringLiteral("/nonexistent/ttyZKQ"), 115200));
    QVERIFY(port->rxBuffer.isEmpty());
    QCOMPARE(user->texts(), QStringList{"Device error"});
    QCOMPARE(user->boxes.first().title, QString());
}

void TestSerialPort::openEndsAnUnfinishedReception()
{
    // The link was closed in the middle of a table; the rest of it is still in the line.
    const QList<QByteArray> blocks = blocksOf(streamWithRules(), 4096);
    port->examineBlock(blocks.first());
    QVERIFY(port->receivingTable);
    QVERIFY(!port->open(QStringLiteral("/nonexistent/ttyZKQ"), 115200));

    QSignalSpy shown(port, &SerialPort::showdata);
    QSignalSpy accepted(port, &SerialPort::sure_connect);
    for (int i = 1; i < blocks.size(); ++i)
        port->examineBlock(blocks.at(i));
    QCOMPARE(shown.count(), 0);
    port->examineBlock("ok");
    QCOMPARE(accepted.count(), 1);
}

void TestSerialPort::scanKeepsFixedDevice()
{
    port->addFixedDevice(QStringLiteral("Quorvani ZKQ-1024 (simulated)"), QStringLiteral("/dev/pts/99"));
    list->addItem(QStringLiteral("Quorvani gone"), QStringLiteral("ttyACM9"));
    port->initPort();
    QCOMPARE(list->findText(QStringLiteral("Quorvani gone")), -1);
    const int index = list->findText(QStringLiteral("Quorvani ZKQ-1024 (simulated)"));
    QVERIFY(index >= 0);
    QCOMPARE(list->itemData(index).toString(), QStringLiteral("/dev/pts/99"));
    QCOMPARE(port->scanTimer->interval(), 2000);
    QVERIFY(port->scanTimer->isActive());
}

void TestSerialPort::brokenLineStaysBounded_data()
{
    QTest::addColumn<quint32>("seed");
    for (const quint32 seed : {1u, 7u, 42u, 2024u})
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

// Whatever the line brings, the link holds no more than one reception's worth of bytes,
// hands out only records of at most 8 bytes, and reads a sound table afterwards.
void TestSerialPort::brokenLineStaysBounded()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    const QByteArray stream = streamWithRules();
    QSignalSpy shown(port, &SerialPort::showdata);
    bool quiet = false;
    for (int i = 0; i < 300; ++i) {
        // Runs of quiet blocks let a reception that never ends grow, if it can.
        if (random.bounded(10) == 0)
            quiet = !quiet;
        const QByteArray block = randomBlock(random, stream, quiet);
        port->examineBlock(block);
        QVERIFY(port->rxBuffer.size() <= SerialPort::MaxReceptionSize + block.size());
        for (const QList<QVariant> &emitted : std::as_const(shown)) {
            for (const QByteArray &record : emitted.first().value<QList<QByteArray>>())
                QVERIFY(record.size() <= 8);
        }
        shown.clear();
    }

    for (const QByteArray &block : blocksOf(stream, 1000))
        port->examineBlock(block);
    QCOMPARE(shown.count(), 1);
    const auto records = shown.first().first().value<QList<QByteArray>>();
    QCOMPARE(records.size(), 3072);
    QCOMPARE(records.first(), QByteArray::fromHex("903C001C00000000"));
    QCOMPARE(records.last(), QByteArray::fromHex("AF7FFF3701323200"));
}

QTEST_MAIN(TestSerialPort)
#include "tst_serialport.moc"
