#ifndef KVHOST_ERRORLOG_H
#define KVHOST_ERRORLOG_H

#include <QIODevice>
#include <QStringList>

// Standard error, remembering what kvhost said went wrong (its lines that begin "kvhost: "), so
// that with --json a failed run can end with the reason on standard output as well.
class ErrorLog : public QIODevice
{
public:
    ErrorLog();
    QStringList complaints() const { return m_complaints; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    QByteArray m_line;
    QStringList m_complaints;
};

#endif // KVHOST_ERRORLOG_H
