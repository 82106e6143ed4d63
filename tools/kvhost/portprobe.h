#ifndef KVHOST_PORTPROBE_H
#define KVHOST_PORTPROBE_H

#include <QCoreApplication>
#include <QList>
#include <QString>

class PluginHost;

// Opens a port through the plug-in, as --usb does, and reads the machine information, waiting
// at most a short time for each answer.
class PortProbe
{
    Q_DECLARE_TR_FUNCTIONS(PortProbe)

public:
    struct Record
    {
        QString key;
        QString label;
        QString value;
        QString unit;
    };
    struct Result
    {
        bool answered = false;
        QString problem; // why nothing was read, when nothing was
        QList<Record> records;
    };

    PortProbe(const PluginHost &host, int family, int timeoutMs);
    Result read(const QString &path) const;

private:
    const PluginHost &m_host;
    int m_family;
    int m_timeoutMs;
};

#endif // KVHOST_PORTPROBE_H
