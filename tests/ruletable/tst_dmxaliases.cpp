#include "dmxaliases.h"

#include <QTest>

namespace {

QStringList withAlias(int channel, const QString &alias)
{
    QStringList list = DmxAliases::emptyList();
    list[channel - 1] = alias;
    return list;
}

} // namespace

class TestDmxAliases : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parse_data();
    void parse();
    void serializeWritesOneLineEach();
    void cellText_data();
    void cellText();
    void firstDigitRun_data();
    void firstDigitRun();
    void channelOf_data();
    void channelOf();
    void relabelledCell_data();
    void relabelledCell();
    void editorItems();
};

void TestDmxAliases::parse_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("aliases");
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("lines ending in LF") << QByteArray("Front\nBack\n") << QStringList{"Front", "Back"};
    QTest::newRow("last line without end") << QByteArray("Front\nBack") << QStringList{"Front", "Back"};
    QTest::newRow("empty lines keep their channel") << QByteArray("\n\nSpot\n") << QStringList{"", "", "Spot"};
    QTest::newRow("CRLF") << QByteArray("Front\r\nBack\r\n") << QStringList{"Front", "Back"};
    QTest::newRow("UTF-8") << QByteArray("B\xC3\xBChne\n") << QStringList{QStringLiteral("B\u00FChne")};
    QTest::newRow("a lone line end") << QByteArray("\n") << QStringList{""};
    QTest::newRow("an overlong alias is cut")
        << QByteArray(5000, 'x') + "\nBack\n" << QStringList{QString(1024, QLatin1Char('x')), "Back"};
    QTest::newRow("the cut never splits a character")
        << QByteArray("a") + QByteArray(2000, '\0').replace(QByteArray(1, '\0'), QByteArray("\xF0\x9F\x8E\xB5")) + "\n"
        << QStringList{QStringLiteral("a") + QString::fromUtf8(QByteArray(511, '\0').replace(QByteArray(1, '\0'), QByteArray("\xF0\x9F\x8E\xB5")))};
}

void TestDmxAliases::parse()
{
    QFETCH(QByteArray, data);
    QFETCH(QStringList, aliases);
    QCOMPARE(DmxAliases::parse(data), aliases);
}

void TestDmxAliases::serializeWritesOneLineEach()
{
    QCOMPARE(DmxAliases::serialize({"Front", "", QStringLiteral("B\u00FChne")}), QByteArray("Front\n\nB\xC3\xBChne\n"));
    const QStringList full = withAlias(1024, "Last");
    const QByteArray data = DmxAliases::serialize(full);
    QCOMPARE(data.count('\n'), 1024);
    QCOMPARE(DmxAliases::parse(data), full);
}

void TestDmxAliases::cellText_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<QStringList>("aliases");
    QTest::addColumn<QString>("text");
    QTest::newRow("alias") << 12 << withAlias(12, "Spot") << "12-Spot";
    QTest::newRow("no alias") << 13 << withAlias(12, "Spot") << "13";
    QTest::newRow("list too short") << 13 << QStringList(12, "x") << "13";
    QTest::newRow("no list") << 1 << QStringList() << "1";
    QTest::newRow("last channel") << 1024 << withAlias(1024, "Haze") << "1024-Haze";
}

void TestDmxAliases::cellText()
{
    QFETCH(int, channel);
    QFETCH(QStringList, aliases);
    QFETCH(QString, text);
    QCOMPARE(DmxAliases::cellText(channel, aliases), text);
}

void TestDmxAliases::firstDigitRun_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::newRow("plain") << "1023" << 1023;
    QTest::newRow("alias form") << "12-Par 64" << 12;
    QTest::newRow("after letters") << "ch7" << 7;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("no digits") << "Spot" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("too long") << "99999999999" << -1;
}

void TestDmxAliases::firstDigitRun()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    QCOMPARE(DmxAliases::firstDigitRun(text), number);
}

void TestDmxAliases::channelOf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("channel");
    QTest::newRow("plain") << "12" << 12;
    QTest::newRow("alias") << "12-Front" << 12;
    QTest::newRow("alias with a dash") << "12-Front-Left" << 12;
    QTest::newRow("alias with digits") << "300-Spot 2" << 300;
    QTest::newRow("alias of digits") << "5-3" << 5;
    QTest::newRow("digits after a leading dash") << "-Par 64" << 64;
    QTest::newRow("dash and no digits") << "-Spot" << 0;
    QTest::newRow("not a number") << "Spot" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("digits behind letters without a dash") << "ch7" << 0;
    QTest::newRow("too long a number") << "99999999999-x" << 0;
}

void TestDmxAliases::channelOf()
{
    QFETCH(QString, text);
    QFETCH(int, channel);
    QCOMPARE(DmxAliases::channelOf(text), channel);
}

void TestDmxAliases::relabelledCell_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("aliases");
    QTest::addColumn<QString>("relabelled");
    QTest::newRow("gains its alias") << "12" << withAlias(12, "Spot") << "12-Spot";
    QTest::newRow("cleared alias turns back") << "12-Spot" << DmxAliases::emptyList() << "12";
    QTest::newRow("renamed") << "12-Old" << withAlias(12, "Spot") << "12-Spot";
    QTest::newRow("alias with dash and digits") << "12-Par-64" << withAlias(12, "Spot") << "12-Spot";
    QTest::newRow("no list leaves it") << "12-Spot" << QStringList() << "12-Spot";
    QTest::newRow("list too short leaves it") << "12" << QStringList(5, "x") << "12";
    QTest::newRow("no channel leaves it") << "Spot" << withAlias(12, "Spot") << "Spot";
    QTest::newRow("channel 0 leaves it") << "0" << withAlias(12, "Spot") << "0";
    QTest::newRow("past the last channel") << "1025" << withAlias(12, "Spot") << "1025";
}

void TestDmxAliases::relabelledCell()
{
    QFETCH(QString, text);
    QFETCH(QStringList, aliases);
    QFETCH(QString, relabelled);
    QCOMPARE(DmxAliases::relabelledCell(text, aliases), relabelled);
}

void TestDmxAliases::editorItems()
{
    const QStringList items = DmxAliases::editorItems(withAlias(12, "Spot"));
    QCOMPARE(items.size(), 1024);
    QCOMPARE(items.first(), QStringLiteral("1"));
    QCOMPARE(items.at(11), QStringLiteral("12-Spot"));
    QCOMPARE(items.last(), QStringLiteral("1024"));
    QCOMPARE(DmxAliases::editorItems({}).at(11), QStringLiteral("12"));
}

QTEST_APPLESS_MAIN(TestDmxAliases)
#include "tst_dmxaliases.moc"
