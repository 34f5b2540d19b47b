// Prints how long the simulated box takes to deliver a whole table to a serial port on its
// pty, paced to the 115200-baud line and unpaced, against the line time of the stream.
#include "ptybox.h"
#include "tablestream.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSerialPort>
#include <QTextStream>
#include <QTimer>

#include <algorithm>

namespace {

struct Transfer
{
    double seconds = -1;
    int blocks = 0;
};

Transfer readTable(bool paced)
{
    PtyBox box;
    if (!box.start())
        return {};
    box.setPaced(paced);
    QSerialPort port;
    port.setPortName(box.portName());
    port.setBaudRate(QSerialPort::Baud115200);
    if (!port.open(QIODevice::ReadWrite))
        return {};

    Transfer transfer;
    QByteArray received;
    QEventLoop loop;
    QElapsedTimer clock;
    QObject::connect(&port, &QSerialPort::readyRead, &loop, [&] {
        received += port.readAll();
        ++transfer.blocks;
        if (received.size() >= TableStream::Size) {
            transfer.seconds = clock.nsecsElapsed() / 1e9;
            loop.quit();
        }
    });
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    clock.start();
    port.write("upload request");
    port.flush();
    loop.exec();
    return transfer;
}

Transfer median(bool paced, int runs)
{
    QList<Transfer> all;
    for (int i = 0; i < runs; ++i)
        all << readTable(paced);
    std::sort(all.begin(), all.end(), [](const Transfer &a, const Transfer &b) { return a.seconds < b.seconds; });
    return all.at(all.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const double lineTime = double(TableStream::Size) / PtyBox::LineBytesPerSecond;
    const Transfer paced = median(true, 3);
    const Transfer unpaced = median(false, 5);
    out << "boxsim table read, " << TableStream::Size << " bytes (median):\n"
        << "  paced:   " << QString::number(paced.seconds, 'f', 3) << " s in " << paced.blocks
        << " reads (line time " << QString::number(lineTime, 'f', 3) << " s, "
        << QString::number(100.0 * paced.seconds / lineTime, 'f', 1) << " %)\n"
        << "  unpaced: " << QString::number(unpaced.seconds * 1000, 'f', 1) << " ms in " << unpaced.blocks
        << " reads\n";
    return paced.seconds < 0 || unpaced.seconds < 0 ? 1 : 0;
}
