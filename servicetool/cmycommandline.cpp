#include "servicetool/cmycommandline.h"

#include "base/cmyfileaccess.h"
#include "base/cmyhexrecord.h"
#include "base/cmystopsignals.h"
#include "device/portdiscovery.h"
#include "servicetool/cmycommandargs.h"
#include "servicetool/cmycommandreport.h"
#include "servicetool/cmyinputfile.h"
#include "servicetool/cmyoutputfile.h"
#include "servicetool/cmyrecordlines.h"
#include "servicetool/cmyservicelink.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QHash>

#include <functional>
#include <memory>
#include <vector>

namespace servicetool {

namespace {

using Report = cMyCommandReport;

QString nameOf(const QString &file, const char *dash = "standard input")
{
    return file == QLatin1String("-") ? QLatin1String(dash) : Report::shownName(file);
}

// The port named, or the one Tamira attached.
bool choosePort(QString *port)
{
    if (!port->isEmpty())
        return true;
    const QStringList found = PortDiscovery::tamiraPorts(PortDiscovery::availablePorts());
    if (found.size() == 1) {
        *port = found.first();
        return true;
    }
    Report::failure(found.isEmpty() ? QStringLiteral("no Tamira found; name its port with --port")
                                    : QStringLiteral("several Tamiras found (%1); choose one with --port")
                                          .arg(found.join(QLatin1String(", "))));
    return false;
}

// The file of a write or a verify, read a piece at a time and checked in full.
bool load(const cMyCommandStep &step, cMyRecordLines *records)
{
    cMyInputFile file(step.file, true);
    cMyInputFile::Status status = file.open();
    for (QByteArray piece; status == cMyInputFile::Ok;) {
        status = file.read(&piece);
        if (status != cMyInputFile::Ok || piece.isEmpty())
            break;
        if (!records->add(piece))
            break;
    }
    const QString name = nameOf(step.file);
    switch (status) {
    case cMyInputFile::Ok: {
        // Checked against the area before the port opens: records past its end would overwrite
        // nothing the file meant and fail only after all the lines before them had gone out.
        const QString error =
            records->finish() ? cMyRecordLines::outsideArea(step.areaLine, records->lines()) : records->error();
        if (!error.isEmpty()) {
            Report::failure(QStringLiteral("%1: %2 refused, %3; nothing sent").arg(step.name, name, error));
            return false;
        }
        if (step.action == cMyCommandStep::Write && records->image().heldCount() == 0) {
            Report::failure(QStringLiteral("%1: %2 holds no data record; nothing sent").arg(step.name, name));
            return false;
        }
        return true;
    }
    case cMyInputFile::NotRegular:
        Report::failure(QStringLiteral("%1: %2 is not a regular file").arg(step.name, name));
        return false;
    case cMyInputFile::TooLarge:
        Report::failure(QStringLiteral("%1: %2 is larger than %3 MiB, more than any file for the device")
                            .arg(step.name, name)
                            .arg(cMyInputFile::kLimit / (1024 * 1024)));
        return false;
    case cMyInputFile::CannotOpen:
    case cMyInputFile::ReadFailed:
        break;
    }
    Report::failure(QStringLiteral("%1: cannot read %2: %3").arg(step.name, name, file.reason()));
    return false;
}

// Two reads into one file: the second would replace the records of the first. Devices and FIFOs
// are written to as they are, so only files are compared (a file by what it is, not its name).
bool separateOutputs(const QList<cMyCommandStep> &steps)
{
    QHash<QString, QString> owners;
    for (const cMyCommandStep &step : steps) {
        if (step.action != cMyCommandStep::Read || step.file == QLatin1String("-"))
            continue;
        const cMyFileAccess::PathState state = cMyFileAccess::inspect(step.file);
        const QString key = state == cMyFileAccess::Regular   ? cMyFileAccess::identity(step.file)
                            : state == cMyFileAccess::Missing ? QFileInfo(step.file).absoluteFilePath()
                                                              : QString();
        if (key.isEmpty())
            continue;
        if (owners.contains(key)) {
            Report::failure(QStringLiteral("%1 and %2 both write to %3; give each its own -o file; see servicetool "
                                           "--help")
                                .arg(owners.value(key), step.name, nameOf(step.file)));
            return false;
        }
        owners.insert(key, step.name);
    }
    return true;
}

// The transactions of the steps, on one port.
class Session
{
public:
    explicit Session(const cMyCommandArgs &args) : m_args(args)
    {
        m_link.setPortName(args.port);
        m_link.setReplyTimeout(int(args.timeout));
        m_link.setStopOnWrongReply(true);
        QObject::connect(&m_link, &cMyServiceLink::progress,
                         [this](int done, int total) { Report::progress(m_step, done, total); });
        QObject::connect(&m_link, &cMyServiceLink::lineSent,
                         [](int, const QByteArray &line) { Report::line('>', line); });
        QObject::connect(&m_link, &cMyServiceLink::exchanged,
                         [this](int index, const QByteArray &, const QByteArray &reply) {
                             Report::line('<', reply);
                             m_replyIndex = index;
                             m_reply = reply;
                         });
    }

