// Prints medians of saving and opening a full project file (3072 rules, 3072 remarks,
// 1024 aliases), the program's own time without the file dialogs.
#include "aliaseditdialog.h"
#include "benchsupport.h"
#include "messages.h"
#include "ruletable.h"
#include "widget.h"

#include <QApplication>
#include <QFileInfo>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

void fillFullProject(Widget &widget)
{
    RuleTable::fillEmptyRules(widget.ruleModel);
    for (int r = 0; r < RuleTable::RowCount; ++r) {
        const QStringList cells = {QString::number(r + 1), QString::number(r % 1024 + 1), "Note",
                                   QString::number(r % 128), "ALL", "OFF", "5", "5", "OFF", "ON"};
        for (int c = 1; c < RuleTable::ColumnCount; ++c)
            widget.ruleModel->item(r, c)->setText(cells.at(c));
        widget.remarkModel->item(r)->setText(QStringLiteral("Remark of rule %1 = wash").arg(r + 1));
    }
    QStringList aliases;
    for (int i = 0; i < 1024; ++i)
        aliases << QStringLiteral("Fixture %1").arg(i + 1);
    widget.aliasDialog->aliases = aliases;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QTextStream out(stdout);
    // The "saved" notice is answered at once, so only the program's own work is timed;
    // any other box means the run went wrong.
    Messages::setBoxAnswerer([](const Messages::Box &box) -> int {
        if (box.title == QLatin1String("Success"))
            return 0;
        qFatal("benchmark stopped by a message box: %s / %s", qPrintable(box.title), qPrintable(box.text));
    });

    Widget widget;
    widget.show();
    fillFullProject(widget);
    const QString path = dir.filePath(QStringLiteral("show.txt"));

    const double save = medianMs(21, [] {}, [&] { widget.saveProject(path); });
    out << "save full project (" << QFileInfo(path).size() << " bytes): " << save << " ms (target < 30)\n";

    // Two files with different remarks, opened in turn, so that every remark cell changes.
    const QString other = dir.filePath(QStringLiteral("other.txt"));
    for (int r = 0; r < RuleTable::RowCount; ++r)
        widget.remarkModel->item(r)->setText(QStringLiteral("Other remark %1").arg(r));
    widget.saveProject(other);
    int run = 0;
    const double open = medianMs(21, [] {}, [&] {
        widget.openProject(run++ % 2 ? other : path);
        QCoreApplication::sendPostedEvents();
    });
    out << "open full project, rows inserted (view attached): " << open << " ms (target < 30)\n";
    return widget.ruleModel->rowCount() == RuleTable::RowCount ? 0 : 1;
}
