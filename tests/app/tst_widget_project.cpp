#include "aliaseditdialog.h"
#include "edithistory.h"
#include "mainwindow.h"
#include "projectfile.h"
#include "rulerecord.h"
#include "ruletable.h"
#include "tablestream.h"
#include "testsupport.h"
#include "ui_mainwindow.h"
#include "widget.h"

#include <QAction>
#include <QFile>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

const QString ProjectFiles = QStringLiteral(LUMETRA_PROJECT_FILES);


// The table as a read from the box leaves it: rules in a few slots, every remark cell set.
void readFromBox(Widget &w)
{
    QList<QByteArray> records;
    for (int slot = 0; slot < RuleTable::RowCount; ++slot) {
        const int kind = slot % 7;
        if (kind == 6) {
            records << QByteArray(8, '\0');
            continue;
        }
        const QStringList cells = {QString::number(slot + 1), QString::number(slot % 1024 + 1),
                                   kind < 2 ? "Note" : kind < 4 ? "CC" : "AT", QString::number(slot % 128),
                                   kind == 0 ? "ALL" : QString::number(slot % 16 + 1),
                                   kind == 1 ? "OFF" : QString::number(slot % 256),
                                   QString::number(slot % 51), QString::number((slot + 3) % 51),
                                   kind == 2 ? "ON" : "OFF", kind == 3 ? "OFF" : "ON"};
        records << RuleRecord::encode(cells);
    }
    const QList<QByteArray> split = TableStream::split(TableStream::build(records));
    w.ruleModel->removeRows(0, w.ruleModel->rowCount());
    RuleTable::resetRemarks(w.remarkModel);
    for (int r = 0; r < split.size(); ++r)
        w.processRow(r, split.at(r));
    QTRY_COMPARE(w.ruleModel->rowCount(), RuleTable::RowCount);
}

QList<QStringList> ruleTexts(const Widget &w)
{
    QList<QStringList> rows;
    for (int r = 0; r < w.ruleModel->rowCount(); ++r)
        rows << RuleTable::rowTexts(w.ruleModel, r);
    return rows;
}

QStringList remarkTexts(const Widget &w)
{
    QStringList remarks;
    for (int r = 0; r < w.remarkModel->rowCount(); ++r)
        remarks << RuleTable::cellText(w.remarkModel, r, 0);
    return remarks;
}

// A change the user makes: one step of the edit history.
void editRemark(Widget &w, int row, const QString &text)
{
    EditHistory::Step step(w.editHistory, QStringLiteral("Edit"));
    w.remarkModel->item(row)->setText(text);
}

} // namespace

class TestWidgetProject : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void menuItemsAreConnected();
    void saveAndOpenRestoreTheTable();
    void openFollowsTheConventionInForce();
    void openProjectFiles_data();
    void openProjectFiles();
    void openCutsOverlongLines();
    void openFailureChangesNothing_data();
    void openFailureChangesNothing();
    void cancelledOpenForgetsThePath();
    void saveWritesTheLayout();
    void saveAsNames_data();
    void saveAsNames();
    void saveAsAsksBeforeReplacingTheTxtFile_data();
    void saveAsAsksBeforeReplacingTheTxtFile();
    void saveFileWithoutPathAsksForOne();
    void saveRefusedForShortTable();
    void saveFailureIsReported();
    void failedSaveKeepsTheFormerFile();
    void titleShowsUnsavedChanges();
    void unsavedChangesAreAskedFor_data();
    void unsavedChangesAreAskedFor();
    void failedSaveKeepsTheChanges();
    void nothingToAskWhenClean();
};

void TestWidgetProject::menuItemsAreConnected()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    RuleTable::fillEmptyRules(w.ruleModel);
    Ui::MainWindow *menu = w.menuWindow->ui;
    for (QAction *action : {menu->actionOpen_File, menu->actionSave_File, menu->actionSave_File_As})
        QVERIFY(action->isEnabled());
    menu->actionOpen_File->trigger();
    menu->actionSave_File->trigger();
    menu->actionSave_File_As->trigger();
    QCOMPARE(user.fileRequests.size(), 3);
    QCOMPARE(user.fileRequests.at(0).save, false);
    QCOMPARE(user.fileRequests.at(1).save, true);
    QCOMPARE(user.fileRequests.at(2).save, true);
    for (const Messages::FileRequest &request : user.fileRequests) {
        QCOMPARE(request.title, QStringLiteral("Open File"));
        QCOMPARE(request.filter, QStringLiteral("Text files (*.txt);;All files (*)"));
    }
    QVERIFY(user.boxes.isEmpty());
}

