#ifndef USBOPERATE_H
#define USBOPERATE_H

#include "kvdeviceinterface.h"

#include <QByteArray>
#include <QObject>
#include <QString>

// USB transport of a device object. The path names a device file: a serial device (USB serial
// adapter, CDC-ACM device, pseudo-terminal) or another character device such as a USB
// printer-class device. Opening never blocks the caller; the outcome arrives as statusChanged.
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
    ~UsbOperate() override;

    // Opens `path` (closing any earlier connection first). `flag` is accepted and unused.
    void usbConnect(QString path, ConnectionMode mode, bool flag);
    // Writes the text's UTF-8 bytes completely.
    void send(QString data);
    void close();
    bool isOpen() const;

Q_SIGNALS:
    void statusChanged(int status);
    void readData(QByteArray data);
    void writeData(QByteArray data);

private:
    class Private;
    Private *d = nullptr;
};

#endif // USBOPERATE_H
