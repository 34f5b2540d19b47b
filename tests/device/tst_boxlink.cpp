// The main window and its serial link against the simulated box, over a pseudo-terminal.
#include "../app/testsupport.h"
#include "abt_dialog.h"
#include "edithistory.h"
#include "bk_tim_dialog.h"
#include "cof_dialog.h"
#include "mainwindow.h"
#include "ptybox.h"
#include "ruletable.h"
#include "serialport.h"
#include "settingsrecord.h"
#include "tablestream.h"
#include "ui_mainwindow.h"
#include "widget.h"

#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>

#include <memory>

namespace {

const QString SimulatedBox = QString::fromLatin1(PtyBox::ProductName);

// Three rules at the edges of the table, the rest free.
QByteArray boxRecords()
{
    QByteArray records(TableStream::RecordCount * 8, '\0');
    records.replace(0, 8, QByteArray::fromHex("903C001C00000000"));
    records.replace(8, 8, QByteArray::fromHex("B1070032FF140A00"));
    records.replace(3071 * 8, 8, QByteArray::fromHex("AF7FFF3701323200"));
    return records;
}

QByteArray tableRecords(const Widget &w)
{
    return RuleTable::encodeRecords(w.ruleModel).join();
}

} // namespace

class TestBoxLink : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void connectReadsTableAndSettings();
    void readReplacesTable();
    void setStoresEncodedTable();
    void setRefusesShortTable();
    void clearLeavesBoxAlone();
    void settings_data();
    void settings();
    void factoryReset();
    void unplugWhileConnected();
    void silentBox();
    void disconnectEmptiesTables();
    void unsavedChangesAskFirst_data();
    void unsavedChangesAskFirst();

private:
    QPushButton *button(const char *name) const { return window->findChild<QPushButton *>(QLatin1String(name)); }
    QComboBox *deviceList() const { return window->findChild<QComboBox *>(QStringLiteral("comboBox_ComDevices")); }
    void connectToBox();
    int boxCount(const QString &text) const { return user->texts().count(text); }
    void expectNothingSent();

    std::unique_ptr<ScratchDir> dir;
    std::unique_ptr<FakeUser> user;
    std::unique_ptr<PtyBox> box;
    std::unique_ptr<Widget> window;
    QByteArray received;
};

void TestBoxLink::init()
{
    dir = std::make_unique<ScratchDir>();
    user = std::make_unique<FakeUser>();
    box = std::make_unique<PtyBox>();
    QVERIFY(box->start());
    box->protocol().setRecords(boxRecords());
    received.clear();
    connect(box.get(), &PtyBox::received, this, [this](const QByteArray &bytes) { received += bytes; });
    window = std::make_unique<Widget>();
    window->serialPort->addFixedDevice(SimulatedBox, box->portName());
    deviceList()->setCurrentIndex(deviceList()->findText(SimulatedBox));
}

void TestBoxLink::cleanup()
{
    window.reset();
    box.reset();
    user.reset();
    dir.reset();
}

// Connecting ends with the box's table on screen.
void TestBoxLink::connectToBox()
{
    QTest::mouseClick(button("connectButton"), Qt::LeftButton);
    QCOMPARE(button("connectButton")->text(), QStringLiteral("Disconnect"));
    QTRY_COMPARE(boxCount(QStringLiteral("Read successfully!")), 1);
    QTRY_COMPARE(window->ruleModel->rowCount(), RuleTable::RowCount);
}

// The line keeps order: once a probe written now has arrived, anything written before it
// has arrived too.
void TestBoxLink::expectNothingSent()
{
    const QByteArray probe("probe");
    window->serialPort->write(probe);
    QTRY_VERIFY(received.endsWith(probe));
    QCOMPARE(received, probe);
    received.clear();
}

void TestBoxLink::connectReadsTableAndSettings()
{
    box->protocol().feed("settingdata" + SettingsRecord::encode(1, 1000) + "setting end");
    box->protocol().feed("settingdata" + SettingsRecord::encode(3, 2) + "setting end");
    connectToBox();
    QVERIFY(!deviceList()->isEnabled());
    QVERIFY(received.startsWith("hellosetting requestupload request"));
    QCOMPARE(tableRecords(*window), boxRecords());
    QCOMPARE(RuleTable::rowTexts(window->ruleModel, 1),
             (QStringList{"2", "513", "CC", "7", "2", "255", "10", "20", "ON", "OFF"}));
    QCOMPARE(window->remarkModel->rowCount(), RuleTable::RowCount);
    QCOMPARE(window->serialPort->breakTime, 1000);
    QCOMPARE(window->breakTimeDialog->comboBox()->currentText(), QStringLiteral("1000"));
    QCOMPARE(window->mabDialog->comboBox()->currentText(), QString::number(box->protocol().markAfterBreak()));
    QCOMPARE(window->coefficientDialog->comboBox()->currentText(), QStringLiteral("2.01"));
    QCOMPARE(window->coefficientFactor, 2.01);
    QCOMPARE(user->boxes.size(), 1);
}