void TestWidgetProject::saveAndOpenRestoreTheTable()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    readFromBox(w);
    w.remarkModel->item(0)->setText("Blue wash");
    w.remarkModel->item(5)->setText("ratio=2");
    w.remarkModel->item(6)->setText("send download request first");
    w.remarkModel->item(3071)->setText("Nebel ☁ 舞台");
    const QList<QStringList> rules = ruleTexts(w);
    const QStringList remarks = remarkTexts(w);

    user.fileAnswer = dir.file("show");
    QVERIFY(w.save_As_file());
    QCOMPARE(w.currentFilePath, dir.file("show.txt"));
    QCOMPARE(user.texts(), QStringList{"File has been saved successfully."});
    QCOMPARE(user.boxes.first().title, QStringLiteral("Success"));
    QVERIFY(w.tableStream.isEmpty());

    Widget other;
    user.fileAnswer = dir.file("show.txt");
    QSignalSpy changed(&other, &Widget::table_change);
    other.open_midi_file();
    QCOMPARE(user.boxes.size(), 1);
    QCOMPARE(other.currentFilePath, dir.file("show.txt"));
    QCOMPARE(other.windowTitle(), QStringLiteral("show.txt - Lumetra"));
    QVERIFY(changed.wait(1000));
    QCOMPARE(ruleTexts(other), rules);
    QCOMPARE(remarkTexts(other), remarks);
}

void TestWidgetProject::openFollowsTheConventionInForce()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    QVERIFY(w.openProject(ProjectFiles + "/project_with_aliases.txt"));
    QTRY_COMPARE(w.ruleModel->rowCount(), RuleTable::RowCount);
    QCOMPARE(RuleTable::cellText(w.ruleModel, 0, RuleTable::Controller), QStringLiteral("36 / C1"));
    w.menuWindow->c5Action->trigger();
    QVERIFY(w.openProject(ProjectFiles + "/project_with_aliases.txt"));
    QTRY_COMPARE(w.ruleModel->rowCount(), RuleTable::RowCount);
    QCOMPARE(RuleTable::cellText(w.ruleModel, 0, RuleTable::Controller), QStringLiteral("36 / C3"));
    QCOMPARE(RuleTable::cellText(w.ruleModel, 21, RuleTable::Controller), QStringLiteral("61 / C#5"));
}

void TestWidgetProject::openProjectFiles_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("hasAliases");
    QTest::addColumn<QStringList>("dmx"); // rows 0, 12, 20, 21, 3071 once relabelled
    QTest::newRow("with aliases") << "project_with_aliases.txt" << true
                                  << QStringList{"1-Front", "513-Haze", "100-追光", "101", "1024-Last"};
    QTest::newRow("ends after the stream") << "project_without_aliases.txt" << false
                                           << QStringList{"1-Kept", "513", "100", "101", "1024"};
}

