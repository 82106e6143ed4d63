#ifndef KVHOST_PLUGINHOST_H
#define KVHOST_PLUGINHOST_H

#include <QCoreApplication>
#include <QPluginLoader>
#include <QString>
#include <QStringList>

class KVDeviceInterface;

// Obtains the plug-in's root object the way a desktop host does: QPluginLoader, then a cast to
// the device interface through its interface id.
class PluginHost
{
    Q_DECLARE_TR_FUNCTIONS(PluginHost)

public:
    // Where the plug-in is looked for when no path is given: $KV_PLUGIN_PATH, then next to the
    // executable (build tree), then ../lib (installation), then the library this program links.
    static QStringList candidatePaths();

    bool load(const QString &explicitPath);
    QString errorString() const { return m_error; }
    QString fileName() const { return m_loader.fileName(); }

    KVDeviceInterface *root() const { return m_root; }
    // A new device object of the model ("583") or of the common family ("261", with the machine
    // information and optional groups such a plotter has); owned by the caller.
    KVDeviceInterface *createDevice(int family) const;

private:
    bool loadFrom(const QString &path);

    QPluginLoader m_loader;
    KVDeviceInterface *m_root = nullptr;
    QString m_error;
};

#endif // KVHOST_PLUGINHOST_H
