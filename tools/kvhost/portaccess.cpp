#include "portaccess.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QTextStream>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString groupName(gid_t gid)
{
    const struct group *entry = ::getgrgid(gid);
    return entry ? QString::fromLocal8Bit(entry->gr_name) : QString::number(gid);
}

QString userName(uid_t uid)
{
    const struct passwd *entry = ::getpwuid(uid);
    return entry ? QString::fromLocal8Bit(entry->pw_name) : QString::number(uid);
}

QStringList groupNames(const QList<gid_t> &gids)
{
    QStringList names;
    for (gid_t gid : gids) {
        const QString name = groupName(gid);
        if (!names.contains(name))
            names << name;
    }
    return names;
}

QStringList sessionGroups()
{
    QList<gid_t> gids{::getegid()};
    const int count = ::getgroups(0, nullptr);
    if (count > 0) {
        QList<gid_t> supplementary(count);
        supplementary.resize(qMax(0, ::getgroups(count, supplementary.data())));
        gids << supplementary;
    }
    return groupNames(gids);
}

QStringList memberGroups(uid_t uid)
{
    const struct passwd *entry = ::getpwuid(uid);
    if (!entry)
        return {};
    int count = 64;
    QList<gid_t> gids(count);
    if (::getgrouplist(entry->pw_name, entry->pw_gid, gids.data(), &count) < 0) {
        gids.resize(count);
        ::getgrouplist(entry->pw_name, entry->pw_gid, gids.data(), &count);
    }
    gids.resize(count);
    return groupNames(gids);
}

// "crw-rw----" from the file type and permission bits.
QString permissionString(mode_t mode)
{
    QString text = S_ISCHR(mode) ? QStringLiteral("c") : S_ISDIR(mode) ? QStringLiteral("d") : QStringLiteral("-");
    const char letters[] = "rwxrwxrwx";
    for (int bit = 0; bit < 9; ++bit)
        text += (mode & (0400 >> bit)) ? QLatin1Char(letters[bit]) : QLatin1Char('-');
    return text;
}

PortAccess::Verdict verdictFor(const struct stat &info, bool inSession, bool inDatabase)
{
    const bool ownerMay = (info.st_mode & S_IRUSR) && (info.st_mode & S_IWUSR);
    const bool groupMay = (info.st_mode & S_IRGRP) && (info.st_mode & S_IWGRP);
    const bool othersMay = (info.st_mode & S_IROTH) && (info.st_mode & S_IWOTH);
    // The system judges by the first class the user falls in: owner, group, others. When that
    // class's bits allow it, something beyond the mode refuses.
    if (info.st_uid == ::geteuid())
        return ownerMay ? PortAccess::Refused : PortAccess::RootOnly;
    if (inSession)
        return groupMay ? PortAccess::Refused : PortAccess::RootOnly;
    if (othersMay)
        return PortAccess::Refused;
    if (groupMay && info.st_gid != 0)
        return inDatabase ? PortAccess::NeedsNewLogin : PortAccess::NotInGroup;
    return PortAccess::RootOnly;
}

} // namespace

PortAccess PortAccess::check(const PortInfo &port)
{
    PortAccess access;
    access.m_port = port;
    access.m_user = userName(::geteuid());
    access.m_sessionGroups = sessionGroups();
    access.m_memberGroups = memberGroups(::geteuid());
    const QByteArray native = QFile::encodeName(port.path);
    struct stat info;
    if (::stat(native.constData(), &info) != 0) {
        access.m_systemError = QString::fromLocal8Bit(std::strerror(errno));
        access.m_verdict = errno == ENOENT || errno == ENOTDIR ? Missing : Refused;
        return access;
    }
    access.m_owner = userName(info.st_uid);
    access.m_group = groupName(info.st_gid);
    access.m_mode = info.st_mode;
    if (::faccessat(AT_FDCWD, native.constData(), R_OK | W_OK, AT_EACCESS) == 0) {
        access.m_verdict = MayOpen;
        return access;
    }
    access.m_systemError = QString::fromLocal8Bit(std::strerror(errno));
    access.m_verdict = verdictFor(info, access.m_sessionGroups.contains(access.m_group),
                                  access.m_memberGroups.contains(access.m_group));
    return access;
}

bool PortAccess::explainRefusal(const QString &path, QTextStream &err)
{
    const PortAccess access = check(Ports::identify(path));
    if (!access.isRefused())
        return false;
    err << "kvhost: " << access.reason() << '\n' << access.remedy() << '\n';
    return true;
}

QString PortAccess::modeText() const
{
    return QStringLiteral("%1").arg(m_mode & 07777, 4, 8, QLatin1Char('0'));
}

