#ifndef FAULTSUPPORT_H
#define FAULTSUPPORT_H

#include "simulator.h"

#include "kvdeviceproperty.h"
#include "kvrv520maxcam.h"

#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

#include <memory>

// A device object as a host holds one, and the ways the tests talk to it.
struct HostDevice
{
    explicit HostDevice(int family)
    {
        device.reset(family == 583 ? root.initInstance() : root.KVCommonInterface::initInstance());
        messages = std::make_unique<QSignalSpy>(device.get(), &KVDeviceInterface::message);
    }

    KVDeviceProperty *record(const char *key) { return device->property_ptr(key); }
    int status() { return record("STATUS")->value().toInt(); }

    // Connects over TCP and waits for the link report; true when the link is up.
    bool connectTcp(quint16 port)
    {
        device->setIPAddress(QStringLiteral("127.0.0.1"));
        record("TCP_PORT")->setValue(int(port));
        return device->connectDevice() && waitForStatus(2);
    }
    bool connectUsb(const QString &path)
    {
        device->setUSBPath(path);
        return device->connectDevice() && waitForStatus(2);
    }
    bool waitForStatus(int wanted, int timeoutMs = 5000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (status() != wanted && !deadline.hasExpired())
            QTest::qWait(5);
        return status() == wanted;
    }

    // Sends the read (or write) frame of `key` and waits for the device's answer; the answer's
    // result (0 accepted), or -1 when none came in time.
    int exchange(const char *key, bool write = false, int timeoutMs = 2000)
    {
        KVDeviceProperty *target = record(key);
        QSignalSpy answered(target, &KVDeviceProperty::retStatus);
        device->sendCMD(write ? target->set_cmd_bytes() : target->get_cmd_bytes());
        if (!answered.wait(timeoutMs))
            return -1;
        return answered.first().first().toInt();
    }

    QJsonObject task() { return record("TASK")->value().toJsonObject(); }
    bool sawMessage(const QString &text) const
    {
        for (const QList<QVariant> &message : *messages) {
            if (message.at(1).toString() == text)
                return true;
        }
        return false;
    }

    KVRV520MAXCam root;
    std::unique_ptr<KVDeviceInterface> device;
    std::unique_ptr<QSignalSpy> messages;
};

#endif // FAULTSUPPORT_H
