// lumetra-boxsim: runs one simulated ZKQ-1024 and prints the serial port to open.
#include "ptybox.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lumetra-boxsim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulated ZKQ-1024 converter box on a pseudo-terminal. "
                       "Prints \"PORT <path>\", then runs until killed."));
    parser.addHelpOption();
    const QCommandLineOption paced(QStringLiteral("paced"),
                                   QStringLiteral("Send at the 115200-baud line rate."));
    const QCommandLineOption upgrade(QStringLiteral("upgrade-mode"),
                                     QStringLiteral("Start in firmware upgrade mode."));
    const QCommandLineOption silent(QStringLiteral("silent"), QStringLiteral("Never answer."));
    parser.addOptions({paced, upgrade, silent});
    parser.process(app);

    PtyBox box;
    box.setPaced(parser.isSet(paced));
    box.setSilent(parser.isSet(silent));
    box.protocol().setUpgradeMode(parser.isSet(upgrade));
    if (!box.start()) {
        std::fprintf(stderr, "lumetra-boxsim: cannot open a pseudo-terminal\n");
        return 1;
    }

    QTextStream err(stderr);
    QObject::connect(&box, &PtyBox::tableStored, &app, [&err] { err << "table stored" << Qt::endl; });
    QObject::connect(&box, &PtyBox::settingApplied, &app, [&err](int id, int value) {
        err << "setting " << id << " = " << value << Qt::endl;
    });
    QObject::connect(&box, &PtyBox::imageChunk, &app,
                     [&err](int total) { err << "image " << total << " bytes" << Qt::endl; });

    QTextStream(stdout) << "PORT " << box.portName() << Qt::endl;
    return app.exec();
}
