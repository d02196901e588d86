#include "app/cmycommandline.h"

cMyCommandLine cMyCommandLine::parse(const QStringList &arguments)
{
    cMyCommandLine line;
    bool optionsEnd = false;
    bool fileGiven = false;
    int compareFiles = 0; // still to come after "--compare"
    for (const QString &arg : arguments) {
        if (compareFiles > 0) {
            line.compare << arg;
            --compareFiles;
            continue;
        }
        const bool option = !optionsEnd && arg.startsWith(QLatin1Char('-')) && arg.size() > 1;
        if (!option) {
            // Only the first file counts, as it always has; the rest are left alone.
            if (!fileGiven)
                line.file = arg;
            fileGiven = true;
        } else if (arg == QLatin1String("--")) {
            optionsEnd = true;
        } else if (arg == QLatin1String("--demo")) {
            line.demo = true;
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            line.help = true;
        } else if (arg == QLatin1String("--compare")) {
            line.compareGiven = true;
            compareFiles = 2;
        } else if (arg == QLatin1String("--version")) {
            line.version = true;
        } else if (line.unknownOption.isEmpty()) {
            line.unknownOption = arg;
        }
    }
    return line;
}

QString cMyCommandLine::usage()
{
    return QStringLiteral("Usage: tamiradesk [--demo] [FILE.tmo]\n"
                          "       tamiradesk --compare A.tmo B.tmo\n"
                          "Sets up the Tamira freediving device: its settings, settings files, status and sound\n"
                          "libraries.\n\n"
                          "  FILE.tmo    a settings file to open at start\n"
                          "  --demo      try every function without a device: starts the bundled device emulator\n"
                          "              with a demo device and attaches it\n"
                          "  -h, --help  show this text and exit\n"
                          "  --version   show the version and exit\n"
                          "  --compare A.tmo B.tmo\n"
                          "              print what differs between the settings of two files, as the comparison\n"
                          "              window shows it, without a window; exit status 0: the same settings,\n"
                          "              1: they differ, 2: a file cannot be read\n"
                          "  --          end of the options (for a file name that starts with a dash)\n\n"
                          "Qt's own options (-platform NAME, -style NAME, ...) work as well. See tamiradesk(1).\n");
}
