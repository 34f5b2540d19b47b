#include "about_dialog.h"
#include "mainwindow.h"
#include "ruletable.h"
#include "testsupport.h"
#include "ui_mainwindow.h"
#include "widget.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestWidget : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startsWithDefaults();
    void conventionFromSettings_data();
    void conventionFromSettings();
    void autoUpdatesPersist();
    void exitAsksFirst_data();
    void exitAsksFirst();
    void changeConventionRenamesAndStores();
    void sweepFollowsStatus();
    void burstOfChangesGivesOneRefresh();
    void titlesCarryTooltips();
    void tablesScrollTogether();
    void focusIsShared();
    void sendIniRefusesShortTable();
    void sendIniBuildsStream();
    void processRowInsertsQueued();
    void newTableGivesEmptyRules();
    void newTableAsksWhenRowsExist();
    void aboutIsModeless();
    void manualsUseDownloadHost();
};

void TestWidget::startsWithDefaults()
{
    ScratchDir dir;
    Widget w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Lumetra"));
    QCOMPARE(w.size(), QSize(1100, 526));
    QCOMPARE(w.minimumSize(), QSize(955, 480));
    QCOMPARE(w.ruleModel->rowCount(), 0);
    QCOMPARE(w.ruleModel->columnCount(), 10);
    QCOMPARE(w.remarkModel->rowCount(), 3072);
    QVERIFY(w.menuWindow->ui->actionAuto_Updates->isChecked());
    QVERIFY(w.emulatorAutoUpdate);
    QCOMPARE(w.cnum, 1); // no settings file: C3
    QVERIFY(w.menuWindow->c3Action->isChecked());
    QVERIFY(w.controllerSweepTimer->isActive());
    QCOMPARE(w.controllerSweepTimer->interval(), 100);
    QVERIFY(!w.menuWindow->menuBar()->isNativeMenuBar());
    const QStringList menus = {"File", "Edit", "Setting", "Emulator", "Help"};
    QStringList titles;
    for (QAction *a : w.menuWindow->menuBar()->actions())
        titles << a->text();
    QCOMPARE(titles, menus);
}

void TestWidget::conventionFromSettings_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("cnum");
    QTest::newRow("missing") << QVariant() << 1;
    QTest::newRow("C4") << QVariant(1) << 2;
    QTest::newRow("C5") << QVariant(2) << 3;
    QTest::newRow("none selected keeps the start value") << QVariant(-1) << 2;
}

void TestWidget::conventionFromSettings()
{
    QFETCH(QVariant, stored);
    QFETCH(int, cnum);
    ScratchDir dir;
    if (stored.isValid())
        QSettings("./config.ini", QSettings::IniFormat).setValue("selectedActionIndex", stored);
    Widget w;
    QCOMPARE(w.cnum, cnum);
}

void TestWidget::autoUpdatesPersist()
{
    ScratchDir dir;
    {
        Widget w;
        w.menuWindow->ui->actionAuto_Updates->trigger();
        QVERIFY(!w.emulatorAutoUpdate);
    }
    QVERIFY(QFile::exists(dir.file("config.ini")));
    Widget again;
    QVERIFY(!again.menuWindow->ui->actionAuto_Updates->isChecked());
    QVERIFY(!again.emulatorAutoUpdate);
}

void TestWidget::exitAsksFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("visible");
    QTest::newRow("OK closes") << 0 << false;
    QTest::newRow("Cancel keeps") << 1 << true;
}

void TestWidget::exitAsksFirst()
{
    QFETCH(int, answer);
    QFETCH(bool, visible);
    ScratchDir dir;
    FakeUser user;
    user.answer = answer;
    Widget w;
    w.show();
    w.menuWindow->ui->actionExit->trigger();
    QCOMPARE(user.boxes.size(), 1);
    QCOMPARE(user.boxes.first().title, QStringLiteral(" "));
    QCOMPARE(user.boxes.first().text, QStringLiteral("Exit software?"));
    QCOMPARE(user.boxes.first().buttons, (QStringList{"OK", "Cancel"}));
    QVERIFY(!user.boxes.first().parent);
    QCOMPARE(w.isVisible(), visible);
}

