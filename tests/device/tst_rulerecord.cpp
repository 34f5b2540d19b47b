#include "rulerecord.h"
#include "notenames.h"
#include "tablestream.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

QStringList row(const QString &dmx, const QString &status, const QString &controller, const QString &channel,
                const QString &fixed, const QString &fadeIn, const QString &fadeOut, const QString &toggle,
                const QString &enable)
{
    return {QStringLiteral("1"), dmx, status, controller, channel, fixed, fadeIn, fadeOut, toggle, enable};
}

} // namespace

class TestRuleRecord : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void encode_data();
    void encode();
    void decode_data();
    void decode();
    void checksumOfSingleRule();
    void streamLayout();
    void split_data();
    void split();
    void randomTableRoundTrip();
};

void TestRuleRecord::encode_data()
{
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QByteArray>("record");
    QTest::newRow("note on all channels")
        << row("1", "Note", "60 / C4", "ALL", "OFF", "OFF", "OFF", "OFF", "ON")
        << QByteArray::fromHex("903C001C00000000");
    QTest::newRow("cc on output 2")
        << row("513", "CC", "7", "2", "255", "10", "20", "ON", "OFF")
        << QByteArray::fromHex("B1070032FF140A00");
    QTest::newRow("aftertouch at the top")
        << row("1024", "AT", "127", "16", "1", "50", "50", "ON", "ON")
        << QByteArray::fromHex("AF7FFF3701323200");
    QTest::newRow("alias form reads the number before the dash")
        << row("300-Spot 2", "CC", "1", "ALL", "OFF", "OFF", "OFF", "OFF", "ON")
        << QByteArray::fromHex("B0012B1D00000000");
    QTest::newRow("missing fixed value is a free slot")
        << row("1", "Note", "60 / C4", "ALL", "", "OFF", "OFF", "OFF", "ON")
        << QByteArray(8, '\0');
    QTest::newRow("missing enable encodes enable off")
        << row("1", "Note", "60 / C4", "ALL", "OFF", "OFF", "OFF", "OFF", "")
        << QByteArray::fromHex("903C001800000000");
    QTest::newRow("fixed value above 255 keeps its low bits")
        << row("1", "CC", "0", "1", "256", "OFF", "OFF", "OFF", "ON")
        << QByteArray::fromHex("B000001400000000");
    QTest::newRow("four-digit controller without a name reads 0")
        << row("1", "CC", "1234", "1", "OFF", "OFF", "OFF", "OFF", "ON")
        << QByteArray::fromHex("B000001400000000");
    QTest::newRow("unknown status uses code 0")
        << row("2", " ", "5", "3", "OFF", "OFF", "OFF", "OFF", "ON")
        << QByteArray::fromHex("0205011400000000");
}

void TestRuleRecord::encode()
{
    QFETCH(QStringList, cells);
    QFETCH(QByteArray, record);
    QCOMPARE(RuleRecord::encode(cells).toHex(' '), record.toHex(' '));
}

void TestRuleRecord::decode_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("cnum");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("note in C3") << QByteArray::fromHex("903C001C00000000") << 0 << 1
                                << QStringList{"1", "1", "Note", "60 / C3", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"};
    QTest::newRow("cc") << QByteArray::fromHex("B1070032FF140A00") << 4 << 2
                        << QStringList{"5", "513", "CC", "7", "2", "255", "10", "20", "ON", "OFF"};
    QTest::newRow("aftertouch") << QByteArray::fromHex("AF7FFF3701323200") << 3071 << 2
                                << QStringList{"3072", "1024", "AT", "127 / G9", "16", "1", "50", "50", "ON", "ON"};
    QTest::newRow("free slot") << QByteArray(8, '\0') << 7 << 2 << QStringList{"8"};
    QTest::newRow("unknown status") << QByteArray::fromHex("C5050114C8000000") << 0 << 2
                                    << QStringList{"1", "2", " ", "5", "6", "200", "OFF", "OFF", "OFF", "ON"};
    QTest::newRow("fade above the editor's range") << QByteArray::fromHex("B0000014FFC8FF00") << 0 << 2
                                    << QStringList{"1", "1", "CC", "0", "1", "255", "255", "200", "OFF", "ON"};
    QTest::newRow("short record") << QByteArray::fromHex("903C00") << 0 << 2 << QStringList{};
}

void TestRuleRecord::decode()
{
    QFETCH(QByteArray, record);
    QFETCH(int, row);
    QFETCH(int, cnum);
    QFETCH(QStringList, texts);
    QCOMPARE(RuleRecord::decode(record, row, cnum), texts);
}