void TestBoxLink::readReplacesTable()
{
    connectToBox();
    window->remarkModel->item(0, 0)->setText(QStringLiteral("front"));
    QByteArray changed = boxRecords();
    changed.replace(16, 8, QByteArray::fromHex("9000011400000000"));
    box->protocol().setRecords(changed);
    received.clear();

    QTest::mouseClick(button("pushButton"), Qt::LeftButton);
    QCOMPARE(user->boxes.at(1).text, QStringLiteral("Read product configuration\uFF1F"));
    QCOMPARE(window->ruleModel->rowCount(), 0); // emptied at once
    QCOMPARE(RuleTable::cellText(window->remarkModel, 0, 0), QString());
    QTRY_COMPARE(boxCount(QStringLiteral("Read successfully!")), 2);
    QTRY_COMPARE(window->ruleModel->rowCount(), RuleTable::RowCount);
    QCOMPARE(received, QByteArray("upload request"));
    QCOMPARE(tableRecords(*window), changed);
}

void TestBoxLink::setStoresEncodedTable()
{
    connectToBox();
    RuleTable::fillEmptyRules(window->ruleModel);
    const QStringList cells = {"", "300-Spot", "Note", "64 / E3", "ALL", "OFF", "5", "7", "OFF", "ON"};
    for (int r : {0, 100, 3071}) {
        for (int c = 1; c < RuleTable::ColumnCount; ++c)
            window->ruleModel->item(r, c)->setText(cells.at(c));
    }
    const QByteArray expected = tableRecords(*window);
    QVERIFY(expected != boxRecords());
    received.clear();
    QSignalSpy stored(box.get(), &PtyBox::tableStored);

    QTest::mouseClick(button("pushButton_2"), Qt::LeftButton);
    QCOMPARE(user->boxes.at(1).text, QStringLiteral("Configure product\uFF1F"));
    QVERIFY(window->serialPort->busyNotice->isVisible());
    QVERIFY(stored.wait());
    QCOMPARE(box->protocol().records(), expected);
    QCOMPARE(received, window->tableStream);
    QCOMPARE(received.size(), TableStream::Size);
    QTRY_COMPARE(boxCount(QStringLiteral("Product is configured successfully!")), 1);
    QVERIFY(!window->serialPort->busyNotice->isVisible());
    QCOMPARE(boxCount(QStringLiteral("Read successfully!")), 1);
}

void TestBoxLink::setRefusesShortTable()
{
    connectToBox();
    window->ruleModel->removeRows(0, window->ruleModel->rowCount());
    received.clear();
    QTest::mouseClick(button("pushButton_2"), Qt::LeftButton);
    QCOMPARE(user->boxes.last().text, QStringLiteral("The table has no data. Please fill in the data before saving."));
    QVERIFY(!window->serialPort->busyNotice->isVisible());
    expectNothingSent();
}

void TestBoxLink::clearLeavesBoxAlone()
{
    connectToBox();
    received.clear();
    QTest::mouseClick(button("clearButton"), Qt::LeftButton);
    QTRY_COMPARE(RuleTable::cellText(window->ruleModel, 0, RuleTable::Dmx), QString());
    QCOMPARE(window->ruleModel->rowCount(), RuleTable::RowCount);
    QCOMPARE(box->protocol().records(), boxRecords());
    QVERIFY(received.isEmpty());
}

void TestBoxLink::settings_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<int>("value");
    QTest::newRow("break time") << 1 << "1000" << 1000;
    QTest::newRow("after break time") << 2 << "490" << 490;
    QTest::newRow("coefficient") << 3 << "2.01" << 2;
}

void TestBoxLink::settings()
{
    QFETCH(int, id);
    QFETCH(QString, choice);
    QFETCH(int, value);
    connectToBox();
    SettingDialog *dialogs[] = {window->breakTimeDialog, window->mabDialog, window->coefficientDialog};
    SettingDialog *dialog = dialogs[id - 1];
    received.clear();
    QSignalSpy applied(box.get(), &PtyBox::settingApplied);

    dialog->show();
    dialog->comboBox()->setCurrentText(choice);
    dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))->button(QDialogButtonBox::Ok)->click();
    QVERIFY(applied.wait());
    QCOMPARE(applied.first().at(0).toInt(), id);
    QCOMPARE(applied.first().at(1).toInt(), value);
    QCOMPARE(received, "settingdata" + SettingsRecord::encode(id, value) + "setting end");
    const int stored[] = {box->protocol().breakTime(), box->protocol().markAfterBreak(),
                          box->protocol().coefficientCode()};
    QCOMPARE(stored[id - 1], value);
    QCOMPARE(user->boxes.size(), 1); // no warning, no second read
}

