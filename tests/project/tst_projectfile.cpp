#include "projectfile.h"
#include "ruletable.h"
#include "tablestream.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

QByteArray sampleStream()
{
    return TableStream::build({QByteArray::fromHex("903C001C00000000"), QByteArray(8, '\0'),
                               QByteArray::fromHex("B1070032FF140A00")});
}

QByteArray remarkSection(const QByteArray &lines = "alias0=Blue wash\nalias1=\n")
{
    return "[Aliases]\n" + lines;
}

QStringList aliasList(int size, const QString &first = QString())
{
    QStringList list(size);
    if (size > 0)
        list[0] = first;
    return list;
}

// A project file damaged at a few random places: cut short, bytes overwritten, pieces of
// its own layout or long runs put in.
QByteArray damaged(QRandomGenerator &random, QByteArray file)
{
    static const QByteArrayList pieces = {"\n", QByteArray(1, '\0'), "\r\n", "=", "alias12=", "[Aliases]\n",
                                          "\ndownload request", "end of data", "\xff\xfe", "\xe2\x9a"};
    const int changes = 1 + random.bounded(4);
    for (int i = 0; i < changes && !file.isEmpty(); ++i) {
        const int at = random.bounded(int(file.size()));
        switch (random.bounded(4)) {
        case 0:
            file.truncate(at);
            break;
        case 1:
            file[at] = char(random.bounded(256));
            break;
        case 2:
            file.insert(at, pieces.at(random.bounded(pieces.size())));
            break;
        default:
            file.insert(at, QByteArray(random.bounded(3 * ProjectFile::MaxRemarkLineLength), char(random.bounded(256))));
            break;
        }
    }
    return file;
}

} // namespace

class TestProjectFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void buildLaysOutTheFile();
    void buildKeepsEveryEntryOnOneLine();
    void buildWritesALineForEveryChannel_data();
    void buildWritesALineForEveryChannel();
    void parse_data();
    void parse();
    void remarksSurviveASaveAndALoad();
    void damagedFilesStayBounded_data();
    void damagedFilesStayBounded();
};

void TestProjectFile::buildLaysOutTheFile()
{
    const QByteArray stream = sampleStream();
    const QMap<int, QString> remarks = {{0, "Blue wash"}, {1, ""}, {3071, "läuft"}};
    const QByteArray file = ProjectFile::build(remarks, stream, {"Front", "", "Spot 2"});
    const QByteArray head = "[Aliases]\nalias0=Blue wash\nalias1=\nalias3071=l\xc3\xa4uft\n";
    QVERIFY(file.startsWith(head));
    QCOMPARE(file.mid(head.size(), stream.size()), stream);
    QCOMPARE(file.mid(head.size() + stream.size()), "\nFront\n\nSpot 2\n" + QByteArray(1021, '\n'));
}

void TestProjectFile::buildWritesALineForEveryChannel_data()
{
    QTest::addColumn<int>("listSize");
    QTest::newRow("empty aliases file") << 0;
    QTest::newRow("lines past the last channel") << 1100;
}

void TestProjectFile::buildWritesALineForEveryChannel()
{
    QFETCH(int, listSize);
    const QStringList aliases = aliasList(listSize, "Front");
    const QByteArray stream = sampleStream();
    const QByteArray file = ProjectFile::build({}, stream, aliases);
    const QByteArray section = file.mid(file.indexOf(stream) + stream.size());
    QCOMPARE(section.count('\n'), 1 + ProjectFile::AliasCount);
    QVERIFY(section.startsWith(listSize > 0 ? "\nFront\n\n" : "\n\n\n"));
}

void TestProjectFile::buildKeepsEveryEntryOnOneLine()
{
    const QByteArray file = ProjectFile::build({{4, "two\nlines\r\ndownload request"}}, sampleStream(), {"a\nb"});
    QVERIFY(file.startsWith("[Aliases]\nalias4=two lines  download request\ndownload request"));
    QVERIFY(file.endsWith(QByteArrayLiteral("end of data\0\na b\n") + QByteArray(1023, '\n')));
    const ProjectFile::Contents contents = ProjectFile::parse(file);
    QCOMPARE(contents.error, ProjectFile::Error::None);
    QCOMPARE(contents.aliases.first(), QStringLiteral("a b"));
}