void TestRuleRecord::checksumOfSingleRule()
{
    const QByteArray stream = TableStream::build({QByteArray::fromHex("903C001C00000000")});
    QCOMPARE(stream.size(), TableStream::Size);
    QCOMPARE(quint8(stream.at(17)), quint8(0xE8));
    QCOMPARE(quint8(stream.at(18)), quint8(0x00));
}

void TestRuleRecord::streamLayout()
{
    QList<QByteArray> records(TableStream::RecordCount, QByteArray::fromHex("AF7FFF3701323200"));
    const QByteArray stream = TableStream::build(records);
    QCOMPARE(stream.size(), 24844);
    QVERIFY(stream.startsWith("download request"));
    QCOMPARE(stream.at(16), '\0');
    const quint32 sum = 3072u * (0xAF + 0x7F + 0xFF + 0x37 + 0x01 + 0x32 + 0x32);
    QCOMPARE(quint8(stream.at(17)), quint8(sum & 0xFF));
    QCOMPARE(quint8(stream.at(18)), quint8((sum >> 8) & 0xFF));
    QCOMPARE(stream.mid(19, 237), QByteArray(237, '\0'));
    QCOMPARE(stream.mid(256, 8), records.first());
    QCOMPARE(stream.mid(24832), QByteArray("end of data", 12));
}

void TestRuleRecord::split_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("lastSize");
    const QByteArray header = QByteArray("download") + QByteArray(248, '\0');
    QTest::newRow("full stream") << TableStream::build({}) << true << 3072 << 8;
    QTest::newRow("no end marker") << header + QByteArray(16, '\x01') << false << 0 << 0;
    QTest::newRow("two records") << header + QByteArray(16, '\x01') + "end of data" << true << 2 << 8;
    QTest::newRow("short remainder") << header + QByteArray(11, '\x01') + "end of data" << true << 2 << 3;
    QTest::newRow("marker inside the header only") << QByteArray("end of data") + QByteArray(300, '\0') << false << 0 << 0;
    QTest::newRow("empty table") << header + "end of data" << true << 0 << 0;
    QTest::newRow("shorter than a header") << QByteArray("download end of data") << false << 0 << 0;
}

void TestRuleRecord::split()
{
    QFETCH(QByteArray, stream);
    QFETCH(bool, found);
    QFETCH(int, count);
    QFETCH(int, lastSize);
    bool wasFound = !found;
    const QList<QByteArray> records = TableStream::split(stream, &wasFound);
    QCOMPARE(wasFound, found);
    QCOMPARE(records.size(), count);
    if (count > 0)
        QCOMPARE(records.last().size(), lastSize);
}

void TestRuleRecord::randomTableRoundTrip()
{
    static const QStringList statuses = {"Note", "AT", "CC"};
    QRandomGenerator random(20261211);
    const auto offOr = [&random](int max) {
        const int v = int(random.bounded(max + 1));
        return v == 0 ? QStringLiteral("OFF") : QString::number(v);
    };
    QList<QStringList> rows;
    QList<QByteArray> records;
    for (int r = 0; r < TableStream::RecordCount; ++r) {
        if (random.bounded(5) == 0) {
            rows << QStringList{QString::number(r + 1)};
            records << RuleRecord::encode(rows.last());
            continue;
        }
        const QString status = statuses.at(int(random.bounded(3)));
        const int controller = int(random.bounded(128));
        const int channel = int(random.bounded(17));
        const QStringList cells = {QString::number(r + 1),
                                   QString::number(random.bounded(1, 1025)),
                                   status,
                                   status == QLatin1String("CC") ? QString::number(controller)
                                                                 : QString::number(controller) + " / " + NoteNames::name(controller, 2),
                                   channel == 0 ? QStringLiteral("ALL") : QString::number(channel),
                                   offOr(255), offOr(50), offOr(50),
                                   random.bounded(2) ? QStringLiteral("ON") : QStringLiteral("OFF"),
                                   random.bounded(2) ? QStringLiteral("ON") : QStringLiteral("OFF")};
        rows << cells;
        records << RuleRecord::encode(cells);
    }
    const QList<QByteArray> back = TableStream::split(TableStream::build(records));
    QCOMPARE(back.size(), TableStream::RecordCount);
    for (int r = 0; r < TableStream::RecordCount; ++r)
        QCOMPARE(RuleRecord::decode(back.at(r), r, 2), rows.at(r));
}

QTEST_APPLESS_MAIN(TestRuleRecord)
#include "tst_rulerecord.moc"
