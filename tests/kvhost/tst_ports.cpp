// kvhost run as an unprivileged user against the simulator's pseudo-terminal, which the test (as
// root) gives the owner, group and mode of a plotter's device file: each verdict with its
// diagnosis, through "--usb" and through "ports".
#include "simulator.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// A serial port is locked with a file in /var/lock named after it. A process killed while it had
// a pseudo-terminal open leaves its lock behind; the pty's number comes round again, and user
// nobody, who may not remove root's file there, would be refused the port as if by its mode.
// Root takes such a stale lock away first (and waits for a live one to go).
void breakStaleLock(QString pty)
{
    QLockFile lock(QStringLiteral("/var/lock/LCK..") + pty.remove(QStringLiteral("/dev/")).replace(QLatin1Char('/'), QLatin1Char('_')));
    if (lock.tryLock(5000))
        lock.unlock();
}
} // namespace

class tst_Ports : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void diagnosis_data();
    void diagnosis();

private:
    // kvhost as user nobody; the event loop serves the simulator meanwhile.
    int runAsNobody(const QStringList &arguments, QString *output);

    QStringList m_asNobody;
};

int tst_Ports::runAsNobody(const QStringList &arguments, QString *output)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QSignalSpy finished(&process, &QProcess::finished);
    process.start(QStringLiteral("setpriv"), m_asNobody + arguments);
    if (!finished.wait(30000))
        process.kill();
    *output = QString::fromUtf8(process.readAll());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

void tst_Ports::initTestCase()
{
    const struct passwd *nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || !nobody)
        QSKIP("needs root, and a user nobody to run kvhost as");
    m_asNobody = {QStringLiteral("--reuid=%1").arg(nobody->pw_uid), QStringLiteral("--regid=%1").arg(nobody->pw_gid),
                  QStringLiteral("--clear-groups"), QStringLiteral("--"), qEnvironmentVariable("KVHOST")};
    QString output;
    if (runAsNobody({QStringLiteral("--help")}, &output) != 0)
        QSKIP(qPrintable(QStringLiteral("user nobody cannot run kvhost from this tree: %1").arg(output)));
}

void tst_Ports::diagnosis_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("expected"); // @pty stands for the pseudo-terminal's path

    const QString rootOnly = QStringLiteral("User nobody may not open @pty: it belongs to user root and group root with "
                                            "mode 0600 (crw-------), and user nobody is in the groups nogroup.");
    const QString joinDialout = QStringLiteral("Join the group dialout with \"sudo usermod -aG dialout nobody\", then log "
                                               "out and in again: a new login is needed before the group counts.");
    QTest::newRow("root only: --usb") << "root" << 0600 << QStringList{"--usb", "@pty", "info"} << 12
                                      << QStringList{"cannot reach USB @pty: USB ERROR.", rootOnly, "KERNEL==\"@kernel\", GROUP=\"dialout\", MODE=\"0660\"", joinDialout};
    QTest::newRow("root only: ports") << "root" << 0600 << QStringList{"ports", "@pty"} << 0
                                      << QStringList{"Problem: " + rootOnly, "Remedy: Only root may open it.", "    " + joinDialout};
    QTest::newRow("group: --usb") << "dialout" << 0660 << QStringList{"--usb", "@pty", "info"} << 12
                                  << QStringList{"group dialout with mode 0660 (crw-rw----)", joinDialout};
    QTest::newRow("group: ports --json") << "dialout" << 0660 << QStringList{"--json", "ports", "@pty"} << 0
                                         << QStringList{"\"problem\": \"not-in-group\"", "\"mode\": \"0660\"", "\"user\": \"nobody\""};
    QTest::newRow("readable: --usb") << "root" << 0666 << QStringList{"--usb", "@pty", "get", "FIRMWARE"} << 0
                                     << QStringList{"(FIRMWARE): V2.3.1-sim"};
    QTest::newRow("readable: ports --probe") << "root" << 0666 << QStringList{"ports", "--probe", "@pty"} << 0
                                             << QStringList{"  Access: this user may open it.\n  Machine information:\n", "(FIRMWARE): V2.3.1-sim"};
}

void tst_Ports::diagnosis()
{
    QFETCH(QString, group);
    QFETCH(int, mode);
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, expected);

    KvSimulator simulator(583);
    QVERIFY(simulator.openPty());
    const QString pty = simulator.ptyPath();
    const struct group *owningGroup = ::getgrnam(group.toLatin1().constData());
    QVERIFY2(owningGroup, qPrintable(group));
    QCOMPARE(::chown(pty.toLocal8Bit().constData(), 0, owningGroup->gr_gid), 0);
    QCOMPARE(::chmod(pty.toLocal8Bit().constData(), mode), 0);
    arguments.replaceInStrings(QStringLiteral("@pty"), pty);
    breakStaleLock(pty);

    QString output;
    QCOMPARE(runAsNobody(arguments, &output), exitCode);
    for (QString text : expected) {
        text.replace(QStringLiteral("@pty"), pty).replace(QStringLiteral("@kernel"), pty.mid(5));
        QVERIFY2(output.contains(text), qPrintable(QStringLiteral("%1\nnot in:\n%2").arg(text, output)));
    }
}

QTEST_GUILESS_MAIN(tst_Ports)
#include "tst_ports.moc"
