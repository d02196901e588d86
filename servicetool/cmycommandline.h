#ifndef SERVICETOOL_CMYCOMMANDLINE_H
#define SERVICETOOL_CMYCOMMANDLINE_H

// The command-line mode for service benches: one transaction per run (read an area into a file,
// write a file into an area, or one of the single commands) through the same link as the
// window, progress on standard error, and an exit status that says how it went.

#include <QStringList>

namespace servicetool {

class cMyCommandLine
{
public:
    enum ExitStatus {
        Success = 0,
        TransactionFailed = 1, // no matching reply in time, or the port failed during the transfer
        BadArguments = 2,
        PortUnavailable = 3,   // the port does not open, or no device to choose
        FileFailed = 4,        // the file to write cannot be read, or the output cannot be saved
    };

    // True when the arguments ask for the command-line mode: any "--" option, -h, -o or -p.
    // The window takes no arguments of its own (Qt's single-dash options still reach it).
    static bool wanted(const QStringList &arguments);
    // Runs the whole mode (a QCoreApplication must exist); arguments with the program name.
    static int run(const QStringList &arguments);
};

} // namespace servicetool

#endif
