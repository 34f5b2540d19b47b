// Prints medians of the editing gestures on a full table in the main window: a drag-fill
// of all 3072 rows including its undo step, its undo, and an empty step (what opening an
// editor costs).
#include "benchsupport.h"
#include "edithistory.h"
#include "mytableview.h"
#include "ruletable.h"
#include "widget.h"

#include <QApplication>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThreadPool>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    refuseMessageBoxes();
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QTextStream out(stdout);

    Widget widget;
    widget.show();
    auto *view = widget.findChild<MyTableView *>(QStringLiteral("tableView"));
    QStandardItemModel *rules = widget.ruleModel;
    const QStringList firstRule = {"1", "1", "Note", "0 / C4", "ALL", "OFF", "5", "5", "OFF", "ON"};

    // Rule changes are forwarded through the thread pool: let each run start with it idle.
    auto settle = [] {
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
    };
    auto freshTable = [&] {
        settle();
        RuleTable::fillEmptyRules(rules);
        for (int c = 1; c < RuleTable::ColumnCount; ++c)
            rules->item(0, c)->setText(firstRule.at(c));
        view->dragStartRow = 0;
        view->dragEndRow = RuleTable::RowCount - 1;
    };
    auto fill = [&] {
        view->copyDataToNewPosition(rules->index(0, RuleTable::Dmx), rules->index(RuleTable::RowCount - 1, RuleTable::Dmx));
    };

    const double filled = medianMs(9, freshTable, fill);
    out << "drag-fill of 3072 rows with its undo step: " << filled << " ms\n";

    const double undone = medianMs(9, [&] { freshTable(); fill(); settle(); }, [&] { widget.editHistory->undo(); });
    out << "undo of that fill: " << undone << " ms\n";

    const double empty = medianMs(21, settle, [&] {
        EditHistory::Step step(widget.editHistory, QStringLiteral("Edit"));
    });
    out << "empty step over the full table (opening an editor): " << empty << " ms\n";
    settle();
    return 0;
}
