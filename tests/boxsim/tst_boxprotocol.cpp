#include "boxprotocol.h"
#include "rulerecord.h"
#include "tablestream.h"

#include <QTest>

namespace {

constexpr int TableBytes = TableStream::RecordCount * RuleRecord::Size;

QByteArray settingRecord(int id, int value)
{
    const int sum = (value >> 8) + (value & 0xFF);
    const char bytes[] = {0, char(id), char(sum >> 8), char(sum & 0xFF), char(value >> 8), char(value & 0xFF)};
    return QByteArray(bytes, sizeof bytes);
}

QByteArray settingCommand(const QByteArray &record)
{
    return "settingdata" + record + "setting end";
}

QByteArray report(int breakTime, int markAfterBreak, int coefficient)
{
    QByteArray block("setting request");
    block += QByteArray(4, '\0');
    for (const int value : {breakTime, markAfterBreak, coefficient})
        block += char(value >> 8) + QByteArray(1, char(value & 0xFF));
    return block;
}

QByteArray upgradeCommand(char command)
{
    return QByteArray("\xAA\xCC\x02\x00", 4) + command + "\r\n";
}

QByteArray upgradeReply(const QByteArray &text)
{
    return QByteArray("\xAA\xCC", 2) + char(text.size()) + text + "\r\n";
}

QByteArrayList pieces(const QByteArray &bytes, int size)
{
    QByteArrayList list;
    for (qsizetype pos = 0; pos < bytes.size(); pos += size)
        list << bytes.mid(pos, size);
    return list;
}

QByteArrayList bytewise(const QByteArray &bytes)
{
    return pieces(bytes, 1);
}

// A table with rules of every kind, free slots between them.
QByteArray sampleRecords(int seed = 0)
{
    QByteArray records;
    for (int k = 0; k < TableStream::RecordCount; ++k) {
        const int dmx = (k + seed) % 1024;
        if ((k + seed) % 3 == 0) {
            records += QByteArray(RuleRecord::Size, '\0');
            continue;
        }
        const char record[] = {char(0x90 + 0x10 * (k % 3) + k % 16), char(k % 128), char(dmx & 0xFF),
                               char(0x14 | (k % 2 ? 0x20 : 0) | (k % 5 ? 0 : 0x08) | (dmx >> 8)),
                               char(k % 256), char(k % 51), char((k * 7) % 51), 0};
        records += QByteArray(record, sizeof record);
    }
    return records;
}

QByteArray streamOf(const QByteArray &records)
{
    return TableStream::build(pieces(records, RuleRecord::Size));
}

QByteArrayList feedAll(BoxProtocol &box, const QByteArrayList &input)
{
    QByteArrayList replies;
    for (const QByteArray &bytes : input)
        replies << box.feed(bytes);
    return replies;
}

} // namespace

class TestBoxProtocol : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void exchanges_data();
    void exchanges();
    void settings_data();
    void settings();
    void factoryReset();
    void tableRoundTrip_data();
    void tableRoundTrip();
    void tableBytesAreNotCommands();
    void tableJoinedWithCommands();
    void damagedStreamIsNotStored_data();
    void damagedStreamIsNotStored();
    void restartedStreamReplacesThePartialOne();
    void unfinishedStreamIsBounded();
    void garbageIsBounded_data();
    void garbageIsBounded();
    void upgradeExchanges_data();
    void upgradeExchanges();
    void eraseCollectsImage();
    void imageIsBounded();
    void reenteringUpgradeModeParsesCommandsAgain();
};

void TestBoxProtocol::exchanges_data()
{
    QTest::addColumn<QByteArrayList>("input");
    QTest::addColumn<QByteArrayList>("replies");

    const QByteArray factory = report(BoxProtocol::FactoryBreakTime, BoxProtocol::FactoryMarkAfterBreak,
                                      BoxProtocol::FactoryCoefficientCode);
    QTest::newRow("hello") << QByteArrayList{"hello"} << QByteArrayList{"ok"};
    QTest::newRow("hello byte by byte") << bytewise("hello") << QByteArrayList{"ok"};
    QTest::newRow("noise around a command")
        << QByteArrayList{QByteArray("\r\n\0xy", 5) + "hello\xFF"} << QByteArrayList{"ok"};
    QTest::newRow("a broken text is no command") << QByteArrayList{"hel", "Xlo"} << QByteArrayList{};
    QTest::newRow("settings report, then setting end")
        << QByteArrayList{"setting request"} << QByteArrayList{factory, "setting end"};
    QTest::newRow("commands joined in one read")
        << QByteArrayList{"hellosetting requesthello"} << QByteArrayList{"ok", factory, "setting end", "ok"};
    QTest::newRow("a settings exchange gets no reply")
        << QByteArrayList{settingCommand(settingRecord(1, 1000))} << QByteArrayList{};
    QTest::newRow("settings byte by byte, then asked")
        << bytewise(settingCommand(settingRecord(1, 1000)) + "setting request")
        << QByteArrayList{report(1000, BoxProtocol::FactoryMarkAfterBreak, BoxProtocol::FactoryCoefficientCode),
                          "setting end"};
    QTest::newRow("settingdata without its end is dropped")
        << QByteArrayList{"settingdata" + settingRecord(1, 1000) + "hello", "setting request"}
        << QByteArrayList{"ok", factory, "setting end"};
    QTest::newRow("a lone setting end gets no reply") << QByteArrayList{"setting end"} << QByteArrayList{};
    QTest::newRow("upgrade commands are ignored in normal mode")
        << QByteArrayList{upgradeCommand(1) + upgradeCommand(3)} << QByteArrayList{};
}

