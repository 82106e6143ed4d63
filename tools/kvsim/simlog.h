#ifndef KVSIMLOG_H
#define KVSIMLOG_H

#include <QLoggingCategory>

// "kvsim": what the simulator receives, sends and does. Quiet unless switched on (kvsim -v, or
// QT_LOGGING_RULES="kvsim.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcKvSim)

#endif // KVSIMLOG_H
