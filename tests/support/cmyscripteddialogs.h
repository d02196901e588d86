#ifndef TESTS_SUPPORT_CMYSCRIPTEDDIALOGS_H
#define TESTS_SUPPORT_CMYSCRIPTEDDIALOGS_H

// Test stand-in for the dialog seam: a test says in advance which dialogs it expects and what the
// user answers; every dialog asked is recorded, and one nobody expected is an error.
// Installs itself on construction and restores the silent default on destruction.

#include "base/cmydialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

class cMyScriptedDialogs : public cMyDialogs
{
public:
    enum Kind { MessageBox, OpenFile, SaveFile };
    struct Asked
    {
        Kind kind;
        Icon icon;
        QString title;
        QString text;
        Buttons buttons;
        Button defaultButton;
        QObject *parent;
        QString dir;
        QString filter;
    };

    cMyScriptedDialogs();
    ~cMyScriptedDialogs() override;

    // The next message box is answered with `answer`; when title is not empty it must match.
    void expectMessage(Button answer, const QString &title = QString());
    // The next file dialog returns `path` (empty = cancelled).
    void expectOpenFile(const QString &path);
    void expectSaveFile(const QString &path);

    const QList<Asked> &asked() const { return m_asked; }
    // True when every expected dialog came, in order, and nothing else did.
    bool clean() const { return m_errors.isEmpty() && m_expected.isEmpty(); }
    QString report() const;

    Button message(QObject *parent, Icon icon, const QString &title, const QString &text, Buttons buttons,
                   Button defaultButton) override;
    QString openFileName(QObject *parent, const QString &caption, const QString &dir, const QString &filter) override;
    QString saveFileName(QObject *parent, const QString &caption, const QString &dir, const QString &filter) override;

private:
    struct Expected
    {
        Kind kind;
        Button answer;
        QString title;
        QString path;
    };
    bool take(Kind kind, const QString &title, Expected &out);

    QList<Expected> m_expected;
    QList<Asked> m_asked;
    QStringList m_errors;
};

#endif