    // A stop signal: the running transaction ends where it stands, and no step follows.
    void interrupt(int signalNumber)
    {
        if (m_stopSignal == 0)
            m_stopSignal = signalNumber;
        m_link.abandon();
    }
    int stopSignal() const { return m_stopSignal; }

    int run(const cMyCommandStep &step, const cMyRecordLines *records, cMyOutputFile *output)
    {
        m_step = step.name;
        switch (step.action) {
        case cMyCommandStep::Read: {
            int status =
                transact([&] { m_link.startRead(step.areaLine, step.address, step.count, int(m_args.recordLength)); });
            if (status != cMyCommandLine::Success)
                return status;
            if (!output->write(m_link.takeReadBack() + cMyHexRecord::kEndOfFile + "\r\n") || !output->commit()) {
                Report::failure(QStringLiteral("%1: cannot write %2: %3")
                                    .arg(m_step, nameOf(step.file, "standard output"), output->reason()));
                return cMyCommandLine::FileFailed;
            }
            return done();
        }
        case cMyCommandStep::Write: {
            const int status = transact([&] { m_link.startWrite(step.areaLine, records->lines()); });
            if (status != cMyCommandLine::Success)
                return status;
            done();
            if (!m_args.verify)
                return cMyCommandLine::Success;
            m_step = QStringLiteral("%1, read back").arg(step.name);
            return compare(step, records->image());
        }
        case cMyCommandStep::Verify:
            return compare(step, records->image());
        case cMyCommandStep::Reset:
        case cMyCommandStep::Boot:
        case cMyCommandStep::Root:
            break;
        }
        const cMyServiceLink::Kind kind = step.action == cMyCommandStep::Reset  ? cMyServiceLink::ResetCommand
                                          : step.action == cMyCommandStep::Boot ? cMyServiceLink::BootCommand
                                                                                : cMyServiceLink::RootCommand;
        const int status = transact([&] { m_link.startCommand(kind); });
        return status == cMyCommandLine::Success ? done() : status;
    }

private:
    // Reads back the addresses the file's data records cover and compares.
    int compare(const cMyCommandStep &step, const cMySparseMemory &expected)
    {
        if (expected.heldCount() == 0) {
            Report::note(QStringLiteral("%1: no data to compare").arg(m_step));
            return cMyCommandLine::Success;
        }
        const int status =
            transact([&] { m_link.startRead(step.areaLine, expected.ranges(), int(m_args.recordLength)); });
        if (status != cMyCommandLine::Success)
            return status;
        cMySparseMemory device;
        device.addRecords(m_link.takeReadBack());
        const qint64 at = expected.firstDifference(device);
        if (at >= 0) {
            Report::failure(QStringLiteral("%1: differs from %2 first at 0x%3: the device holds %4, the file %5")
                                .arg(m_step, nameOf(step.file))
                                .arg(at, 6, 16, QLatin1Char('0'))
                                .arg(device.at(quint32(at)), 2, 16, QLatin1Char('0'))
                                .arg(expected.at(quint32(at)), 2, 16, QLatin1Char('0')));
            return cMyCommandLine::TransactionFailed;
        }
        Report::note(
            QStringLiteral("%1: %2 bytes as in %3").arg(m_step).arg(expected.heldCount()).arg(nameOf(step.file)));
        return cMyCommandLine::Success;
    }

    int done()
    {
        const int lines = m_link.lineCount();
        Report::note(QStringLiteral("%1: done, %2 line%3 answered on %4")
                         .arg(m_step)
                         .arg(lines)
                         .arg(lines == 1 ? "" : "s", m_args.port));
        return cMyCommandLine::Success;
    }

    int transact(const std::function<void()> &start)
    {
        QEventLoop loop;
        bool ended = false;
        cMyServiceLink::Outcome outcome = cMyServiceLink::Completed;
        QString detail;
        m_replyIndex = -1;
        const auto connection =
            QObject::connect(&m_link, &cMyServiceLink::finished, [&](cMyServiceLink::Outcome o, const QString &d) {
                ended = true;
                outcome = o;
                detail = d;
                loop.quit();
            });
        if (m_stopSignal == 0)
            start();
        else
            outcome = cMyServiceLink::Abandoned;
        if (!ended && m_stopSignal == 0) // an open that fails ends the transaction at once
            loop.exec();
        QObject::disconnect(connection);
        return failure(outcome, detail);
    }