void TestWidgetProject::openProjectFiles()
{
    QFETCH(QString, file);
    QFETCH(bool, hasAliases);
    QFETCH(QStringList, dmx);
    ScratchDir dir;
    FakeUser user;
    Widget w;
    QStringList aliases(1024);
    aliases[0] = "Kept";
    w.aliasDialog->aliases = aliases;

    QVERIFY(w.openProject(ProjectFiles + "/" + file));
    QVERIFY(user.boxes.isEmpty());
    QTRY_COMPARE(w.ruleModel->rowCount(), RuleTable::RowCount);
    QTRY_VERIFY(!w.dmxRelabelPending);
    QCOMPARE(RuleTable::rowTexts(w.ruleModel, 0),
             (QStringList{"1", dmx.at(0), "Note", "36 / C1", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"}));
    QCOMPARE(RuleTable::rowTexts(w.ruleModel, 12),
             (QStringList{"13", dmx.at(1), "CC", "20", "1", "OFF", "OFF", "50", "OFF", "ON"}));
    QCOMPARE(RuleTable::rowTexts(w.ruleModel, 20),
             (QStringList{"21", dmx.at(2), "AT", "60 / C3", "10", "128", "OFF", "OFF", "ON", "ON"}));
    QCOMPARE(RuleTable::rowTexts(w.ruleModel, 21),
             (QStringList{"22", dmx.at(3), "Note", "61 / C#3", "16", "255", "50", "50", "ON", "OFF"}));
    QCOMPARE(RuleTable::rowTexts(w.ruleModel, 50), (QStringList{"51", "", "", "", "", "", "", "", "", ""}));
    QCOMPARE(RuleTable::rowTexts(w.ruleModel, 3071).mid(0, 3), (QStringList{"3072", dmx.at(4), "Note"}));
    QCOMPARE(RuleTable::cellText(w.remarkModel, 0, 0), QStringLiteral("Kick - front wash"));
    QCOMPARE(RuleTable::cellText(w.remarkModel, 12, 0), QStringLiteral("ratio=2"));
    QCOMPARE(RuleTable::cellText(w.remarkModel, 20, 0), QStringLiteral("Nebel ☁ 舞台"));
    QCOMPARE(RuleTable::cellText(w.remarkModel, 3071, 0), QStringLiteral("last slot"));
    QVERIFY(RuleTable::cellText(w.remarkModel, 2, 0).isEmpty());

    const QStringList &loaded = w.aliasDialog->aliases;
    QCOMPARE(loaded.size(), 1024);
    if (hasAliases) {
        QCOMPARE(loaded.at(1), QStringLiteral("Back"));
        QCOMPARE(w.aliasDialog->aliasModel->item(99, 1)->text(), QStringLiteral("追光"));
    } else {
        QCOMPARE(loaded, aliases);
    }
    // The aliases file is the alias dialog's business.
    QVERIFY(!QFile::exists(dir.file("Aliases.txt")));
}

// Every rule of the table on channel 1, whose alias in the file is 64 KB long: each DMX
// cell repeats the alias, so uncut it would take 400 MB.
void TestWidgetProject::openCutsOverlongLines()
{
    ScratchDir dir;
    FakeUser user;
    const QStringList cells = {"1", "1", "Note", "60", "ALL", "OFF", "OFF", "OFF", "OFF", "ON"};
    const QList<QByteArray> records(RuleTable::RowCount, RuleRecord::encode(cells));
    const QByteArray longAlias(64 * ProjectFile::MaxAliasLength, 'A');
    QByteArray aliasLines = longAlias + "\n";
    for (int i = 1; i < 5000; ++i)
        aliasLines += "Spot " + QByteArray::number(i) + "\n";
    writeFile("big.txt", "[Aliases]\nalias0=" + QByteArray(200000, 'r') + "\n"
                             + TableStream::build(records) + "\n" + aliasLines);
    Widget w;
    QVERIFY(w.openProject("big.txt"));
    QVERIFY(user.boxes.isEmpty());
    QTRY_COMPARE(w.ruleModel->rowCount(), RuleTable::RowCount);
    QTRY_VERIFY(!w.dmxRelabelPending);
    const QString dmx = "1-" + QString(longAlias.left(ProjectFile::MaxAliasLength));
    QCOMPARE(RuleTable::cellText(w.ruleModel, 0, RuleTable::Dmx), dmx);
    QCOMPARE(RuleTable::cellText(w.ruleModel, 3071, RuleTable::Dmx), dmx);
    QCOMPARE(w.aliasDialog->aliases.size(), 1024);
    QCOMPARE(w.aliasDialog->aliases.last(), QStringLiteral("Spot 1023"));
    QCOMPARE(RuleTable::cellText(w.remarkModel, 0, 0), QString(ProjectFile::MaxRemarkLineLength - 7, 'r'));
}

void TestWidgetProject::openFailureChangesNothing_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("message");
    const QString badStream = "Failed to open the file. Please try again.";
    QTest::newRow("cut after the header") << ProjectFiles + "/project_cut_after_header.txt" << badStream;
    QTest::newRow("missing") << "missing.txt" << "Cannot open file for reading.";
    QTest::newRow("a directory") << "." << "Cannot open file for reading.";
    QTest::newRow("no stream") << "notes.txt" << "'download request' not found in the file.";
    QTest::newRow("far too big for a project") << "big.txt" << badStream;
}

void TestWidgetProject::openFailureChangesNothing()
{
    QFETCH(QString, path);
    QFETCH(QString, message);
    ScratchDir dir;
    FakeUser user;
    writeFile("notes.txt", "[Aliases]\nalias0=from the notes\n");
    if (path == "big.txt") {
        // A whole project, then (sparse) zeros up to one byte beyond the limit.
        QVERIFY(QFile::copy(ProjectFiles + "/project_without_aliases.txt", path));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        QFile big(path);
        QVERIFY(big.resize(ProjectFile::MaxFileSize + 1));
    }
    Widget w;
    readFromBox(w);
    w.remarkModel->item(0)->setText("mine");
    const QList<QStringList> rules = ruleTexts(w);
    QSignalSpy changed(&w, &Widget::table_change);

    user.fileAnswer = path;
    w.open_midi_file();
    QCOMPARE(user.texts(), QStringList{message});
    QCOMPARE(user.boxes.first().title, QStringLiteral("Error"));
    QCOMPARE(user.boxes.first().icon, Messages::Icon::Critical);
    QVERIFY(!user.boxes.first().parent);
    // Nothing may point a later Save at a file that is not this table's.
    QVERIFY(w.currentFilePath.isEmpty());
    QCOMPARE(w.windowTitle(), QStringLiteral("Lumetra"));
    QTest::qWait(20);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(ruleTexts(w), rules);
    QCOMPARE(RuleTable::cellText(w.remarkModel, 0, 0), QStringLiteral("mine"));
}

void TestWidgetProject::cancelledOpenForgetsThePath()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    readFromBox(w);
    user.fileAnswer = dir.file("show.txt");
    QVERIFY(w.save_file());
    QCOMPARE(w.currentFilePath, dir.file("show.txt"));
    user.fileAnswer.clear();
    w.open_midi_file();
    QVERIFY(w.currentFilePath.isEmpty());
    QCOMPARE(w.ruleModel->rowCount(), RuleTable::RowCount);
    user.fileRequests.clear();
    user.fileAnswer = dir.file("other.txt");
    QVERIFY(w.save_file());
    QCOMPARE(user.fileRequests.size(), 1);
    QVERIFY(QFile::exists(dir.file("other.txt")));
}

void TestWidgetProject::saveWritesTheLayout()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    readFromBox(w);
    w.remarkModel->item(0)->setText("Blue wash");
    QStringList aliases(1024);
    aliases[11] = "Spot";
    w.aliasDialog->aliases = aliases;
    QVERIFY(w.saveProject(dir.file("show.txt")));
    QCOMPARE(w.send_ini(2), 2);
    const QByteArray stream = w.tableStream;

    QByteArray expected = "[Aliases]\nalias0=Blue wash\n";
    for (int r = 1; r < RuleTable::RowCount; ++r)
        expected += "alias" + QByteArray::number(r) + "=\n";
    expected += stream + "\n" + QByteArray(11, '\n') + "Spot\n" + QByteArray(1012, '\n');
    QCOMPARE(readAll(dir.file("show.txt")), expected);
}

