#include "kvcommoninterface.h"

#include "attach.h"
#include "kvdeviceproperty.h"
#include "kvlogging.h"
#include "sendqueue.h"
#include "sharedtranslator.h"
#include "languagechoice.h"
#include "translationfolders.h"
#include "usboperate.h"

#include <QLocale>
#include <QTcpSocket>
#include <QWebSocket>

KVCommonInterface::KVCommonInterface(QObject *parent)
    : KVDeviceInterface(parent)
{
    systemLanguage();
    connect(&device_timer, &QTimer::timeout, this, &KVCommonInterface::slot_device_timer);
    setup_cloud_retry();
}

KVCommonInterface::~KVCommonInterface()
{
    delete usb_operate;
    usb_operate = nullptr;
    if (tcp_socket) {
        // Closing reports the unconnected state: not to a device object that is going away.
        tcp_socket->disconnect(this);
        tcp_socket->close();
        delete tcp_socket;
        tcp_socket = nullptr;
    }
    if (web_socket) {
        // The host may drop the device from a slot that the socket's own signal called: the
        // socket goes once control is back in the event loop.
        web_socket->disconnect(this);
        web_socket->abort();
        web_socket->deleteLater();
        web_socket = nullptr;
    }
    KVAttach::releaseAll(this);
    receive_buffer.clear();
}

void KVCommonInterface::systemLanguage()
{
    language = KVLanguageChoice::forLocale(QLocale::system().name());
    if (language == QLatin1String("zh_CN"))
        language.clear(); // the source texts are Simplified Chinese
}

void KVCommonInterface::installTranslation()
{
    const QString file = QStringLiteral("KV-RV520MAXCam_%1.qm").arg(language);
    translator = KVSharedTranslator::acquire(
        file, KVTranslationFolders::all(KVTranslationFolders::Holder::Library, QStringLiteral(KV_TRANSLATIONS_FROM_LIBRARY)));
}

KVDeviceInterface *KVCommonInterface::initInstance()
{
    auto *device = new KVCommonInterface;
    init261(device);
    return device;
}

KVDeviceProperty *KVCommonInterface::property_ptr(const char *key)
{
    return KVDeviceProperty::fromHolder(this, key);
}

QList<QString> KVCommonInterface::userProperty()
{
    // The place after "CAMERA_OFFSET" is filled with it a second time: hosts skip keys they
    // already showed, and a device of this family has no scale group of its own.
    return { QStringLiteral("WORK_MODE"), QStringLiteral("SPEED"), QStringLiteral("PRESSURE"),
             QStringLiteral("CAMERA_OFFSET"), QStringLiteral("CAMERA_OFFSET"),
             QStringLiteral("SP1"), QStringLiteral("SP2") };
}
