#include "aliaseditdialog.h"
#include "combineddelegate.h"
#include "mainwindow.h"
#include "mytableview.h"
#include "ruletable.h"
#include "testsupport.h"
#include "ui_mainwindow.h"
#include "widget.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTimer>

namespace {

QStringList aliasesWith(int channel, const QString &alias)
{
    QStringList list(1024);
    list[channel - 1] = alias;
    return list;
}


MyTableView *ruleView(Widget &w)
{
    return w.findChild<MyTableView *>(QStringLiteral("tableView"));
}

QComboBox *openEditor(Widget &w, int row, int column)
{
    const QModelIndex index = w.ruleModel->index(row, column);
    ruleView(w)->edit(index);
    return qobject_cast<QComboBox *>(ruleView(w)->indexWidget(index));
}

// The user types an alias into the dialog's table and closes it with the given button.
auto typeAndClose(int row, const QString &alias, bool ok)
{
    return [row, alias, ok](AliasEditDialog &dialog) {
        dialog.aliasModel->item(row, 1)->setText(alias);
        if (ok)
            QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("pushButton")), Qt::LeftButton);
        else
            dialog.reject();
        return dialog.result();
    };
}

} // namespace

class TestWidgetEditing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void aliasDialogForm();
    void loadAliasesToTable_data();
    void loadAliasesToTable();
    void startUpReadsApplicationFolder();
    void startUpFile_data();
    void startUpFile();
    void okSavesAndRelabels();
    void okKeepsOneLinePerChannel();
    void okWithUnwritableFileKeepsAliases();
    void cancelChangesNothing();
    void openDmxEditorIsRelabelled();
    void noAliasesNoRelabelling();
    void relabelDmxSoonRunsTwice();
    void forgetAliasesDropsThem();
    void delegateFollowsConvention();
    void controllerEditorTakesNoteNames();
};

void TestWidgetEditing::aliasDialogForm()
{
    ScratchDir dir;
    Widget w;
    AliasEditDialog *dialog = w.aliasDialog;
    QVERIFY(dialog);
    QCOMPARE(dialog->parent(), &w);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Edit DMX Channels Aliases"));
    QVERIFY(!(dialog->windowFlags() & Qt::WindowContextHelpButtonHint));
    QCOMPARE(dialog->styleSheet(), QStringLiteral("QWidget { font-family: Arial; font-size: 10pt; }"));
    QStandardItemModel *model = dialog->aliasModel;
    QCOMPARE(model->rowCount(), 1024);
    QCOMPARE(model->columnCount(), 2);
    QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Channel"));
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Alias"));
    QCOMPARE(model->item(0, 0)->text(), QStringLiteral("1"));
    QCOMPARE(model->item(1023, 0)->text(), QStringLiteral("1024"));
    QVERIFY(!(model->flags(model->index(5, 0)) & Qt::ItemIsEditable));
    QVERIFY(model->flags(model->index(5, 1)) & Qt::ItemIsEditable);
    auto *view = dialog->findChild<QTableView *>();
    QCOMPARE(view->model(), model);
    QVERIFY(view->verticalHeader()->isHidden());
    auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("pushButton"));
    QCOMPARE(ok->text(), QStringLiteral("OK"));

    model->item(2, 1)->setText("Wash");
    QVERIFY(!dialog->getUpdatedAliases().contains("Wash")); // only OK takes the table
    dialog->show();
    QTest::mouseClick(ok, Qt::LeftButton);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QVERIFY(!dialog->isVisible());
    QCOMPARE(dialog->getUpdatedAliases(), aliasesWith(3, "Wash"));
}

void TestWidgetEditing::loadAliasesToTable_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("short list") << 3;
    QTest::newRow("full list") << 1024;
    QTest::newRow("longer than the channels") << 1030;
}

void TestWidgetEditing::loadAliasesToTable()
{
    QFETCH(int, size);
    AliasEditDialog dialog;
    dialog.aliasModel->item(1023, 1)->setText("stale");
    QStringList list;
    for (int i = 0; i < size; ++i)
        list << QStringLiteral("A%1").arg(i);
    dialog.loadAliasesToTable(list);
    for (int row : {0, 2, 3, 1023}) {
        const QString expected = row < size ? QStringLiteral("A%1").arg(row) : QString();
        QCOMPARE(dialog.aliasModel->item(row, 1)->text(), expected);
    }
    QCOMPARE(dialog.aliasModel->rowCount(), 1024);
}