void TestBoxProtocol::exchanges()
{
    QFETCH(QByteArrayList, input);
    QFETCH(QByteArrayList, replies);
    BoxProtocol box;
    QCOMPARE(feedAll(box, input), replies);
}

void TestBoxProtocol::settings_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<int>("breakTime");
    QTest::addColumn<int>("markAfterBreak");
    QTest::addColumn<int>("coefficient");
    QTest::addColumn<bool>("applied");

    const int b = BoxProtocol::FactoryBreakTime;
    const int m = BoxProtocol::FactoryMarkAfterBreak;
    const int c = BoxProtocol::FactoryCoefficientCode;
    QTest::newRow("break time 1000") << QByteArray::fromHex("000100EB03E8") << 1000 << m << c << true;
    QTest::newRow("mark-after-break 490") << QByteArray::fromHex("000200EB01EA") << b << 490 << c << true;
    QTest::newRow("coefficient 2.01") << QByteArray::fromHex("000300020002") << b << m << 2 << true;
    QTest::newRow("coefficient 5") << QByteArray::fromHex("000300050005") << b << m << 5 << true;
    QTest::newRow("bad checksum") << QByteArray::fromHex("000100EC03E8") << b << m << c << false;
    QTest::newRow("unknown id") << QByteArray::fromHex("000500010001") << b << m << c << false;
    QTest::newRow("first byte not 0") << QByteArray::fromHex("010100EB03E8") << b << m << c << false;
    QTest::newRow("coefficient code 6") << settingRecord(3, 6) << b << m << c << false;
    QTest::newRow("break time below 100") << settingRecord(1, 99) << b << m << c << false;
    QTest::newRow("mark-after-break above 510") << settingRecord(2, 511) << b << m << c << false;
}

void TestBoxProtocol::settings()
{
    QFETCH(QByteArray, record);
    QFETCH(int, breakTime);
    QFETCH(int, markAfterBreak);
    QFETCH(int, coefficient);
    QFETCH(bool, applied);

    BoxProtocol box;
    QList<std::pair<int, int>> calls;
    box.setSettingAppliedHandler([&calls](int id, int value) { calls.append({id, value}); });
    QCOMPARE(box.feed(settingCommand(record)), QByteArrayList{});
    QCOMPARE(box.breakTime(), breakTime);
    QCOMPARE(box.markAfterBreak(), markAfterBreak);
    QCOMPARE(box.coefficientCode(), coefficient);
    const int id = quint8(record.at(1));
    const int value = quint8(record.at(4)) << 8 | quint8(record.at(5));
    QCOMPARE(calls, (applied ? QList<std::pair<int, int>>{{id, value}} : QList<std::pair<int, int>>{}));
}

void TestBoxProtocol::factoryReset()
{
    BoxProtocol box;
    box.setRecords(sampleRecords());
    box.feed(settingCommand(settingRecord(1, 1000)) + settingCommand(settingRecord(2, 490))
             + settingCommand(settingRecord(3, 4)));

    // The host's form: record joined to "settingdata", "setting end" in a write of its own.
    box.feed("settingdata" + settingRecord(4, 0));
    box.feed("setting end");
    QCOMPARE(box.breakTime(), 1000);
    QCOMPARE(box.records(), sampleRecords());

    box.feed("settingdata" + QByteArray::fromHex("000400010001"));
    box.feed("setting end");
    QCOMPARE(box.records(), QByteArray(TableBytes, '\0'));
    QCOMPARE(box.breakTime(), BoxProtocol::FactoryBreakTime);
    QCOMPARE(box.markAfterBreak(), BoxProtocol::FactoryMarkAfterBreak);
    QCOMPARE(box.coefficientCode(), BoxProtocol::FactoryCoefficientCode);
}

