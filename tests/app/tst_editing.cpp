#include "aliaseditdialog.h"
#include "edithistory.h"
#include "mainwindow.h"
#include "mytableview.h"
#include "ruletable.h"
#include "testsupport.h"
#include "ui_mainwindow.h"
#include "widget.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>

namespace {

using RuleTable::cellText;

const QStringList noteRule = {"1", "1", "Note", "60 / C3", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"};

void paste(Widget &w, int row, int column, const QList<QStringList> &cells)
{
    auto *view = w.findChild<MyTableView *>(QStringLiteral("tableView"));
    view->clipboardRows = cells;
    view->setCurrentIndex(w.ruleModel->index(row, column));
    view->pasteSelection();
}

} // namespace

class TestEditing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void editMenuSitsAfterFile();
    void actionsFollowTheHistory();
    void shortcutsUndoAndRedo();
    void namingChangeIsOneStep();
    void editorCommitWithRowFillIsOneStep();
    void aliasChangeIsOneStep();
    void clearIsOneStep();
    void sweepMakesNoStep();
    void loadsStartAFreshHistory_data();
    void loadsStartAFreshHistory();
    void undoneCellsReachTheEmulatorForward();
};

void TestEditing::editMenuSitsAfterFile()
{
    ScratchDir dir;
    Widget w;
    const QList<QAction *> menus = w.menuWindow->menuBar()->actions();
    QCOMPARE(menus.at(0)->text(), QStringLiteral("File"));
    QCOMPARE(menus.at(1)->text(), QStringLiteral("Edit"));
    QCOMPARE(menus.at(2)->text(), QStringLiteral("Setting"));
    const QList<QAction *> items = menus.at(1)->menu()->actions();
    QCOMPARE(items.size(), 2);
    QCOMPARE(items.at(0)->text(), QStringLiteral("Undo"));
    QCOMPARE(items.at(1)->text(), QStringLiteral("Redo"));
    QCOMPARE(items.at(0)->shortcuts(), QKeySequence::keyBindings(QKeySequence::Undo));
    QCOMPARE(items.at(1)->shortcuts(), QKeySequence::keyBindings(QKeySequence::Redo));
    QVERIFY(w.editHistory->isClean());
}

void TestEditing::actionsFollowTheHistory()
{
    ScratchDir dir;
    Widget w;
    QAction *undo = w.menuWindow->ui->actionUndo;
    QAction *redo = w.menuWindow->ui->actionRedo;
    QVERIFY(!undo->isEnabled());
    QVERIFY(!redo->isEnabled());
    RuleTable::fillEmptyRules(w.ruleModel);
    paste(w, 3, 1, {{"7"}});
    QVERIFY(undo->isEnabled());
    QVERIFY(!redo->isEnabled());
    undo->trigger();
    QCOMPARE(cellText(w.ruleModel, 3, 1), QString());
    QVERIFY(!undo->isEnabled());
    QVERIFY(redo->isEnabled());
    redo->trigger();
    QCOMPARE(cellText(w.ruleModel, 3, 1), QStringLiteral("7"));

    // While an editor is open its step is not finished: nothing to undo yet.
    auto *view = w.findChild<MyTableView *>(QStringLiteral("tableView"));
    w.show();
    view->setCurrentIndex(w.ruleModel->index(4, 1));
    view->edit(w.ruleModel->index(4, 1));
    QVERIFY(w.editHistory->inStep());
    QVERIFY(!undo->isEnabled());
    view->setCurrentIndex(w.ruleModel->index(9, 9));
    QVERIFY(!w.editHistory->inStep());
    QVERIFY(undo->isEnabled());
}

void TestEditing::shortcutsUndoAndRedo()
{
    ScratchDir dir;
    Widget w;
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    RuleTable::fillEmptyRules(w.ruleModel);
    paste(w, 0, 2, {{"CC"}});
    auto *view = w.findChild<MyTableView *>(QStringLiteral("tableView"));
    view->setFocus();
    QTest::keySequence(view, QKeySequence::Undo);
    QCOMPARE(cellText(w.ruleModel, 0, 2), QString());
    QTest::keySequence(view, QKeySequence::Redo);
    QCOMPARE(cellText(w.ruleModel, 0, 2), QStringLiteral("CC"));
}

