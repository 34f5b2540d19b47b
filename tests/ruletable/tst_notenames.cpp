#include "notenames.h"

#include <QTest>

class TestNoteNames : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void names_data();
    void names();
    void numbers_data();
    void numbers();
    void controllerNumber_data();
    void controllerNumber();
};

void TestNoteNames::names_data()
{
    QTest::addColumn<int>("cnum");
    QTest::addColumn<int>("note");
    QTest::addColumn<QString>("name");
    QTest::newRow("C3 0") << 1 << 0 << "C-2";
    QTest::newRow("C3 59") << 1 << 59 << "B2";
    QTest::newRow("C3 60") << 1 << 60 << "C3";
    QTest::newRow("C3 61") << 1 << 61 << "C#3";
    QTest::newRow("C3 127") << 1 << 127 << "G8";
    QTest::newRow("C4 0") << 2 << 0 << "C-1";
    QTest::newRow("C4 60") << 2 << 60 << "C4";
    QTest::newRow("C4 61") << 2 << 61 << "C#4";
    QTest::newRow("C4 127") << 2 << 127 << "G9";
    QTest::newRow("C5 0") << 3 << 0 << "C0";
    QTest::newRow("C5 60") << 3 << 60 << "C5";
    QTest::newRow("C5 127") << 3 << 127 << "G10";
    QTest::newRow("C4 10 sharp only") << 2 << 10 << "A#-1";
    QTest::newRow("below range") << 2 << -1 << "";
    QTest::newRow("above range") << 2 << 128 << "";
    QTest::newRow("unknown convention") << 4 << 60 << "";
}

void TestNoteNames::names()
{
    QFETCH(int, cnum);
    QFETCH(int, note);
    QFETCH(QString, name);
    QCOMPARE(NoteNames::name(note, cnum), name);
}

void TestNoteNames::numbers_data()
{
    QTest::addColumn<int>("cnum");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("note");
    QTest::newRow("C4 in C4") << 2 << "C4" << 60;
    QTest::newRow("C4 in C3") << 1 << "C4" << 72;
    QTest::newRow("C4 in C5") << 3 << "C4" << 48;
    QTest::newRow("lower case") << 2 << "c4" << -1;
    QTest::newRow("flat") << 2 << "Db4" << -1;
    QTest::newRow("G10 only in C5") << 2 << "G10" << -1;
    QTest::newRow("G10 in C5") << 3 << "G10" << 127;
    QTest::newRow("empty") << 2 << "" << -1;
}

void TestNoteNames::numbers()
{
    QFETCH(int, cnum);
    QFETCH(QString, name);
    QFETCH(int, note);
    QCOMPARE(NoteNames::number(name, cnum), note);
}

void TestNoteNames::controllerNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::newRow("plain") << "60" << 60;
    QTest::newRow("note form") << "60 / C4" << 60;
    QTest::newRow("not a number") << "abc / C4" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestNoteNames::controllerNumber()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    QCOMPARE(NoteNames::controllerNumber(text), number);
}

QTEST_APPLESS_MAIN(TestNoteNames)
#include "tst_notenames.moc"
