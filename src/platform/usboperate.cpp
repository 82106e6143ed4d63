#include "usboperate.h"

class UsbOperate::Private
{
};

UsbOperate::UsbOperate(QObject *parent)
    : QObject(parent)
{
}

UsbOperate::~UsbOperate() = default;

void UsbOperate::usbConnect(QString, ConnectionMode, bool)
{
    Q_EMIT statusChanged(Failed);
}

void UsbOperate::send(QString) {}
void UsbOperate::close() {}
bool UsbOperate::isOpen() const { return false; }
