#ifndef KVHOST_HOSTOPTIONS_H
#define KVHOST_HOSTOPTIONS_H

#include "devicelink.h"

#include <QString>
#include <QStringList>

// The command line of kvhost.
struct HostOptions
{
    bool parse(const QStringList &arguments);
    QString errorText() const { return error; }
    bool needsDevice() const { return command != QLatin1String("list"); }

    QString pluginPath;
    int family = 583;
    bool json = false;
    LinkTarget target;
    bool simulate = false;
    bool cloud = false;
    double timeScale = 1.0;
    int timeoutMs = 5000;
    int copies = 1;
    bool qrCode = false;
    QString command;
    QStringList commandArguments;

private:
    bool checkCommand();
    QString error;
};

#endif // KVHOST_HOSTOPTIONS_H
