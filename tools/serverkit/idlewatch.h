#ifndef KVIDLEWATCH_H
#define KVIDLEWATCH_H

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

// Ends a connection that has been idle too long: nothing arrived on it for the timeout and it
// has no work in hand (`busy`, asked only when the time is up). A connection that expects its
// peer to stay quiet can be nudged (a ping) once it has been silent for half the timeout.
class KvIdleWatch : public QObject
{
public:
    using Check = std::function<bool()>;
    using Action = std::function<void()>;

    KvIdleWatch(Check busy, Action onIdle, QObject *parent = nullptr);

    // 0 switches the watch off.
    void setTimeout(int ms);
    void setNudge(Action nudge) { m_nudge = std::move(nudge); }
    // Something arrived.
    void touch() { m_quiet.start(); }

private:
    void check();

    Check m_busy;
    Action m_onIdle;
    Action m_nudge;
    int m_timeoutMs = 0;
    QElapsedTimer m_quiet;
    QTimer m_timer;
};

#endif // KVIDLEWATCH_H