    int failure(cMyServiceLink::Outcome outcome, const QString &detail)
    {
        const QString line = QStringLiteral("line %1 of %2 (\"%3\")")
                                 .arg(m_link.linesDone() + 1)
                                 .arg(m_link.lineCount())
                                 .arg(QString::fromLatin1(m_link.currentLine().trimmed()));
        const QString reply = m_replyIndex == m_link.linesDone()
                                  ? QStringLiteral("; the reply was \"%1\"").arg(QString::fromLatin1(m_reply.trimmed()))
                                  : QString();
        switch (outcome) {
        case cMyServiceLink::Completed:
            return cMyCommandLine::Success;
        case cMyServiceLink::OpenFailed:
            Report::failure(QStringLiteral("%1: cannot open %2: %3").arg(m_step, m_args.port, detail));
            return cMyCommandLine::PortUnavailable;
        case cMyServiceLink::TimedOut:
            Report::failure(QStringLiteral("%1: no matching reply to %2 within %3 ms%4")
                                .arg(m_step, line)
                                .arg(m_args.timeout)
                                .arg(reply));
            break;
        case cMyServiceLink::Refused:
            Report::failure(QStringLiteral("%1: %2 was refused%3").arg(m_step, line, reply));
            break;
        case cMyServiceLink::StayedBusy:
            Report::failure(QStringLiteral("%1: the device stayed busy on %2 for %3 ms")
                                .arg(m_step, line)
                                .arg(qint64(m_args.timeout) * cMyServiceLink::kBusyTimeouts));
            break;
        case cMyServiceLink::PortLost:
            // The system's words for it ("Inappropriate ioctl for device", "Input/output error")
            // do not say what happened.
            Report::failure(QStringLiteral("%1: the device was unplugged or its port %2 failed at %3")
                                .arg(m_step, m_args.port, line));
            break;
        case cMyServiceLink::Abandoned:
            if (m_stopSignal != 0) {
                Report::failure(QStringLiteral("%1: interrupted after line %2 of %3%4")
                                    .arg(m_step)
                                    .arg(m_link.linesDone())
                                    .arg(m_link.lineCount())
                                    .arg(m_link.kind() == cMyServiceLink::WriteArea
                                             ? QStringLiteral(": the area may be part-written")
                                             : QString()));
                return cMyCommandLine::Interrupted;
            }
            Report::failure(QStringLiteral("%1: port %2 failed: %3").arg(m_step, m_args.port, detail));
            break;
        }
        return cMyCommandLine::TransactionFailed;
    }

    const cMyCommandArgs &m_args;
    int m_stopSignal = 0;
    cMyServiceLink m_link;
    QString m_step;
    int m_replyIndex = -1;
    QByteArray m_reply;
};

} // namespace

bool cMyCommandLine::wanted(const QStringList &arguments)
{
    // "-?" is no option of the command line; it is taken as the request for help it often is.
    const QStringList shortOptions = cMyCommandArgs::shortOptions() << QStringLiteral("-?");
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a.startsWith(QLatin1String("--")) || shortOptions.contains(a))
            return true;
    }
    return false;
}

int cMyCommandLine::run(const QStringList &arguments)
{
    cMyCommandArgs args;
    const int status = args.parse(arguments);
    if (status != cMyCommandArgs::kGoOn)
        return status;
    Report::setVerbosity(args.verbosity);
    if (!separateOutputs(args.steps))
        return BadArguments;

    // Every file is read and checked, and every output opened, before anything is sent.
    std::vector<std::unique_ptr<cMyRecordLines>> records;
    std::vector<std::unique_ptr<cMyOutputFile>> outputs;
    for (const cMyCommandStep &step : args.steps) {
        records.emplace_back();
        outputs.emplace_back();
        if (step.action == cMyCommandStep::Write || step.action == cMyCommandStep::Verify) {
            records.back() = std::make_unique<cMyRecordLines>();
            if (!load(step, records.back().get()))
                return FileFailed;
        } else if (step.action == cMyCommandStep::Read) {
            outputs.back() = std::make_unique<cMyOutputFile>(step.file, true);
            if (!outputs.back()->open(false)) {
                Report::failure(QStringLiteral("%1: cannot write %2: %3")
                                    .arg(step.name, nameOf(step.file, "standard output"), outputs.back()->reason()));
                return FileFailed;
            }
        }
    }
    if (!choosePort(&args.port))
        return PortUnavailable;

    Session session(args);
    // Only while the steps run: a stop ends the transfer and says how far it got.
    cMyStopSignals stopSignals;
    QObject::connect(&stopSignals, &cMyStopSignals::stopRequested,
                     [&session](int signalNumber) { session.interrupt(signalNumber); });
    for (int i = 0; i < args.steps.size(); ++i) {
        int result = session.run(args.steps.at(i), records.at(size_t(i)).get(), outputs.at(size_t(i)).get());
        // A stop that came after the step's last reply ends the steps here too.
        QCoreApplication::processEvents();
        if (result == Success && session.stopSignal() != 0 && i + 1 < args.steps.size()) {
            Report::failure(QStringLiteral("interrupted after %1; %2 not run")
                                .arg(args.steps.at(i).name, args.steps.at(i + 1).name));
            result = Interrupted;
        }
        if (result != Success) {
            // What was not read leaves every output that waits for it as it was.
            for (size_t j = size_t(i); j < outputs.size(); ++j)
                if (outputs.at(j))
                    outputs.at(j)->cancel();
            if (result == Interrupted)
                cMyStopSignals::endBy(session.stopSignal());
            return result;
        }
    }
    return Success;
}

} // namespace servicetool
