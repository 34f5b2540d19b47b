#include "settingsrecord.h"
#include "upgradereplies.h"

#include <QTest>

class TestSettingsRecord : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void record_data();
    void record();
    void offeredValues();
    void coefficientFactors();
    void report_data();
    void report();
    void upgradeReplies_data();
    void upgradeReplies();
    void upgradeCommands();
};

void TestSettingsRecord::record_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("break time 1000") << 1 << "1000" << QByteArray::fromHex("000100EB03E8");
    QTest::newRow("mark-after-break 490") << 2 << "490" << QByteArray::fromHex("000200EB01EA");
    QTest::newRow("coefficient 2.01") << 3 << "2.01" << QByteArray::fromHex("000300020002");
    QTest::newRow("coefficient 5") << 3 << "5" << QByteArray::fromHex("000300050005");
    QTest::newRow("coefficient not in the list is code 0") << 3 << "7" << QByteArray::fromHex("000300000000");
    QTest::newRow("factory reset") << 4 << "1" << QByteArray::fromHex("000400010001");
}

void TestSettingsRecord::record()
{
    QFETCH(int, id);
    QFETCH(QString, selected);
    QFETCH(QByteArray, bytes);
    QCOMPARE(SettingsRecord::encode(id, SettingsRecord::valueOf(id, selected)).toHex(' '), bytes.toHex(' '));
}

void TestSettingsRecord::offeredValues()
{
    const QStringList breakTimes = SettingsRecord::breakTimeItems();
    QCOMPARE(breakTimes.size(), 46);
    QCOMPARE(breakTimes.first(), QStringLiteral("100"));
    QCOMPARE(breakTimes.at(1), QStringLiteral("120"));
    QCOMPARE(breakTimes.last(), QStringLiteral("1000"));
    const QStringList marks = SettingsRecord::markAfterBreakItems();
    QCOMPARE(marks.size(), 24);
    QCOMPARE(marks.first(), QStringLiteral("50"));
    QCOMPARE(marks.last(), QStringLiteral("510"));
    QCOMPARE(SettingsRecord::coefficientItems(), (QStringList{"1", "2", "2.01", "3", "4", "5"}));
}

void TestSettingsRecord::coefficientFactors()
{
    const QList<double> factors = {1.0, 2.0, 2.01, 3.0, 4.0, 5.0};
    for (int code = 0; code < factors.size(); ++code)
        QCOMPARE(SettingsRecord::coefficientFactor(code).value(), factors.at(code));
    QVERIFY(!SettingsRecord::coefficientFactor(-1));
    QVERIFY(!SettingsRecord::coefficientFactor(6));
}

void TestSettingsRecord::report_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("breakTime");
    QTest::addColumn<int>("markAfterBreak");
    QTest::addColumn<int>("coefficient");
    const QByteArray report = "setting request" + QByteArray(4, '\x01') + QByteArray::fromHex("03E800B40002");
    QTest::newRow("report") << report << true << 1000 << 180 << 2;
    QTest::newRow("report with trailing bytes") << report + "setting end" << true << 1000 << 180 << 2;
    QTest::newRow("24 bytes are too few") << report.left(24) << false << 0 << 0 << 0;
    QTest::newRow("no report text") << QByteArray(30, 'x') << false << 0 << 0 << 0;
}

void TestSettingsRecord::report()
{
    QFETCH(QByteArray, block);
    QFETCH(bool, valid);
    const auto report = SettingsRecord::parseReport(block);
    QCOMPARE(report.has_value(), valid);
    if (!valid)
        return;
    QTEST(int(report->breakTime), "breakTime");
    QTEST(int(report->markAfterBreak), "markAfterBreak");
    QTEST(int(report->coefficientCode), "coefficient");
}

void TestSettingsRecord::upgradeReplies_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<bool>("isVersion");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("model");
    QTest::newRow("version reply") << QByteArray::fromHex("AACC06") + "V1.0.3\r\n" << true << "V1.0.3" << "";
    QTest::newRow("an earlier V wins") << "V" + QByteArray::fromHex("AACC06") + "V1.0.3\r\n" << true
                                       << "V\xAA\xCC\x06V1.0.3" << "";
    QTest::newRow("version without line end") << QByteArray::fromHex("AACC06") + "V1.0.3" << true << "" << "";
    QTest::newRow("model reply") << QByteArray("xxZKQ-1024\r\nyy") << false << "" << "ZKQ-1024";
    QTest::newRow("model without line end") << QByteArray("ZKQ-1024") << false << "" << "";
    QTest::newRow("neither") << QByteArray("ok") << false << "" << "";
}

void TestSettingsRecord::upgradeReplies()
{
    QFETCH(QByteArray, block);
    QFETCH(bool, isVersion);
    QFETCH(QString, version);
    QFETCH(QString, model);
    QCOMPARE(UpgradeReplies::isVersionReply(block), isVersion);
    QCOMPARE(UpgradeReplies::version(block).value_or(QString()).toUtf8(), version.toUtf8());
    if (!isVersion)
        QCOMPARE(UpgradeReplies::model(block).value_or(QString()), model);
}

void TestSettingsRecord::upgradeCommands()
{
    QCOMPARE(UpgradeReplies::command(3), QByteArray::fromHex("AACC0200030D0A"));
    QVERIFY(UpgradeReplies::eraseFinished("..ERASE END.."));
    QVERIFY(!UpgradeReplies::eraseFinished("ERASE"));
}

QTEST_APPLESS_MAIN(TestSettingsRecord)
#include "tst_settingsrecord.moc"
