#ifndef KVHOST_EXITCODES_H
#define KVHOST_EXITCODES_H

// Distinct exit codes, so scripts can tell what went wrong.
enum ExitCode {
    ExitOk = 0,
    ExitUsage = 2,           // bad command line or unknown command
    ExitPlugin = 3,          // plug-in not found, not loadable or not a device plug-in
    ExitUnreachable = 4,     // the device could not be connected
    ExitConnectionLost = 5,  // the link dropped during the operation
    ExitRefused = 6,         // the device refused a write
    ExitPlotFile = 7,        // plot file missing or unreadable
    ExitUnknownKey = 8,      // no record of that key on the device
    ExitTimeout = 9,         // the device did not answer in time
    ExitInterrupted = 130    // stopped by Ctrl-C
};

#endif // KVHOST_EXITCODES_H
