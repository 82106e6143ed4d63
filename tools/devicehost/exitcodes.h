#ifndef KVHOST_EXITCODES_H
#define KVHOST_EXITCODES_H

#include <QCoreApplication>
#include <QString>

// Distinct exit codes, so scripts can tell what went wrong.
enum ExitCode {
    ExitOk = 0,
    ExitUsage = 2,           // bad command line, unknown command, or a value the record cannot take
    ExitPlugin = 3,          // plug-in not found, not loadable or not a device plug-in
    ExitUnreachable = 4,     // the device could not be connected
    ExitConnectionLost = 5,  // the link dropped during the operation
    ExitRefused = 6,         // the device refused a write
    ExitPlotFile = 7,        // plot file missing or unreadable
    ExitUnknownKey = 8,      // no record of that key on the device
    ExitTimeout = 9,         // the device did not answer in time
    ExitBusy = 10,           // the plotter is busy with another job
    ExitCloud = 11,          // the cloud service failed or did not take what was sent
    ExitPermission = 12,     // this user may not open the USB device file
    ExitNotReachable = 13,   // the record cannot be read or written that way (no command, or an
                             // answer that cannot be matched to it)
    ExitInterrupted = 130    // stopped by Ctrl-C, SIGTERM or SIGHUP
};

// The worse of two outcomes, for commands that go on after a failure: the device failing
// outweighs a key the user asked for that cannot be served.
inline int worseExit(int a, int b)
{
    const auto rank = [](int code) {
        switch (code) {
        case ExitOk: return 0;
        case ExitNotReachable: return 1;
        case ExitUnknownKey: return 2;
        case ExitUsage: return 3;
        case ExitRefused: return 4;
        case ExitTimeout: return 5;
        default: return 6;
        }
    };
    return rank(b) > rank(a) ? b : a;
}

// For --help: what each code means.
inline QString exitCodeHelp()
{
    return QCoreApplication::translate(
        "ExitCodes",
        "Exit codes: 0 done, 2 usage or a value the record cannot take, 3 plug-in not found or not\n"
        "loadable, 4 device unreachable, 5 connection lost, 6 write refused, 7 plot file missing or\n"
        "unreadable, 8 unknown key, 9 no answer in time, 10 plotter busy with another job, 11 cloud\n"
        "service failed, 12 no permission to open the USB device file, 13 record cannot be read or\n"
        "written that way, 130 interrupted.");
}

#endif // KVHOST_EXITCODES_H
