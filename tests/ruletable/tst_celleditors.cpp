#include "celleditors.h"
#include "ruletable.h"

#include <QTest>

namespace {

QStringList asPairs(const QMap<int, QString> &cells)
{
    QStringList pairs;
    for (auto it = cells.cbegin(); it != cells.cend(); ++it)
        pairs << QString::number(it.key()) + QLatin1Char('=') + it.value();
    return pairs;
}

} // namespace

class TestCellEditors : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void items_data();
    void items();
    void startItem_data();
    void startItem();
    void defaultText_data();
    void defaultText();
    void isEmptyRow_data();
    void isEmptyRow();
    void rowFill_data();
    void rowFill();
    void controllerAfterStatus_data();
    void controllerAfterStatus();
};

void TestCellEditors::items_data()
{
    // Every list is its words, then a run of decimal numbers up to `last`.
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::newRow("SN edits as text") << 0 << QStringList() << 0 << -1;
    QTest::newRow("DMX") << 1 << QStringList() << 1 << 1024;
    QTest::newRow("Status") << 2 << QStringList{"Note", "AT", "CC"} << 0 << -1;
    QTest::newRow("Controller") << 3 << QStringList() << 0 << 127;
    QTest::newRow("Channel") << 4 << QStringList{"ALL"} << 1 << 16;
    QTest::newRow("Fixed Value") << 5 << QStringList{"OFF"} << 1 << 255;
    QTest::newRow("Fade In") << 6 << QStringList{"OFF"} << 1 << 50;
    QTest::newRow("Fade Out") << 7 << QStringList{"OFF"} << 1 << 50;
    QTest::newRow("Toggle") << 8 << QStringList{"ON", "OFF"} << 0 << -1;
    QTest::newRow("Enable") << 9 << QStringList{"ON", "OFF"} << 0 << -1;
    QTest::newRow("past the columns") << 10 << QStringList() << 0 << -1;
}

void TestCellEditors::items()
{
    QFETCH(int, column);
    QFETCH(QStringList, words);
    QFETCH(int, first);
    QFETCH(int, last);
    QStringList expected = words;
    for (int n = first; n <= last; ++n)
        expected << QString::number(n);
    QCOMPARE(CellEditors::items(column), expected);
}

void TestCellEditors::startItem_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>("item");
    QTest::newRow("DMX plain") << 1 << "12" << 11;
    QTest::newRow("DMX alias form") << 1 << "12-Spot" << 11;
    QTest::newRow("DMX alias with digits") << 1 << "7-Par 64" << 6;
    QTest::newRow("DMX last") << 1 << "1024" << 1023;
    QTest::newRow("DMX past the last") << 1 << "1025" << -1;
    QTest::newRow("DMX no number") << 1 << "Spot" << -1;
    QTest::newRow("empty") << 1 << "" << -1;
    QTest::newRow("Controller note form") << 3 << "60 / C4" << 60;
    QTest::newRow("Controller plain") << 3 << "60" << 60;
    QTest::newRow("Controller out of range") << 3 << "200" << -1;
    QTest::newRow("Status keeps the exact match") << 2 << "CC" << -1;
    QTest::newRow("Fade In keeps the exact match") << 6 << "10" << -1;
}

void TestCellEditors::startItem()
{
    QFETCH(int, column);
    QFETCH(QString, cell);
    QFETCH(int, item);
    QCOMPARE(CellEditors::startItem(column, cell), item);
}

void TestCellEditors::defaultText_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("statusText");
    QTest::addColumn<int>("cnum");
    QTest::addColumn<QString>("text");
    QTest::newRow("DMX") << 1 << "" << 2 << "1";
    QTest::newRow("Status") << 2 << "" << 2 << "Note";
    QTest::newRow("Controller C3") << 3 << "" << 1 << "0 / C-2";
    QTest::newRow("Controller C4") << 3 << "" << 2 << "0 / C-1";
    QTest::newRow("Controller C5") << 3 << "Note" << 3 << "0 / C0";
    QTest::newRow("Controller after AT") << 3 << "AT" << 2 << "0 / C-1";
    QTest::newRow("Controller after CC") << 3 << "CC" << 2 << "0";
    QTest::newRow("Controller unknown convention") << 3 << "" << 0 << "";
    QTest::newRow("Channel") << 4 << "" << 2 << "ALL";
    QTest::newRow("Fixed Value") << 5 << "" << 2 << "OFF";
    QTest::newRow("Fade In") << 6 << "" << 2 << "OFF";
    QTest::newRow("Fade Out") << 7 << "" << 2 << "OFF";
    QTest::newRow("Toggle") << 8 << "" << 2 << "OFF";
    QTest::newRow("Enable") << 9 << "" << 2 << "ON";
}

