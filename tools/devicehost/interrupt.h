#ifndef KVHOST_INTERRUPT_H
#define KVHOST_INTERRUPT_H

#include <QObject>

class QSocketNotifier;

// Turns SIGINT, SIGTERM and SIGHUP into a Qt signal delivered by the event loop.
class Interrupt : public QObject
{
    Q_OBJECT
public:
    explicit Interrupt(QObject *parent = nullptr);
    ~Interrupt() override;
    bool happened() const { return m_happened; }

Q_SIGNALS:
    void requested();

private:
    void readPipe();
    QSocketNotifier *m_notifier = nullptr;
    bool m_happened = false;
};

#endif // KVHOST_INTERRUPT_H
