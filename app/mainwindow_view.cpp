// The View menu (the pages from the keyboard), and the window's size, place and tool bar as the
// user left them last time.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/cmypageswitcher.h"
#include "base/cmyremembered.h"

namespace {
const QString kGeometry = QStringLiteral("window/geometry");
const QString kState = QStringLiteral("window/state");
} // namespace

void MainWindow::setupView()
{
    auto *view = new cMyPageSwitcher(
        ui->tabWidget, "MainWindow",
        {QT_TRANSLATE_NOOP("MainWindow", "Start"), QT_TRANSLATE_NOOP("MainWindow", "Parametry / Okresy"),
         QT_TRANSLATE_NOOP("MainWindow", "Komunikaty"), QT_TRANSLATE_NOOP("MainWindow", "Symulacja")},
        this);
    ui->menuBar->insertMenu(ui->menuKomunikacja->menuAction(), view);
    const auto remembered = cMyRemembered::settings();
    // What a screen smaller than last time's cannot hold, the window fit takes back in.
    restoreGeometry(remembered->value(kGeometry).toByteArray());
    restoreState(remembered->value(kState).toByteArray());
}

void MainWindow::rememberWindow()
{
    const auto remembered = cMyRemembered::settings();
    remembered->setValue(kGeometry, saveGeometry());
    remembered->setValue(kState, saveState());
}