void TestWidgetEditing::startUpReadsApplicationFolder()
{
    ScratchDir dir;
    FakeUser user;
    const QString path = QCoreApplication::applicationDirPath() + "/aliases/Aliases.txt";
    QFile::remove(path);
    Widget w;
    QVERIFY(user.boxes.isEmpty());
    QVERIFY(QFile::exists(path));
    QVERIFY(w.aliasDialog->aliases.isEmpty());
    QVERIFY(w.aliasTimer->isActive());
    QCOMPARE(w.aliasTimer->interval(), 100);
    QCOMPARE(ruleView(w)->aliasSource, w.aliasDialog);
    QVERIFY(!QFile::exists(dir.file("Aliases.txt")));
}

void TestWidgetEditing::startUpFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("aliases");
    QStringList twelve(11);
    twelve << "Spot";
    QTest::newRow("present") << "present" << "" << twelve;
    QTest::newRow("missing is created") << "missing" << "" << QStringList();
    QTest::newRow("empty") << "empty" << "" << QStringList();
    // A failed load leaves the list as it was.
    const QStringList before = aliasesWith(1, "Before");
    QTest::newRow("folder missing") << "uncreatable" << "Cannot create file for writing." << before;
    QTest::newRow("unreadable") << "unreadable" << "Cannot open file for reading." << before;
}

void TestWidgetEditing::startUpFile()
{
    QFETCH(QString, kind);
    QFETCH(QString, error);
    QFETCH(QStringList, aliases);
    ScratchDir dir;
    QString path = dir.file("Aliases.txt");
    if (kind == "present")
        writeFile(path, QByteArray(11, '\n') + "Spot\n");
    else if (kind == "empty")
        writeFile(path, QByteArray());
    else if (kind == "uncreatable")
        path = dir.file("aliases/Aliases.txt");
    else if (kind == "unreadable")
        QVERIFY(QDir(dir.path()).mkdir("Aliases.txt"));

    FakeUser user;
    Widget w;
    w.aliasTimer->stop();
    w.aliasDialog->aliases = aliasesWith(1, "Before");
    w.readAliasesFromFile(path);
    QCOMPARE(w.aliasDialog->aliases, aliases);
    QCOMPARE(w.aliasDialog->aliasModel->item(11, 1)->text(), aliases.value(11));
    if (error.isEmpty()) {
        QVERIFY(user.boxes.isEmpty());
        QVERIFY(QFile::exists(path));
        QVERIFY(w.aliasTimer->isActive());
    } else {
        QCOMPARE(user.boxes.size(), 1);
        QCOMPARE(user.boxes.first().icon, Messages::Icon::Critical);
        QCOMPARE(user.boxes.first().title, QStringLiteral("Error"));
        QCOMPARE(user.boxes.first().text, error);
        QVERIFY(!w.aliasTimer->isActive());
    }
}

void TestWidgetEditing::okSavesAndRelabels()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    RuleTable::fillEmptyRules(w.ruleModel);
    w.ruleModel->item(0, 1)->setText("12");
    w.ruleModel->item(1, 1)->setText("13");
    w.ruleModel->item(2, 1)->setText("12-Par-64");
    w.aliasTimer->stop();

    w.runAliasDialog = typeAndClose(11, "Spot", true);
    QAction *menuItem = w.menuWindow->ui->actionDMX_Channel_Aliases;
    QVERIFY(menuItem->isEnabled());
    menuItem->trigger();
    QVERIFY(user.boxes.isEmpty());
    const QByteArray saved = readAll(dir.file("Aliases.txt"));
    QCOMPARE(saved.count('\n'), 1024);
    QCOMPARE(saved.split('\n').at(11), QByteArray("Spot"));
    QCOMPARE(w.aliasDialog->aliases, aliasesWith(12, "Spot"));
    QCOMPARE(RuleTable::cellText(w.ruleModel, 0, 1), QStringLiteral("12-Spot"));
    QCOMPARE(RuleTable::cellText(w.ruleModel, 1, 1), QStringLiteral("13"));
    QCOMPARE(RuleTable::cellText(w.ruleModel, 2, 1), QStringLiteral("12-Spot"));
    QVERIFY(RuleTable::cellText(w.ruleModel, 3, 1).isEmpty());
    QVERIFY(w.aliasTimer->isActive());

    w.runAliasDialog = typeAndClose(11, QString(), true);
    w.changmarkname();
    QCOMPARE(RuleTable::cellText(w.ruleModel, 0, 1), QStringLiteral("12"));
    QCOMPARE(readAll(dir.file("Aliases.txt")), QByteArray(1024, '\n'));
}

