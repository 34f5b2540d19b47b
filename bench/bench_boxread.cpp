// Times a "Read" over a pseudo-terminal against the simulated box: paced at 115200 baud as a
// ratio to the line time of the table stream, and unpaced as the program's own share.
#include "benchsupport.h"
#include "messages.h"
#include "ptybox.h"
#include "ruletable.h"
#include "serialport.h"
#include "tablestream.h"
#include "widget.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTextStream>

#include <functional>

namespace {

// 10 bits on the line per byte at 115200 baud.
constexpr double LineSeconds = TableStream::Size * 10.0 / 115200.0;

bool waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

QByteArray fullRecords()
{
    QByteArray records;
    for (int k = 0; k < TableStream::RecordCount; ++k)
        records += QByteArray::fromHex("903C001C05050500");
    return records;
}

// Median seconds from pressing "Read" (answered OK at once) to the full table on screen.
double medianReadSeconds(Widget &window, int runs)
{
    auto *read = window.findChild<QPushButton *>(QStringLiteral("pushButton"));
    return medianMs(runs, [] {}, [&] {
        read->click();
        if (!waitFor([&] { return window.ruleModel->rowCount() == RuleTable::RowCount; }, 20000))
            qFatal("the simulated box did not send its table");
    }) / 1000.0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QTextStream out(stdout);
    Messages::setBoxAnswerer([](const Messages::Box &) { return 0; });

    PtyBox box;
    if (!box.start()) {
        out << "no pseudo-terminal: read benchmark skipped\n";
        return 1;
    }
    box.protocol().setRecords(fullRecords());

    Widget window;
    window.show();
    const QString name = QString::fromLatin1(PtyBox::ProductName);
    window.serialPort->addFixedDevice(name, box.portName());
    auto *list = window.findChild<QComboBox *>(QStringLiteral("comboBox_ComDevices"));
    list->setCurrentIndex(list->findText(name));
    window.findChild<QPushButton *>(QStringLiteral("connectButton"))->click();
    if (!waitFor([&] { return window.ruleModel->rowCount() == RuleTable::RowCount; }, 20000)) {
        out << "the simulated box did not answer\n";
        return 1;
    }

    const double unpaced = medianReadSeconds(window, 9);
    box.setPaced(true);
    const double paced = medianReadSeconds(window, 3);

    out << "read over pty at 115200 baud: " << paced << " s = " << paced / LineSeconds
        << " x the line time of " << LineSeconds << " s (target <= 1.05)\n";
    out << "read over pty, box unpaced (the program's own share, the box's included): " << unpaced * 1000
        << " ms (target < 100)\n";
    return 0;
}
