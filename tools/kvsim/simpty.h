#ifndef KVSIMPTY_H
#define KVSIMPTY_H

#include "descriptorio.h"

#include <QByteArray>
#include <QObject>
#include <QString>

// The plotter's end of a pseudo-terminal: the simulator holds the master, a client opens the
// slave path as it would open a USB serial device. The line is raw (no echo, no line editing,
// no translation of bytes). The simulator also keeps the slave open itself, so that a client
// closing and reopening the path is no hang-up for the master.
class KvSimPty : public QObject
{
    Q_OBJECT
public:
    explicit KvSimPty(QObject *parent = nullptr);
    ~KvSimPty() override;

    // Creates a new pseudo-terminal; false with a reason when the system refuses one.
    bool open(QString *error = nullptr);
    bool isOpen() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }

    // Queues bytes for the client; they are written as the line takes them.
    void write(const QByteArray &bytes);
    // Hangs the line up: the client reads end of line and sees its device go away.
    void hangUp();

Q_SIGNALS:
    void received(QByteArray bytes);

private:
    void readMaster();
    void writeMaster();

    int m_master = -1;
    int m_slaveKeeper = -1;
    QString m_slavePath;
    KVDescriptorIO::Watch m_watch;
    QByteArray m_unwritten;
    qsizetype m_written = 0; // bytes of m_unwritten already on the line
};

#endif // KVSIMPTY_H
