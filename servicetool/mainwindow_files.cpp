// Files: the two panes of the service page, and the settings files of the menu.

#include "servicetool/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/cmydialogs.h"
#include "base/cmyremembered.h"
#include "servicetool/cmyhexfile.h"
#include "servicetool/cmypanefiller.h"
#include "servicetool/cmytextfile.h"

namespace servicetool {

namespace {

const char kHexFilter[] = "Pliki hex (*.hex)";

// The file dialogs start where the last one of their kind took a file, at first in the user's
// Documents (the home folder on Linux).
QString openName(QWidget *window, const QString &title, const QString &kind, const QString &filter)
{
    QString path = cMyDialogs::current().openFileName(window, title, cMyRemembered::startFolder(kind), filter);
    cMyRemembered::rememberFolder(kind, path);
    return path;
}

QString saveName(QWidget *window, const QString &title, const QString &kind, const QString &filter)
{
    QString path = cMyDialogs::current().saveFileName(window, title, cMyRemembered::startFolder(kind), filter);
    cMyRemembered::rememberFolder(kind, path);
    return path;
}

} // namespace

QString MainWindow::saveFileName(const QString &title, const QString &kind, const QString &filter)
{
    return saveName(this, title, kind, filter);
}

namespace {

// A file command that failed says why; the window's data stays as it was.
void tellFailure(QWidget *window, const QString &text)
{
    cMyDialogs::current().critical(window, QStringLiteral("Błąd"), text);
}

} // namespace

void MainWindow::on_pbServiceOpenFile_clicked()
{
    const QString path =
        openName(this, QStringLiteral("Otwórz plik"), QStringLiteral("hex"), QLatin1String(kHexFilter));
    QByteArray text;
    QString failure;
    if (path.isEmpty())
        return;
    if (cMyTextFile::read(path, &text, &failure))
        m_fileFiller->fill(text);
    else
        tellFailure(this, failure);
}

void MainWindow::on_pbSaveFile_clicked()
{
    const QString path =
        saveName(this, QStringLiteral("Zapisz do pliku"), QStringLiteral("hex"), QLatin1String(kHexFilter));
    QString failure;
    if (!path.isEmpty() && !cMyTextFile::write(path, m_readBackFiller->text().toLatin1(), true, &failure))
        tellFailure(this, failure);
}

void MainWindow::openFile()
{
    const QString path = openName(this, QStringLiteral("Otworz plik reguł"), QStringLiteral("settings"),
                                  QStringLiteral("Tamira - plik reguł (*.tmo)"));
    QString failure;
    if (path.isEmpty())
        return;
    if (m_hexFile->merge(path, &failure))
        setWindowTitle(QStringLiteral("Tamira 1.0 Alpha - %1").arg(path));
    else
        tellFailure(this, failure);
}

void MainWindow::saveAsFile()
{
    const QString path = saveName(this, QStringLiteral("Zapisz do pliku"), QStringLiteral("settings"),
                                  QStringLiteral("Tamira files (*.tmo)"));
    QString failure;
    if (!path.isEmpty() && !m_hexFile->save(path, &failure))
        tellFailure(this, failure);
}

} // namespace servicetool
