#ifndef APP_CMYCOMMANDLINE_H
#define APP_CMYCOMMANDLINE_H

// TAMIRAdesk's command line after Qt has taken its own options: "--demo", "--help",
// "--version", "--compare A B", and the settings file to open, "--" letting a file name start
// with a dash.

#include <QString>
#include <QStringList>

class cMyCommandLine
{
public:
    // `arguments` without the program name.
    static cMyCommandLine parse(const QStringList &arguments);
    static QString usage();

    bool demo = false;
    bool help = false;
    bool version = false;
    QString file;        // empty: none given
    QStringList compare; // the two files of "--compare", as given (fewer when they are missing)
    bool compareGiven = false;
    QString unknownOption; // not empty: the first option nobody knows
};

#endif