void TestWidgetEditing::okKeepsOneLinePerChannel()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    RuleTable::fillEmptyRules(w.ruleModel);
    w.ruleModel->item(0, 1)->setText("12");
    // A line editor takes line breaks in pasted text.
    w.runAliasDialog = [](AliasEditDialog &dialog) {
        dialog.aliasModel->item(11, 1)->setText("Front\nwash");
        dialog.aliasModel->item(12, 1)->setText("Back\r\nlight");
        dialog.aliasModel->item(13, 1)->setText("Spot");
        dialog.onOkClicked();
        return dialog.result();
    };
    w.changmarkname();
    QCOMPARE(w.aliasDialog->aliases.at(11), QStringLiteral("Front wash"));
    QCOMPARE(w.aliasDialog->aliases.at(12), QStringLiteral("Back  light"));
    QCOMPARE(RuleTable::cellText(w.ruleModel, 0, 1), QStringLiteral("12-Front wash"));
    const QByteArray saved = readAll(dir.file("Aliases.txt"));
    QCOMPARE(saved.count('\n'), 1024);
    // Read back at the next start, every alias still names its own channel.
    w.readAliasesFromFile(dir.file("Aliases.txt"));
    QCOMPARE(w.aliasDialog->aliases.size(), 1024);
    QCOMPARE(w.aliasDialog->aliases.at(13), QStringLiteral("Spot"));
}

void TestWidgetEditing::okWithUnwritableFileKeepsAliases()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    RuleTable::fillEmptyRules(w.ruleModel);
    w.ruleModel->item(0, 1)->setText("12");
    QVERIFY(QDir(dir.path()).mkdir("Aliases.txt"));
    w.runAliasDialog = typeAndClose(11, "Spot", true);
    w.changmarkname();
    QCOMPARE(user.boxes.size(), 1);
    QCOMPARE(user.boxes.first().icon, Messages::Icon::Critical);
    QCOMPARE(user.boxes.first().title, QStringLiteral("Error"));
    QCOMPARE(user.boxes.first().text, QStringLiteral("Cannot open file for writing."));
    QCOMPARE(w.aliasDialog->aliases, aliasesWith(12, "Spot"));
    QCOMPARE(RuleTable::cellText(w.ruleModel, 0, 1), QStringLiteral("12-Spot"));
}

void TestWidgetEditing::cancelChangesNothing()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    w.aliasDialog->aliases = aliasesWith(12, "Spot");
    RuleTable::fillEmptyRules(w.ruleModel);
    w.ruleModel->item(0, 1)->setText("12");

    w.runAliasDialog = typeAndClose(11, "Other", false);
    w.changmarkname();
    QCOMPARE(w.aliasDialog->aliases, aliasesWith(12, "Spot"));
    QVERIFY(!QFile::exists(dir.file("Aliases.txt")));
    QCOMPARE(RuleTable::cellText(w.ruleModel, 0, 1), QStringLiteral("12-Spot"));

    QString shown;
    w.runAliasDialog = [&shown](AliasEditDialog &dialog) {
        shown = dialog.aliasModel->item(11, 1)->text();
        return int(QDialog::Rejected);
    };
    w.changmarkname();
    QCOMPARE(shown, QStringLiteral("Spot"));
    QVERIFY(user.boxes.isEmpty());
}