void TestBoxLink::factoryReset()
{
    box->protocol().feed("settingdata" + SettingsRecord::encode(1, 1000) + "setting end");
    connectToBox();
    received.clear();

    user->answer = 1;
    window->menuWindow->ui->actionFactory_Reset->trigger();
    QCOMPARE(user->boxes.last().title, QStringLiteral("Factory Reset"));
    QCOMPARE(user->boxes.last().text, QStringLiteral("Factory Reset\uFF1F"));
    expectNothingSent();

    user->answer = 0;
    QSignalSpy applied(box.get(), &PtyBox::settingApplied);
    window->menuWindow->ui->actionFactory_Reset->trigger();
    QVERIFY(applied.wait());
    QCOMPARE(received, QByteArray("settingdata") + QByteArray::fromHex("000400010001") + "setting end");
    QCOMPARE(box->protocol().breakTime(), BoxProtocol::FactoryBreakTime);
}

void TestBoxLink::unplugWhileConnected()
{
    connectToBox();
    box->unplug();
    QTRY_COMPARE(button("connectButton")->text(), QStringLiteral("Connect"));
    QVERIFY(!window->serialPort->isOpen());
    QVERIFY(deviceList()->isEnabled());
    QCOMPARE(tableRecords(*window), boxRecords());
}

void TestBoxLink::silentBox()
{
    box->setSilent(true);
    QTest::mouseClick(button("connectButton"), Qt::LeftButton);
    QCOMPARE(button("connectButton")->text(), QStringLiteral("Disconnect"));
    QTRY_COMPARE(received, QByteArray("hello"));
    received.clear();
    expectNothingSent(); // the box had all the time of this round trip to answer
    QCOMPARE(window->ruleModel->rowCount(), 0);
    QVERIFY(user->boxes.isEmpty());
    QTest::mouseClick(button("connectButton"), Qt::LeftButton);
    QCOMPARE(button("connectButton")->text(), QStringLiteral("Connect"));
}

void TestBoxLink::disconnectEmptiesTables()
{
    connectToBox();
    QTest::mouseClick(button("connectButton"), Qt::LeftButton);
    QCOMPARE(button("connectButton")->text(), QStringLiteral("Connect"));
    QVERIFY(!window->serialPort->isOpen());
    QCOMPARE(window->ruleModel->rowCount(), 0);
    QCOMPARE(window->remarkModel->rowCount(), 0);

    // The simulated box stays listed, and connecting again reads the table again.
    window->serialPort->initPort();
    QCOMPARE(deviceList()->currentText(), SimulatedBox);
    QTest::mouseClick(button("connectButton"), Qt::LeftButton);
    QTRY_COMPARE(boxCount(QStringLiteral("Read successfully!")), 2);
    QTRY_COMPARE(window->ruleModel->rowCount(), RuleTable::RowCount);
    QCOMPARE(window->remarkModel->rowCount(), RuleTable::RowCount);
}

QTEST_MAIN(TestBoxLink)
void TestBoxLink::unsavedChangesAskFirst_data()
{
    QTest::addColumn<QByteArray>("buttonName");
    QTest::addColumn<QList<int>>("answers"); // "Read" asks its own question first; then 1 Discard, 2 Cancel
    QTest::addColumn<bool>("kept");
    QTest::newRow("disconnect, cancel") << QByteArray("connectButton") << QList<int>{2} << true;
    QTest::newRow("disconnect, discard") << QByteArray("connectButton") << QList<int>{1} << false;
    QTest::newRow("read, cancel") << QByteArray("pushButton") << QList<int>{0, 2} << true;
    QTest::newRow("read, discard") << QByteArray("pushButton") << QList<int>{0, 1} << false;
}

void TestBoxLink::unsavedChangesAskFirst()
{
    QFETCH(QByteArray, buttonName);
    QFETCH(QList<int>, answers);
    QFETCH(bool, kept);
    connectToBox();
    {
        EditHistory::Step step(window->editHistory, QStringLiteral("remark"));
        window->remarkModel->item(4)->setText(QStringLiteral("unsaved"));
    }
    QVERIFY(!window->editHistory->isClean());
    user->boxes.clear();
    user->answers = answers;
    QTest::mouseClick(button(buttonName.constData()), Qt::LeftButton);
    QVERIFY(user->texts().contains(QStringLiteral("The table has unsaved changes.\nDo you want to save them?")));
    if (kept) {
        QCOMPARE(button("connectButton")->text(), QStringLiteral("Disconnect"));
        QCOMPARE(RuleTable::cellText(window->remarkModel, 4, 0), QStringLiteral("unsaved"));
    } else {
        QTRY_VERIFY(RuleTable::cellText(window->remarkModel, 4, 0).isEmpty());
    }
}

#include "tst_boxlink.moc"
