#ifndef KVPROTOCOLNAMES_H
#define KVPROTOCOLNAMES_H

#include <QLatin1String>

// Reply codes the plug-in acts on: the first comma field of a CCMD reply, or the code of the
// first item of a CMD reply.
namespace KVReplyCode {

constexpr int NoCommand = 0;      // a record without a read or write code; no reply names it
constexpr int CopyDone = 4;       // model firmware: one copy of a multi-copy job is cut
constexpr int QrCodeRead = 11;    // the text of the QR code the camera read
constexpr int TaskState = 27;     // model: pause, resume or stop took effect (state in field 2)
constexpr int CopiesSet = 30;     // copies or repeat acknowledged; logged as it comes
constexpr int QrCodeFile = 55;    // the job file a QR code names
constexpr int TaskProgress = 66;  // progress report of the running job
constexpr int TaskControl = 125;  // dialect 261: pause, resume or stop acknowledged
constexpr int StoppedAtMachine = 1001; // the job was stopped on the machine, whatever the result

// The result field of a CCMD reply: 0 accepted, anything else a refusal.
constexpr int Accepted = 0;

} // namespace KVReplyCode

// The state a TaskState reply carries, and the value of the records "TASK_PAUSE",
// "TASK_RESUME" and "TASK_STOP" that ask for it.
namespace KVTaskState {
constexpr int Paused = 0;
constexpr int Resumed = 1;
constexpr int Stopped = 2;
} // namespace KVTaskState

// Keys of the task record, the JSON value of "TASK".
namespace KVTaskKey {
constexpr QLatin1String Status("Status");         // 0 finished or stopped
constexpr QLatin1String FileName("FileName");
constexpr QLatin1String TaskCopies("TaskCopies"); // copies asked for
constexpr QLatin1String Finished("Finished");     // copies cut
constexpr QLatin1String Percent("Percent");       // 100 when the job ended
} // namespace KVTaskKey

#endif // KVPROTOCOLNAMES_H