void TestCellEditors::defaultText()
{
    QFETCH(int, column);
    QFETCH(QString, statusText);
    QFETCH(int, cnum);
    QFETCH(QString, text);
    QCOMPARE(CellEditors::defaultText(column, statusText, cnum), text);
}

void TestCellEditors::isEmptyRow_data()
{
    QTest::addColumn<QStringList>("row");
    QTest::addColumn<bool>("empty");
    QTest::newRow("only SN") << QStringList{"5", "", "", "", "", "", "", "", "", ""} << true;
    QTest::newRow("no cells") << QStringList() << true;
    QTest::newRow("one cell") << QStringList{"5", "", "", "", "", "", "", "", "", "ON"} << false;
    QTest::newRow("DMX only") << QStringList{"", "3"} << false;
}

void TestCellEditors::isEmptyRow()
{
    QFETCH(QStringList, row);
    QFETCH(bool, empty);
    QCOMPARE(CellEditors::isEmptyRow(row), empty);
}

void TestCellEditors::rowFill_data()
{
    QTest::addColumn<QStringList>("above");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("statusText");
    QTest::addColumn<int>("cnum");
    QTest::addColumn<QStringList>("written");
    QTest::newRow("first row, picking DMX")
        << QStringList() << 1 << "" << 2
        << QStringList{"2=Note", "3=0 / C-1", "4=ALL", "5=OFF", "6=OFF", "7=OFF", "8=OFF", "9=ON"};
    QTest::newRow("under a full row, picking Channel")
        << QStringList{"3", "12-Front", "AT", "60 / C4", "5", "200", "10", "20", "ON", "OFF"} << 4 << "" << 2
        << QStringList{"1=12-Front", "2=AT", "3=60 / C4", "5=200", "6=10", "7=20", "8=ON", "9=OFF"};
    QTest::newRow("under a full row, picking DMX")
        << QStringList{"3", "7", "CC", "64", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"} << 1 << "" << 2
        << QStringList{"2=CC", "3=64", "4=ALL", "5=OFF", "6=OFF", "7=OFF", "8=OFF", "9=ON"};
    QTest::newRow("gaps above take the defaults")
        << QStringList{"3", "9", "", "", "2", "", "", "", "", ""} << 9 << "CC" << 1
        << QStringList{"1=9", "2=Note", "3=0", "4=2", "5=OFF", "6=OFF", "7=OFF", "8=OFF"};
}

void TestCellEditors::rowFill()
{
    QFETCH(QStringList, above);
    QFETCH(int, column);
    QFETCH(QString, statusText);
    QFETCH(int, cnum);
    QFETCH(QStringList, written);
    QCOMPARE(asPairs(CellEditors::rowFill(above, column, RuleTable::ColumnCount, statusText, cnum)), written);
}

void TestCellEditors::controllerAfterStatus_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("controller");
    QTest::addColumn<int>("cnum");
    QTest::addColumn<bool>("writes");
    QTest::addColumn<QString>("text");
    QTest::newRow("note form to CC") << "CC" << "60 / C4" << 2 << true << "60";
    QTest::newRow("number to Note") << "Note" << "60" << 2 << true << "60 / C4";
    QTest::newRow("number to AT in C3") << "AT" << "60" << 1 << true << "60 / C3";
    QTest::newRow("number stays for CC") << "CC" << "60" << 2 << true << "60";
    QTest::newRow("note form stays for Note") << "Note" << "60 / C4" << 3 << true << "60 / C4";
    QTest::newRow("four characters count as a number") << "Note" << "1234" << 2 << true << "1234 / ";
    QTest::newRow("not a number names note 0") << "Note" << "ab" << 2 << true << "ab / C-1";
    QTest::newRow("odd note form to CC reads 0") << "CC" << "ab / C4" << 2 << true << "0";
    QTest::newRow("empty writes nothing") << "CC" << "" << 2 << false << "";
    QTest::newRow("empty writes nothing for Note") << "Note" << "" << 2 << false << "";
}

void TestCellEditors::controllerAfterStatus()
{
    QFETCH(QString, status);
    QFETCH(QString, controller);
    QFETCH(int, cnum);
    QFETCH(bool, writes);
    QFETCH(QString, text);
    const auto written = CellEditors::controllerAfterStatus(status, controller, cnum);
    QCOMPARE(written.has_value(), writes);
    if (writes)
        QCOMPARE(*written, text);
}

QTEST_APPLESS_MAIN(TestCellEditors)
#include "tst_celleditors.moc"
