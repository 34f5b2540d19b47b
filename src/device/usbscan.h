// The USB bus scan: product strings of the connected USB devices, read through libusb.
#pragma once

#include <QMap>
#include <QPair>
#include <QString>

// (product id, vendor id) -> USB product string.
using UsbProducts = QMap<QPair<quint16, quint16>, QString>;

// Every USB device whose product string can be read and contains `name` (case-sensitive),
// or every readable device when `all` is non-zero. Devices that cannot be opened (often the
// case for a normal user on Linux) are left out; the device list falls back on what the
// system reports for their serial ports.
UsbProducts ListDevices(const char *name, int all);
