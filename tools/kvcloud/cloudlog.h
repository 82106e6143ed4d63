#ifndef KVCLOUDLOG_H
#define KVCLOUDLOG_H

#include <QLoggingCategory>

// "kvcloud": every request, answer and channel message of the local cloud service. Quiet unless
// switched on (kvcloud -v, or QT_LOGGING_RULES="kvcloud.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcKvCloud)

#endif // KVCLOUDLOG_H
