#ifndef SERVICETOOL_CMYCOMMANDREPORT_H
#define SERVICETOOL_CMYCOMMANDREPORT_H

// What the command line says on standard error, every line starting with "servicetool: ":
// failures always; progress and results unless quiet (one line rewritten in place on a
// terminal, a line every ten percent otherwise); when verbose, every line sent and received
// instead of the progress.

#include "servicetool/cmycommandargs.h"

#include <QByteArray>
#include <QString>

namespace servicetool {

class cMyCommandReport
{
public:
    static void setVerbosity(cMyCommandArgs::Verbosity verbosity);
    static void failure(const QString &text);
    static void note(const QString &text);
    static void progress(const QString &step, int done, int total);
    // `direction` '>' for a line sent, '<' for one received.
    static void line(char direction, const QByteArray &bytes);
    // A file name as messages show it: control characters escaped ("\n", "\x1b"), so that a
    // name cannot break or forge the lines around it.
    static QString shownName(const QString &name);
};

} // namespace servicetool

#endif
