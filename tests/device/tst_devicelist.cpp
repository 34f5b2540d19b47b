#include "devicelist.h"

#include <QTest>

using DeviceList::Item;
using DeviceList::Port;

Q_DECLARE_METATYPE(UsbProducts)
Q_DECLARE_METATYPE(QList<Port>)
Q_DECLARE_METATYPE(QList<Item>)

namespace {

Port usbPort(const QString &name, quint16 pid, quint16 vid, const QString &product = QString())
{
    return {name, true, pid, vid, product};
}

Port plainPort(const QString &name)
{
    return {name, false, 0, 0, QString()};
}

const QString Box = QStringLiteral("Quorvani ZKQ-1024");
const QString OtherBox = QStringLiteral("Quorvani ZKQ-512");

} // namespace

class TestDeviceList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void update_data();
    void update();
};

void TestDeviceList::update_data()
{
    QTest::addColumn<UsbProducts>("scan");
    QTest::addColumn<QList<Port>>("ports");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QStringList>("kept");
    QTest::addColumn<QList<Item>>("append");
    QTest::addColumn<QStringList>("remove");

    const UsbProducts boxScan{{{0x5740, 0x0483}, Box}};

    QTest::newRow("box listed under its product string")
        << boxScan << QList<Port>{plainPort("ttyS0"), usbPort("ttyACM0", 0x5740, 0x0483, "something else")}
        << QStringList() << QStringList() << QList<Item>{{Box, "ttyACM0"}} << QStringList();
    QTest::newRow("adapter without the brand is not listed")
        << boxScan << QList<Port>{usbPort("ttyUSB0", 0x6001, 0x0403, "FT232R USB UART")}
        << QStringList() << QStringList() << QList<Item>() << QStringList();
    QTest::newRow("two identical boxes give one item")
        << boxScan << QList<Port>{usbPort("ttyACM0", 0x5740, 0x0483), usbPort("ttyACM1", 0x5740, 0x0483)}
        << QStringList() << QStringList() << QList<Item>{{Box, "ttyACM0"}} << QStringList();
    QTest::newRow("listed box is neither added again nor removed")
        << boxScan << QList<Port>{usbPort("ttyACM0", 0x5740, 0x0483)}
        << QStringList{Box} << QStringList() << QList<Item>() << QStringList();
    QTest::newRow("unplugged box goes, the others stay where they are")
        << UsbProducts{{{0x5740, 0x0483}, Box}, {{0x5741, 0x0483}, "Quorvani ZKQ-2048"}}
        << QList<Port>{usbPort("ttyACM1", 0x5741, 0x0483), usbPort("ttyACM0", 0x5740, 0x0483)}
        << QStringList{OtherBox, Box, "Quorvani ZKQ-2048"} << QStringList() << QList<Item>()
        << QStringList{OtherBox};
    QTest::newRow("new box is appended at the end")
        << UsbProducts{{{0x5740, 0x0483}, Box}, {{0x5741, 0x0483}, OtherBox}}
        << QList<Port>{usbPort("ttyACM1", 0x5741, 0x0483), usbPort("ttyACM0", 0x5740, 0x0483)}
        << QStringList{Box} << QStringList() << QList<Item>{{OtherBox, "ttyACM1"}} << QStringList();
    QTest::newRow("texts match case-sensitively")
        << boxScan << QList<Port>{usbPort("ttyACM0", 0x5740, 0x0483)}
        << QStringList{"quorvani zkq-1024"} << QStringList() << QList<Item>{{Box, "ttyACM0"}}
        << QStringList{"quorvani zkq-1024"};
    QTest::newRow("unreadable USB device falls back on the system's product string")
        << UsbProducts() << QList<Port>{usbPort("ttyACM0", 0x5740, 0x0483, Box)}
        << QStringList() << QStringList() << QList<Item>{{Box, "ttyACM0"}} << QStringList();
    QTest::newRow("fallback needs the brand too")
        << UsbProducts() << QList<Port>{usbPort("ttyUSB0", 0x6001, 0x0403, "FT232R USB UART")}
        << QStringList() << QStringList() << QList<Item>() << QStringList();
    QTest::newRow("the USB product string wins over the system's")
        << boxScan << QList<Port>{usbPort("ttyACM0", 0x5740, 0x0483, "Quorvani ZKQ 1024")}
        << QStringList() << QStringList() << QList<Item>{{Box, "ttyACM0"}} << QStringList();
    QTest::newRow("kept item survives without a port")
        << UsbProducts() << QList<Port>() << QStringList{"Quorvani ZKQ-1024 (simulated)", Box}
        << QStringList{"Quorvani ZKQ-1024 (simulated)"} << QList<Item>() << QStringList{Box};
}

void TestDeviceList::update()
{
    QFETCH(UsbProducts, scan);
    QFETCH(QList<Port>, ports);
    QFETCH(QStringList, existing);
    QFETCH(QStringList, kept);
    QFETCH(QList<Item>, append);
    QFETCH(QStringList, remove);

    const DeviceList::Changes changes =
        DeviceList::update(scan, ports, existing, QStringLiteral("Quorvani"), kept);
    QCOMPARE(changes.append, append);
    QCOMPARE(changes.remove, remove);
}

QTEST_APPLESS_MAIN(TestDeviceList)
#include "tst_devicelist.moc"
