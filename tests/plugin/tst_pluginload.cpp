// The plug-in as a host sees it: found and loaded by QPluginLoader, cast to the device interface
// through its interface id, used only through virtual calls and the meta-object system.
#include "kvdeviceinterface.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <memory>

class tst_PluginLoad : public QObject
{
    Q_OBJECT
private slots:
    void init() { QVERIFY2(loader.load(), qPrintable(loader.errorString())); }
    void cleanup() { loader.unload(); } // as a host ends: deletes the root, closes the library
    void metadata();
    void rootIsTheInterfaceOncePerProcess();
    void initInstanceMakesIndependentDevices();

private:
    QPluginLoader loader{qEnvironmentVariable("KV_PLUGIN_PATH")};
};

void tst_PluginLoad::metadata()
{
    const QJsonObject meta = loader.metaData();
    QCOMPARE(meta.value(QLatin1String("IID")).toString(), QStringLiteral("org.qt-project.Qt.QGenericPluginFactoryInterface"));
    QCOMPARE(meta.value(QLatin1String("className")).toString(), QStringLiteral("KVRV520MAXCam"));
    QCOMPARE(meta.value(QLatin1String("MetaData")).toObject(), (QJsonObject{{QStringLiteral("Keys"), QJsonArray()}}));
}

void tst_PluginLoad::rootIsTheInterfaceOncePerProcess()
{
    QPointer<QObject> root = loader.instance();
    QVERIFY(root && !root->parent());
    QCOMPARE(root->metaObject()->className(), "KVRV520MAXCam");
    QCOMPARE(static_cast<QObject *>(qobject_cast<KVDeviceInterface *>(root)), root.data());
    for (const char *name : {"KVDeviceInterface::KVDeviceStatus", "KVDeviceInterface::KVDeviceMessage",
                             "KVDeviceInterface::KVDeviceCMDType"})
        QVERIFY2(QMetaType::fromName(name).isValid(), name);
    QCOMPARE(root->metaObject()->enumerator(root->metaObject()->indexOfEnumerator("KVDeviceMessage")).key(1), "DevTasK");

    QCOMPARE(QPluginLoader(loader.fileName()).instance(), root.data());
    delete root.data();
    QVERIFY(root.isNull());
    QVERIFY(qobject_cast<KVDeviceInterface *>(loader.instance()));
}

void tst_PluginLoad::initInstanceMakesIndependentDevices()
{
    auto *root = qobject_cast<KVDeviceInterface *>(loader.instance());
    QVERIFY(root);
    std::unique_ptr<KVDeviceInterface> a(root->initInstance());
    std::unique_ptr<KVDeviceInterface> b(root->initInstance());
    QVERIFY(a && b && a != b && a.get() != root && b.get() != root && !a->parent() && !b->parent());
    QCOMPARE(a->metaObject()->className(), "KVRV520MAXCam");

    // Records are reached by key and written through the meta-object, as a host without the
    // record's declaration does.
    QPointer<QObject> statusA = a->property("STATUS").value<QObject *>();
    QObject *statusB = b->property("STATUS").value<QObject *>();
    QVERIFY(statusA && statusB && statusA != statusB);
    QObject *speed = b->property("SPEED").value<QObject *>();
    QSignalSpy changed(speed, SIGNAL(valueChanged()));
    QVERIFY(speed->setProperty("value", 300u));
    QCOMPARE(speed->property("value").toUInt(), 300u);
    QCOMPARE(changed.count(), 1);

    a.reset();
    QVERIFY(statusA.isNull());
    QCOMPARE(statusB->property("value").toInt(), 0);
}

QTEST_GUILESS_MAIN(tst_PluginLoad)
#include "tst_pluginload.moc"
