#ifndef KVHOST_EVENTWAIT_H
#define KVHOST_EVENTWAIT_H

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <functional>

// Runs the event loop until a condition holds or the time is up. The condition is checked again
// whenever one of the signals given to wakeOn() fires, so nothing polls.
class EventWait
{
public:
    // A negative timeout waits for ever.
    explicit EventWait(int timeoutMs)
        : m_deadline(timeoutMs < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(timeoutMs))
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, &m_loop, &QEventLoop::quit);
    }

    template <typename Sender, typename Signal>
    void wakeOn(const Sender *sender, Signal signal)
    {
        QObject::connect(sender, signal, &m_loop, &QEventLoop::quit);
    }

    // True when `done` holds; false when the time ran out first.
    bool until(const std::function<bool()> &done)
    {
        while (!done()) {
            if (m_deadline.hasExpired())
                return false;
            if (!m_deadline.isForever())
                m_timer.start(int(qMax<qint64>(1, m_deadline.remainingTime())));
            m_loop.exec();
        }
        return true;
    }

private:
    QDeadlineTimer m_deadline;
    QEventLoop m_loop;
    QTimer m_timer;
};

#endif // KVHOST_EVENTWAIT_H
