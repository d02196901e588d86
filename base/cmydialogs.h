#ifndef BASE_CMYDIALOGS_H
#define BASE_CMYDIALOGS_H

// The one way the programs ask the user something: message boxes and file dialogs. The real
// implementation (QMessageBox, QFileDialog) lives with the programs; tests install a scripted one.
// No widget types appear here, so the libraries without Qt Widgets (the device jobs, the
// bootloader check) can ask too.

#include <QObject>
#include <QString>

class cMyDialogs
{
public:
    enum Icon { NoIcon, Information, Warning, Critical, Question };
    // Same values as QMessageBox::StandardButton, so the widget implementation can cast.
    enum Button {
        NoButton = 0x00000000,
        Ok = 0x00000400,
        Yes = 0x00004000,
        No = 0x00010000,
        Cancel = 0x00400000,
        Discard = 0x00800000,
    };
    Q_DECLARE_FLAGS(Buttons, Button)

    virtual ~cMyDialogs() = default;

    // A message box; returns the button pressed (NoButton or the escape button when closed).
    // parent is a widget or null; the widget implementation casts it.
    virtual Button message(QObject *parent, Icon icon, const QString &title, const QString &text, Buttons buttons,
                           Button defaultButton = NoButton) = 0;
    // Empty string when cancelled.
    virtual QString openFileName(QObject *parent, const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
    virtual QString saveFileName(QObject *parent, const QString &caption, const QString &dir,
                                 const QString &filter) = 0;

    // Shorthands used throughout the programs. A question's default is No: Enter must not do
    // what it asks about.
    Button question(QObject *parent, const QString &title, const QString &text)
    {
        return message(parent, Question, title, text, Buttons(Yes) | No, No);
    }
    void critical(QObject *parent, const QString &title, const QString &text)
    {
        message(parent, Critical, title, text, Ok);
    }

    // The process-wide instance. Until a program installs its own, a silent one answers
    // every question with "no" and every file dialog with "cancelled".
    static cMyDialogs &current();
    static void install(cMyDialogs *dialogs);
};

Q_DECLARE_OPERATORS_FOR_FLAGS(cMyDialogs::Buttons)

#endif
