#include "../app/testsupport.h"
#include "abt_dialog.h"
#include "bk_tim_dialog.h"
#include "cof_dialog.h"
#include "mainwindow.h"
#include "ruletable.h"
#include "serialport.h"
#include "ui_mainwindow.h"
#include "widget.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>

namespace {

QPushButton *button(Widget &w, const char *name)
{
    return w.findChild<QPushButton *>(QLatin1String(name));
}

void fillRules(Widget &w)
{
    RuleTable::fillEmptyRules(w.ruleModel);
    for (int r = 0; r < RuleTable::RowCount; ++r) {
        const QStringList cells = {QString::number(r + 1), "1", "CC", "7", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"};
        for (int c = 1; c < RuleTable::ColumnCount; ++c)
            w.ruleModel->item(r, c)->setText(cells.at(c));
        w.remarkModel->item(r, 0)->setText(QStringLiteral("remark"));
    }
}

} // namespace

class TestDeviceWidget : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startsClosed();
    void connectWithoutDeviceRefuses();
    void failedConnectKeepsTheTable_data();
    void failedConnectKeepsTheTable();
    void questionsCancelChangeNothing_data();
    void questionsCancelChangeNothing();
    void readAndSetNeedConnection_data();
    void readAndSetNeedConnection();
    void clearKeepsSerialNumbers();
    void receivedTableReplacesTable();
    void settingsNeedConnection_data();
    void settingsNeedConnection();
    void factoryResetRefusedWithoutAsking();
    void dialogsShowReportedValues();
    void dialogLooks_data();
    void dialogLooks();
    void coefficientReachesWindow();
    void settingMenuOpensDialogs();
};

void TestDeviceWidget::startsClosed()
{
    ScratchDir dir;
    Widget w;
    QCOMPARE(button(w, "connectButton")->text(), QStringLiteral("Connect"));
    QVERIFY(w.findChild<QComboBox *>("comboBox_ComDevices")->isEnabled());
    QVERIFY(!w.serialPort->isOpen());
    QCOMPARE(w.serialPort->vendorName, QStringLiteral("Quorvani"));
}

void TestDeviceWidget::connectWithoutDeviceRefuses()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    w.findChild<QComboBox *>("comboBox_ComDevices")->clear();
    QTest::mouseClick(button(w, "connectButton"), Qt::LeftButton);
    QCOMPARE(user.texts(), QStringList{"port name error, please choose right com!"});
    QCOMPARE(button(w, "connectButton")->text(), QStringLiteral("Connect"));
    QVERIFY(!w.serialPort->isOpen());
}

void TestDeviceWidget::failedConnectKeepsTheTable_data()
{
    QTest::addColumn<QString>("portName");
    QTest::addColumn<QString>("message");
    QTest::newRow("no device") << QString() << "port name error, please choose right com!";
    QTest::newRow("device gone") << "/nonexistent/ttyZKQ" << "Device error";
}

// A connection that never opened changes nothing, the remarks included.
void TestDeviceWidget::failedConnectKeepsTheTable()
{
    QFETCH(QString, portName);
    ScratchDir dir;
    FakeUser user;
    Widget w;
    fillRules(w);
    auto *list = w.findChild<QComboBox *>("comboBox_ComDevices");
    list->clear();
    if (!portName.isEmpty())
        w.serialPort->addFixedDevice(QStringLiteral("Quorvani ZKQ-1024"), portName);
    QTest::mouseClick(button(w, "connectButton"), Qt::LeftButton);
    QTEST(user.texts().join(QLatin1Char('|')), "message");
    QCOMPARE(button(w, "connectButton")->text(), QStringLiteral("Connect"));
    QCOMPARE(w.ruleModel->rowCount(), RuleTable::RowCount);
    QCOMPARE(w.remarkModel->rowCount(), RuleTable::RowCount);
    QCOMPARE(RuleTable::cellText(w.remarkModel, 0, 0), QStringLiteral("remark"));
    QCOMPARE(RuleTable::cellText(w.remarkModel, 3071, 0), QStringLiteral("remark"));
}

void TestDeviceWidget::questionsCancelChangeNothing_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::addColumn<QString>("question");
    QTest::newRow("Read") << "pushButton" << QStringLiteral("Read product configuration\uFF1F");
    QTest::newRow("Set") << "pushButton_2" << QStringLiteral("Configure product\uFF1F");
    QTest::newRow("Clear") << "clearButton" << QStringLiteral("Clear current configuration\uFF1F");
}

