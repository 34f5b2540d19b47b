// Prints medians of the rule table's hot paths: decoding and inserting a full stream,
// one controller-sweep tick, and building the stream.
#include "benchsupport.h"
#include "ruletable.h"
#include "tablestream.h"
#include "widget.h"

#include <QApplication>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

QByteArray fullStream()
{
    QStandardItemModel rules;
    RuleTable::fillEmptyRules(&rules);
    for (int r = 0; r < RuleTable::RowCount; ++r) {
        const QStringList cells = {QString::number(r + 1), QString::number(r % 1024 + 1), "Note",
                                   QString::number(r % 128), "ALL", "OFF", "5", "5", "OFF", "ON"};
        for (int c = 1; c < RuleTable::ColumnCount; ++c)
            rules.item(r, c)->setText(cells.at(c));
    }
    RuleTable::sweepControllers(&rules, 2);
    return TableStream::build(RuleTable::encodeRecords(&rules));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    refuseMessageBoxes();
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QTextStream out(stdout);

    Widget widget;
    widget.show();
    const QByteArray stream = fullStream();

    const double read = medianMs(
        15, [&] { widget.ruleModel->removeRows(0, widget.ruleModel->rowCount()); },
        [&] {
            const QList<QByteArray> records = TableStream::split(stream);
            for (int r = 0; r < records.size(); ++r)
                widget.processRow(r, records.at(r));
            QCoreApplication::sendPostedEvents();
        });
    out << "decode + insert 3072 rows (view attached): " << read << " ms (target < 50)\n";

    const double sweep = medianMs(
        51, [] {}, [&] { RuleTable::sweepControllers(widget.ruleModel, widget.cnum); });
    out << "controller sweep tick, full table of named Note rows: " << sweep << " ms (target < 1)\n";

    const double build = medianMs(21, [] {}, [&] { widget.send_ini(2); });
    out << "build stream from full table: " << build << " ms (target < 5)\n";
    return 0;
}