void TestEditing::namingChangeIsOneStep()
{
    ScratchDir dir;
    Widget w;
    QCOMPARE(w.cnum, 1);
    RuleTable::insertReadRule(w.ruleModel, 0, noteRule);
    w.menuWindow->c4Action->trigger();
    QCOMPARE(cellText(w.ruleModel, 0, 3), QStringLiteral("60 / C4"));
    QCOMPARE(w.editHistory->count(), 1);

    QSignalSpy convention(&w, &Widget::cnum_change);
    w.editHistory->undo();
    QCOMPARE(cellText(w.ruleModel, 0, 3), QStringLiteral("60 / C3"));
    QCOMPARE(w.cnum, 1);
    QCOMPARE(w.findChild<MyTableView *>(QStringLiteral("tableView"))->cnum, 1);
    QVERIFY(w.menuWindow->c3Action->isChecked());
    QCOMPARE(convention.size(), 1);
    QCOMPARE(convention.first().first().toInt(), 1);
    QCOMPARE(QSettings("./config.ini", QSettings::IniFormat).value("selectedActionIndex").toInt(), 0);

    w.editHistory->redo();
    QCOMPARE(cellText(w.ruleModel, 0, 3), QStringLiteral("60 / C4"));
    QCOMPARE(w.cnum, 2);
    QVERIFY(w.menuWindow->c4Action->isChecked());

    // Choosing the convention already in use changes nothing and records nothing.
    w.menuWindow->c4Action->trigger();
    QCOMPARE(w.editHistory->count(), 1);
}

void TestEditing::editorCommitWithRowFillIsOneStep()
{
    ScratchDir dir;
    Widget w;
    RuleTable::fillEmptyRules(w.ruleModel);
    w.show();
    auto *view = w.findChild<MyTableView *>(QStringLiteral("tableView"));
    const QModelIndex dmx = w.ruleModel->index(0, RuleTable::Dmx);
    view->setCurrentIndex(dmx);
    view->edit(dmx);
    auto *editor = qobject_cast<QComboBox *>(view->indexWidget(dmx));
    QVERIFY(editor);
    // Picking "2" fills the empty row at once; the pick itself is written on commit.
    QTest::keyClick(editor, Qt::Key_Down);
    QCOMPARE(cellText(w.ruleModel, 0, RuleTable::Status), QStringLiteral("Note"));
    QCOMPARE(w.editHistory->count(), 0);
    view->setCurrentIndex(w.ruleModel->index(5, RuleTable::Enable));
    const QStringList filled = {"1", "2", "Note", "0 / C-2", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"};
    QCOMPARE(RuleTable::rowTexts(w.ruleModel, 0), filled);
    QCOMPARE(w.editHistory->count(), 1);

    w.menuWindow->ui->actionUndo->trigger();
    QCOMPARE(RuleTable::rowTexts(w.ruleModel, 0), (QStringList{"1", "", "", "", "", "", "", "", "", ""}));
    w.menuWindow->ui->actionRedo->trigger();
    QCOMPARE(RuleTable::rowTexts(w.ruleModel, 0), filled);

    // An editor still open when the window goes commits into a history that goes with it.
    view->setCurrentIndex(w.ruleModel->index(1, RuleTable::Status));
    view->edit(w.ruleModel->index(1, RuleTable::Status));
    QVERIFY(w.editHistory->inStep());
}

void TestEditing::aliasChangeIsOneStep()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    RuleTable::fillEmptyRules(w.ruleModel);
    w.ruleModel->item(0, RuleTable::Dmx)->setText(QStringLiteral("12"));
    w.ruleModel->item(1, RuleTable::Dmx)->setText(QStringLiteral("12"));
    auto answer = [](bool ok) {
        return [ok](AliasEditDialog &dialog) {
            dialog.aliasModel->item(11, 1)->setText(QStringLiteral("Spot"));
            ok ? dialog.onOkClicked() : dialog.reject();
            return dialog.result();
        };
    };
    w.runAliasDialog = answer(false);
    w.changmarkname();
    QCOMPARE(w.editHistory->count(), 0);

    w.runAliasDialog = answer(true);
    w.changmarkname();
    QCOMPARE(cellText(w.ruleModel, 1, RuleTable::Dmx), QStringLiteral("12-Spot"));
    QCOMPARE(w.editHistory->count(), 1);
    w.editHistory->undo();
    QCOMPARE(cellText(w.ruleModel, 0, RuleTable::Dmx), QStringLiteral("12"));
    QCOMPARE(cellText(w.ruleModel, 1, RuleTable::Dmx), QStringLiteral("12"));
}

