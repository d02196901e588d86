#include "servicetool/cmycommandargs.h"

#include "resources/tamiraversion.h"
#include "servicetool/cmycommandreport.h"
#include "servicetool/cmysparsememory.h"

#include <QCommandLineParser>
#include <QHash>

#include <cstdio>

namespace servicetool {

namespace {

const char kDescription[] =
    "Service console for the Tamira. Without options it opens its window; with steps it runs them\n"
    "in the order given, stopping at the first that fails:\n"
    "  servicetool [--port PORT] [options] STEP...\n"
    "Steps:\n"
    "  --read AREA [ADDRESS COUNT] [-o FILE.hex]   without ADDRESS COUNT: the EEPROM's 1 KiB\n"
    "  --write AREA FILE.hex                       then reads back and compares (see --no-verify)\n"
    "  --verify AREA FILE.hex                      compares only\n"
    "  --reset | --boot | --root\n"
    "AREA is FLASH, EEPROM, RAM, ROM, OTP or MDID; numbers are decimal or 0x hexadecimal; FILE.hex\n"
    "may be \"-\" for standard input. A file to write is checked in full before the port opens.";

const char kExitStatuses[] =
    "\nExit status: 0 done; 1 the device did not answer as it should (a wrong reply, no reply within\n"
    "the time-out, busy for ten time-outs), the port failed during the transfer, or what was written\n"
    "reads back different; 2 bad arguments; 3 the port cannot be opened, or no device to choose;\n"
    "4 a file to write is refused or cannot be read, or the output cannot be written.\n";

// A read's ADDRESS is within the device's 16 MiB; its COUNT at most this.
constexpr quint32 kLastAddress = cMySparseMemory::kSize - 1;
constexpr quint32 kLargestRead = 8000000;

// Decimal or 0x-hexadecimal, within 0..max.
bool toNumber(const QString &text, quint32 max, quint32 *out)
{
    bool ok = false;
    const QString t = text.trimmed();
    const qulonglong v =
        t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? t.mid(2).toULongLong(&ok, 16) : t.toULongLong(&ok, 10);
    if (!ok || v > max)
        return false;
    *out = quint32(v);
    return true;
}

QCommandLineOption option(const QStringList &names, const QString &text, const char *valueName = nullptr)
{
    return QCommandLineOption(names, text, QString::fromLatin1(valueName));
}

// The options, in the order the help lists them.
QList<QCommandLineOption> optionTable()
{
    // Qt's own help option would offer --help-all with Qt's options, which do not apply here.
    return {
        option({"h", "help"}, "Show this help and exit."),
        option({"version"}, "Show the program's version and exit."),
        option({"p", "port"}, "Serial port of the device (default: the one Tamira attached).", "PORT"),
        option({"read"},
               QStringLiteral("Read COUNT bytes (0-%1) of AREA from ADDRESS (0-%2) as Intel HEX records.")
                   .arg(kLargestRead)
                   .arg(kLastAddress),
               "AREA"),
        option({"o", "output"}, "Where a read goes (default: standard output); the n-th -o is the n-th read's.",
               "FILE"),
        option({"write"}, "Write the records of FILE into AREA; each must be echoed.", "AREA"),
        option({"verify"}, "Read back what the data records of FILE cover and compare.", "AREA"),
        option({"no-verify"}, "Do not read back and compare after a write."),
        option({"record-length"}, "Data bytes per record of a read or a read-back, 1-32 (default 16).", "L"),
        option({"reset"}, "Send #RESET."),
        option({"boot"}, "Send #BOOT (firmware loader)."),
        option({"root"}, "Send #ROOT."),
        option({"timeout"},
               QStringLiteral("Wait at most MS milliseconds for each reply (default %1).")
                   .arg(cMyServiceLink::kDefaultReplyTimeoutMs),
               "MS"),
        option({"q", "quiet"}, "Say nothing but errors."),
        option({"verbose"}, "Show every line sent and received on standard error."),
    };
}

QString areaOf(const QString &name)
{
    static const char *const areas[] = {"FLASH", "EEPROM", "RAM", "ROM", "OTP", "MDID"};
    for (const char *area : areas)
        if (name.compare(QLatin1String(area), Qt::CaseInsensitive) == 0)
            return QLatin1String(area);
    return QString();
}

// One option or argument as found, in order.
struct Token
{
    QString option; // empty for an argument
    QString value;
    int index = 0; // of the argument that holds the value (for an argument: the argument)
};

// "-1" is a number given negative, not an option: no option's name is a digit.
bool isNegativeNumber(const QString &argument)
{
    return argument.size() > 1 && argument.at(0) == QLatin1Char('-') && argument.at(1).isDigit();
}

// The arguments in order, split as QCommandLineParser splits them (which has already accepted
// them): "--name=value", "--name value", "-xvalue", "-x value", compacted flags, "--".
QList<Token> tokens(const QStringList &arguments, const QHash<QString, bool> &takesValue)
{
    QList<Token> out;
    bool options = true;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (!options || a == QLatin1String("-") || !a.startsWith(QLatin1Char('-')) || isNegativeNumber(a)) {
            out.append({QString(), a, i});
        } else if (a == QLatin1String("--")) {
            options = false;
        } else if (a.startsWith(QLatin1String("--"))) {
            const int eq = a.indexOf(QLatin1Char('='));
            const QString name = a.mid(2, eq < 0 ? -1 : eq - 2);
            QString value = eq < 0 ? QString() : a.mid(eq + 1);
            if (eq < 0 && takesValue.value(name) && i + 1 < arguments.size())
                value = arguments.at(++i);
            out.append({name, value, i});
        } else {
            for (int pos = 1; pos < a.size(); ++pos) {
                const QString name = a.mid(pos, 1);
                if (!takesValue.value(name)) {
                    out.append({name, QString(), i});
                    continue;
                }
                QString value = a.mid(pos + 1 + (a.mid(pos + 1, 1) == QLatin1String("=") ? 1 : 0));
                if (pos + 1 >= a.size() && i + 1 < arguments.size())
                    value = arguments.at(++i);
                out.append({name, value, i});
                break;
            }
        }
    }
    return out;
}

} // namespace