void TestWidgetEditing::openDmxEditorIsRelabelled()
{
    ScratchDir dir;
    Widget w;
    RuleTable::fillEmptyRules(w.ruleModel);
    w.ruleModel->item(4, 1)->setText("12");
    w.aliasDialog->aliases = aliasesWith(12, "Spot");
    w.show();
    QComboBox *editor = openEditor(w, 4, RuleTable::Dmx);
    QVERIFY(editor);
    QCOMPARE(editor->currentText(), QStringLiteral("12"));

    w.aliasTimer->start(100);
    QTRY_COMPARE(editor->itemText(11), QStringLiteral("12-Spot"));
    QCOMPARE(editor->count(), 1024);
    QCOMPARE(editor->itemText(12), QStringLiteral("13"));
    QCOMPARE(editor->currentIndex(), 11);
    QVERIFY(!w.aliasTimer->isActive());
    QVERIFY(editor->property("connected").toBool());

    // Picking an item stops the relabelling; leaving the editor starts it again.
    w.aliasTimer->start(100);
    Q_EMIT editor->activated(11);
    QVERIFY(!w.aliasTimer->isActive());
    QFocusEvent toPopup(QEvent::FocusOut, Qt::PopupFocusReason);
    QCoreApplication::sendEvent(editor, &toPopup);
    QVERIFY(!w.aliasTimer->isActive());
    ruleView(w)->aliasSource = nullptr;
    QFocusEvent left(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(editor, &left);
    QVERIFY(w.aliasTimer->isActive());
    QCOMPARE(w.aliasTimer->interval(), 100);
    QCOMPARE(ruleView(w)->aliasSource, w.aliasDialog);
    Q_EMIT w.delegate->commitData(editor);
    QCOMPARE(RuleTable::cellText(w.ruleModel, 4, 1), QStringLiteral("12-Spot"));
}

void TestWidgetEditing::noAliasesNoRelabelling()
{
    ScratchDir dir;
    Widget w;
    RuleTable::fillEmptyRules(w.ruleModel);
    w.aliasDialog->aliases.clear();
    w.show();
    QComboBox *editor = openEditor(w, 0, RuleTable::Dmx);
    QVERIFY(editor);
    editor->setItemText(11, "marker");
    QSignalSpy ticks(w.aliasTimer, &QTimer::timeout);
    w.aliasTimer->start(100);
    QVERIFY(ticks.wait(1000));
    QVERIFY(w.aliasTimer->isActive());
    QCOMPARE(editor->itemText(11), QStringLiteral("marker"));
    QVERIFY(!editor->property("connected").toBool());
}

void TestWidgetEditing::relabelDmxSoonRunsTwice()
{
    ScratchDir dir;
    Widget w;
    RuleTable::fillEmptyRules(w.ruleModel);
    w.aliasDialog->aliases = aliasesWith(12, "Spot");
    w.ruleModel->item(0, 1)->setText("12");
    w.relabelDmxSoon();
    QCOMPARE(RuleTable::cellText(w.ruleModel, 0, 1), QStringLiteral("12-Spot"));
    QVERIFY(w.dmxRelabelPending);
    QVERIFY(w.dmxRelabelTimer->isActive());
    QCOMPARE(w.dmxRelabelTimer->interval(), 5);
    // A row that arrives after the first pass is caught by the second.
    w.ruleModel->item(1, 1)->setText("12");
    QTRY_VERIFY(!w.dmxRelabelPending);
    QCOMPARE(RuleTable::cellText(w.ruleModel, 1, 1), QStringLiteral("12-Spot"));
    QVERIFY(!w.dmxRelabelTimer->isActive());
}

void TestWidgetEditing::forgetAliasesDropsThem()
{
    ScratchDir dir;
    Widget w;
    w.aliasDialog->aliases = aliasesWith(12, "Spot");
    w.aliasTimer->start(100);
    w.forgetAliases();
    QVERIFY(!w.aliasTimer->isActive());
    QCOMPARE(w.aliasDialog->aliases, QStringList(1024));
    RuleTable::fillEmptyRules(w.ruleModel);
    w.ruleModel->item(0, 1)->setText("12-Spot");
    w.getSecondColumnData();
    QCOMPARE(RuleTable::cellText(w.ruleModel, 0, 1), QStringLiteral("12"));
}

void TestWidgetEditing::delegateFollowsConvention()
{
    ScratchDir dir;
    Widget w;
    QCOMPARE(ruleView(w)->itemDelegate(), w.delegate);
    QCOMPARE(w.delegate->cnum, 1); // no settings file: C3
    w.menuWindow->c5Action->trigger();
    QCOMPARE(w.delegate->cnum, 3);
    QCOMPARE(ruleView(w)->cnum, 3);
}

void TestWidgetEditing::controllerEditorTakesNoteNames()
{
    ScratchDir dir;
    Widget w;
    RuleTable::insertReadRule(w.ruleModel, 0, {"1", "1", "Note", "60 / C3", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"});
    w.show();
    QComboBox *editor = openEditor(w, 0, RuleTable::Controller);
    QVERIFY(editor);
    QCOMPARE(editor->currentIndex(), 60);
    QTRY_COMPARE(editor->itemText(60), QStringLiteral("60 / C3"));
    QCOMPARE(editor->currentText(), QStringLiteral("60 / C3"));
    // The window's style sheet does not bring the native popup back.
    QStyleOptionComboBox option;
    option.initFrom(editor);
    QCOMPARE(editor->style()->styleHint(QStyle::SH_ComboBox_Popup, &option, editor), 0);
}

QTEST_MAIN(TestWidgetEditing)
#include "tst_widget_editing.moc"
