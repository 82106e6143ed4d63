// The USB transport, as far as the device object's calls fix it.
#ifndef HOST_USBOPERATE_H
#define HOST_USBOPERATE_H

#include <QByteArray>
#include <QObject>
#include <QString>

class Q_DECL_IMPORT UsbOperate : public QObject
{
    Q_OBJECT
public:
    enum ConnectionMode {}; // the device object passes 2
    explicit UsbOperate(QObject *parent = nullptr);
    void usbConnect(QString path, ConnectionMode mode, bool flag);
    void send(QString data);

signals:
    void statusChanged(int status);
    void readData(QByteArray data);
    void writeData(QByteArray data);
};

#endif
