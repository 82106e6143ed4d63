// The smallest host: load the plug-in, cast its root to the device interface, make devices.
#include <kvdevice/kvdeviceinterface.h>
#include <kvdevice/kvdeviceproperty.h>
#include <kvdevice/kvrv520maxcam.h>

#include <QCoreApplication>
#include <QPluginLoader>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);

    QPluginLoader loader(QStringLiteral(KV_PLUGIN_FILE));
    auto *root = qobject_cast<KVDeviceInterface *>(loader.instance());
    if (!root) {
        out << "cannot load the plug-in: " << loader.errorString() << '\n';
        return 1;
    }
    KVDeviceInterface *first = root->initInstance();
    KVDeviceInterface *second = root->initInstance();
    KVDeviceProperty *model = first->property_ptr("DEVICE_MODEL");
    out << "root " << root->metaObject()->className() << ", model "
        << (model ? model->value().toString() : QStringLiteral("?")) << ", independent "
        << (first->property_ptr("STATUS") != second->property_ptr("STATUS") ? "yes" : "no") << ", "
        << qobject_cast<KVRV520MAXCam *>(first)->userProperty().size() << " user settings\n";
    delete first;
    delete second;
    return 0;
}
