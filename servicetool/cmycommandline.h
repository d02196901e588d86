#ifndef SERVICETOOL_CMYCOMMANDLINE_H
#define SERVICETOOL_CMYCOMMANDLINE_H

// The command-line mode for service benches: steps run in the order given (read an area into a
// file, write a file into an area and read it back, compare, the single commands) through the
// same link as the window, stopping at the first that fails, with progress on standard error
// and an exit status that says how it went. Every file is checked and every output opened
// before the port opens.

#include <QStringList>

namespace servicetool {

class cMyCommandLine
{
public:
    enum ExitStatus {
        Success = 0,
        TransactionFailed = 1, // a wrong reply, none in time, busy too long, the port failed, or a
        // read-back that differs
        BadArguments = 2,
        PortUnavailable = 3, // the port does not open, or no device to choose
        FileFailed = 4,      // a file to write is refused or unreadable, or the output cannot be written
        // Stopped by SIGINT, SIGTERM or SIGHUP: the program ends by that signal (run() does not
        // return where there are such signals).
        Interrupted = 5,
    };

    // True when the arguments ask for the command-line mode: any "--" option, any single-letter
    // option of the command line (-h, -o, -p, -q), or -?.
    // The window takes no arguments of its own (Qt's single-dash options still reach it).
    static bool wanted(const QStringList &arguments);
    // Runs the whole mode (a QCoreApplication must exist); arguments with the program name.
    static int run(const QStringList &arguments);
};

} // namespace servicetool

#endif
