#include "appsettings.h"

#include <QSettings>

namespace {

// Relative on purpose: the file belongs to the working directory the program runs in.
QSettings settingsFile()
{
    return QSettings(QStringLiteral("./config.ini"), QSettings::IniFormat);
}

} // namespace

namespace AppSettings {

bool autoUpdates()
{
    return settingsFile().value(QStringLiteral("autoUpdates"), true).toBool();
}

void setAutoUpdates(bool on)
{
    settingsFile().setValue(QStringLiteral("autoUpdates"), on);
}

int selectedActionIndex()
{
    return settingsFile().value(QStringLiteral("selectedActionIndex"), 0).toInt();
}

void setSelectedActionIndex(int index)
{
    settingsFile().setValue(QStringLiteral("selectedActionIndex"), index);
}

} // namespace AppSettings