void TestProjectFile::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("remarkText");
    QTest::addColumn<bool>("hasAliases");
    QTest::addColumn<QStringList>("aliases"); // the first entries; the rest are empty

    const QByteArray stream = sampleStream();
    const QByteArray withoutZero = stream.chopped(1);
    const int none = int(ProjectFile::Error::None);
    const int noStream = int(ProjectFile::Error::NoStream);
    const int badStream = int(ProjectFile::Error::BadStream);
    const QString remarks = QString::fromUtf8(remarkSection());

    QTest::newRow("whole file") << remarkSection() + stream + "\nFront\n\nSpot\n"
                                << none << remarks << true << QStringList{"Front", "", "Spot"};
    QTest::newRow("ends right after the stream") << remarkSection() + stream << none << remarks << false << QStringList();
    QTest::newRow("ends after end of data") << remarkSection() + withoutZero << none << remarks << false << QStringList();
    QTest::newRow("stream at the very start") << stream + "\nFront\n" << none << QString() << true << QStringList{"Front"};
    QTest::newRow("empty alias section") << remarkSection() + stream + "\n" << none << remarks << true << QStringList();
    QTest::newRow("alias section cut in a line") << remarkSection() + stream + "\nFront\nSp"
                                                 << none << remarks << true << QStringList{"Front", "Sp"};
    QTest::newRow("CR LF alias lines") << remarkSection() + stream + "\nFront\r\nSpot\r\n"
                                       << none << remarks << true << QStringList{"Front", "Spot"};
    QTest::newRow("other bytes after the stream are not aliases") << remarkSection() + stream + "xyz\nFront\n"
                                                                  << none << remarks << false << QStringList();
    QTest::newRow("remark mentioning the start text")
        << remarkSection("alias0=send download request first\n") + stream + "\n"
        << none << QStringLiteral("[Aliases]\nalias0=send download request first\n") << true << QStringList();
    QTest::newRow("remark mentioning the end text")
        << remarkSection("alias0=end of data\n") + stream << none
        << QStringLiteral("[Aliases]\nalias0=end of data\n") << false << QStringList();
    QTest::newRow("start text only inside a remark")
        << remarkSection("alias0=download request\n") << noStream << QString() << false << QStringList();
    const QByteArray longAlias(ProjectFile::MaxAliasLength + 100, 'A');
    QTest::newRow("over-long alias is cut") << remarkSection() + stream + "\nFront\n" + longAlias + "\nSpot\n"
        << none << remarks << true << QStringList{"Front", longAlias.left(ProjectFile::MaxAliasLength), "Spot"};
    const QString smiley = QStringLiteral("\U0001F600");
    QTest::newRow("an alias is never cut inside a character")
        << remarkSection() + stream + "\n" + QByteArray(ProjectFile::MaxAliasLength - 1, 'A') + smiley.toUtf8() + "\n"
        << none << remarks << true << QStringList{QString(ProjectFile::MaxAliasLength - 1, 'A')};
    const QByteArray longRemark(ProjectFile::MaxRemarkLineLength, 'r');
    QTest::newRow("over-long remark line is cut")
        << remarkSection("alias0=" + longRemark + "\nalias1=x\n") + stream << none
        << "[Aliases]\nalias0=" + QString(longRemark).left(ProjectFile::MaxRemarkLineLength - 7) + "\nalias1=x\n"
        << false << QStringList();
    QTest::newRow("remark lines keep their bytes")
        << remarkSection(QByteArrayLiteral("alias0=a\0b \xff\r\n\n\nalias1=\xe2\x9a\xa1\n")) + stream << none
        << QStringLiteral("[Aliases]\nalias0=a") + QChar(0) + QStringLiteral("b \uFFFD\r\n\n\nalias1=\u26A1\n")
        << false << QStringList();
    QTest::newRow("empty file") << QByteArray() << noStream << QString() << false << QStringList();
    QTest::newRow("cut after the header") << remarkSection() + stream.left(256) << badStream << QString() << false << QStringList();
    QTest::newRow("no end marker") << remarkSection() + withoutZero.chopped(11) + "end of dat" << badStream
                                   << QString() << false << QStringList();
    QTest::newRow("end marker too early") << remarkSection() + stream.left(300) + "end of data" + stream.mid(300)
                                          << badStream << QString() << false << QStringList();
}

