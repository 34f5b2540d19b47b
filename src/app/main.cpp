#include "ptybox.h"
#include "serialport.h"
#include "widget.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDebug>
#include <QPalette>

#include <memory>

namespace {

// A box in software on a pseudo-terminal, listed beside real boxes, for trying Lumetra
// without hardware. It answers at the real line rate.
std::unique_ptr<PtyBox> startSimulatedBox(Widget &window)
{
    auto box = std::make_unique<PtyBox>();
    box->setPaced(true);
    if (!box->start()) {
        qDebug() << "the simulated box could not open a pseudo-terminal";
        return nullptr;
    }
    window.serialPort->addFixedDevice(QString::fromLatin1(PtyBox::ProductName), box->portName());
    return box;
}

} // namespace

int main(int argc, char *argv[])
{
    // Menus belong inside our window, also where the desktop has a global menu bar.
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication app(argc, argv);

    QCommandLineParser parser;
    const QCommandLineOption simulatedBox(QStringLiteral("simulated-box"),
                                          QStringLiteral("List a simulated ZKQ-1024 to connect to."));
    parser.addOption(simulatedBox);
    // Anything else on the command line is left to the toolkit and otherwise ignored.
    parser.parse(app.arguments());

    std::unique_ptr<PtyBox> box;
    Widget window;
    if (parser.isSet(simulatedBox))
        box = startSimulatedBox(window);
    window.setPalette(QPalette(QColor(0x4F, 0x4F, 0x4F)));
    window.setAutoFillBackground(true);
    window.show();
    return app.exec();
}