QString PortAccess::reason() const
{
    switch (m_verdict) {
    case MayOpen:
        return QString();
    case Missing:
        return tr("%1 does not exist.").arg(m_port.path);
    default:
        if (m_owner.isEmpty())
            return tr("%1 cannot be examined: %2.").arg(m_port.path, m_systemError);
        return tr("User %1 may not open %2: it belongs to user %3 and group %4 with mode %5 (%6), "
                  "and user %1 is in the groups %7.")
            .arg(m_user, m_port.path, m_owner, m_group, modeText(), permissionString(m_mode),
                 m_sessionGroups.join(QLatin1String(", ")));
    }
}

QString PortAccess::joinGroupHint(const QString &group) const
{
    return tr("Join the group %1 with \"sudo usermod -aG %1 %2\", then log out and in again: "
              "a new login is needed before the group counts.").arg(group, m_user);
}

QString PortAccess::remedy() const
{
    switch (m_verdict) {
    case MayOpen:
        return QString();
    case Missing:
        return tr("Is the plotter plugged in and switched on? USB serial adapters appear as /dev/ttyUSB*, "
                  "CDC-ACM devices as /dev/ttyACM*, printer-class devices as /dev/usb/lp*; "
                  "\"kvhost ports\" lists those present.");
    case NotInGroup:
        return joinGroupHint(m_group);
    case NeedsNewLogin:
        return tr("User %1 is in the group %2 now, but this login began before that: log out and in "
                  "again, or run \"newgrp %2\" in this shell.").arg(m_user, m_group);
    case RootOnly:
        return udevRemedy();
    case Refused:
        break;
    }
    return tr("Its mode does not stand in the way, yet the system refuses (%1): look at its access "
              "control list (getfacl %2) and at security modules such as AppArmor or SELinux.")
        .arg(m_systemError, m_port.path);
}

QString PortAccess::groupForRule() const
{
    const bool printer = m_port.kind == PortInfo::UsbPrinter || m_port.path.startsWith(QLatin1String("/dev/usb/lp"));
    return printer ? QStringLiteral("lp") : QStringLiteral("dialout");
}

// Only root may open the device: a udev rule gives it to a group when it appears.
QString PortAccess::udevRemedy() const
{
    const QString group = groupForRule();
    QString match;
    if (!m_port.usbId().isEmpty()) {
        const QString subsystem = m_port.kind == PortInfo::UsbPrinter ? QStringLiteral("usbmisc") : QStringLiteral("tty");
        match = QStringLiteral("SUBSYSTEM==\"%1\", ATTRS{idVendor}==\"%2\", ATTRS{idProduct}==\"%3\"")
                    .arg(subsystem, m_port.usbId().section(QLatin1Char(':'), 0, 0), m_port.usbId().section(QLatin1Char(':'), 1));
    } else {
        const QString device = QFileInfo(m_port.path).canonicalFilePath();
        const QString kernelName = device.startsWith(QLatin1String("/dev/")) ? device.mid(5) : device;
        match = QStringLiteral("KERNEL==\"%1\"").arg(kernelName);
    }
    const QString rule = QStringLiteral("%1, GROUP=\"%2\", MODE=\"0660\"").arg(match, group);
    QString text = tr("Only root may open it. A udev rule gives it to the group %1 whenever it appears; "
                      "put this line into /etc/udev/rules.d/70-kvrv520maxcam.rules:\n    %2\n"
                      "then run \"sudo udevadm control --reload-rules && sudo udevadm trigger\" and plug "
                      "the plotter in again.").arg(group, rule);
    if (!m_memberGroups.contains(group))
        text += QLatin1Char('\n') + joinGroupHint(group);
    return text;
}

QString PortAccess::problemName() const
{
    static const char *const names[] = {"none", "missing", "not-in-group", "needs-new-login", "root-only", "refused"};
    return QLatin1String(names[m_verdict]);
}

QJsonObject PortAccess::toJson() const
{
    QJsonObject json{{QStringLiteral("may_open"), mayOpen()},
                     {QStringLiteral("problem"), problemName()},
                     {QStringLiteral("user"), m_user},
                     {QStringLiteral("groups"), QJsonArray::fromStringList(m_sessionGroups)}};
    if (!m_owner.isEmpty()) {
        json.insert(QStringLiteral("owner"), m_owner);
        json.insert(QStringLiteral("group"), m_group);
        json.insert(QStringLiteral("mode"), modeText());
    }
    if (!mayOpen()) {
        json.insert(QStringLiteral("reason"), reason());
        json.insert(QStringLiteral("remedy"), remedy());
    }
    return json;
}
