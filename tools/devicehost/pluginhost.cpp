#include "pluginhost.h"

#include "kvcommoninterface.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <link.h>

static const char pluginFile[] = "libKVRV520MAXCam.so";

// The plug-in library this program is linked with, wherever the dynamic linker found it: in a
// Debian installation that is the multiarch folder (/usr/lib/x86_64-linux-gnu/...so.1).
static QString linkedPlugin()
{
    QString found;
    dl_iterate_phdr(
        [](struct dl_phdr_info *info, size_t, void *result) {
            const QString path = QFile::decodeName(info->dlpi_name);
            if (!QFileInfo(path).fileName().startsWith(QLatin1String(pluginFile)))
                return 0;
            *static_cast<QString *>(result) = path;
            return 1;
        },
        &found);
    return found;
}

QStringList PluginHost::candidatePaths()
{
    QStringList paths;
    const QString fromEnvironment = qEnvironmentVariable("KV_PLUGIN_PATH");
    if (!fromEnvironment.isEmpty())
        paths << fromEnvironment;
    const QDir appDir(QCoreApplication::applicationDirPath());
    paths << appDir.filePath(QLatin1String(pluginFile))
          << appDir.filePath(QStringLiteral("../lib/") + QLatin1String(pluginFile));
    const QString linked = linkedPlugin();
    if (!linked.isEmpty())
        paths << linked;
    return paths;
}

bool PluginHost::load(const QString &explicitPath)
{
    if (!explicitPath.isEmpty())
        return loadFrom(explicitPath);
    const QStringList paths = candidatePaths();
    for (const QString &path : paths) {
        if (QFileInfo::exists(path))
            return loadFrom(path);
    }
    m_error = tr("plug-in not found; looked in: %1 (set KV_PLUGIN_PATH or --plugin)")
                  .arg(paths.join(QLatin1String(", ")));
    return false;
}

bool PluginHost::loadFrom(const QString &path)
{
    if (!QFileInfo::exists(path)) {
        m_error = tr("plug-in not found: %1").arg(path);
        return false;
    }
    m_loader.setFileName(QFileInfo(path).absoluteFilePath());
    QObject *instance = m_loader.instance();
    if (!instance) {
        m_error = tr("cannot load plug-in %1: %2").arg(path, m_loader.errorString());
        return false;
    }
    m_root = qobject_cast<KVDeviceInterface *>(instance);
    if (!m_root) {
        m_error = tr("%1 is a Qt plug-in but not a device plug-in (%2)")
                      .arg(path, QLatin1String(KVDeviceInterface_iid));
        return false;
    }
    return true;
}

// The common family's factory builds the base catalogue only; a plotter of that family also
// has its machine information and every optional group of its dialect.
static void completeFamily261(KVCommonInterface *builder, KVDeviceInterface *device)
{
    builder->info_261(device);
    builder->camera_offset_261(device);
    builder->feed_261(device);
    builder->scale_261(device);
    builder->sp1_261(device);
    builder->sp2_261(device);
    builder->tool_space_261(device);
    builder->work_area_261(device);
    builder->move_261(device);
}

KVDeviceInterface *PluginHost::createDevice(int family) const
{
    if (!m_root)
        return nullptr;
    if (family != 261)
        return m_root->initInstance();
    // The common family's factory is not virtual-dispatched from the model's root.
    auto *common = qobject_cast<KVCommonInterface *>(m_root);
    if (!common)
        return nullptr;
    KVDeviceInterface *device = common->KVCommonInterface::initInstance();
    completeFamily261(common, device);
    return device;
}
