// The plug-in as a host sees it: found and loaded by QPluginLoader, cast to the device interface
// through its interface id, used only through virtual calls and the meta-object system.
#include "kvdeviceinterface.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

class tst_PluginLoad : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void metadata();
    void rootAnswersTheInterfaceCast();
    void rootIsOnePerProcessUntilDeleted();
    void initInstanceMakesIndependentDevices();
    void devicePropertiesAreReachableThroughTheMetaObject();
    void enumsAreRegisteredByQualifiedName_data();
    void enumsAreRegisteredByQualifiedName();

private:
    QPluginLoader *loader = nullptr;
};

static QString pluginPath()
{
    return qEnvironmentVariable("KV_PLUGIN_PATH");
}

void tst_PluginLoad::init()
{
    loader = new QPluginLoader(pluginPath());
    QVERIFY2(loader->load(), qPrintable(loader->errorString()));
}

void tst_PluginLoad::cleanup()
{
    // As a host ends with the plug-in: unloading deletes the root object and closes the library.
    loader->unload();
    delete loader;
    loader = nullptr;
}

void tst_PluginLoad::metadata()
{
    const QJsonObject meta = loader->metaData();
    QCOMPARE(meta.value(QLatin1String("IID")).toString(),
             QStringLiteral("org.qt-project.Qt.QGenericPluginFactoryInterface"));
    QCOMPARE(meta.value(QLatin1String("className")).toString(), QStringLiteral("KVRV520MAXCam"));
    const QJsonObject user = meta.value(QLatin1String("MetaData")).toObject();
    QCOMPARE(user.keys(), QStringList{QStringLiteral("Keys")});
    QCOMPARE(user.value(QLatin1String("Keys")).toArray(), QJsonArray());
}

void tst_PluginLoad::rootAnswersTheInterfaceCast()
{
    QObject *root = loader->instance();
    QVERIFY(root);
    QCOMPARE(root->metaObject()->className(), "KVRV520MAXCam");
    QVERIFY(root->inherits("KVCommonInterface"));
    QVERIFY(root->inherits("KVDeviceInterface"));
    QVERIFY(root->qt_metacast(KVDeviceInterface_iid));
    KVDeviceInterface *iface = qobject_cast<KVDeviceInterface *>(root);
    QVERIFY(iface);
    QCOMPARE(static_cast<QObject *>(iface), root);
    QCOMPARE(iface->icon(), 58918);
    QVERIFY(!root->parent());
}

void tst_PluginLoad::rootIsOnePerProcessUntilDeleted()
{
    QPointer<QObject> first = loader->instance();
    QVERIFY(first);
    QCOMPARE(loader->instance(), first.data());
    QPluginLoader second(pluginPath());
    QCOMPARE(second.instance(), first.data());

    delete first.data();
    QVERIFY(first.isNull());
    QObject *renewed = loader->instance();
    QVERIFY(renewed);
    QVERIFY(qobject_cast<KVDeviceInterface *>(renewed));
}

void tst_PluginLoad::initInstanceMakesIndependentDevices()
{
    auto *iface = qobject_cast<KVDeviceInterface *>(loader->instance());
    QVERIFY(iface);
    KVDeviceInterface *a = iface->initInstance();
    KVDeviceInterface *b = iface->initInstance();
    QVERIFY(a && b);
    QVERIFY(a != b);
    QVERIFY(a != iface && b != iface);
    QVERIFY(!a->parent() && !b->parent());
    QCOMPARE(a->metaObject()->className(), "KVRV520MAXCam");

    QObject *statusA = a->property("STATUS").value<QObject *>();
    QObject *statusB = b->property("STATUS").value<QObject *>();
    QVERIFY(statusA && statusB);
    QVERIFY(statusA != statusB);

    QPointer<QObject> watched = statusA;
    delete a;
    QVERIFY(watched.isNull());
    QCOMPARE(statusB->property("value").toInt(), 0);
    delete b;
}

void tst_PluginLoad::devicePropertiesAreReachableThroughTheMetaObject()
{
    auto *iface = qobject_cast<KVDeviceInterface *>(loader->instance());
    KVDeviceInterface *device = iface->initInstance();
    QObject *speed = device->property("SPEED").value<QObject *>();
    QVERIFY(speed);
    QCOMPARE(speed->metaObject()->className(), "KVDeviceProperty");
    QSignalSpy changed(speed, SIGNAL(valueChanged()));
    QVERIFY(speed->setProperty("value", 300u));
    QCOMPARE(speed->property("value").toUInt(), 300u);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(device->userProperty().size(), 5);
    QCOMPARE(device->sysProperty().size(), 5);
    delete device;
}

void tst_PluginLoad::enumsAreRegisteredByQualifiedName_data()
{
    QTest::addColumn<QByteArray>("typeName");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<int>("value");
    QTest::newRow("status") << QByteArray("KVDeviceInterface::KVDeviceStatus") << QByteArray("DisConnected") << 0;
    QTest::newRow("status error") << QByteArray("KVDeviceInterface::KVDeviceStatus") << QByteArray("Error") << 5;
    QTest::newRow("message") << QByteArray("KVDeviceInterface::KVDeviceMessage") << QByteArray("DevTasK") << 1;
    QTest::newRow("qr") << QByteArray("KVDeviceInterface::KVDeviceMessage") << QByteArray("Qrcode") << 2;
    QTest::newRow("cmd type") << QByteArray("KVDeviceInterface::KVDeviceCMDType") << QByteArray("QRPLT") << 6;
}

void tst_PluginLoad::enumsAreRegisteredByQualifiedName()
{
    QFETCH(QByteArray, typeName);
    QFETCH(QByteArray, key);
    QFETCH(int, value);
    QObject *root = loader->instance();
    const QMetaObject *meta = root->metaObject();
    const QByteArray enumName = typeName.mid(typeName.indexOf("::") + 2);
    const int index = meta->indexOfEnumerator(enumName.constData());
    QVERIFY(index >= 0);
    QCOMPARE(meta->enumerator(index).keyToValue(key.constData()), value);
    QVERIFY(QMetaType::fromName(typeName).isValid());
}

QTEST_GUILESS_MAIN(tst_PluginLoad)
#include "tst_pluginload.moc"
