#include "celleditors.h"
#include "combineddelegate.h"
#include "hxlitemdelegate.h"
#include "mytableview.h"
#include "nonpopupcomboboxstyle.h"
#include "ruletable.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyleOptionComboBox>
#include <QTest>

// A rule view with its delegate, as the main window sets them up.
class Table
{
public:
    Table()
    {
        RuleTable::fillEmptyRules(&model);
        view.setModel(&model);
        delegate = new CombinedDelegate(&view);
        view.setItemDelegate(delegate);
        view.resize(900, 400);
        view.show();
    }

    void setRow(int row, const QStringList &cells)
    {
        for (int c = 1; c < cells.size(); ++c)
            model.item(row, c)->setText(cells.at(c));
    }
    QString text(int row, int column) const { return RuleTable::cellText(&model, row, column); }
    QStringList row(int r) const { return RuleTable::rowTexts(&model, r); }

    QWidget *open(int row, int column)
    {
        const QModelIndex index = model.index(row, column);
        view.edit(index);
        return view.indexWidget(index);
    }
    QComboBox *openCombo(int row, int column) { return qobject_cast<QComboBox *>(open(row, column)); }

    // What the user's choice of an item does: it becomes current and is reported activated.
    static void pick(QComboBox *combo, int item)
    {
        combo->setCurrentIndex(item);
        Q_EMIT combo->activated(item);
    }
    void commit(QWidget *editor)
    {
        Q_EMIT delegate->commitData(editor);
        Q_EMIT delegate->closeEditor(editor);
    }

    QStandardItemModel model;
    MyTableView view;
    CombinedDelegate *delegate = nullptr;
};

class TestCombinedDelegate : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void editorOfEveryColumn_data();
    void editorOfEveryColumn();
    void editorsHaveTheirOwnListStyle();
    void snEditsAsText();
    void pickInEmptyFirstRowFillsDefaults();
    void pickUnderFullRowCopiesIt();
    void pickInUsedRowChangesOnlyItsCell();
    void statusChangeConvertsController();
    void openingOnCcReportsStatus();
    void conventionFollowsChangeCnum();
    void namedCellsOpenOnTheirNumber_data();
    void namedCellsOpenOnTheirNumber();
    void foreignSendersAreIgnored();
    void longTextShowsItsBeginning_data();
    void longTextShowsItsBeginning();
};

void TestCombinedDelegate::editorOfEveryColumn_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>("current");
    for (int c = RuleTable::Dmx; c <= RuleTable::Enable; ++c)
        QTest::addRow("column %d, empty cell", c) << c << QString() << 0;
    QTest::newRow("Channel opens on its text") << int(RuleTable::Channel) << "16" << 16;
    QTest::newRow("Enable opens on its text") << int(RuleTable::Enable) << "OFF" << 1;
    QTest::newRow("Fade In past the list keeps the first") << int(RuleTable::FadeIn) << "100" << 0;
}

void TestCombinedDelegate::editorOfEveryColumn()
{
    QFETCH(int, column);
    QFETCH(QString, cell);
    QFETCH(int, current);
    Table table;
    table.model.item(3, column)->setText(cell);
    QComboBox *combo = table.openCombo(3, column);
    QVERIFY(combo);
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    QCOMPARE(items, CellEditors::items(column));
    QCOMPARE(combo->currentIndex(), current);
    QCOMPARE(combo->property("index").toModelIndex(), table.model.index(3, column));
}

void TestCombinedDelegate::editorsHaveTheirOwnListStyle()
{
    Table table;
    const QModelIndex dmx = table.model.index(0, RuleTable::Dmx);
    const QModelIndex status = table.model.index(1, RuleTable::Status);
    table.view.openPersistentEditor(dmx);
    table.view.openPersistentEditor(status);
    auto *first = qobject_cast<QComboBox *>(table.view.indexWidget(dmx));
    auto *second = qobject_cast<QComboBox *>(table.view.indexWidget(status));
    QVERIFY(first && second);
    auto *style = qobject_cast<NonPopupComboBoxStyle *>(first->style());
    QVERIFY(style);
    QCOMPARE(style->parent(), first);
    QVERIFY(second->style() != first->style());
    QCOMPARE(second->style()->parent(), second);

    QStyleOptionComboBox option;
    option.initFrom(first);
    QCOMPARE(first->style()->styleHint(QStyle::SH_ComboBox_Popup, &option, first), 0);
    // Everything else is the application style's.
    QCOMPARE(style->styleHint(QStyle::SH_ComboBox_ListMouseTracking, &option, first),
             QApplication::style()->styleHint(QStyle::SH_ComboBox_ListMouseTracking, &option, first));
    QCOMPARE(style->pixelMetric(QStyle::PM_ComboBoxFrameWidth),
             QApplication::style()->pixelMetric(QStyle::PM_ComboBoxFrameWidth));

    // The editor owns its style.
    QPointer<QStyle> owned(style);
    table.view.closePersistentEditor(dmx);
    QTRY_VERIFY(owned.isNull());
}

