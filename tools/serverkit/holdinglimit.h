#ifndef KVHOLDINGLIMIT_H
#define KVHOLDINGLIMIT_H

#include <QHash>
#include <QtGlobal>

// What the connections of a server may hold together (bytes received and not yet done with).
// Every connection may hold up to `each` bytes out of a shared pool of `pool` bytes; beyond
// that, one connection at a time may hold up to `largest` (a plotter accepts one large plot at
// a time, and must accept it). A connection that would hold more than it may is refused, and the
// server drops what it holds.
class KvHoldingLimit
{
public:
    KvHoldingLimit(qsizetype pool, qsizetype each, qsizetype largest = 0);

    // Records that `holder` now holds `bytes`; false, and nothing recorded, when it may not.
    bool hold(const void *holder, qsizetype bytes);
    void release(const void *holder);

    qsizetype each() const { return m_each; }
    qsizetype largest() const { return qMax(m_each, m_largest); }

private:
    qsizetype m_pool;
    qsizetype m_each;
    qsizetype m_largest;
    qsizetype m_poolUsed = 0;
    const void *m_largeHolder = nullptr;
    QHash<const void *, qsizetype> m_held;
};

#endif // KVHOLDINGLIMIT_H
