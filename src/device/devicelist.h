// Which boxes the device list shows: the USB scan matched against the system's serial ports.
#pragma once

#include "usbscan.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace DeviceList {

// A serial port as the system reports it.
struct Port
{
    QString name;            // system name, given to the serial port to open it
    bool usb = false;        // the ids below are known
    quint16 productId = 0;
    quint16 vendorId = 0;
    QString product;         // the product string the system reports (udev), may be empty
};

struct Item
{
    QString text;
    QString portName;
    bool operator==(const Item &) const = default;
};

struct Changes
{
    QList<Item> append;      // new items, in port order
    QStringList remove;      // texts of items that are gone
};

// One rescan of the list. A port is shown under the product string the USB scan found for
// its ids; when the scan could not read that device, under the product string the system
// reports for the port, if it contains `brand` (any non-empty string when `brand` is empty).
// Ports of the same product string give one item; items already listed stay where they are;
// the texts in `kept` are never removed.
Changes update(const UsbProducts &scan, const QList<Port> &ports, const QStringList &existing,
               const QString &brand, const QStringList &kept = {});

} // namespace DeviceList
