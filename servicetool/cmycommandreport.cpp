#include "servicetool/cmycommandreport.h"

#include "servicetool/cmyconsole.h"

#include <cstdio>

namespace servicetool {

namespace {

cMyCommandArgs::Verbosity verbosity = cMyCommandArgs::Normal;
bool terminal = false;
bool lineOpen = false; // a progress line waits to be rewritten
QString progressStep;
int lastStep = -1;

void print(const QString &text)
{
    if (lineOpen)
        std::fputc('\n', stderr);
    lineOpen = false;
    std::fprintf(stderr, "servicetool: %s\n", qPrintable(text));
    std::fflush(stderr);
}

} // namespace

void cMyCommandReport::setVerbosity(cMyCommandArgs::Verbosity v)
{
    verbosity = v;
    terminal = cMyConsole::isTerminal(stderr);
}

void cMyCommandReport::failure(const QString &text)
{
    print(text);
}

void cMyCommandReport::note(const QString &text)
{
    if (verbosity != cMyCommandArgs::Quiet)
        print(text);
}

void cMyCommandReport::progress(const QString &step, int done, int total)
{
    if (verbosity != cMyCommandArgs::Normal)
        return;
    const int percent = total > 0 ? int(qint64(done) * 100 / total) : 100;
    const int now = terminal ? percent : percent / 10;
    if (step == progressStep && now == lastStep)
        return;
    progressStep = step;
    lastStep = now;
    std::fprintf(stderr, "%sservicetool: %s: %3d %% (%d of %d lines)%s", terminal ? "\r" : "", qPrintable(step),
                 percent, done, total, terminal ? "" : "\n");
    lineOpen = terminal;
    std::fflush(stderr);
}

void cMyCommandReport::line(char direction, const QByteArray &bytes)
{
    if (verbosity != cMyCommandArgs::Verbose)
        return;
    QByteArray shown = bytes;
    while (shown.endsWith('\n') || shown.endsWith('\r'))
        shown.chop(1);
    print(QStringLiteral("%1 %2").arg(QLatin1Char(direction)).arg(QString::fromLatin1(shown)));
}

} // namespace servicetool

namespace servicetool {

QString cMyCommandReport::shownName(const QString &name)
{
    QString shown;
    for (const QChar c : name) {
        if (c == QLatin1Char('\n'))
            shown += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            shown += QStringLiteral("\\r");
        else if (c == QLatin1Char('\t'))
            shown += QStringLiteral("\\t");
        else if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            shown += (c.unicode() < 0x100 ? QStringLiteral("\\x%1") : QStringLiteral("\\u%1"))
                         .arg(c.unicode(), c.unicode() < 0x100 ? 2 : 4, 16, QLatin1Char('0'));
        else
            shown += c;
    }
    return shown;
}

} // namespace servicetool
