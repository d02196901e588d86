// tamira-helpgen: turns the HTML manual into the PDF that Help opens.
// Usage: tamira-helpgen INPUT.html OUTPUT.pdf [--title TEXT] [--set NAME=VALUE]...

#include "tools/helpgen/cmymanualrenderer.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // Lay out in CSS pixels whatever screen the platform plugin pretends to have.
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi);
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders the TAMIRAdesk manual to PDF."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("input"), QStringLiteral("the manual, HTML"));
    parser.addPositionalArgument(QStringLiteral("output"), QStringLiteral("the PDF to write"));
    const QCommandLineOption titleOption(QStringLiteral("title"), QStringLiteral("Title in the page headers."),
                                         QStringLiteral("text"), QStringLiteral("TAMIRAdesk help"));
    const QCommandLineOption setOption(QStringLiteral("set"), QStringLiteral("Replace {{NAME}} by VALUE."),
                                       QStringLiteral("NAME=VALUE"));
    parser.addOption(titleOption);
    parser.addOption(setOption);
    parser.process(app);
    if (parser.positionalArguments().size() != 2)
        parser.showHelp(2);

    const QString input = parser.positionalArguments().at(0);
    const QString output = parser.positionalArguments().at(1);
    QFile file(input);
    if (!file.open(QIODevice::ReadOnly)) {
        err << "tamira-helpgen: cannot read " << input << ": " << file.errorString() << "\n";
        return 1;
    }
    const QString html = QString::fromUtf8(file.readAll());

    QMap<QString, QString> variables;
    for (const QString &assignment : parser.values(setOption)) {
        const int eq = assignment.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            err << "tamira-helpgen: --set needs NAME=VALUE, got " << assignment << "\n";
            return 2;
        }
        variables.insert(assignment.left(eq), assignment.mid(eq + 1));
    }

    cMyManualRenderer renderer(html, QUrl::fromLocalFile(QFileInfo(input).absolutePath() + QLatin1Char('/')),
                               variables);
    if (!renderer.writePdf(output, parser.value(titleOption))) {
        err << "tamira-helpgen: " << renderer.errorText() << "\n";
        return 1;
    }
    return 0;
}
