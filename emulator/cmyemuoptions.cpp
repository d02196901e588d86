#include "emulator/cmyemuoptions.h"

#include "emulator/cmyemudevice.h"
#include "emulator/cmyemufaultplan.h"

#include <QFile>

#include <array>
#include <functional>

namespace {

enum class Arg { None, Required };
enum Where { Both, CommandLineOnly };

struct Option
{
    const char *name;
    const char *argument; // shown in the help; nullptr for a switch
    const char *help;
    Where where;
};

const Option kOptions[] = {
    {"help", nullptr, "show this text and exit", CommandLineOnly},
    {"log", "FILE", "write every byte received and sent to FILE (see emulator/README.md)", CommandLineOnly},
    {"parent", "PID", "exit when process PID, the emulator's parent, ends (however it ends)", CommandLineOnly},
    {"eeprom", "FILE", "load the EEPROM from a settings file (Intel HEX) instead of the blank template", Both},
    {"flags", "N", "self-test status flags, RAM 0x042C (0-255)", Both},
    {"max-depth", "CM", "maximum depth statistic in cm, RAM 0x014A", Both},
    {"dive-time", "S", "dive time statistic in seconds, RAM 0x015E", Both},
    {"serial", "N", "serial number, OTP 0x0000 (0-65535)", Both},
    {"hardware", "A.B.C.D", "hardware version, OTP 0x0002", Both},
    {"memory", "MB", "memory size in megabytes, OTP 0x0006", Both},
    {"firmware", "A.B.C.D", "firmware version, ROM 0x00FC", Both},
    {"language", "TEXT", "sound library language, FLASH 0xFFE0 (up to 16 Latin-1 characters)", Both},
    {"library", "A.B.C.D", "sound library version, FLASH 0xFFFC", Both},
    {"surface-pressure", "MBAR", "surface pressure of the simulation, RAM 0x0110 (default 1013)", Both},
    {"sample-step", "MS", "take each simulated pressure sample MS after the previous one (0: real time)", Both},
    {"stay-on-boot", nullptr, "answer #BOOT but stay on the line (default: hang up and exit)", Both},
    {"baud", "RATE", "answer after the wire time of the line and the reply at RATE baud, 8N1 (0: at once)", Both},
    {"gap", "MS", "pause between the writes of a split reply and of bang lines (default 50)", Both},
    {"silent-after", "N", "act on and answer lines 1..N only, then stay silent (\"off\" to answer again)", Both},
    {"split", "N[:AT]", "send the reply to line N in two writes, the first AT bytes long (default: half)", Both},
    {"nul", "N[:POS]", "insert a zero byte into the reply to line N at POS (default: the middle)", Both},
    {"bang", "N[:K]", "send K lines \"!BUSY\" (default 1), each in its own write, before the reply to line N", Both},
    {"babble", "N",
     "instead of the reply to line N send \"!BUSY\" lines without end, one per gap, until the host sends a line or reopens the port",
     Both},
    {"babble-bytes", "N", "the same with bytes that never end a line", Both},
    {"bad-checksum", "N", "corrupt the checksum of the reply record to line N", Both},
    {"wrong-echo", "N", "change one character of the reply to line N", Both},
    {"hang-up-after", "N", "close the port and exit right after the reply to line N (0: at once)", Both},
    {"hold", "N", "hold the reply to line N back until the control command \"release\"", Both},
    {"keep-unread", nullptr, "keep unread replies when the host reconfigures the port (\"off\" to flush again)", Both},
    {"corrupt-store", "ADDR", "store every write of EEPROM byte ADDR with its bits inverted (the echo stays exact)",
     Both},
    {"faults-clear", nullptr, "forget every fault armed so far", Both},
};

const Option *findOption(const QString &name)
{
    for (const Option &o : kOptions)
        if (name == QLatin1String(o.name))
            return &o;
    return nullptr;
}

bool toNumber(const QString &text, qint64 min, qint64 max, qint64 &out)
{
    bool ok = false;
    const QString t = text.trimmed();
    const qint64 v =
        t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? t.mid(2).toLongLong(&ok, 16) : t.toLongLong(&ok, 10);
    if (!ok || v < min || v > max)
        return false;
    out = v;
    return true;
}

bool toVersion(const QString &text, std::array<quint8, 4> &out)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (int i = 0; i < 4; ++i) {
        qint64 v = 0;
        if (!toNumber(parts[i], 0, 255, v))
            return false;
        out[size_t(i)] = quint8(v);
    }
    return true;
}

// "N" or "N:V"; V stays as given when absent.
bool toLineAndValue(const QString &text, qint64 &line, qint64 &value, qint64 valueMin)
{
    const int colon = text.indexOf(QLatin1Char(':'));
    if (!toNumber(colon < 0 ? text : text.left(colon), 0, Q_INT64_C(1) << 40, line))
        return false;
    return colon < 0 || toNumber(text.mid(colon + 1), valueMin, 1 << 20, value);
}

} // namespace

