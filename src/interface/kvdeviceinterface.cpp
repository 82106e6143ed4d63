#include "kvdeviceinterface.h"

#include "attach.h"
#include "kvdeviceproperty.h"

#include <QCoreApplication>
#include <QDate>
#include <QLocale>

// The enums travel in QVariants and queued signals, and records are held as pointers in dynamic
// properties: register them by name as soon as the library is loaded.
static void registerDeviceMetaTypes()
{
    qRegisterMetaType<KVDeviceInterface::KVDeviceStatus>("KVDeviceInterface::KVDeviceStatus");
    qRegisterMetaType<KVDeviceInterface::KVDeviceMessage>("KVDeviceInterface::KVDeviceMessage");
    qRegisterMetaType<KVDeviceInterface::KVDeviceCMDType>("KVDeviceInterface::KVDeviceCMDType");
    qRegisterMetaType<KVDeviceProperty>("KVDeviceProperty");
    qRegisterMetaType<KVDeviceProperty *>("KVDeviceProperty*");
}
Q_CONSTRUCTOR_FUNCTION(registerDeviceMetaTypes)

KVDeviceInterface::KVDeviceInterface(QObject *parent)
    : QObject(parent)
{
}

KVDeviceInterface::~KVDeviceInterface()
{
    KVAttach::releaseAll(this);
}

QString KVDeviceInterface::buildDate()
{
    return formatBuildDate(QStringLiteral(__DATE__));
}

QString KVDeviceInterface::formatBuildDate(const QString &compilerDate)
{
    const QLocale english(QLocale::English);
    const QString format = QStringLiteral("yyyy - MM - dd");
    const QString text = english.toDate(compilerDate, QStringLiteral("MMM dd yyyy")).toString(format);
    if (!text.isEmpty())
        return text;
    // Days below 10 are padded with a space by the compiler.
    return english.toDate(compilerDate, QStringLiteral("MMM  d yyyy")).toString(format);
}

static KVDeviceProperty *linkRecord(const QString &value, const QString &label)
{
    auto *record = new KVDeviceProperty;
    record->init(value, label, QString(), 0, 0, 0, KVDeviceInterface::UnCMD);
    return record;
}

KVDeviceInterface *KVDeviceInterface::initInstance() { return nullptr; }

void KVDeviceInterface::setUSBPath(QString path)
{
    KVAttach::toDevice(this, "USB", linkRecord(tr("USB"), path));
}

void KVDeviceInterface::setIPAddress(QString address)
{
    KVAttach::toDevice(this, "TCP", linkRecord(tr("TCP"), address));
}

bool KVDeviceInterface::connectDevice() { return false; }
KVDeviceProperty *KVDeviceInterface::property_ptr(const char *) { return nullptr; }
QList<QString> KVDeviceInterface::userProperty() { return {}; }
QList<QString> KVDeviceInterface::sysProperty() { return {}; }
void KVDeviceInterface::sendCMD(QByteArray) {}
void KVDeviceInterface::setPivenaCloud(PivenaCloud *, QString) {}
void KVDeviceInterface::startTask() {}
void KVDeviceInterface::stopTask() {}
void KVDeviceInterface::move(int, int) {}
int KVDeviceInterface::icon() { return 0; }

void KVDeviceInterface::setPlt(QString plt)
{
    KVDeviceProperty *record = property_ptr("TASK_PPLT");
    if (!record)
        record = property_ptr("TASK_PLT");
    if (record)
        record->setValue(QVariant(plt));
}