void TestWidgetProject::saveAsNames_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("written");
    QTest::newRow("suffix added") << "show" << "show.txt";
    QTest::newRow("suffix in capitals kept") << "show.TXT" << "show.TXT";
    QTest::newRow("other suffix") << "show.bak" << "show.bak.txt";
}

void TestWidgetProject::saveAsNames()
{
    QFETCH(QString, answer);
    QFETCH(QString, written);
    ScratchDir dir;
    FakeUser user;
    Widget w;
    readFromBox(w);
    user.fileAnswer = dir.file(answer);
    QVERIFY(w.save_As_file());
    QCOMPARE(w.currentFilePath, dir.file(written));
    QVERIFY(QFile::exists(dir.file(written)));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{written});
}

void TestWidgetProject::saveAsAsksBeforeReplacingTheTxtFile_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("OK replaces") << 0 << true;
    QTest::newRow("Cancel keeps the file") << 1 << false;
}

void TestWidgetProject::saveAsAsksBeforeReplacingTheTxtFile()
{
    QFETCH(int, answer);
    QFETCH(bool, replaced);
    ScratchDir dir;
    FakeUser user;
    Widget w;
    readFromBox(w);
    writeFile(dir.file("show.txt"), "someone else's notes");
    user.fileAnswer = dir.file("show");
    user.answers = {answer};
    QCOMPARE(w.save_As_file(), replaced);
    QCOMPARE(user.boxes.first().text, QStringLiteral("show.txt already exists.\nDo you want to replace it?"));
    QCOMPARE(readAll(dir.file("show.txt")) == "someone else's notes", !replaced);
    QCOMPARE(w.currentFilePath, replaced ? dir.file("show.txt") : QString());
}

