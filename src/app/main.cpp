#include "widget.h"

#include <QApplication>
#include <QPalette>

int main(int argc, char *argv[])
{
    // Menus belong inside our window, also where the desktop has a global menu bar.
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    QApplication app(argc, argv);

    Widget window;
    window.setPalette(QPalette(QColor(0x4F, 0x4F, 0x4F)));
    window.setAutoFillBackground(true);
    window.show();
    return app.exec();
}
