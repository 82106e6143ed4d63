#ifndef KVHOST_PORTSCOMMAND_H
#define KVHOST_PORTSCOMMAND_H

#include "portprobe.h"
#include "ports.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QList>
#include <QTextStream>

class PortAccess;
struct HostOptions;

// "kvhost ports [PATH...]": every candidate device (or the named ones), whether this user may
// open it and, when not, why and what to do; with --probe, the machine information of each
// that may be opened.
class PortsCommand
{
    Q_DECLARE_TR_FUNCTIONS(PortsCommand)

public:
    PortsCommand(const HostOptions &options, QTextStream &out, QTextStream &err);
    int run();

private:
    QList<PortInfo> candidates() const;
    void print(const PortInfo &port, const PortAccess &access, const PortProbe::Result *probe);
    QJsonObject json(const PortInfo &port, const PortAccess &access, const PortProbe::Result *probe) const;

    const HostOptions &m_options;
    QTextStream &m_out;
    QTextStream &m_err;
};

#endif // KVHOST_PORTSCOMMAND_H
