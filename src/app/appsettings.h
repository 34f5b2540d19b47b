// The application settings file "./config.ini", read afresh on every use.
#pragma once

namespace AppSettings {

bool autoUpdates();                  // default true
void setAutoUpdates(bool on);
int selectedActionIndex();           // default 0
void setSelectedActionIndex(int index);

} // namespace AppSettings
