#ifndef KVHOST_PORTS_H
#define KVHOST_PORTS_H

#include <QList>
#include <QString>

// A device file the plotter may be behind, and what the system tells about the USB device.
struct PortInfo
{
    enum Kind { Serial, UsbPrinter, Other };

    QString path; // /dev/ttyACM0, /dev/usb/lp0, or a path the user named
    Kind kind = Other;
    QString description;
    QString manufacturer;
    QString serialNumber;
    int vendorId = -1; // -1: not a USB device, or not known
    int productId = -1;

    // "serial", "usb-printer" or "device": stable words for --json.
    QString kindName() const;
    // "0483:5740", or empty when not known.
    QString usbId() const;
};

// Finding the candidate devices: serial ports as Qt sees them and USB printer-class devices.
namespace Ports {

QList<PortInfo> available();
// What is known about a path the user named: a discovered port when the path leads to one
// (also through a link such as /dev/serial/by-id/...), otherwise just the path.
PortInfo identify(const QString &path);

} // namespace Ports

#endif // KVHOST_PORTS_H
