#include "idlewatch.h"

KvIdleWatch::KvIdleWatch(Check busy, Action onIdle, QObject *parent)
    : QObject(parent), m_busy(std::move(busy)), m_onIdle(std::move(onIdle))
{
    m_quiet.start();
    connect(&m_timer, &QTimer::timeout, this, &KvIdleWatch::check);
}

void KvIdleWatch::setTimeout(int ms)
{
    m_timeoutMs = ms;
    if (ms <= 0) {
        m_timer.stop();
        return;
    }
    // Checked twice a timeout: a connection is closed between one and one and a half timeouts
    // after its last sign of life.
    m_timer.start(qMax(1, ms / 2));
}

void KvIdleWatch::check()
{
    const qint64 quiet = m_quiet.elapsed();
    if (quiet < m_timeoutMs / 2)
        return;
    if (m_busy && m_busy()) {
        touch();
        return;
    }
    if (quiet >= m_timeoutMs)
        m_onIdle();
    else if (m_nudge)
        m_nudge();
}
