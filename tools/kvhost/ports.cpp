#include "ports.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>

namespace {

PortInfo serialPort(const QSerialPortInfo &serial)
{
    PortInfo port;
    port.path = serial.systemLocation();
    port.kind = PortInfo::Serial;
    port.description = serial.description();
    port.manufacturer = serial.manufacturer();
    port.serialNumber = serial.serialNumber();
    if (serial.hasVendorIdentifier() && serial.hasProductIdentifier()) {
        port.vendorId = serial.vendorIdentifier();
        port.productId = serial.productIdentifier();
    }
    return port;
}

QString sysfsText(const QDir &folder, const char *attribute)
{
    QFile file(folder.filePath(QLatin1String(attribute)));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll()).trimmed();
}

// /sys/class/usbmisc/lpN/device is the printer interface; its parent is the USB device, which
// carries the identifiers and the strings the device reports.
PortInfo usbPrinter(const QString &name)
{
    PortInfo port;
    port.path = QStringLiteral("/dev/usb/") + name;
    port.kind = PortInfo::UsbPrinter;
    const QString interfacePath =
        QFileInfo(QStringLiteral("/sys/class/usbmisc/%1/device").arg(name)).canonicalFilePath();
    if (interfacePath.isEmpty())
        return port;
    const QDir device(QFileInfo(interfacePath).path());
    bool vendorOk = false;
    bool productOk = false;
    const int vendor = sysfsText(device, "idVendor").toInt(&vendorOk, 16);
    const int product = sysfsText(device, "idProduct").toInt(&productOk, 16);
    if (vendorOk && productOk) {
        port.vendorId = vendor;
        port.productId = product;
    }
    port.description = sysfsText(device, "product");
    port.manufacturer = sysfsText(device, "manufacturer");
    port.serialNumber = sysfsText(device, "serial");
    return port;
}

} // namespace

QString PortInfo::kindName() const
{
    switch (kind) {
    case Serial:
        return QStringLiteral("serial");
    case UsbPrinter:
        return QStringLiteral("usb-printer");
    default:
        return QStringLiteral("device");
    }
}

QString PortInfo::usbId() const
{
    if (vendorId < 0 || productId < 0)
        return QString();
    return QStringLiteral("%1:%2").arg(vendorId, 4, 16, QLatin1Char('0')).arg(productId, 4, 16, QLatin1Char('0'));
}

QList<PortInfo> Ports::available()
{
    QList<PortInfo> ports;
    const QList<QSerialPortInfo> serialPorts = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &serial : serialPorts)
        ports << serialPort(serial);
    const QStringList printers =
        QDir(QStringLiteral("/dev/usb")).entryList({QStringLiteral("lp*")}, QDir::System | QDir::Files, QDir::Name);
    for (const QString &name : printers)
        ports << usbPrinter(name);
    return ports;
}

PortInfo Ports::identify(const QString &path)
{
    const QString target = QFileInfo(path).canonicalFilePath();
    const QList<PortInfo> ports = available();
    for (PortInfo port : ports) {
        if (!target.isEmpty() && QFileInfo(port.path).canonicalFilePath() == target) {
            port.path = path;
            return port;
        }
    }
    PortInfo named;
    named.path = path;
    return named;
}
