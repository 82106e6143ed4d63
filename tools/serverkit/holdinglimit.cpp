#include "holdinglimit.h"

KvHoldingLimit::KvHoldingLimit(qsizetype pool, qsizetype each, qsizetype largest)
    : m_pool(pool), m_each(each), m_largest(largest)
{
}

bool KvHoldingLimit::hold(const void *holder, qsizetype bytes)
{
    const qsizetype before = qMin(m_held.value(holder), m_each);
    const qsizetype fromPool = qMin(bytes, m_each);
    const bool large = bytes > m_each;
    if (m_poolUsed - before + fromPool > m_pool)
        return false;
    if (large && (bytes > m_largest || (m_largeHolder && m_largeHolder != holder)))
        return false;
    m_poolUsed += fromPool - before;
    if (large)
        m_largeHolder = holder;
    else if (m_largeHolder == holder)
        m_largeHolder = nullptr;
    if (bytes > 0)
        m_held.insert(holder, bytes);
    else
        m_held.remove(holder);
    return true;
}

void KvHoldingLimit::release(const void *holder)
{
    hold(holder, 0);
}