void TestBoxProtocol::tableRoundTrip_data()
{
    QTest::addColumn<int>("pieceSize");
    QTest::addColumn<int>("blockSize");
    QTest::newRow("host pieces, default blocks") << 256 << BoxProtocol::DefaultTableBlockSize;
    QTest::newRow("byte by byte") << 1 << BoxProtocol::DefaultTableBlockSize;
    QTest::newRow("one piece, one block") << TableStream::Size << TableStream::Size;
    QTest::newRow("odd sizes") << 7 << 100;
}

void TestBoxProtocol::tableRoundTrip()
{
    QFETCH(int, pieceSize);
    QFETCH(int, blockSize);
    BoxProtocol box;
    box.setTableBlockSize(blockSize);
    int stored = 0;
    box.setTableStoredHandler([&stored] { ++stored; });

    const QByteArray stream = streamOf(sampleRecords());
    QCOMPARE(feedAll(box, pieces(stream, pieceSize)), QByteArrayList{"download success"});
    QCOMPARE(stored, 1);
    QCOMPARE(box.records(), sampleRecords());

    const QByteArrayList blocks = box.feed("upload request");
    QCOMPARE(blocks.size(), (TableStream::Size + blockSize - 1) / blockSize);
    QVERIFY(blocks.first().contains("download"));
    for (const QByteArray &block : blocks)
        QVERIFY(block.size() <= blockSize);
    QCOMPARE(blocks.join(), stream);
}

void TestBoxProtocol::tableBytesAreNotCommands()
{
    QByteArray records = sampleRecords();
    const QByteArray commands = "hellosetting requestupload requestsettingdata" + settingRecord(4, 1) + "setting end";
    records.replace(0, commands.size(), commands);
    BoxProtocol box;
    QCOMPARE(box.feed(streamOf(records)), QByteArrayList{"download success"});
    QCOMPARE(box.records(), records);
}

void TestBoxProtocol::tableJoinedWithCommands()
{
    BoxProtocol box;
    const QByteArray stream = streamOf(sampleRecords());
    QCOMPARE(box.feed("hello" + stream + "setting request"),
             (QByteArrayList{"ok", "download success",
                             report(BoxProtocol::FactoryBreakTime, BoxProtocol::FactoryMarkAfterBreak,
                                    BoxProtocol::FactoryCoefficientCode),
                             "setting end"}));
    QCOMPARE(box.records(), sampleRecords());
}

void TestBoxProtocol::damagedStreamIsNotStored_data()
{
    QTest::addColumn<QByteArray>("stream");
    const QByteArray stream = streamOf(sampleRecords());
    QByteArray wrongSum = stream;
    wrongSum[TableStream::ChecksumOffset] = char(wrongSum.at(TableStream::ChecksumOffset) ^ 1);
    QTest::newRow("wrong checksum") << wrongSum;
    QTest::newRow("a record missing") << QByteArray(stream).remove(TableStream::HeaderSize, RuleRecord::Size);
    QTest::newRow("a byte too many") << QByteArray(stream).insert(TableStream::HeaderSize, '\0');
}

void TestBoxProtocol::damagedStreamIsNotStored()
{
    QFETCH(QByteArray, stream);
    BoxProtocol box;
    box.setRecords(sampleRecords(1));
    QCOMPARE(feedAll(box, pieces(stream + "hello", 256)), QByteArrayList{"ok"});
    QCOMPARE(box.records(), sampleRecords(1));
}

void TestBoxProtocol::restartedStreamReplacesThePartialOne()
{
    BoxProtocol box;
    const QByteArray first = streamOf(sampleRecords(1));
    const QByteArray second = streamOf(sampleRecords(2));
    QCOMPARE(feedAll(box, pieces(first.left(5000) + second, 256)), QByteArrayList{"download success"});
    QCOMPARE(box.records(), sampleRecords(2));
}

void TestBoxProtocol::unfinishedStreamIsBounded()
{
    BoxProtocol box;
    QByteArrayList replies;
    for (const QByteArray &piece : pieces("download request" + QByteArray(3 * TableStream::Size, '\x01'), 256)) {
        replies << box.feed(piece);
        QVERIFY(box.pendingBytes() <= TableStream::Size);
    }
    QCOMPARE(replies, QByteArrayList{});
    QCOMPARE(box.feed("hello"), QByteArrayList{"ok"});
}

