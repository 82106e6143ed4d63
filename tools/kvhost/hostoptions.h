#ifndef KVHOST_HOSTOPTIONS_H
#define KVHOST_HOSTOPTIONS_H

#include <QString>
#include <QStringList>

// The command line of kvhost.
struct HostOptions
{
    // "--lang xx_YY" must be in the environment before Qt reads the system locale.
    static void applyLanguageBeforeStartup(int argc, char *argv[]);

    bool parse(const QStringList &arguments);
    QString errorText() const { return error; }

    QString pluginPath;
    int family = 583;
    bool json = false;
    QString command = QStringLiteral("list");
    QStringList commandArguments;

private:
    QString error;
};

#endif // KVHOST_HOSTOPTIONS_H