void TestProjectFile::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, error);
    QFETCH(QString, remarkText);
    QFETCH(bool, hasAliases);
    QFETCH(QStringList, aliases);

    const ProjectFile::Contents contents = ProjectFile::parse(bytes);
    QCOMPARE(int(contents.error), error);
    QCOMPARE(contents.remarkText, remarkText);
    QCOMPARE(contents.hasAliases, hasAliases);
    if (error == int(ProjectFile::Error::None))
        QCOMPARE(contents.stream, sampleStream().chopped(1));
    else
        QVERIFY(contents.stream.isEmpty());
    if (!hasAliases) {
        QVERIFY(contents.aliases.isEmpty());
        return;
    }
    QCOMPARE(contents.aliases.size(), ProjectFile::AliasCount);
    QCOMPARE(contents.aliases.first(aliases.size()), aliases);
    for (qsizetype i = aliases.size(); i < contents.aliases.size(); ++i)
        QVERIFY(contents.aliases.at(i).isEmpty());
}

void TestProjectFile::remarksSurviveASaveAndALoad()
{
    QMap<int, QString> remarks;
    for (int r = 0; r < RuleTable::RowCount; ++r)
        remarks.insert(r, QString());
    remarks[0] = "ratio=2";
    remarks[7] = "Wash = blue = warm";
    remarks[3071] = "Strobe ⚡";
    QStringList aliases = aliasList(1100, "Front");
    aliases[1023] = "Last";
    aliases[1024] = "beyond the channels";

    const ProjectFile::Contents contents = ProjectFile::parse(ProjectFile::build(remarks, sampleStream(), aliases));
    QCOMPARE(contents.error, ProjectFile::Error::None);
    bool usable = false;
    QCOMPARE(RuleTable::parseRemarks(contents.remarkText, &usable), QStringList(remarks.values()));
    QVERIFY(usable);
    QCOMPARE(contents.aliases, aliases.first(ProjectFile::AliasCount));
}

void TestProjectFile::damagedFilesStayBounded_data()
{
    QTest::addColumn<quint32>("seed");
    for (const quint32 seed : {3u, 11u, 99u})
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

// Whatever a damaged file holds, what the loader gets is a whole stream or nothing, 1024
// aliases or none, and lines no longer than their limits.
void TestProjectFile::damagedFilesStayBounded()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    QMap<int, QString> remarks;
    for (int r = 0; r < RuleTable::RowCount; r += 3)
        remarks.insert(r, QStringLiteral("remark %1 = ☁").arg(r));
    QStringList aliases = aliasList(ProjectFile::AliasCount, "Front");
    aliases[500] = QStringLiteral("Spot");
    const QByteArray file = ProjectFile::build(remarks, sampleStream(), aliases);

    for (int i = 0; i < 150; ++i) {
        const ProjectFile::Contents contents = ProjectFile::parse(damaged(random, file));
        if (contents.error != ProjectFile::Error::None) {
            QVERIFY(contents.stream.isEmpty());
            QVERIFY(!contents.hasAliases);
            continue;
        }
        QCOMPARE(contents.stream.size(), ProjectFile::StreamLength);
        QVERIFY(contents.stream.startsWith(TableStream::StartText));
        QVERIFY(contents.stream.endsWith(TableStream::EndText));
        for (const QStringView line : QStringView(contents.remarkText).split(u'\n'))
            QVERIFY(line.size() <= ProjectFile::MaxRemarkLineLength);
        QCOMPARE(contents.aliases.size(), contents.hasAliases ? ProjectFile::AliasCount : 0);
        for (const QString &alias : contents.aliases)
            QVERIFY(alias.size() <= ProjectFile::MaxAliasLength);
    }
}

QTEST_APPLESS_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
