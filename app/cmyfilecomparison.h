#ifndef APP_CMYFILECOMPARISON_H
#define APP_CMYFILECOMPARISON_H

// "TAMIRAdesk --compare A.tmo B.tmo", for scripts (a club that keeps its divers' settings in
// version control): the rows of the comparison window as text, one a line, tab-separated, under
// the version stamps and a heading line. No window, no display.

#include <QCoreApplication>
#include <QString>

class cMyFileComparison
{
    Q_DECLARE_TR_FUNCTIONS(cMyFileComparison)

public:
    enum Status { Same = 0, Differ = 1, BadFile = 2 };

    // Compares the settings of the files at `a` and `b`: the rows go to `out`, why a file
    // cannot be compared to `error`.
    static Status run(const QString &a, const QString &b, QString &out, QString &error);
};

#endif
