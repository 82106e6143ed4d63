#ifndef KVLOGGING_H
#define KVLOGGING_H

#include <QLoggingCategory>

// "kv.device": operations; every line starts with the qualified operation name.
// "kv.frames": raw frames in hex. Both are quiet unless switched on with QT_LOGGING_RULES,
// for example QT_LOGGING_RULES="kv.device.debug=true;kv.frames.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcKvDevice)
Q_DECLARE_LOGGING_CATEGORY(lcKvFrames)

#endif // KVLOGGING_H
