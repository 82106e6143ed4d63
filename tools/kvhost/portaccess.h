#ifndef KVHOST_PORTACCESS_H
#define KVHOST_PORTACCESS_H

#include "ports.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QString>
#include <QStringList>

class QTextStream;

// Whether this user may open a device file for reading and writing, and when not, why (owner,
// group, mode, the user's groups) and what to do about it.
class PortAccess
{
    Q_DECLARE_TR_FUNCTIONS(PortAccess)

public:
    enum Verdict {
        MayOpen,
        Missing,       // no such file
        NotInGroup,    // the group may open it; the user is not in that group
        NeedsNewLogin, // the user joined the group after this login began
        RootOnly,      // neither the group nor others may open it
        Refused        // the mode allows it, something else refuses (ACL, security module)
    };

    static PortAccess check(const PortInfo &port);
    // For a USB path the plug-in could not open: prints the diagnosis to `err` when permissions
    // are the cause, and tells whether they were.
    static bool explainRefusal(const QString &path, QTextStream &err);

    Verdict verdict() const { return m_verdict; }
    bool mayOpen() const { return m_verdict == MayOpen; }
    bool isRefused() const { return m_verdict != MayOpen && m_verdict != Missing; }
    // Why it may not be opened, and what to do: sentences for a person; empty when it may.
    QString reason() const;
    QString remedy() const;
    QJsonObject toJson() const;

private:
    QString problemName() const;
    QString modeText() const;
    QString joinGroupHint(const QString &group) const;
    QString udevRemedy() const;
    QString groupForRule() const;

    PortInfo m_port;
    Verdict m_verdict = Missing;
    QString m_owner;
    QString m_group;
    unsigned m_mode = 0;
    QString m_user;
    QStringList m_sessionGroups;  // the groups of this process
    QStringList m_memberGroups;   // the groups the group database gives the user
    QString m_systemError;
};

#endif // KVHOST_PORTACCESS_H