void TestDeviceWidget::questionsCancelChangeNothing()
{
    QFETCH(QString, buttonName);
    QFETCH(QString, question);
    ScratchDir dir;
    FakeUser user;
    user.answer = 1;
    Widget w;
    fillRules(w);
    QTest::mouseClick(button(w, buttonName.toLatin1()), Qt::LeftButton);
    QCoreApplication::processEvents();
    QCOMPARE(user.boxes.size(), 1);
    QCOMPARE(user.boxes.first().title, QStringLiteral(" "));
    QCOMPARE(user.boxes.first().text, question);
    QCOMPARE(user.boxes.first().buttons, (QStringList{"OK", "Cancel"}));
    QVERIFY(!user.boxes.first().parent);
    QCOMPARE(w.ruleModel->rowCount(), 3072);
    QCOMPARE(RuleTable::cellText(w.ruleModel, 5, RuleTable::Status), QStringLiteral("CC"));
    QCOMPARE(RuleTable::cellText(w.remarkModel, 5, 0), QStringLiteral("remark"));
}

void TestDeviceWidget::readAndSetNeedConnection_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::newRow("Read") << "pushButton";
    QTest::newRow("Set") << "pushButton_2";
}

void TestDeviceWidget::readAndSetNeedConnection()
{
    QFETCH(QString, buttonName);
    ScratchDir dir;
    FakeUser user;
    Widget w;
    fillRules(w);
    QTest::mouseClick(button(w, buttonName.toLatin1()), Qt::LeftButton);
    QCOMPARE(user.boxes.size(), 2);
    const Messages::Box refusal = user.boxes.at(1);
    QCOMPARE(refusal.title, QStringLiteral("warning"));
    QCOMPARE(refusal.text, QStringLiteral("The device is not connected. Please connect the device first"));
    QCOMPARE(refusal.parent, &w);
    QCOMPARE(w.ruleModel->rowCount(), 3072);
    QVERIFY(!w.serialPort->busyNotice->isVisible());
}

void TestDeviceWidget::clearKeepsSerialNumbers()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    fillRules(w);
    QTest::mouseClick(button(w, "clearButton"), Qt::LeftButton);
    // Posted: nothing is cleared while the question is still on screen.
    QCOMPARE(RuleTable::cellText(w.ruleModel, 0, RuleTable::Status), QStringLiteral("CC"));
    QTRY_COMPARE(RuleTable::cellText(w.ruleModel, 0, RuleTable::Status), QString());
    QCOMPARE(w.ruleModel->rowCount(), 3072);
    for (int r : {0, 1500, 3071}) {
        QCOMPARE(RuleTable::cellText(w.ruleModel, r, RuleTable::SN), QString::number(r + 1));
        for (int c = 1; c < RuleTable::ColumnCount; ++c)
            QCOMPARE(RuleTable::cellText(w.ruleModel, r, c), QString());
        QCOMPARE(RuleTable::cellText(w.remarkModel, r, 0), QString());
    }
}

void TestDeviceWidget::receivedTableReplacesTable()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    fillRules(w);
    QSignalSpy changed(&w, &Widget::table_change);
    QList<QByteArray> records(3100, QByteArray(8, '\0'));
    records[0] = QByteArray::fromHex("903C001C00000000");
    w.rec_data(records);
    QCOMPARE(user.boxes.size(), 1);
    QCOMPARE(user.boxes.first().title, QStringLiteral("operate successfully"));
    QCOMPARE(user.boxes.first().text, QStringLiteral("Read successfully!"));
    QVERIFY(!user.boxes.first().parent);
    QVERIFY(changed.wait());
    QCOMPARE(w.ruleModel->rowCount(), 3072); // rows come in before the change notice
    QCOMPARE(RuleTable::rowTexts(w.ruleModel, 0),
             (QStringList{"1", "1", "Note", "60 / C3", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"}));
    QCOMPARE(RuleTable::cellText(w.ruleModel, 1, RuleTable::Status), QString());

    // A shorter table fills only its rows.
    w.rec_data(records.mid(0, 10));
    QVERIFY(changed.wait());
    QCOMPARE(w.ruleModel->rowCount(), 10);
}

void TestDeviceWidget::settingsNeedConnection_data()
{
    QTest::addColumn<int>("id");
    QTest::newRow("break time") << 1;
    QTest::newRow("after break time") << 2;
    QTest::newRow("coefficient") << 3;
}

void TestDeviceWidget::settingsNeedConnection()
{
    QFETCH(int, id);
    ScratchDir dir;
    FakeUser user;
    Widget w;
    SettingDialog *dialogs[] = {w.breakTimeDialog, w.mabDialog, w.coefficientDialog};
    SettingDialog *dialog = dialogs[id - 1];
    QSignalSpy asked(dialog, &SettingDialog::connect_bool);
    QSignalSpy bt(&w, &Widget::connect_bt);
    QSignalSpy abt(&w, &Widget::connect_abt);
    QSignalSpy cof(&w, &Widget::connect_cof);
    dialog->show();
    dialog->comboBox()->setCurrentIndex(1);
    dialog->findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Ok)->click();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(asked.count(), 1);
    QCOMPARE(asked.first().first().toInt(), id);
    QCOMPARE(user.texts(), QStringList{"The device is not connected. Please connect the device first"});
    QCOMPARE(user.boxes.first().title, QStringLiteral("warning"));
    QCOMPARE(bt.count() + abt.count() + cof.count(), 0);
    QCOMPARE(dialog->comboBox()->currentIndex(), 1);

    // Cancel sends nothing and asks nothing.
    dialog->show();
    dialog->findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Cancel)->click();
    QVERIFY(!dialog->isVisible());
    QCOMPARE(asked.count(), 1);
}