void TestWidgetProject::saveFileWithoutPathAsksForOne()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    readFromBox(w);
    user.fileAnswer.clear();
    QVERIFY(!w.save_file());
    QCOMPARE(user.fileRequests.size(), 1);
    QVERIFY(user.boxes.isEmpty());
    QVERIFY(w.currentFilePath.isEmpty());

    user.fileAnswer = dir.file("show");
    QVERIFY(w.save_file());
    QCOMPARE(user.fileRequests.size(), 2);
    QVERIFY(w.save_file());
    QCOMPARE(user.fileRequests.size(), 2);
    QCOMPARE(user.texts(), (QStringList{"File has been saved successfully.", "File has been saved successfully."}));
}

void TestWidgetProject::saveRefusedForShortTable()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    user.fileAnswer = dir.file("show.txt");
    QVERIFY(!w.save_As_file());
    QVERIFY(user.fileRequests.isEmpty());
    QCOMPARE(user.texts(), QStringList{"The table has no data. Please fill in the data before saving."});
    QVERIFY(!QFile::exists(dir.file("show.txt")));
}

void TestWidgetProject::saveFailureIsReported()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    readFromBox(w);
    const QString path = dir.file("no such folder/show.txt");
    QVERIFY(!w.saveProject(path));
    QCOMPARE(user.boxes.size(), 1);
    QCOMPARE(user.boxes.first().icon, Messages::Icon::Critical);
    QCOMPARE(user.boxes.first().title, QStringLiteral("Error"));
    QVERIFY2(user.boxes.first().text.startsWith("Cannot save the file: "), qPrintable(user.boxes.first().text));
    QVERIFY(user.boxes.first().text.size() > QStringLiteral("Cannot save the file: ").size());
    QVERIFY(w.tableStream.isEmpty());
}

void TestWidgetProject::failedSaveKeepsTheFormerFile()
{
#ifdef Q_OS_UNIX
    ScratchDir dir;
    FakeUser user;
    Widget w;
    readFromBox(w);
    user.fileAnswer = dir.file("show.txt");
    QVERIFY(w.save_As_file());
    const QByteArray former = readAll(dir.file("show.txt"));
    w.remarkModel->item(0)->setText("changed");

    // The disk "fills up" part-way through the write.
    rlimit old{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &old) == 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
    const bool saved = w.save_file();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!saved);
    QCOMPARE(user.boxes.last().title, QStringLiteral("Error"));
    QCOMPARE(user.boxes.last().text, "Cannot save the file: " + qt_error_string(EFBIG));
    QCOMPARE(readAll(dir.file("show.txt")), former);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"show.txt"});
#else
    QSKIP("needs a file size limit");
#endif
}

void TestWidgetProject::titleShowsUnsavedChanges()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    readFromBox(w);
    QCOMPARE(w.windowTitle(), QStringLiteral("Lumetra"));
    editRemark(w, 0, "Blue wash");
    QCOMPARE(w.windowTitle(), QStringLiteral("Lumetra*"));

    user.fileAnswer = dir.file("show");
    QVERIFY(w.save_As_file());
    QVERIFY(w.editHistory->isClean());
    QCOMPARE(w.windowTitle(), QStringLiteral("show.txt - Lumetra"));
    editRemark(w, 1, "Strobe");
    QCOMPARE(w.windowTitle(), QStringLiteral("show.txt* - Lumetra"));
    w.editHistory->undo();
    QCOMPARE(w.windowTitle(), QStringLiteral("show.txt - Lumetra"));
    w.editHistory->undo();
    QCOMPARE(w.windowTitle(), QStringLiteral("show.txt* - Lumetra"));

    user.answer = 1; // discard
    user.fileAnswer = ProjectFiles + "/project_with_aliases.txt";
    w.open_midi_file();
    QVERIFY(w.editHistory->isClean());
    QCOMPARE(w.windowTitle(), QStringLiteral("project_with_aliases.txt - Lumetra"));
    QTRY_COMPARE(w.ruleModel->rowCount(), RuleTable::RowCount);
    QCOMPARE(w.windowTitle(), QStringLiteral("project_with_aliases.txt - Lumetra"));

    user.answer = 0;
    w.new_table();
    QCOMPARE(w.windowTitle(), QStringLiteral("Lumetra"));
}