QStringList cMyCommandArgs::shortOptions()
{
    QStringList out;
    for (const QCommandLineOption &o : optionTable())
        for (const QString &name : o.names())
            if (name.size() == 1)
                out << QLatin1Char('-') + name;
    return out;
}

int cMyCommandArgs::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QLatin1String(kDescription));
    const QList<QCommandLineOption> options = optionTable();
    QHash<QString, bool> takesValue;
    for (const QCommandLineOption &o : options) {
        parser.addOption(o);
        for (const QString &name : o.names())
            takesValue.insert(name, !o.valueName().isEmpty());
    }
    parser.addPositionalArgument(QStringLiteral("STEP"), QStringLiteral("The steps above, with their arguments."),
                                 QStringLiteral("STEP..."));

    auto bad = [](const QString &text) {
        cMyCommandReport::failure(text + QStringLiteral("; see servicetool --help"));
        return 2;
    };
    // Qt's parser would take a negative number for an unknown option ("Unknown option '1'"); it
    // is told it is an argument, which the checks below find negative.
    const QList<Token> found = tokens(arguments, takesValue);
    QStringList parsed = arguments;
    for (const Token &t : found)
        if (t.option.isEmpty() && isNegativeNumber(t.value))
            parsed[t.index] = QStringLiteral("0");
    if (!parser.parse(parsed)) {
        QString error = parser.errorText();
        if (error.endsWith(QLatin1Char('.')))
            error.chop(1);
        return bad(error);
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText() + QLatin1String(kExitStatuses)), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("servicetool %s\n", TAMIRA_VERSION);
        return 0;
    }

    // An option that holds for all steps is given once: which of two would hold is a guess.
    QHash<QString, QString> longNames;
    for (const QCommandLineOption &o : options)
        for (const QString &name : o.names())
            longNames.insert(name, o.names().last());
    QStringList given;
    for (const Token &t : found) {
        const QString name = longNames.value(t.option);
        static const QStringList repeatable{QStringLiteral("output"), QStringLiteral("read"),  QStringLiteral("write"),
                                            QStringLiteral("verify"), QStringLiteral("reset"), QStringLiteral("boot"),
                                            QStringLiteral("root")};
        if (name.isEmpty() || repeatable.contains(name))
            continue;
        if (given.contains(name))
            return bad(QStringLiteral("--%1 given twice").arg(name));
        given << name;
    }

    // The steps and their arguments, in order.
    QList<QStringList> stepArguments;
    QStringList outputs;
    for (const Token &t : found) {
        static const QHash<QString, cMyCommandStep::Action> actions{
            {QStringLiteral("read"), cMyCommandStep::Read},     {QStringLiteral("write"), cMyCommandStep::Write},
            {QStringLiteral("verify"), cMyCommandStep::Verify}, {QStringLiteral("reset"), cMyCommandStep::Reset},
            {QStringLiteral("boot"), cMyCommandStep::Boot},     {QStringLiteral("root"), cMyCommandStep::Root}};
        if (t.option.isEmpty()) {
            if (steps.isEmpty())
                return bad(QStringLiteral("\"%1\" belongs to no step").arg(t.value));
            stepArguments.last().append(t.value);
        } else if (actions.contains(t.option)) {
            cMyCommandStep step;
            step.action = actions.value(t.option);
            step.name = QStringLiteral("--") + t.option;
            if (step.action <= cMyCommandStep::Verify) {
                const QString area = areaOf(t.value);
                if (area.isEmpty())
                    return bad(
                        QStringLiteral("unknown area \"%1\"; one of FLASH, EEPROM, RAM, ROM, OTP, MDID").arg(t.value));
                step.name += QLatin1Char(' ') + area;
                step.areaLine = QLatin1Char('#') + area;
            }
            steps.append(step);
            stepArguments.append(QStringList());
        } else if (t.option == QLatin1String("o") || t.option == QLatin1String("output")) {
            outputs.append(t.value);
        }
    }
    if (steps.isEmpty())
        return bad(QStringLiteral("give a step: --read, --write, --verify, --reset, --boot or --root"));

    int reads = 0, writes = 0, verifies = 0, stdinUsers = 0;
    for (int i = 0; i < steps.size(); ++i) {
        cMyCommandStep &step = steps[i];
        const QStringList &args = stepArguments.at(i);
        const int wanted = step.action == cMyCommandStep::Read ? 2 : step.action <= cMyCommandStep::Verify ? 1 : 0;
        if (args.size() > wanted)
            return bad(QStringLiteral("%1: unexpected \"%2\"").arg(step.name, args.at(wanted)));
        if (step.action == cMyCommandStep::Write || step.action == cMyCommandStep::Verify) {
            if (args.isEmpty())
                return bad(QStringLiteral("%1: FILE is missing").arg(step.name));
            step.file = args.first();
            stdinUsers += step.file == QLatin1String("-") ? 1 : 0;
            (step.action == cMyCommandStep::Write ? writes : verifies) += 1;
        } else if (step.action == cMyCommandStep::Read) {
            step.file =
                reads < outputs.size() && !outputs.at(reads).isEmpty() ? outputs.at(reads) : QStringLiteral("-");
            ++reads;
            if (args.isEmpty() && step.areaLine == QLatin1String("#EEPROM")) {
                step.count = 1024; // the settings block, the one part of an area of fixed size
            } else if (args.size() < 2) {
                return bad(QStringLiteral("%1: %2 missing")
                               .arg(step.name, args.isEmpty() ? QStringLiteral("ADDRESS and COUNT are")
                                                              : QStringLiteral("COUNT is")));
            } else if (isNegativeNumber(args.at(0)) || isNegativeNumber(args.at(1))) {
                return bad(QStringLiteral("%1: %2 must not be negative")
                               .arg(step.name, isNegativeNumber(args.at(0)) ? QStringLiteral("ADDRESS")
                                                                            : QStringLiteral("COUNT")));
            } else if (!toNumber(args.at(0), kLastAddress, &step.address)
                       || !toNumber(args.at(1), kLargestRead, &step.count)) {
                return bad(QStringLiteral("%1: ADDRESS takes 0 to %2, COUNT 0 to %3")
                               .arg(step.name, QString::number(kLastAddress), QString::number(kLargestRead)));
            }
        }
    }
    if (outputs.size() > reads)
        return bad(QStringLiteral("more -o than --read"));
    if (stdinUsers > 1)
        return bad(QStringLiteral("standard input (\"-\") can be read by one step only"));
    if (parser.isSet(QStringLiteral("no-verify")) && writes == 0)
        return bad(QStringLiteral("--no-verify without a --write"));
    const QString length = parser.value(QStringLiteral("record-length"));
    const bool lengthSet = parser.isSet(QStringLiteral("record-length"));
    if (lengthSet && reads + writes + verifies == 0)
        return bad(QStringLiteral("--record-length without a step that reads"));
    for (const char *name : {"record-length", "timeout"})
        if (isNegativeNumber(parser.value(QLatin1String(name))))
            return bad(QStringLiteral("--%1 must not be negative").arg(QLatin1String(name)));
    if (lengthSet && (!toNumber(length, 32, &recordLength) || recordLength == 0))
        return bad(QStringLiteral("--record-length takes 1 to 32"));
    if (parser.isSet(QStringLiteral("timeout"))
        && (!toNumber(parser.value(QStringLiteral("timeout")), 3600000, &timeout) || timeout == 0))
        return bad(QStringLiteral("--timeout takes 1 to 3600000 milliseconds"));
    if (parser.isSet(QStringLiteral("quiet")) && parser.isSet(QStringLiteral("verbose")))
        return bad(QStringLiteral("--quiet or --verbose, not both"));
    port = parser.value(QStringLiteral("port"));
    verify = !parser.isSet(QStringLiteral("no-verify"));
    verbosity = parser.isSet(QStringLiteral("quiet"))     ? Quiet
                : parser.isSet(QStringLiteral("verbose")) ? Verbose
                                                          : Normal;
    return kGoOn;
}

} // namespace servicetool
