#ifndef USBOPERATE_H
#define USBOPERATE_H

#include "kvdeviceinterface.h"

#include <QByteArray>
#include <QObject>
#include <QString>

// USB transport of a device object. The path names a device file: a serial device (USB serial
// adapter, CDC-ACM device, pseudo-terminal) is opened as a serial port, any other character
// device (a USB printer-class device such as /dev/usb/lp0) or a FIFO is read and written as a
// plain file. Opening never blocks the caller: the outcome arrives later as statusChanged.
class KVDEVICE_EXPORT UsbOperate : public QObject
{
    Q_OBJECT
public:
    enum ConnectionMode {
        SerialPort = 0,      // open as a serial port
        CharacterDevice = 1, // open as a plain character device
        AutoDetect = 2       // serial port when the path is a terminal, character device otherwise
    };
    Q_ENUM(ConnectionMode)

    enum Status { Disconnected = 0, Connected = 1, Failed = 2 };
    Q_ENUM(Status)

    explicit UsbOperate(QObject *parent = nullptr);
    // Closes the device without reporting it: the owner is going away.
    ~UsbOperate() override;

    // Opens `path`, closing any earlier connection first (reported as Disconnected when it was
    // open). Connected or Failed follows from the event loop. `flag` is accepted and unused.
    void usbConnect(QString path, ConnectionMode mode, bool flag);
    // Writes the text's UTF-8 bytes completely, in order; what the device does not take at once
    // is written as it becomes ready. Dropped with a log line while nothing is open.
    void send(QString data);
    // Writes the bytes as they are, after whatever send() or write() handed over before. The
    // transport keeps the QByteArray (shared, not copied) until the device has taken it all, and
    // reports every part it takes with bytesWritten().
    void write(const QByteArray &bytes);
    // Closes the device; reported as Disconnected when it was open.
    void close();
    bool isOpen() const;

Q_SIGNALS:
    // Connected (1) once open, Failed (2) when opening fails, Disconnected (0) when the device
    // goes away (hang-up, unplug, end of data) or is closed.
    void statusChanged(int status);
    // Bytes from the device, as they come.
    void readData(QByteArray data);
    // Bytes handed to the device by send() or write().
    void writeData(QByteArray data);
    // The device took `bytes` more of what send() and write() handed over (never emitted from
    // inside another bytesWritten).
    void bytesWritten(qint64 bytes);

private:
    class Private;
    Private *d = nullptr;
};

#endif // USBOPERATE_H