void TestWidgetProject::unsavedChangesAreAskedFor_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("choice");
    QTest::addColumn<bool>("proceeds");
    enum { Save, Discard, Cancel };
    for (const char *action : {"exit", "close", "new table", "open"}) {
        QTest::addRow("%s, save", action) << action << int(Save) << true;
        QTest::addRow("%s, discard", action) << action << int(Discard) << true;
        QTest::addRow("%s, cancel", action) << action << int(Cancel) << false;
    }
}

void TestWidgetProject::unsavedChangesAreAskedFor()
{
    QFETCH(QString, action);
    QFETCH(int, choice);
    QFETCH(bool, proceeds);
    ScratchDir dir;
    FakeUser user;
    Widget w;
    w.show();
    readFromBox(w);
    user.fileAnswer = dir.file("show.txt");
    QVERIFY(w.save_As_file());
    editRemark(w, 0, "edited");
    user.boxes.clear();
    user.fileRequests.clear();
    const QString other = ProjectFiles + "/project_without_aliases.txt";
    user.fileAnswer = other;

    bool done = false;
    if (action == "exit") {
        user.answers = {0, choice}; // OK to "Exit software?" first
        w.menuWindow->ui->actionExit->trigger();
        done = !w.isVisible();
    } else if (action == "close") {
        user.answers = {choice};
        w.close();
        done = !w.isVisible();
    } else if (action == "new table") {
        user.answers = {choice};
        w.new_table();
        done = w.currentFilePath.isEmpty() && RuleTable::cellText(w.remarkModel, 0, 0).isEmpty();
    } else {
        user.answers = {choice};
        w.open_midi_file();
        done = w.currentFilePath == other;
    }
    QCOMPARE(done, proceeds);

    const Messages::Box &question = user.boxes.at(action == "exit" ? 1 : 0);
    QCOMPARE(question.title, QStringLiteral(" "));
    QCOMPARE(question.text, QStringLiteral("The table has unsaved changes.\nDo you want to save them?"));
    QCOMPARE(question.buttons, (QStringList{"Save", "Discard", "Cancel"}));
    QCOMPARE(question.escapeButton, 2);
    QCOMPARE(question.icon, Messages::Icon::Question);
    QVERIFY(!question.parent);
    // Save does not ask for a name again: the table has its file.
    QCOMPARE(user.fileRequests.size(), action == "open" && proceeds ? 1 : 0);
    const bool saved = readAll(dir.file("show.txt")).contains("\nalias0=edited\n");
    QCOMPARE(saved, choice == 0);
    if (!proceeds) {
        QVERIFY(!w.editHistory->isClean());
        QCOMPARE(w.windowTitle(), QStringLiteral("show.txt* - Lumetra"));
    }
}

void TestWidgetProject::failedSaveKeepsTheChanges()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    w.show();
    readFromBox(w);
    editRemark(w, 0, "edited");
    user.answers = {0}; // Save, then the save dialog is cancelled
    w.new_table();
    QCOMPARE(RuleTable::cellText(w.remarkModel, 0, 0), QStringLiteral("edited"));
    QCOMPARE(user.fileRequests.size(), 1);

    w.currentFilePath = dir.file("no such folder/show.txt");
    user.boxes.clear();
    user.answers = {0, 0}; // Save; the error's OK
    w.close();
    QVERIFY(w.isVisible());
    QCOMPARE(user.texts().last().left(22), QStringLiteral("Cannot save the file: "));
    QVERIFY(!w.editHistory->isClean());
}

void TestWidgetProject::nothingToAskWhenClean()
{
    ScratchDir dir;
    FakeUser user;
    Widget w;
    w.show();
    readFromBox(w);
    editRemark(w, 0, "edited");
    user.fileAnswer = dir.file("show.txt");
    QVERIFY(w.save_file());
    user.boxes.clear();
    user.fileAnswer = ProjectFiles + "/project_with_aliases.txt";
    w.open_midi_file();
    QVERIFY(user.boxes.isEmpty());
    QTRY_COMPARE(w.ruleModel->rowCount(), RuleTable::RowCount);
    w.close();
    QVERIFY(user.boxes.isEmpty());
    QVERIFY(!w.isVisible());
}

QTEST_MAIN(TestWidgetProject)
#include "tst_widget_project.moc"