cMyEmuOptions::cMyEmuOptions(cMyEmuDevice &device, cMyEmuFaultPlan &faults, cMyEmuIoConfig &io)
    : m_device(device), m_faults(faults), m_io(io)
{}

bool cMyEmuOptions::parseArguments(const QStringList &args, QString *error)
{
    for (int i = 0; i < args.size(); ++i) {
        QString arg = args.at(i);
        if (!arg.startsWith(QLatin1String("--"))) {
            *error = QStringLiteral("unexpected argument \"%1\"").arg(arg);
            return false;
        }
        arg = arg.mid(2);
        QString value;
        bool hasValue = false;
        const int eq = arg.indexOf(QLatin1Char('='));
        if (eq >= 0) {
            value = arg.mid(eq + 1);
            arg = arg.left(eq);
            hasValue = true;
        }
        const Option *o = findOption(arg);
        if (!o) {
            *error = QStringLiteral("unknown option --%1 (see --help)").arg(arg);
            return false;
        }
        if (o->argument && !hasValue) {
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("--%1 needs a value (%2)").arg(arg, QLatin1String(o->argument));
                return false;
            }
            value = args.at(++i);
            hasValue = true;
        }
        const QString problem = apply(arg, value, hasValue, true);
        if (!problem.isEmpty()) {
            *error = QStringLiteral("--%1: %2").arg(arg, problem);
            return false;
        }
    }
    return true;
}

QString cMyEmuOptions::control(const QString &line)
{
    const QString t = line.trimmed();
    const int space = t.indexOf(QLatin1Char(' '));
    const QString name = space < 0 ? t : t.left(space);
    const QString value = space < 0 ? QString() : t.mid(space + 1).trimmed();
    const Option *o = findOption(name);
    if (!o || o->where == CommandLineOnly)
        return QStringLiteral("error: unknown control command \"%1\"").arg(name);
    if (o->argument && value.isEmpty())
        return QStringLiteral("error: %1 needs a value (%2)").arg(name, QLatin1String(o->argument));
    const QString problem = apply(name, value, space >= 0, false);
    return problem.isEmpty() ? QStringLiteral("ok") : QStringLiteral("error: ") + problem;
}

