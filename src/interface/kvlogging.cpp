#include "kvlogging.h"

Q_LOGGING_CATEGORY(lcKvDevice, "kv.device", QtWarningMsg)
Q_LOGGING_CATEGORY(lcKvFrames, "kv.frames", QtWarningMsg)
