#include "servicetool/cmycommandline.h"

#include "device/portdiscovery.h"
#include "servicetool/cmyconsole.h"
#include "servicetool/cmyservicelink.h"
#include "servicetool/cmytextfile.h"

#include <QCommandLineParser>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>

#include <cstdio>

namespace servicetool {

namespace {

const char kExitStatuses[] =
    "\nExit status: 0 done; 1 the device did not answer as it should within the time-out, or the\n"
    "port failed during the transfer; 2 bad arguments; 3 the port cannot be opened, or no device\n"
    "to choose; 4 the file to write cannot be read, or the output cannot be saved.\n";

bool progressLineOpen = false;

void message(const QString &text)
{
    if (progressLineOpen)
        std::fputc('\n', stderr);
    progressLineOpen = false;
    std::fprintf(stderr, "servicetool: %s\n", qPrintable(text));
    std::fflush(stderr);
}

// Decimal or 0x-hexadecimal, within 0..max.
bool toNumber(const QString &text, quint32 max, quint32 *out)
{
    bool ok = false;
    const QString t = text.trimmed();
    const qulonglong v = t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? t.mid(2).toULongLong(&ok, 16)
                                                                               : t.toULongLong(&ok, 10);
    if (!ok || v > max)
        return false;
    *out = quint32(v);
    return true;
}

QString areaLineOf(const QString &name)
{
    static const char *const areas[] = {"FLASH", "EEPROM", "RAM", "ROM", "OTP", "MDID"};
    for (const char *area : areas)
        if (name.compare(QLatin1String(area), Qt::CaseInsensitive) == 0)
            return QLatin1Char('#') + QLatin1String(area);
    return QString();
}

// On a terminal one line rewritten at every percent; otherwise a line every ten percent.
class ProgressReport
{
public:
    void show(int done, int total)
    {
        const int percent = total > 0 ? int(qint64(done) * 100 / total) : 100;
        const int step = m_terminal ? percent : percent / 10;
        if (step == m_lastStep)
            return;
        m_lastStep = step;
        std::fprintf(stderr, "%sservicetool: %3d %% (%d of %d lines)%s", m_terminal ? "\r" : "", percent, done,
                     total, m_terminal ? "" : "\n");
        progressLineOpen = m_terminal;
        std::fflush(stderr);
    }

private:
    bool m_terminal = isTerminal(stderr);
    int m_lastStep = -1;
};

// The port named, or the one Tamira attached.
bool choosePort(QString *port)
{
    if (!port->isEmpty())
        return true;
    QStringList found;
    const auto entries = PortDiscovery::availablePorts();
    for (const SerialPortEntry &e : entries)
        if (e.hasIds && e.vendorId == PortDiscovery::kVendorAtmel && e.productId == PortDiscovery::kProductTamira)
            found << e.portName;
    if (found.size() == 1) {
        *port = found.first();
        return true;
    }
    message(found.isEmpty() ? QStringLiteral("no Tamira found; name its port with --port")
                            : QStringLiteral("several Tamiras found (%1); choose one with --port").arg(found.join(QLatin1String(", "))));
    return false;
}

// One run's transaction, as the arguments give it.
struct Job
{
    cMyServiceLink::Kind kind = cMyServiceLink::RootCommand;
    QString areaLine;
    quint32 address = 0;
    quint32 count = 0;
    quint32 recordLength = 16;
    QString output; // empty or "-": standard output
    QByteArray text;
    QString port;
    quint32 timeout = cMyServiceLink::kDefaultReplyTimeoutMs;
};

constexpr int kGoOn = -1;

// Fills the job from the arguments; kGoOn, or the exit status to end with.
int parse(const QStringList &arguments, Job *job)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Service console for the Tamira. Without options it opens its window; with one of the\n"
        "actions below it runs one transaction and exits:\n"
        "  servicetool [--port PORT] --read AREA ADDRESS COUNT [--record-length L] [-o FILE.hex]\n"
        "  servicetool [--port PORT] --write AREA FILE.hex\n"
        "  servicetool [--port PORT] --reset | --boot | --root\n"
        "AREA is FLASH, EEPROM, RAM, ROM, OTP or MDID; numbers are decimal or 0x hexadecimal."));
    // Qt's own help option would offer --help-all with Qt's options, which do not apply here.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    parser.addOption(help);
    const QCommandLineOption portOption({QStringLiteral("p"), QStringLiteral("port")},
        QStringLiteral("Serial port of the device (default: the one Tamira attached)."), QStringLiteral("PORT"));
    const QCommandLineOption readOption(QStringLiteral("read"),
        QStringLiteral("Read COUNT bytes (0-8000000) of AREA from ADDRESS (0-16777215) as Intel HEX records."),
        QStringLiteral("AREA"));
    const QCommandLineOption lengthOption(QStringLiteral("record-length"),
        QStringLiteral("Data bytes per record of a read, 1-32 (default 16)."), QStringLiteral("L"),
        QStringLiteral("16"));
    const QCommandLineOption outputOption({QStringLiteral("o"), QStringLiteral("output")},
        QStringLiteral("Where a read goes, ended by the end-of-file record (default: standard output)."),
        QStringLiteral("FILE"));
    const QCommandLineOption writeOption(QStringLiteral("write"),
        QStringLiteral("Write the lines of FILE (Intel HEX records) into AREA; each must be echoed."),
        QStringLiteral("AREA"));
    const QCommandLineOption resetOption(QStringLiteral("reset"), QStringLiteral("Send #RESET."));
    const QCommandLineOption bootOption(QStringLiteral("boot"), QStringLiteral("Send #BOOT (firmware loader)."));
    const QCommandLineOption rootOption(QStringLiteral("root"), QStringLiteral("Send #ROOT."));
    const QCommandLineOption timeoutOption(QStringLiteral("timeout"),
        QStringLiteral("Wait at most MS milliseconds for each reply (default 10000)."), QStringLiteral("MS"),
        QString::number(cMyServiceLink::kDefaultReplyTimeoutMs));
    parser.addOptions({portOption, readOption, lengthOption, outputOption, writeOption, resetOption, bootOption,
                       rootOption, timeoutOption});
    parser.addPositionalArgument(QStringLiteral("ADDRESS COUNT"), QStringLiteral("The range of --read (FILE.hex for --write)."),
                                 QStringLiteral("[ADDRESS COUNT | FILE.hex]"));

    const QString usageHint = QStringLiteral("; see servicetool --help");
    if (!parser.parse(arguments)) {
        QString error = parser.errorText();
        if (error.endsWith(QLatin1Char('.')))
            error.chop(1);
        message(error + usageHint);
        return cMyCommandLine::BadArguments;
    }
    if (parser.isSet(help)) {
        std::fputs(qPrintable(parser.helpText() + QLatin1String(kExitStatuses)), stdout);
        return cMyCommandLine::Success;
    }

    int actions = 0;
    for (const QCommandLineOption *o : {&readOption, &writeOption, &resetOption, &bootOption, &rootOption})
        actions += parser.isSet(*o) ? 1 : 0;
    const QStringList args = parser.positionalArguments();
    const bool reading = parser.isSet(readOption), writing = parser.isSet(writeOption);
    if (actions != 1 || args.size() != (reading ? 2 : writing ? 1 : 0)
        || (!reading && (parser.isSet(outputOption) || parser.isSet(lengthOption)))) {
        message(QStringLiteral("give one of --read AREA ADDRESS COUNT, --write AREA FILE, --reset, --boot or --root")
                + usageHint);
        return cMyCommandLine::BadArguments;
    }
    if (!toNumber(parser.value(timeoutOption), 3600000, &job->timeout) || job->timeout == 0) {
        message(QStringLiteral("--timeout takes 1 to 3600000 milliseconds"));
        return cMyCommandLine::BadArguments;
    }
    job->port = parser.value(portOption);
    job->kind = reading ? cMyServiceLink::ReadArea
                : writing ? cMyServiceLink::WriteArea
                : parser.isSet(resetOption) ? cMyServiceLink::ResetCommand
                : parser.isSet(bootOption) ? cMyServiceLink::BootCommand
                                           : cMyServiceLink::RootCommand;
    if (!reading && !writing)
        return kGoOn;

    const QString area = parser.value(reading ? readOption : writeOption);
    job->areaLine = areaLineOf(area);
    if (job->areaLine.isEmpty()) {
        message(QStringLiteral("unknown area \"%1\"; one of FLASH, EEPROM, RAM, ROM, OTP, MDID").arg(area));
        return cMyCommandLine::BadArguments;
    }
    if (writing) {
        if (!cMyTextFile::read(args.at(0), &job->text)) {
            message(QStringLiteral("cannot read %1").arg(args.at(0)));
            return cMyCommandLine::FileFailed;
        }
        // The line break at the end of a file ends its last line rather than adding an empty one.
        if (job->text.endsWith('\n'))
            job->text.chop(1);
        return kGoOn;
    }
    if (!toNumber(args.at(0), 16777215, &job->address) || !toNumber(args.at(1), 8000000, &job->count)
        || !toNumber(parser.value(lengthOption), 32, &job->recordLength) || job->recordLength == 0) {
        message(QStringLiteral("ADDRESS takes 0 to 16777215, COUNT 0 to 8000000, --record-length 1 to 32"));
        return cMyCommandLine::BadArguments;
    }
    job->output = parser.value(outputOption);
    if (job->output == QLatin1String("-"))
        job->output.clear();
    // Found out now rather than after a read of millions of bytes.
    if (!job->output.isEmpty() && !QFileInfo(job->output).absoluteDir().exists()) {
        message(QStringLiteral("no folder for %1").arg(job->output));
        return cMyCommandLine::FileFailed;
    }
    return kGoOn;
}