void TestEditing::clearIsOneStep()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    RuleTable::fillEmptyRules(w.ruleModel);
    paste(w, 0, 1, {noteRule.mid(1), noteRule.mid(1)});
    w.remarkModel->item(1)->setText(QStringLiteral("wash"));
    const int steps = w.editHistory->count();
    QTest::mouseClick(w.findChild<QPushButton *>(QStringLiteral("clearButton")), Qt::LeftButton);
    QTRY_VERIFY(cellText(w.ruleModel, 1, 2).isEmpty());
    QCOMPARE(w.editHistory->count(), steps + 1);
    w.editHistory->undo();
    QCOMPARE(cellText(w.ruleModel, 1, 2), QStringLiteral("Note"));
    QCOMPARE(cellText(w.remarkModel, 1, 0), QStringLiteral("wash"));
    w.editHistory->redo();
    QVERIFY(cellText(w.ruleModel, 0, 1).isEmpty());
    QVERIFY(cellText(w.remarkModel, 1, 0).isEmpty());
}

void TestEditing::sweepMakesNoStep()
{
    ScratchDir dir;
    Widget w;
    RuleTable::insertReadRule(w.ruleModel, 0, {"1", "1", "Note", "60", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"});
    QTRY_COMPARE(cellText(w.ruleModel, 0, 3), QStringLiteral("60 / C3"));
    QCOMPARE(w.editHistory->count(), 0);
    QVERIFY(!w.menuWindow->ui->actionUndo->isEnabled());
}

void TestEditing::loadsStartAFreshHistory_data()
{
    QTest::addColumn<QString>("load");
    QTest::newRow("read empties the rule model") << "read";
    QTest::newRow("new table") << "new";
}

void TestEditing::loadsStartAFreshHistory()
{
    QFETCH(QString, load);
    ScratchDir dir;
    FakeUser user;
    Widget w;
    RuleTable::fillEmptyRules(w.ruleModel);
    paste(w, 0, 1, {{"9"}});
    QVERIFY(!w.editHistory->isClean());
    QSignalSpy clean(w.editHistory, &EditHistory::cleanChanged);
    if (load == QLatin1String("read"))
        w.ruleModel->removeRows(0, w.ruleModel->rowCount());
    else {
        user.answer = 1; // "Discard" the unsaved paste
        w.new_table();
    }
    QCOMPARE(w.editHistory->count(), 0);
    QVERIFY(w.editHistory->isClean());
    QCOMPARE(clean.size(), 1);
    QVERIFY(!w.menuWindow->ui->actionUndo->isEnabled());
}

void TestEditing::undoneCellsReachTheEmulatorForward()
{
    ScratchDir dir;
    Widget w;
    RuleTable::fillEmptyRules(w.ruleModel);
    QSignalSpy forwarded(&w, &Widget::updateTableData);
    w.ruleModel->item(5, 1)->setText(QStringLiteral("12"));
    paste(w, 5, 1, {{"13"}});
    QTRY_COMPARE(forwarded.size(), 2);
    w.editHistory->undo();
    QTRY_COMPARE(forwarded.size(), 3);
    QCOMPARE(forwarded.last(), (QList<QVariant>{5, 1, QStringLiteral("12")}));
}

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"
