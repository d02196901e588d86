#include "tests/support/cmyscripteddialogs.h"

namespace {
const char *kindName(cMyScriptedDialogs::Kind k)
{
    static const char *const names[] = {"message box", "open-file dialog", "save-file dialog"};
    return names[k];
}
} // namespace

cMyScriptedDialogs::cMyScriptedDialogs()
{
    cMyDialogs::install(this);
}

cMyScriptedDialogs::~cMyScriptedDialogs()
{
    cMyDialogs::install(nullptr);
}

void cMyScriptedDialogs::expectMessage(Button answer, const QString &title)
{
    m_expected.append({MessageBox, answer, title, QString()});
}

void cMyScriptedDialogs::expectOpenFile(const QString &path)
{
    m_expected.append({OpenFile, NoButton, QString(), path});
}

void cMyScriptedDialogs::expectSaveFile(const QString &path)
{
    m_expected.append({SaveFile, NoButton, QString(), path});
}

QString cMyScriptedDialogs::report() const
{
    QStringList lines = m_errors;
    for (const Expected &e : m_expected)
        lines << QStringLiteral("expected %1 '%2' never came").arg(QLatin1String(kindName(e.kind)), e.title);
    return lines.join(QLatin1Char('\n'));
}

bool cMyScriptedDialogs::take(Kind kind, const QString &title, Expected &out)
{
    if (m_expected.isEmpty()) {
        m_errors << QStringLiteral("unexpected %1 '%2'").arg(QLatin1String(kindName(kind)), title);
        return false;
    }
    const Expected next = m_expected.takeFirst();
    if (next.kind != kind || (!next.title.isEmpty() && next.title != title)) {
        m_errors << QStringLiteral("expected %1 '%2' but got %3 '%4'")
                        .arg(QLatin1String(kindName(next.kind)), next.title, QLatin1String(kindName(kind)), title);
        return false;
    }
    out = next;
    return true;
}

cMyDialogs::Button cMyScriptedDialogs::message(QObject *parent, Icon icon, const QString &title, const QString &text,
                                               Buttons buttons, Button defaultButton)
{
    m_asked.append({MessageBox, icon, title, text, buttons, defaultButton, parent, QString(), QString()});
    Expected e;
    return take(MessageBox, title, e) ? e.answer : NoButton;
}

QString cMyScriptedDialogs::openFileName(QObject *parent, const QString &caption, const QString &dir,
                                         const QString &filter)
{
    m_asked.append({OpenFile, NoIcon, caption, QString(), Buttons(), NoButton, parent, dir, filter});
    Expected e;
    return take(OpenFile, caption, e) ? e.path : QString();
}

QString cMyScriptedDialogs::saveFileName(QObject *parent, const QString &caption, const QString &dir,
                                         const QString &filter)
{
    m_asked.append({SaveFile, NoIcon, caption, QString(), Buttons(), NoButton, parent, dir, filter});
    Expected e;
    return take(SaveFile, caption, e) ? e.path : QString();
}