// The records read, ended by the end-of-file record, to the output file or standard output.
bool deliver(const Job &job, const QByteArray &readBack)
{
    const QByteArray records = readBack + ":00000001FF\r\n";
    if (!job.output.isEmpty())
        return cMyTextFile::write(job.output, records, false);
    setBinaryOutput(stdout); // the records keep their own line ends
    std::fwrite(records.constData(), 1, size_t(records.size()), stdout);
    return std::fflush(stdout) == 0;
}

} // namespace

bool cMyCommandLine::wanted(const QStringList &arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a.startsWith(QLatin1String("--")) || a == QLatin1String("-h") || a == QLatin1String("-?")
            || a == QLatin1String("-o") || a == QLatin1String("-p"))
            return true;
    }
    return false;
}

int cMyCommandLine::run(const QStringList &arguments)
{
    Job job;
    const int status = parse(arguments, &job);
    if (status != kGoOn)
        return status;
    if (!choosePort(&job.port))
        return PortUnavailable;

    cMyServiceLink link;
    link.setPortName(job.port);
    link.setReplyTimeout(int(job.timeout));
    ProgressReport report;
    QByteArray lastReply;
    int lastReplyIndex = -1;
    QEventLoop loop;
    bool ended = false;
    cMyServiceLink::Outcome outcome = cMyServiceLink::Completed;
    QString detail;
    QObject::connect(&link, &cMyServiceLink::progress, [&](int done, int total) { report.show(done, total); });
    QObject::connect(&link, &cMyServiceLink::exchanged, [&](int index, const QByteArray &, const QByteArray &reply) {
        lastReplyIndex = index;
        lastReply = reply;
    });
    QObject::connect(&link, &cMyServiceLink::finished, [&](cMyServiceLink::Outcome o, const QString &d) {
        ended = true;
        outcome = o;
        detail = d;
        loop.quit();
    });
    if (job.kind == cMyServiceLink::ReadArea)
        link.startRead(job.areaLine, job.address, job.count, int(job.recordLength));
    else if (job.kind == cMyServiceLink::WriteArea)
        link.startWrite(job.areaLine, QString::fromLatin1(job.text));
    else
        link.startCommand(job.kind);
    if (!ended) // an open that fails ends the transaction at once
        loop.exec();

    switch (outcome) {
    case cMyServiceLink::OpenFailed:
        message(QStringLiteral("cannot open %1: %2").arg(job.port, detail));
        return PortUnavailable;
    case cMyServiceLink::TimedOut: {
        QString text = QStringLiteral("no matching reply to line %1 of %2 (\"%3\") within %4 ms")
                           .arg(link.linesDone() + 1).arg(link.lineCount())
                           .arg(QString::fromLatin1(link.currentLine().trimmed())).arg(job.timeout);
        if (lastReplyIndex == link.linesDone())
            text += QStringLiteral("; the reply was \"%1\"").arg(QString::fromLatin1(lastReply.trimmed()));
        message(text);
        return TransactionFailed;
    }
    case cMyServiceLink::PortLost:
    case cMyServiceLink::Abandoned:
        message(QStringLiteral("port %1 failed: %2").arg(job.port, detail));
        return TransactionFailed;
    case cMyServiceLink::Completed:
        break;
    }
    if (job.kind == cMyServiceLink::ReadArea && !deliver(job, link.takeReadBack())) {
        message(QStringLiteral("cannot save %1").arg(job.output.isEmpty() ? QStringLiteral("the records") : job.output));
        return FileFailed;
    }
    message(QStringLiteral("done: %1 line%2 answered on %3")
                .arg(link.lineCount()).arg(link.lineCount() == 1 ? "" : "s", job.port));
    return Success;
}

} // namespace servicetool
