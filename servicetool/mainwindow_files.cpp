// Files: the two panes of the service page, and the settings files of the menu.

#include "servicetool/mainwindow.h"
#include "ui_mainwindow.h"

#include "device/cmydialogs.h"
#include "servicetool/cmyhexfile.h"
#include "servicetool/cmypanefiller.h"
#include "servicetool/cmytextfile.h"

namespace servicetool {

namespace {
const char kHexFilter[] = "Pliki hex (*.hex)";
}

void MainWindow::on_pbServiceOpenFile_clicked()
{
    const QString path = cMyDialogs::current().openFileName(this, QStringLiteral("Otwórz plik"), QStringLiteral("."),
                                                             QLatin1String(kHexFilter));
    QByteArray text;
    if (!path.isEmpty() && cMyTextFile::read(path, &text))
        m_fileFiller->fill(text);
}

void MainWindow::on_pbSaveFile_clicked()
{
    const QString path = cMyDialogs::current().saveFileName(this, QStringLiteral("Zapisz do pliku"),
                                                             QStringLiteral("."), QLatin1String(kHexFilter));
    if (!path.isEmpty())
        cMyTextFile::write(path, m_readBackFiller->text().toLatin1());
}

void MainWindow::openFile()
{
    const QString path = cMyDialogs::current().openFileName(this, QStringLiteral("Otworz plik reguł"),
                                                             QStringLiteral("."),
                                                             QStringLiteral("Tamira - plik reguł (*.tmo)"));
    if (!path.isEmpty() && m_hexFile->merge(path))
        setWindowTitle(QStringLiteral("Tamira 1.0 Alpha - %1").arg(path));
}

void MainWindow::saveAsFile()
{
    const QString path = cMyDialogs::current().saveFileName(this, QStringLiteral("Zapisz do pliku"),
                                                             QStringLiteral("."), QStringLiteral("Tamira files (*.tmo)"));
    if (!path.isEmpty())
        m_hexFile->save(path);
}

} // namespace servicetool
