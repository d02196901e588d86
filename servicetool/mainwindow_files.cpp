// Files: the two panes of the service page, and the settings files of the menu.

#include "servicetool/mainwindow.h"
#include "ui_mainwindow.h"

#include "base/cmydialogs.h"
#include "servicetool/cmyhexfile.h"
#include "servicetool/cmypanefiller.h"
#include "servicetool/cmytextfile.h"

namespace servicetool {

namespace {

const char kHexFilter[] = "Pliki hex (*.hex)";

// A file command that failed says why; the window's data stays as it was.
void tellFailure(QWidget *window, const QString &text)
{
    cMyDialogs::current().critical(window, QStringLiteral("Błąd"), text);
}

} // namespace

void MainWindow::on_pbServiceOpenFile_clicked()
{
    const QString path = cMyDialogs::current().openFileName(this, QStringLiteral("Otwórz plik"), QStringLiteral("."),
                                                            QLatin1String(kHexFilter));
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
    const QString path = cMyDialogs::current().saveFileName(this, QStringLiteral("Zapisz do pliku"),
                                                            QStringLiteral("."), QLatin1String(kHexFilter));
    QString failure;
    if (!path.isEmpty() && !cMyTextFile::write(path, m_readBackFiller->text().toLatin1(), true, &failure))
        tellFailure(this, failure);
}

void MainWindow::openFile()
{
    const QString path = cMyDialogs::current().openFileName(
        this, QStringLiteral("Otworz plik reguł"), QStringLiteral("."), QStringLiteral("Tamira - plik reguł (*.tmo)"));
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
    const QString path = cMyDialogs::current().saveFileName(
        this, QStringLiteral("Zapisz do pliku"), QStringLiteral("."), QStringLiteral("Tamira files (*.tmo)"));
    QString failure;
    if (!path.isEmpty() && !m_hexFile->save(path, &failure))
        tellFailure(this, failure);
}

} // namespace servicetool
