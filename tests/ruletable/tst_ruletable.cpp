#include "ruletable.h"

#include <QStandardItemModel>
#include <QTest>

namespace {

QStandardItemModel *tableWith(const QStringList &status, const QStringList &controller)
{
    auto *model = new QStandardItemModel(0, RuleTable::ColumnCount);
    for (int r = 0; r < status.size(); ++r) {
        QList<QStandardItem *> items;
        for (int c = 0; c < RuleTable::ColumnCount; ++c)
            items << new QStandardItem();
        items[RuleTable::Status]->setText(status.at(r));
        items[RuleTable::Controller]->setText(controller.at(r));
        model->appendRow(items);
    }
    return model;
}

} // namespace

class TestRuleTable : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sweep_data();
    void sweep();
    void rename_data();
    void rename();
    void insertReadRule();
    void insertFreeSlotsAndBounds();
    void clearKeepsRowsAndSn();
    void parseRemarks_data();
    void parseRemarks();
    void encodeRecordsReadsCells();
};

void TestRuleTable::sweep_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("controller");
    QTest::addColumn<int>("cnum");
    QTest::addColumn<QString>("expected");
    QTest::newRow("note gets its name") << "Note" << "60" << 2 << "60 / C4";
    QTest::newRow("aftertouch in C3") << "AT" << "60" << 1 << "60 / C3";
    QTest::newRow("cc loses the name") << "CC" << "60 / C4" << 2 << "60";
    QTest::newRow("four characters are left") << "Note" << "1234" << 2 << "1234";
    QTest::newRow("named note stays") << "Note" << "61 / C#4" << 2 << "61 / C#4";
    QTest::newRow("number without a name") << "Note" << "200" << 2 << "200 / ";
    QTest::newRow("empty status untouched") << "" << "60" << 2 << "60";
    QTest::newRow("cc plain stays") << "CC" << "7" << 2 << "7";
}

void TestRuleTable::sweep()
{
    QFETCH(QString, status);
    QFETCH(QString, controller);
    QFETCH(int, cnum);
    QFETCH(QString, expected);
    QScopedPointer<QStandardItemModel> model(tableWith({status}, {controller}));
    RuleTable::sweepControllers(model.data(), cnum);
    QCOMPARE(RuleTable::cellText(model.data(), 0, RuleTable::Controller), expected);
}

void TestRuleTable::rename_data()
{
    QTest::addColumn<QString>("controller");
    QTest::addColumn<QString>("expected");
    QTest::newRow("note") << "60 / C4" << "60 / C3";
    QTest::newRow("sharp") << "61 / C#4" << "61 / C#3";
    QTest::newRow("cc stays") << "60" << "60";
    QTest::newRow("not a number") << "xx / C4" << "0 / C-2";
}

void TestRuleTable::rename()
{
    QFETCH(QString, controller);
    QFETCH(QString, expected);
    QScopedPointer<QStandardItemModel> model(tableWith({"Note"}, {controller}));
    RuleTable::renameControllers(model.data(), 1);
    QCOMPARE(RuleTable::cellText(model.data(), 0, RuleTable::Controller), expected);
}

void TestRuleTable::insertReadRule()
{
    QStandardItemModel model;
    const QStringList texts = {"1", "1", "Note", "60 / C4", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"};
    RuleTable::insertReadRule(&model, 0, texts);
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.columnCount(), 10);
    QCOMPARE(RuleTable::rowTexts(&model, 0), texts);
    QVERIFY(!model.item(0, 0)->isEditable());
    QVERIFY(model.item(0, 1)->isEditable());
    QCOMPARE(model.horizontalHeaderItem(9)->text(), QStringLiteral("HUI"));
}

void TestRuleTable::insertFreeSlotsAndBounds()
{
    QStandardItemModel model(0, 10);
    RuleTable::insertReadRule(&model, 0, {"1"});
    RuleTable::insertReadRule(&model, 5, {"6"}); // beyond the row count: ignored
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(RuleTable::cellText(&model, 0, 0), QStringLiteral("1"));
    QVERIFY(RuleTable::cellText(&model, 0, 1).isEmpty());
    QVERIFY(!model.item(0, 0)->isEditable());
    RuleTable::insertReadRule(&model, 3072, {"3073", "1", "CC", "1", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"});
    QCOMPARE(model.rowCount(), 1);
}

void TestRuleTable::clearKeepsRowsAndSn()
{
    QStandardItemModel rules;
    QStandardItemModel remarks;
    RuleTable::resetRemarks(&remarks);
    for (int r = 0; r < 3; ++r)
        RuleTable::insertReadRule(&rules, r, {QString::number(r + 1), "1", "CC", "1", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"});
    remarks.item(1)->setText("wash");
    remarks.item(5)->setText("beyond the rules");
    RuleTable::clearTable(&rules, &remarks);
    QCOMPARE(rules.rowCount(), 3);
    QCOMPARE(RuleTable::rowTexts(&rules, 2), (QStringList{"3", "", "", "", "", "", "", "", "", ""}));
    QVERIFY(RuleTable::cellText(&remarks, 1, 0).isEmpty());
    QCOMPARE(RuleTable::cellText(&remarks, 5, 0), QStringLiteral("beyond the rules"));
}

void TestRuleTable::parseRemarks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("usable");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("remark");
    QTest::newRow("plain") << "[Aliases]\nalias0=Blue wash\nalias1=\n" << true << 0 << "Blue wash";
    QTest::newRow("trimmed") << "alias5 = Strobe\n" << true << 5 << "Strobe";
    QTest::newRow("a remark may hold equals signs") << "alias5=a=b\n" << true << 5 << "a=b";
    QTest::newRow("key ends at the first equals sign") << "alias7 = x = y \n" << true << 7 << "x = y";
    QTest::newRow("line without equals sign") << "alias5 Strobe\n" << false << 5 << "";
    QTest::newRow("leading zero names no row") << "alias05=x\n" << true << 5 << "";
    QTest::newRow("last row") << "alias3071=end\n" << true << 3071 << "end";
    QTest::newRow("beyond the table") << "alias3072=x\n" << true << 0 << "";
    QTest::newRow("no pairs") << "[Aliases]\n" << false << 0 << "";
}

void TestRuleTable::parseRemarks()
{
    QFETCH(QString, text);
    QFETCH(bool, usable);
    QFETCH(int, row);
    QFETCH(QString, remark);
    bool wasUsable = !usable;
    const QStringList remarks = RuleTable::parseRemarks(text, &wasUsable);
    QCOMPARE(remarks.size(), 3072);
    QCOMPARE(wasUsable, usable);
    QCOMPARE(remarks.at(row), remark);
}

void TestRuleTable::encodeRecordsReadsCells()
{
    QStandardItemModel rules;
    RuleTable::fillEmptyRules(&rules);
    QCOMPARE(rules.rowCount(), 3072);
    const QStringList cells = {"2", "1", "Note", "60 / C4", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"};
    for (int c = 1; c < 10; ++c)
        rules.item(1, c)->setText(cells.at(c));
    const QList<QByteArray> records = RuleTable::encodeRecords(&rules);
    QCOMPARE(records.size(), 3072);
    QCOMPARE(records.at(0), QByteArray(8, '\0'));
    QCOMPARE(records.at(1).toHex(), QByteArray("903c001c00000000"));
}

QTEST_APPLESS_MAIN(TestRuleTable)
#include "tst_ruletable.moc"