QString cMyEmuOptions::apply(const QString &name, const QString &value, bool hasValue, bool fromCommandLine)
{
    QString badNumber = QStringLiteral("\"%1\" is not a number in range").arg(value);
    QString badVersion = QStringLiteral("\"%1\" is not a version A.B.C.D (each 0-255)").arg(value);
    qint64 n = 0;
    std::array<quint8, 4> version{};

    if (name == QLatin1String("help")) {
        m_io.helpRequested = true;
    } else if (name == QLatin1String("log")) {
        m_io.logPath = value;
    } else if (name == QLatin1String("parent")) {
        if (!toNumber(value, 1, 0x7fffffff, n))
            return badNumber;
        m_io.parentPid = n;
    } else if (name == QLatin1String("eeprom")) {
        QFile file(value);
        if (!file.open(QIODevice::ReadOnly))
            return QStringLiteral("cannot read %1: %2").arg(value, file.errorString());
        QString why;
        if (!m_device.loadEeprom(file.readAll(), &why))
            return QStringLiteral("%1: %2").arg(value, why);
    } else if (name == QLatin1String("flags")) {
        if (!toNumber(value, 0, 255, n))
            return badNumber;
        m_device.setStatusFlags(quint8(n));
    } else if (name == QLatin1String("max-depth")) {
        if (!toNumber(value, 0, 65535, n))
            return badNumber;
        m_device.setMaxDepth(quint16(n));
    } else if (name == QLatin1String("dive-time")) {
        if (!toNumber(value, 0, 65535, n))
            return badNumber;
        m_device.setDiveTime(quint16(n));
    } else if (name == QLatin1String("serial")) {
        if (!toNumber(value, 0, 65535, n))
            return badNumber;
        m_device.setSerialNumber(quint16(n));
    } else if (name == QLatin1String("hardware")) {
        if (!toVersion(value, version))
            return badVersion;
        m_device.setHardwareVersion(version);
    } else if (name == QLatin1String("memory")) {
        if (!toNumber(value, 0, 255, n))
            return badNumber;
        m_device.setMemorySize(quint8(n));
    } else if (name == QLatin1String("firmware")) {
        if (!toVersion(value, version))
            return badVersion;
        m_device.setFirmwareVersion(version);
    } else if (name == QLatin1String("language")) {
        const QByteArray latin1 = value.toLatin1();
        if (latin1.size() > 16 || QString::fromLatin1(latin1) != value)
            return QStringLiteral("the language text must be at most 16 Latin-1 characters");
        m_device.setLibraryLanguage(latin1);
    } else if (name == QLatin1String("library")) {
        if (!toVersion(value, version))
            return badVersion;
        m_device.setLibraryVersion(version);
    } else if (name == QLatin1String("surface-pressure")) {
        if (!toNumber(value, 0, 65535, n))
            return badNumber;
        m_device.setSurfacePressure(quint16(n));
    } else if (name == QLatin1String("sample-step")) {
        if (!toNumber(value, 0, 3600000, n))
            return badNumber;
        m_device.setSampleStep(int(n));
    } else if (name == QLatin1String("stay-on-boot") || name == QLatin1String("keep-unread")) {
        // A switch: on the command line it has no value; as a control command "off" clears it.
        const bool off = hasValue && !fromCommandLine && (value == QLatin1String("off") || value == QLatin1String("0"));
        if (name == QLatin1String("stay-on-boot"))
            m_device.setStayOnBoot(!off);
        else
            m_io.keepUnread = !off;
    } else if (name == QLatin1String("corrupt-store")) {
        if (!toNumber(value, 0, 1023, n))
            return badNumber;
        m_device.addCorruptStore(quint32(n));
    } else if (name == QLatin1String("baud")) {
        if (!toNumber(value, 0, 10000000, n))
            return badNumber;
        m_io.baud = int(n);
    } else if (name == QLatin1String("gap")) {
        if (!toNumber(value, 0, 60000, n))
            return badNumber;
        m_faults.setGapMs(int(n));
    } else if (name == QLatin1String("silent-after")) {
        if (value == QLatin1String("off"))
            m_faults.setSilentAfter(-1);
        else if (toNumber(value, 0, Q_INT64_C(1) << 40, n))
            m_faults.setSilentAfter(n);
        else
            return badNumber;
    } else if (name == QLatin1String("split") || name == QLatin1String("nul") || name == QLatin1String("bang")) {
        qint64 line = 0;
        qint64 extra = name == QLatin1String("bang") ? 1 : -1;
        if (!toLineAndValue(value, line, extra, name == QLatin1String("split") ? 1 : 0))
            return QStringLiteral("\"%1\" is not N or N:VALUE").arg(value);
        if (name == QLatin1String("split"))
            m_faults.addSplit(line, int(extra));
        else if (name == QLatin1String("nul"))
            m_faults.addNul(line, int(extra));
        else
            m_faults.addBang(line, int(qMin<qint64>(extra, 1000)));
    } else if (name == QLatin1String("bad-checksum") || name == QLatin1String("wrong-echo")
               || name == QLatin1String("hang-up-after") || name == QLatin1String("hold")
               || name == QLatin1String("babble") || name == QLatin1String("babble-bytes")) {
        if (!toNumber(value, 0, Q_INT64_C(1) << 40, n))
            return badNumber;
        if (name == QLatin1String("babble"))
            m_faults.addBabble(n, cMyEmuFaultPlan::Babble::BusyLines);
        else if (name == QLatin1String("babble-bytes"))
            m_faults.addBabble(n, cMyEmuFaultPlan::Babble::Bytes);
        else if (name == QLatin1String("bad-checksum"))
            m_faults.addBadChecksum(n);
        else if (name == QLatin1String("wrong-echo"))
            m_faults.addWrongEcho(n);
        else if (name == QLatin1String("hold"))
            m_faults.addHold(n);
        else
            m_faults.setHangUpAfter(n);
    } else if (name == QLatin1String("faults-clear")) {
        m_faults.clear();
        m_device.clearCorruptStore();
    } else {
        return QStringLiteral("unknown setting");
    }
    return QString();
}

QString cMyEmuOptions::helpText()
{
    QString text =
        QStringLiteral("Usage: tamira-emulator [options]\n"
                       "Stand-in for the Tamira device on a pseudo-terminal. Prints the terminal's path as the first\n"
                       "line of standard output, then answers the device protocol on it until killed, hung up by a\n"
                       "fault, or sent #BOOT.\n\n"
                       "Options (each also works as a control command on standard input, without the dashes,\n"
                       "answered by one line \"ok\" or \"error: ...\"; --help, --log and --parent only on the\n"
                       "command line):\n");
    for (const Option &o : kOptions) {
        QString head = QStringLiteral("  --") + QLatin1String(o.name);
        if (o.argument)
            head += QLatin1Char(' ') + QLatin1String(o.argument);
        text += head.leftJustified(26) + QLatin1Char(' ') + QLatin1String(o.help) + QLatin1Char('\n');
    }
    text += QStringLiteral(
        "\nControl commands only: \"state\" (mode, area, direction, lines received, power-off and boot\n"
        "requests, replies held, bytes the host has not read), \"sync\" (answered once everything sent so\n"
        "far is in the log), \"release\" (send the held replies), \"hang-up\" (close the port and exit),\n"
        "\"quit\" (exit).\n"
        "Lines are numbered from 1 in the order received since the start. Numbers may be given in\n"
        "decimal or as 0x... hexadecimal.\n");
    return text;
}
