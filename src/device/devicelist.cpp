#include "devicelist.h"

namespace DeviceList {

namespace {

QString productOf(const Port &port, const UsbProducts &scan, const QString &brand)
{
    if (port.usb) {
        const auto found = scan.constFind({port.productId, port.vendorId});
        if (found != scan.constEnd())
            return found.value();
    }
    if (port.product.isEmpty() || !port.product.contains(brand))
        return QString();
    return port.product;
}

} // namespace

Changes update(const UsbProducts &scan, const QList<Port> &ports, const QStringList &existing,
               const QString &brand, const QStringList &kept)
{
    Changes changes;
    QStringList seen;
    for (const Port &port : ports) {
        const QString product = productOf(port, scan, brand);
        if (product.isEmpty())
            continue;
        if (!existing.contains(product) && !seen.contains(product))
            changes.append << Item{product, port.name};
        seen << product;
    }
    for (const QString &text : existing) {
        if (!seen.contains(text) && !kept.contains(text) && !changes.remove.contains(text))
            changes.remove << text;
    }
    return changes;
}

} // namespace DeviceList
