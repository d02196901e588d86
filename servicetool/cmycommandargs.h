#ifndef SERVICETOOL_CMYCOMMANDARGS_H
#define SERVICETOOL_CMYCOMMANDARGS_H

// The command line's arguments: the steps to run, in the order given, each with its own
// arguments (the ones that follow it), and the options that hold for all of them.

#include "servicetool/cmyservicelink.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace servicetool {

struct cMyCommandStep
{
    enum Action { Read, Write, Verify, Reset, Boot, Root };
    Action action = Root;
    QString name;     // as messages name it: "--read EEPROM"
    QString areaLine; // "#EEPROM"
    quint32 address = 0;
    quint32 count = 0;
    QString file; // the file a write or verify reads, the output of a read ("-": standard input/output)
};

struct cMyCommandArgs
{
    static constexpr int kGoOn = -1;
    enum Verbosity { Quiet, Normal, Verbose };

    QList<cMyCommandStep> steps;
    QString port;
    quint32 timeout = cMyServiceLink::kDefaultReplyTimeoutMs;
    quint32 recordLength = 16;
    bool verify = true;
    Verbosity verbosity = Normal;

    // The single-letter options, with their dash: "-h", "-p", ...
    static QStringList shortOptions();

    // From the arguments, the program's name first: kGoOn, or the exit status to end with (after
    // the help or the version, or a message on what is wrong).
    int parse(const QStringList &arguments);
};

} // namespace servicetool

#endif