void TestCombinedDelegate::snEditsAsText()
{
    Table table;
    // Rows inserted by the table gestures carry an editable SN.
    table.model.setItem(4, 0, new QStandardItem("5"));
    auto *line = qobject_cast<QLineEdit *>(table.open(4, RuleTable::SN));
    QVERIFY(line);
    QCOMPARE(line->text(), QStringLiteral("5"));
    QCOMPARE(line->property("index").toModelIndex(), table.model.index(4, 0));
    line->setText("9");
    table.commit(line);
    QCOMPARE(table.text(4, 0), QStringLiteral("9"));
}

void TestCombinedDelegate::pickInEmptyFirstRowFillsDefaults()
{
    Table table;
    QComboBox *combo = table.openCombo(0, RuleTable::Dmx);
    QVERIFY(combo);
    Table::pick(combo, 4);
    QCOMPARE(table.row(0), (QStringList{"1", "", "Note", "0 / C-1", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"}));
    table.commit(combo);
    QCOMPARE(table.text(0, RuleTable::Dmx), QStringLiteral("5"));
}

void TestCombinedDelegate::pickUnderFullRowCopiesIt()
{
    Table table;
    const QStringList full = {"8", "12-Front", "AT", "60 / C4", "5", "200", "10", "20", "ON", "OFF"};
    table.setRow(7, full);
    QComboBox *combo = table.openCombo(8, RuleTable::Channel);
    QVERIFY(combo);
    Table::pick(combo, 3);
    QCOMPARE(table.row(8), (QStringList{"9", "12-Front", "AT", "60 / C4", "", "200", "10", "20", "ON", "OFF"}));
    table.commit(combo);
    QCOMPARE(table.text(8, RuleTable::Channel), QStringLiteral("3"));
}

void TestCombinedDelegate::pickInUsedRowChangesOnlyItsCell()
{
    Table table;
    table.setRow(0, {"1", "4", "CC", "7", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"});
    table.model.item(1, RuleTable::Enable)->setText("OFF");
    QComboBox *combo = table.openCombo(1, RuleTable::Dmx);
    QVERIFY(combo);
    Table::pick(combo, 9);
    table.commit(combo);
    QCOMPARE(table.row(1), (QStringList{"2", "10", "", "", "", "", "", "", "", "OFF"}));
}

void TestCombinedDelegate::statusChangeConvertsController()
{
    Table table;
    table.setRow(2, {"3", "1", "Note", "60 / C4", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"});
    QComboBox *status = table.openCombo(2, RuleTable::Status);
    QVERIFY(status);
    QCOMPARE(status->currentText(), QStringLiteral("Note"));
    QCOMPARE(table.text(2, RuleTable::Controller), QStringLiteral("60 / C4")); // opening on Note changes nothing
    status->setCurrentIndex(2);
    QCOMPARE(table.text(2, RuleTable::Controller), QStringLiteral("60"));
    QCOMPARE(table.text(2, RuleTable::Status), QStringLiteral("Note")); // until the editor commits
    QCOMPARE(table.delegate->statusText, QStringLiteral("CC"));
    status->setCurrentIndex(0);
    QCOMPARE(table.text(2, RuleTable::Controller), QStringLiteral("60 / C4"));
    status->setCurrentIndex(1);
    table.commit(status);
    QCOMPARE(table.text(2, RuleTable::Status), QStringLiteral("AT"));
    QCOMPARE(table.text(2, RuleTable::Controller), QStringLiteral("60 / C4"));
    QCOMPARE(table.delegate->statusText, QStringLiteral("AT"));
}

void TestCombinedDelegate::openingOnCcReportsStatus()
{
    Table table;
    table.setRow(0, {"1", "1", "CC", "60 / C4", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"});
    QComboBox *status = table.openCombo(0, RuleTable::Status);
    QVERIFY(status);
    QCOMPARE(table.text(0, RuleTable::Controller), QStringLiteral("60"));
    table.commit(status);
    QCOMPARE(table.delegate->statusText, QStringLiteral("CC"));

    // The last Status seen anywhere picks the Controller default of a row filled later.
    table.setRow(0, QStringList(10));
    QComboBox *fixed = table.openCombo(0, RuleTable::Fixed);
    QVERIFY(fixed);
    Table::pick(fixed, 1);
    QCOMPARE(table.text(0, RuleTable::Controller), QStringLiteral("0"));
    QCOMPARE(table.text(0, RuleTable::Status), QStringLiteral("Note"));
}

void TestCombinedDelegate::conventionFollowsChangeCnum()
{
    Table table;
    table.delegate->change_cnum(3);
    QCOMPARE(table.delegate->cnum, 3);
    table.setRow(0, {"1", "1", "CC", "60", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"});
    QComboBox *status = table.openCombo(0, RuleTable::Status);
    QVERIFY(status);
    status->setCurrentIndex(0);
    QCOMPARE(table.text(0, RuleTable::Controller), QStringLiteral("60 / C5"));
    table.commit(status);

    QComboBox *dmx = table.openCombo(1, RuleTable::Dmx);
    QVERIFY(dmx);
    Table::pick(dmx, 0);
    QCOMPARE(table.text(1, RuleTable::Controller), QStringLiteral("60 / C5")); // copied from above
    table.setRow(1, QStringList(10));
    table.setRow(0, QStringList(10));
    Table::pick(dmx, 0);
    QCOMPARE(table.text(1, RuleTable::Controller), QStringLiteral("0 / C0"));
}

void TestCombinedDelegate::namedCellsOpenOnTheirNumber_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("committed");
    QTest::newRow("DMX with alias") << int(RuleTable::Dmx) << "12-Spot" << 11 << "12";
    QTest::newRow("DMX alias with digits") << int(RuleTable::Dmx) << "7-Par 64" << 6 << "7";
    QTest::newRow("DMX plain") << int(RuleTable::Dmx) << "300" << 299 << "300";
    QTest::newRow("Controller note form") << int(RuleTable::Controller) << "60 / C4" << 60 << "60";
    QTest::newRow("Controller plain") << int(RuleTable::Controller) << "127" << 127 << "127";
}

void TestCombinedDelegate::namedCellsOpenOnTheirNumber()
{
    QFETCH(int, column);
    QFETCH(QString, cell);
    QFETCH(int, current);
    QFETCH(QString, committed);
    Table table;
    table.model.item(5, column)->setText(cell);
    QComboBox *combo = table.openCombo(5, column);
    QVERIFY(combo);
    QCOMPARE(combo->currentIndex(), current);
    table.commit(combo);
    QCOMPARE(table.text(5, column), committed);
}

void TestCombinedDelegate::foreignSendersAreIgnored()
{
    Table table;
    QComboBox stray;
    stray.addItems({"Note", "CC"});
    QObject::connect(&stray, &QComboBox::activated, table.delegate, &CombinedDelegate::onTextChanged);
    QObject::connect(&stray, &QComboBox::currentTextChanged, table.delegate, &CombinedDelegate::onstaChanged);
    Table::pick(&stray, 1);
    table.delegate->onTextChanged(0);
    table.delegate->onstaChanged("CC");
    QVERIFY(table.delegate->statusText.isEmpty());
    for (int c = 1; c < RuleTable::ColumnCount; ++c)
        QVERIFY(table.text(0, c).isEmpty());
}

void TestCombinedDelegate::longTextShowsItsBeginning_data()
{
    QTest::addColumn<bool>("remark");
    QTest::addColumn<bool>("selected");
    QTest::newRow("rule cell") << false << false;
    QTest::newRow("selected rule cell") << false << true;
    QTest::newRow("remark cell") << true << false;
}

void TestCombinedDelegate::longTextShowsItsBeginning()
{
    QFETCH(bool, remark);
    QFETCH(bool, selected);
    Table table;
    HXLItemDelegate remarkDelegate;
    QStyledItemDelegate *delegate = remark ? static_cast<QStyledItemDelegate *>(&remarkDelegate) : table.delegate;
    const QModelIndex cell = table.model.index(3, RuleTable::Dmx);
    // A cell as narrow as a rule column at the window's smallest width.
    const auto paint = [&](const QString &text) {
        table.model.item(3, RuleTable::Dmx)->setText(text);
        QImage image(85, 30, QImage::Format_ARGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        QStyleOptionViewItem option;
        option.initFrom(&table.view);
        option.rect = image.rect();
        option.widget = &table.view;
        if (selected)
            option.state |= QStyle::State_Selected;
        delegate->paint(&painter, option, cell);
        return image;
    };
    // Too long for the cell, the channel number and the alias's first words stay in sight,
    // so two texts differing only at their end look the same...
    QCOMPARE(paint(QStringLiteral("4-Front wash stage left")), paint(QStringLiteral("4-Front wash stage right")));
    QVERIFY(paint(QStringLiteral("4-Front wash stage left")) != paint(QString()));
    // ...while texts that fit are drawn whole.
    QVERIFY(paint(QStringLiteral("4-Front")) != paint(QStringLiteral("5-Front")));
}

QTEST_MAIN(TestCombinedDelegate)
#include "tst_combineddelegate.moc"
