#include "linkprobe.h"

#include "devicelink.h"
#include "eventwait.h"

#include <QCoreApplication>
#include <QTcpSocket>

namespace LinkProbe {

namespace {
// The texts of this file, in the catalogues' context "LinkProbe".
struct Texts
{
    Q_DECLARE_TR_FUNCTIONS(LinkProbe)
};
} // namespace

bool tryAgain(const LinkTarget &target, const QDeadlineTimer &deadline, QString *reason)
{
    if (deadline.hasExpired())
        return false;
    QTcpSocket probe;
    bool settled = false;
    QObject::connect(&probe, &QTcpSocket::connected, &probe, [&settled] { settled = true; });
    QObject::connect(&probe, &QTcpSocket::errorOccurred, &probe, [&settled] { settled = true; });
    EventWait wait(int(deadline.remainingTime()));
    wait.wakeOn(&probe, &QTcpSocket::connected);
    wait.wakeOn(&probe, &QTcpSocket::errorOccurred);
    probe.connectToHost(target.address, quint16(target.port));
    if (!wait.until([&settled] { return settled; }))
        return false;
    if (probe.state() == QAbstractSocket::ConnectedState) {
        probe.abort();
        return true;
    }
    switch (probe.error()) {
    case QAbstractSocket::HostNotFoundError:
        *reason = Texts::tr("the host %1 was not found").arg(target.address);
        return false;
    case QAbstractSocket::ConnectionRefusedError:
        *reason = Texts::tr("%1 refused the connection: nothing listens on port %2").arg(target.address).arg(target.port);
        return false;
    case QAbstractSocket::SocketTimeoutError:
        return !deadline.hasExpired();
    default:
        *reason = probe.errorString();
        return false;
    }
}

} // namespace LinkProbe