void TestDeviceWidget::factoryResetRefusedWithoutAsking()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    w.menuWindow->ui->actionFactory_Reset->trigger();
    QCOMPARE(user.texts(), QStringList{"The device is not connected. Please connect the device first"});
}

void TestDeviceWidget::dialogsShowReportedValues()
{
    ScratchDir dir;
    Widget w;
    const QByteArray report = "setting request" + QByteArray(4, '\0');
    w.serialPort->examineBlock(report + QByteArray::fromHex("03E801EA0002"));
    QCOMPARE(w.breakTimeDialog->comboBox()->currentText(), QStringLiteral("1000"));
    QCOMPARE(w.mabDialog->comboBox()->currentText(), QStringLiteral("490"));
    QCOMPARE(w.coefficientDialog->comboBox()->currentText(), QStringLiteral("2.01"));
    QCOMPARE(w.coefficientDialog->getCurrentIndexPlusOne(), 3);

    // Values the dialogs do not offer leave their selection.
    w.serialPort->examineBlock(report + QByteArray::fromHex("006E00330009"));
    QCOMPARE(w.serialPort->breakTime, 110);
    QCOMPARE(w.breakTimeDialog->comboBox()->currentText(), QStringLiteral("1000"));
    QCOMPARE(w.mabDialog->comboBox()->currentText(), QStringLiteral("490"));
    QCOMPARE(w.coefficientDialog->comboBox()->currentText(), QStringLiteral("2.01"));
}

void TestDeviceWidget::dialogLooks_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<int>("items");
    QTest::newRow("break time") << 1 << "DMX Break Time" << QStringList{"DMX Break Time:", "us"} << 46;
    QTest::newRow("after break time") << 2 << "DMX After Break Time" << QStringList{"DMX After Break Time:", "us"} << 24;
    QTest::newRow("coefficient") << 3 << "DMX Coefficient"
                                 << QStringList{"DMX value = MIDI value * Coefficient", "Coefficient:"} << 6;
}

void TestDeviceWidget::dialogLooks()
{
    QFETCH(int, id);
    QFETCH(QString, title);
    QFETCH(QStringList, captions);
    QFETCH(int, items);
    ScratchDir dir;
    Widget w;
    SettingDialog *dialogs[] = {w.breakTimeDialog, w.mabDialog, w.coefficientDialog};
    SettingDialog *dialog = dialogs[id - 1];
    dialog->show();
    QCOMPARE(dialog->settingId(), id);
    QCOMPARE(dialog->windowTitle(), title);
    QVERIFY(!dialog->isModal());
    QVERIFY(!(dialog->windowFlags() & Qt::WindowContextHelpButtonHint));
    QStringList shown;
    for (QLabel *label : dialog->findChildren<QLabel *>()) {
        if (label->isVisible())
            shown << label->text();
    }
    for (const QString &caption : captions)
        QVERIFY2(shown.contains(caption), qPrintable(caption));
    QCOMPARE(dialog->comboBox()->count(), items);
    QVERIFY(!dialog->comboBox()->isEditable());
    QCOMPARE(dialog->comboBox()->currentIndex(), 0);
    dialog->close();
}

void TestDeviceWidget::coefficientReachesWindow()
{
    ScratchDir dir;
    Widget w;
    QSignalSpy factors(w.coefficientDialog, &cof_Dialog::send_mp);
    w.coefficientDialog->comboBox()->setCurrentIndex(2);
    QCOMPARE(w.coefficientFactor, 2.01);
    w.coefficientDialog->comboBox()->setCurrentIndex(5);
    QCOMPARE(w.coefficientFactor, 5.0);
    QCOMPARE(w.coefficientDialog->getCurrentIndexPlusOne(), 6);
    w.coefficientDialog->comboBox()->setCurrentIndex(-1);
    QCOMPARE(factors.count(), 2);
}

void TestDeviceWidget::settingMenuOpensDialogs()
{
    ScratchDir dir;
    Widget w;
    Ui::MainWindow *menus = w.menuWindow->ui;
    const QList<QPair<QAction *, QDialog *>> items = {{menus->actionDMX_Break_Time, w.breakTimeDialog},
                                                      {menus->actionDMX_After_Break_Time, w.mabDialog},
                                                      {menus->actionCoefficient, w.coefficientDialog}};
    for (const auto &[action, dialog] : items) {
        QVERIFY(action->isEnabled());
        action->trigger();
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
    }
    QVERIFY(menus->actionFactory_Reset->isEnabled());
}

QTEST_MAIN(TestDeviceWidget)
#include "tst_devicewidget.moc"