void TestBoxProtocol::garbageIsBounded_data()
{
    QTest::addColumn<QByteArray>("unit");
    QTest::newRow("binary") << QByteArray::fromHex("00FF7F80AACC0200010D0A");
    QTest::newRow("command prefixes") << QByteArray("hellsetting requesupload reques");
    QTest::newRow("settingdata without end") << QByteArray("settingdata");
}

void TestBoxProtocol::garbageIsBounded()
{
    QFETCH(QByteArray, unit);
    // Longest wait: "settingdata", its record and all but the last byte of "setting end".
    const qsizetype bound = 11 + 6 + 11 - 1;
    BoxProtocol box;
    const QByteArray chunk = unit.repeated(1000 / unit.size() + 1);
    for (int i = 0; i < 1000; ++i) {
        QCOMPARE(box.feed(chunk), QByteArrayList{});
        QVERIFY2(box.pendingBytes() <= bound, QByteArray::number(box.pendingBytes()));
    }
    QCOMPARE(box.feed("setting request"),
             (QByteArrayList{report(BoxProtocol::FactoryBreakTime, BoxProtocol::FactoryMarkAfterBreak,
                                    BoxProtocol::FactoryCoefficientCode),
                             "setting end"}));
}

void TestBoxProtocol::upgradeExchanges_data()
{
    QTest::addColumn<QByteArrayList>("input");
    QTest::addColumn<QByteArrayList>("replies");

    const QByteArray model = upgradeReply("ZKQ-1024");
    const QByteArray version = upgradeReply("V1.0.3");
    QTest::newRow("model") << QByteArrayList{upgradeCommand(1)} << QByteArrayList{model};
    QTest::newRow("version") << QByteArrayList{upgradeCommand(3)} << QByteArrayList{version};
    QTest::newRow("both in one read") << QByteArrayList{upgradeCommand(1) + upgradeCommand(3)}
                                      << QByteArrayList{model, version};
    QTest::newRow("version byte by byte") << bytewise(upgradeCommand(3)) << QByteArrayList{version};
    QTest::newRow("noise and a cut command before")
        << QByteArrayList{"\xAA\x00" + upgradeCommand(1).left(6), upgradeCommand(3)} << QByteArrayList{version};
    QTest::newRow("wrong line end") << QByteArrayList{QByteArray::fromHex("AACC020001 0D0B")} << QByteArrayList{};
    QTest::newRow("unknown command") << QByteArrayList{upgradeCommand(4)} << QByteArrayList{};
    QTest::newRow("normal commands are ignored")
        << QByteArrayList{"hello", "setting request", "upload request"} << QByteArrayList{};
}

void TestBoxProtocol::upgradeExchanges()
{
    QFETCH(QByteArrayList, input);
    QFETCH(QByteArrayList, replies);
    BoxProtocol box;
    box.setUpgradeMode(true);
    QCOMPARE(feedAll(box, input), replies);
}

void TestBoxProtocol::eraseCollectsImage()
{
    QByteArray image;
    for (int i = 0; i < 3201; ++i)
        image += char(i * 7);
    image.insert(1000, upgradeCommand(1) + "hello"); // commands inside an image are image bytes

    BoxProtocol box;
    box.setUpgradeMode(true);
    QByteArrayList replies = box.feed(upgradeCommand(2) + image.left(10));
    for (const QByteArray &chunk : pieces(image.mid(10), 64))
        replies << box.feed(chunk);
    QCOMPARE(replies, QByteArrayList{upgradeReply("ERASE END")});
    QCOMPARE(box.receivedImage(), image);
}

void TestBoxProtocol::imageIsBounded()
{
    BoxProtocol box;
    box.setUpgradeMode(true);
    box.feed(upgradeCommand(2));
    const QByteArray chunk(64 * 1024, '\x5A');
    for (int i = 0; i <= BoxProtocol::MaxImageSize / chunk.size(); ++i)
        box.feed(chunk);
    QCOMPARE(box.receivedImage().size(), BoxProtocol::MaxImageSize);
}

void TestBoxProtocol::reenteringUpgradeModeParsesCommandsAgain()
{
    BoxProtocol box;
    box.setUpgradeMode(true);
    box.feed(upgradeCommand(2) + "old");
    box.setUpgradeMode(true);
    QCOMPARE(box.feed(upgradeCommand(1)), QByteArrayList{upgradeReply("ZKQ-1024")});
    QCOMPARE(box.receivedImage(), QByteArray("old"));
    QCOMPARE(box.feed(upgradeCommand(2) + "new"), QByteArrayList{upgradeReply("ERASE END")});
    QCOMPARE(box.receivedImage(), QByteArray("new"));
}

QTEST_APPLESS_MAIN(TestBoxProtocol)
#include "tst_boxprotocol.moc"