void TestWidget::changeConventionRenamesAndStores()
{
    ScratchDir dir;
    Widget w;
    RuleTable::insertReadRule(w.ruleModel, 0, {"1", "1", "Note", "60 / C3", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"});
    RuleTable::insertReadRule(w.ruleModel, 1, {"2", "1", "CC", "60", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"});
    QSignalSpy combin(&w, &Widget::send_combin);
    QSignalSpy cnumChange(&w, &Widget::cnum_change);
    w.menuWindow->c5Action->trigger();
    QCOMPARE(w.cnum, 3);
    QCOMPARE(combin.count(), 1);
    QCOMPARE(cnumChange.count(), 1);
    QCOMPARE(cnumChange.first().first().toInt(), 3);
    QCOMPARE(RuleTable::cellText(w.ruleModel, 0, 3), QStringLiteral("60 / C5"));
    QCOMPARE(RuleTable::cellText(w.ruleModel, 1, 3), QStringLiteral("60"));
    QCOMPARE(QSettings("./config.ini", QSettings::IniFormat).value("selectedActionIndex").toInt(), 2);
}

void TestWidget::sweepFollowsStatus()
{
    ScratchDir dir;
    Widget w;
    RuleTable::insertReadRule(w.ruleModel, 0, {"1", "1", "Note", "60", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"});
    QTRY_COMPARE(RuleTable::cellText(w.ruleModel, 0, 3), QStringLiteral("60 / C3"));
    w.ruleModel->item(0, 2)->setText("CC");
    QTRY_COMPARE(RuleTable::cellText(w.ruleModel, 0, 3), QStringLiteral("60"));
}

void TestWidget::burstOfChangesGivesOneRefresh()
{
    ScratchDir dir;
    Widget w;
    RuleTable::fillEmptyRules(w.ruleModel);
    QSignalSpy forwarded(&w, &Widget::updateTableData);
    for (int r = 0; r < 10; ++r)
        w.ruleModel->item(r, 1)->setText(QString::number(r + 1));
    QVERIFY(w.refreshPending);
    QVERIFY(w.refreshTimer->isActive());
    QCOMPARE(w.refreshTimer->interval(), 200);
    QTRY_COMPARE(forwarded.count(), 10);
    QTRY_VERIFY(!w.refreshPending);
    QVERIFY(!w.refreshTimer->isActive());
    // An emptied cell is not forwarded.
    w.ruleModel->item(0, 1)->setText(QString());
    QTest::qWait(0);
    QCOMPARE(forwarded.count(), 10);
}

void TestWidget::titlesCarryTooltips()
{
    ScratchDir dir;
    Widget w;
    const QStringList names = {"sn", "dmx", "status", "controller", "channel", "fixed",
                               "fadein", "fadeout", "toggle", "enable", "remark"};
    QStringList titles;
    for (const QString &name : names)
        titles << w.findChild<QLabel *>("label_" + name)->text();
    QCOMPARE(titles, (QStringList{"SN", "DMX Channels", "Status", "Controller", "Channel", "Fixed Value",
                                  "Fade In", "Fade Out", "Toggle", "Enable", "Remark"}));
    auto *dmx = w.findChild<QLabel *>("label_dmx");
    QVERIFY(dmx);
    QCOMPARE(dmx->toolTip(), QStringLiteral("Select DMX channel,DMX 1 port = 1~512,DMX 2 port = 513~1024"));
    QCOMPARE(dmx->toolTipDuration(), 30000);
    auto *sn = w.findChild<QLabel *>("label_sn");
    QVERIFY(sn->toolTip().startsWith("The sequence number"));
    QVERIFY(sn->toolTipDuration() != 30000);
    QVERIFY(w.findChild<QLabel *>("label_fadein")->toolTip().isEmpty());
    QVERIFY(w.findChild<QLabel *>("label_fadeout")->toolTip().contains("\nwhen the DMX channel"));
}

void TestWidget::tablesScrollTogether()
{
    ScratchDir dir;
    Widget w;
    RuleTable::fillEmptyRules(w.ruleModel);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *rules = w.findChild<QTableView *>("tableView");
    auto *remarks = w.findChild<QTableView *>("tableView_2");
    remarks->verticalScrollBar()->setValue(100);
    QCOMPARE(rules->verticalScrollBar()->value(), 100);
    rules->verticalScrollBar()->setValue(40);
    QCOMPARE(remarks->verticalScrollBar()->value(), 40);
    QCOMPARE(rules->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

void TestWidget::focusIsShared()
{
    ScratchDir dir;
    Widget w;
    RuleTable::fillEmptyRules(w.ruleModel);
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto *rules = w.findChild<QTableView *>("tableView");
    auto *remarks = w.findChild<QTableView *>("tableView_2");
    QTest::mouseClick(rules->viewport(), Qt::LeftButton, {}, rules->visualRect(w.ruleModel->index(2, 3)).center());
    QVERIFY(rules->selectionModel()->hasSelection());
    QTest::mouseClick(remarks->viewport(), Qt::LeftButton, {}, remarks->visualRect(w.remarkModel->index(1, 0)).center());
    QVERIFY(!rules->selectionModel()->hasSelection());
    QVERIFY(remarks->selectionModel()->hasSelection());
    QTest::mouseClick(rules->viewport(), Qt::LeftButton, {}, rules->visualRect(w.ruleModel->index(1, 3)).center());
    QVERIFY(!remarks->selectionModel()->hasSelection());
    QVERIFY(!remarks->currentIndex().isValid());
}

void TestWidget::sendIniRefusesShortTable()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    QCOMPARE(w.send_ini(2), 0);
    QCOMPARE(user.boxes.size(), 1);
    QCOMPARE(user.boxes.first().title, QStringLiteral("Warning"));
    QCOMPARE(user.boxes.first().text, QStringLiteral("The table has no data. Please fill in the data before saving."));
    QVERIFY(w.tableStream.isEmpty());
}

void TestWidget::sendIniBuildsStream()
{
    ScratchDir dir;
    Widget w;
    RuleTable::fillEmptyRules(w.ruleModel);
    const QStringList cells = {"1", "1", "Note", "60 / C4", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"};
    for (int c = 1; c < 10; ++c)
        w.ruleModel->item(0, c)->setText(cells.at(c));
    QCOMPARE(w.send_ini(2), 2);
    QCOMPARE(w.tableStream.size(), 24844);
    QCOMPARE(w.tableStream.mid(256, 8).toHex(), QByteArray("903c001c00000000"));
    QCOMPARE(quint8(w.tableStream.at(17)), quint8(0xE8));
}

void TestWidget::processRowInsertsQueued()
{
    ScratchDir dir;
    Widget w;
    w.processRow(0, QByteArray::fromHex("903C001C00000000"));
    w.processRow(1, QByteArray(8, '\0'));
    QCOMPARE(w.ruleModel->rowCount(), 0);
    QTRY_COMPARE(w.ruleModel->rowCount(), 2);
    QCOMPARE(RuleTable::cellText(w.ruleModel, 0, 3), QStringLiteral("60 / C3"));
    QCOMPARE(RuleTable::rowTexts(w.ruleModel, 1).first(), QStringLiteral("2"));
    QVERIFY(RuleTable::cellText(w.ruleModel, 1, 1).isEmpty());
}

void TestWidget::newTableGivesEmptyRules()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    w.remarkModel->item(3)->setText("old");
    QSignalSpy changed(&w, &Widget::table_change);
    w.menuWindow->ui->actionNew_Table->trigger();
    QVERIFY(user.boxes.isEmpty()); // nothing to lose yet
    QCOMPARE(w.ruleModel->rowCount(), 3072);
    QCOMPARE(RuleTable::cellText(w.ruleModel, 3071, 0), QStringLiteral("3072"));
    QVERIFY(!w.ruleModel->item(0, 0)->isEditable());
    QVERIFY(RuleTable::cellText(w.ruleModel, 0, 1).isEmpty());
    QVERIFY(RuleTable::cellText(w.remarkModel, 3, 0).isEmpty());
    QVERIFY(changed.wait(1000));
    QCOMPARE(w.send_ini(2), 2);
}

void TestWidget::newTableAsksWhenRowsExist()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    RuleTable::fillEmptyRules(w.ruleModel);
    w.ruleModel->item(0, 1)->setText("7");
    user.answer = 1;
    w.new_table();
    QCOMPARE(user.boxes.size(), 1);
    QCOMPARE(user.boxes.first().buttons, (QStringList{"OK", "Cancel"}));
    QCOMPARE(RuleTable::cellText(w.ruleModel, 0, 1), QStringLiteral("7"));
    user.answer = 0;
    w.new_table();
    QVERIFY(RuleTable::cellText(w.ruleModel, 0, 1).isEmpty());
}

void TestWidget::aboutIsModeless()
{
    ScratchDir dir;
    Widget w;
    w.menuWindow->ui->actionAbout->trigger();
    QVERIFY(w.aboutDialog->isVisible());
    QVERIFY(!w.aboutDialog->isModal());
    QCOMPARE(w.aboutDialog->windowTitle(), QStringLiteral("Help"));
    QCOMPARE(w.aboutDialog->getversion(), QStringLiteral("V3.0.0"));
    QTest::mouseClick(w.aboutDialog->findChild<QPushButton *>("pushButton"), Qt::LeftButton);
    QVERIFY(!w.aboutDialog->isVisible());
    w.show_ab_dlg_Dialog();
    QVERIFY(w.aboutDialog->isVisible());
}

void TestWidget::manualsUseDownloadHost()
{
    const QUrl url(Widget::manualUrl("/download/Product/ZKQ-1024/Lumetra_User_Guide.pdf"));
    QCOMPARE(url.scheme(), QStringLiteral("https"));
    QCOMPARE(url.host(), QStringLiteral(LUMETRA_DOWNLOAD_HOST));
    QCOMPARE(url.path(), QStringLiteral("/download/Product/ZKQ-1024/Lumetra_User_Guide.pdf"));
}

QTEST_MAIN(TestWidget)
#include "tst_widget.moc"
