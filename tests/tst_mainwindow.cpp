// The main window frame: the command line, pages, menus, tool bar, shortcuts, title, enabling
// rules, Help, About.

#include "app/cmycommandline.h"
#include "app/mainwindow.h"
#include "model/cmymemoryarea.h"
#include "resources/tamiraversion.h"
#include "simulation/cmysimprofile.h"
#include "tests/support/accessiblenames.h"
#include "tests/support/cmyscripteddialogs.h"
#include "tests/support/contrast.h"
#include "tests/support/cutoffwidgets.h"
#include "tests/support/tamiratestapp.h"
#include "tests/support/waituntil.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QWidgetAction>

class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls.append(url); }
};

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void commandLine_data();
    void commandLine();
    void pagesAndTitle();
    void menusToolBarAndShortcuts();
    void portChangeEnablesCommands();
    void pagesFromTheKeyboard_data();
    void pagesFromTheKeyboard();
    void everyControlHasItsOwnName_data();
    void everyControlHasItsOwnName();
    void windowFitsTheScreen();
    void overviewButtonsReadWell();
    void helpOpensTheManual();
    void helpSaysWhereTheManualIs();
    void aboutShowsVersion();

private:
    template <typename T> T *child(QObject *parent, const char *name)
    {
        return parent->findChild<T *>(QLatin1String(name));
    }
};

void tst_MainWindow::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("demo");
    QTest::addColumn<bool>("help");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("unknown");
    QTest::newRow("nothing") << QStringList{} << false << false << ""
                             << "";
    QTest::newRow("file") << QStringList{"a.tmo"} << false << false << "a.tmo"
                          << "";
    QTest::newRow("demo before file") << QStringList{"--demo", "a.tmo"} << true << false << "a.tmo"
                                      << "";
    QTest::newRow("demo after file") << QStringList{"a.tmo", "--demo"} << true << false << "a.tmo"
                                     << "";
    QTest::newRow("first file only") << QStringList{"a.tmo", "b.tmo"} << false << false << "a.tmo"
                                     << "";
    QTest::newRow("dash file after --") << QStringList{"--", "--demo"} << false << false << "--demo"
                                        << "";
    QTest::newRow("lone dash is a file") << QStringList{"-"} << false << false << "-"
                                         << "";
    QTest::newRow("short help") << QStringList{"-h", "a.tmo"} << false << true << "a.tmo"
                                << "";
    QTest::newRow("misspelt option") << QStringList{"--demo2", "--x"} << false << false << ""
                                     << "--demo2";
}

void tst_MainWindow::commandLine()
{
    QFETCH(QStringList, arguments);
    const cMyCommandLine line = cMyCommandLine::parse(arguments);
    QTEST(line.demo, "demo");
    QTEST(line.help, "help");
    QTEST(line.file, "file");
    QTEST(line.unknownOption, "unknown");
}

void tst_MainWindow::pagesAndTitle()
{
    cMyScriptedDialogs dialogs;
    MainWindow w;
    QCOMPARE(w.windowTitle(), QString("TAMIRAdesk v" TAMIRA_VERSION "[*]")); // "*" there marks unsaved changes
    QVERIFY(!w.isWindowModified());
    QCOMPARE(w.size(), QSize(1126, 761));

    auto *tabs = child<QTabWidget>(&w, "tabWidget");
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 4);
    QCOMPARE(tabs->currentIndex(), 0);
    const QStringList names{"tabStart", "tabTimery", "tabKomunikaty", "simWidget"};
    const QStringList texts{"Overview", "Parameters / Intervals", "Messages", "Simulation"};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(tabs->widget(i)->objectName(), names.at(i));
        QCOMPARE(tabs->tabText(i), texts.at(i));
    }
    QVERIFY(!w.findChild<QWidget *>("tabSpare") || tabs->indexOf(w.findChild<QWidget *>("tabSpare")) < 0);

    // The overview starts with "N/A" everywhere, the two statistics' tiles too.
    for (const char *name :
         {"lmaxDepth", "lDiveTime", "lTamiraPort", "lSerialNumber", "lHardwareVesrion", "lMemoryAmount",
          "lTamiraStatus", "lFirmwareVersion", "lVoiceLang", "lVoiceVersion", "lParamVersion"})
        QCOMPARE(child<QLabel>(&w, name)->text(), QString("N/A"));
    QCOMPARE(child<QPushButton>(&w, "pbDetails")->text(), QString("Details"));
    QCOMPARE(child<QPushButton>(&w, "pbGetStatus")->text(), QString("Refresh"));
    QVERIFY(child<QPlainTextEdit>(&w, "pteParamDesc")->isReadOnly());
    QVERIFY(child<QPlainTextEdit>(&w, "pteParamDesc")->maximumHeight() <= 100);
    QVERIFY(dialogs.clean());
}

void tst_MainWindow::menusToolBarAndShortcuts()
{
    cMyScriptedDialogs dialogs;
    MainWindow w;
    auto *bar = child<QMenuBar>(&w, "menuBar");
    QStringList titles;
    for (QAction *a : bar->actions())
        titles << a->text();
    QCOMPARE(titles, (QStringList{"&File", "&Edit", "&View", "&Online", "&Service", "&Language", "&Help"}));

    // Menu and tool bar entries by name; a widget on the tool bar by its class.
    auto entries = [&](const char *name) {
        QStringList out;
        for (QAction *a : child<QWidget>(&w, name)->actions()) {
            auto *wa = qobject_cast<QWidgetAction *>(a);
            out << (a->isSeparator() ? QString("|")
                    : wa             ? wa->defaultWidget()->metaObject()->className()
                                     : a->objectName());
        }
        return out;
    };
    QCOMPARE(entries("menuPlik"),
             (QStringList{"actionNew", "actionOpen", "actionRecentFiles", "actionSave", "actionSaveAs",
                          "actionCompareFile", "actionRestoreBackup", "|", "actionExit"}));
    QCOMPARE(entries("menuEdycja"), (QStringList{"actionUndo", "actionRedo"}));
    QCOMPARE(entries("menuWidok"), (QStringList{"actionPage1", "actionPage2", "actionPage3", "actionPage4", "|",
                                                "actionNextPage", "actionPreviousPage"}));
    QCOMPARE(entries("menuKomunikacja"),
             (QStringList{"actionReadSettings", "actionWriteSettings", "actionCompareTamira"}));
    QCOMPARE(entries("menuSerwis"), (QStringList{"actionReset", "actionClearStats", "actionPowerOff", "|",
                                                 "actionLibraryUpdate", "actionFirmwareUpdate"}));
    QCOMPARE(entries("menuPomoc"), (QStringList{"actionPomoc", "actionDemo", "actionAbout"}));

    struct Expect
    {
        const char *name, *text, *shortcut;
        bool icon;
    };
    const Expect expected[] = {
        {"actionNew", "&New...", "Ctrl+N", true},
        {"actionOpen", "&Open...", "Ctrl+O", true},
        {"actionSave", "Save...", "Ctrl+S", true},
        {"actionSaveAs", "Save &As...", "Ctrl+Shift+S", true},
        {"actionExit", "E&xit", "Ctrl+Q", true},
        {"actionReadSettings", "Tamira -> PC &Upload", "Ctrl+U", true},
        {"actionWriteSettings", "PC -> Tamira &Download", "Ctrl+D", true},
        {"actionCompareTamira", "&Compare with Tamira...", "", false},
        {"actionCompareFile", "Co&mpare with file...", "", false},
        {"actionReset", "&Reset...", "", false},
        {"actionClearStats", "&Clear statistics...", "", false},
        {"actionPowerOff", "Switch Tamira O&ff...", "", false},
        {"actionLibraryUpdate", "&Sound library update...", "", false},
        {"actionFirmwareUpdate", "&Firmware update...", "", false},
        {"actionPomoc", "&Help...", "F1", false},
        {"actionDemo", "&Try without a device", "", false},
        {"actionAbout", "&About...", "", false},
        {"actionUndo", "&Undo", "Ctrl+Z", false},
        {"actionPage1", "Overview", "Alt+1", false},
        {"actionPage3", "Messages", "Alt+3", false},
        {"actionNextPage", "&Next page", "Ctrl+PgDown", false},
        {"actionPreviousPage", "&Previous page", "Ctrl+PgUp", false},
    };
    for (const Expect &e : expected) {
        auto *a = child<QAction>(&w, e.name);
        QVERIFY2(a, e.name);
        QCOMPARE(a->text(), QString(e.text));
        QCOMPARE(a->shortcut().toString(), QString(e.shortcut));
        QCOMPARE(!a->icon().isNull(), e.icon);
        if (e.icon)
            QVERIFY2(!a->icon().pixmap(24, 24).isNull(), e.name);
    }

    QCOMPARE(entries("mainToolBar"),
             (QStringList{"actionNew", "actionOpen", "actionSave", "actionSaveAs", "|", "actionWriteSettings",
                          "actionReadSettings", "|", "QLabel", "cMyPortSelect", "|", "actionExit"}));
}

void tst_MainWindow::portChangeEnablesCommands()
{
    cMyScriptedDialogs dialogs;
    MainWindow w;
    const char *actions[] = {"actionReadSettings", "actionWriteSettings",  "actionReset",        "actionClearStats",
                             "actionPowerOff",     "actionFirmwareUpdate", "actionLibraryUpdate"};
    w.portChanged(QString());
    for (const char *name : actions)
        QVERIFY2(!child<QAction>(&w, name)->isEnabled(), name);
    QVERIFY(!child<QPushButton>(&w, "pbGetStatus")->isEnabled());
    QVERIFY(!child<QPushButton>(&w, "pbDetails")->isEnabled());
    QVERIFY(!child<QWidget>(&w, "simWidget")->isEnabled());
    QVERIFY(child<QAction>(&w, "actionNew")->isEnabled());

    w.portChanged("/dev/ttyACM0");
    for (const char *name : actions)
        QVERIFY2(child<QAction>(&w, name)->isEnabled(), name);
    QVERIFY(child<QPushButton>(&w, "pbGetStatus")->isEnabled());
    QVERIFY(child<QWidget>(&w, "simWidget")->isEnabled());
    QCOMPARE(child<QLabel>(&w, "lTamiraPort")->text(), QString("/dev/ttyACM0"));

    child<QLabel>(&w, "lSerialNumber")->setText("1234");
    child<QPlainTextEdit>(&w, "pteParamDesc")->setPlainText("old");
    w.portChanged(QString());
    QCOMPARE(child<QLabel>(&w, "lTamiraPort")->text(), QString("N/A"));
    QCOMPARE(child<QLabel>(&w, "lSerialNumber")->text(), QString("N/A"));
    QVERIFY(child<QPlainTextEdit>(&w, "pteParamDesc")->toPlainText().isEmpty());
}

void tst_MainWindow::pagesFromTheKeyboard_data()
{
    QTest::addColumn<QString>("editor");
    QTest::addColumn<int>("page");
    for (const char *name : {"portSelect", "pteParamDesc", "pbGetStatus"})
        QTest::newRow(name) << name << 0;
    for (const char *name :
         {"par1Cb", "par4Sb", "par11Sb", "par13Sb", "leAuthor", "pteDescription", "tim1Cb2", "tim1Sb2", "tim1Cb4"})
        QTest::newRow(name) << name << 1;
    for (const char *name : {"par01Cb1", "par01Cb2", "par01Cb3", "par01Sb1", "par24Cb6"})
        QTest::newRow(name) << name << 2;
    for (const char *name : {"simSlider", "pbStartSim", "pbSub1"})
        QTest::newRow(name) << name << 3;
}

void tst_MainWindow::pagesFromTheKeyboard()
{
    // The keys go to the focused editor as a user types them (shortcuts first); each must switch
    // the page and leave the editor's value as it was.
    QFETCH(QString, editor);
    QFETCH(int, page);
    cMyScriptedDialogs dialogs;
    MainWindow w;
    w.portChanged("/dev/null");
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.ensureSettingsForm();
    // A rule's threshold takes keys once its measured value has a unit.
    w.findChild<QComboBox *>("par01Cb2")->setCurrentIndex(21);
    auto *tabs = child<QTabWidget>(&w, "tabWidget");
    auto *slider = child<QSlider>(&w, "simSlider");
    struct Key
    {
        int key;
        Qt::KeyboardModifiers modifiers;
        int page; // -1 next, -2 previous
    };
    const Key keys[] = {{Qt::Key_Tab, Qt::ControlModifier, -1},
                        {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, -2},
                        {Qt::Key_PageDown, Qt::ControlModifier, -1},
                        {Qt::Key_PageUp, Qt::ControlModifier, -2},
                        {Qt::Key_1, Qt::AltModifier, 0},
                        {Qt::Key_4, Qt::AltModifier, 3}};
    for (const Key &k : keys) {
        tabs->setCurrentIndex(page);
        QWidget *e = child<QWidget>(&w, qPrintable(editor));
        e->setEnabled(true); // the slider steers only while a dive runs
        e->setFocus();
        QVERIFY(waitUntil(
            [&] { return QApplication::focusWidget() == e || e->isAncestorOf(QApplication::focusWidget()); }));
        const QVector<quint8> before = w.settingsImage()->readBytes(0, 1024);
        const int sliderBefore = slider->value();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(k.key), k.modifiers);
        const int expected = k.page == -1 ? (page + 1) % 4 : k.page == -2 ? (page + 3) % 4 : k.page;
        QCOMPARE(tabs->currentIndex(), expected);
        QCOMPARE(w.settingsImage()->readBytes(0, 1024), before);
        QCOMPARE(slider->value(), sliderBefore);
    }
    QVERIFY(dialogs.clean());
}

void tst_MainWindow::everyControlHasItsOwnName_data()
{
    QTest::addColumn<bool>("english");
    QTest::newRow("English") << true;
    QTest::newRow("Polski") << false;
}

void tst_MainWindow::everyControlHasItsOwnName()
{
    QFETCH(bool, english);
    const auto backToEnglish = qScopeGuard([] { useEnglishCatalogue(true); });
    cMyScriptedDialogs dialogs;
    MainWindow w;
    w.show();
    w.ensureSettingsForm();
    useEnglishCatalogue(english);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    auto *tabs = child<QTabWidget>(&w, "tabWidget");
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QCoreApplication::processEvents(); // widgets settle as they are first shown
        const QStringList problems = AccessibleNames::problems(&w);
        QVERIFY2(problems.isEmpty(), qPrintable(tabs->tabText(i) + ":\n" + problems.join('\n')));
    }
    // The names say what each control is.
    QCOMPARE(AccessibleNames::of(w.findChild<QWidget *>("par13Sb")), QString(english ? "1. Volume" : "1. Głośność"));
    QCOMPARE(AccessibleNames::of(w.findChild<QWidget *>("par07Cb2")),
             QString(english ? "Message rule 7, measured value" : "Reguła komunikatu 7, wartość mierzona"));
    QCOMPARE(AccessibleNames::of(w.findChild<QWidget *>("portSelect")), QString(english ? "Device:" : "Urządzenie:"));
    // Tool tips reach screen readers without mark-up.
    QAccessibleInterface *hint = QAccessible::queryAccessibleInterface(w.findChild<QWidget *>("par4Sb"));
    QVERIFY(hint->text(QAccessible::Description).startsWith(english ? "The dive start threshold" : "Próg zanurzenia"));
    QVERIFY(!hint->text(QAccessible::Description).contains('<'));

    // Values are said with their captions; a rule's editors with the whole rule; the profile
    // with where the dive stands.
    w.newStatusRead({"1", "42.2 m", "1:02:05", "4660", "1.2", "4", "1.2", "Polski", "2.1", "1.0.5.0", "", "", ""});
    const char *const said[][3] = {
        {"lmaxDepth", "Max Depth, 42.2 m", "Głębokość maks., 42.2 m"},
        {"lSerialNumber", "Serial No.: 4660", "Nr seryjny: 4660"},
        {"lVoiceVersion", "Sound library version: 2.1", "Wersja biblioteki dźwięków: 2.1"},
        {"simDepthMax", "Depth max, 0.00 m", "Głębokość maksymalna, 0.00 m"},
        {"simTimer3", "Timer 3, 0 s", "Timer 3, 0 s"},
        {"simProfile", "Dive profile", "Profil nurkowania"},
    };
    for (const auto &value : said)
        QCOMPARE(AccessibleNames::of(w.findChild<QWidget *>(value[0])), QString(english ? value[1] : value[2]));
    auto description = [&](const char *name) {
        return QAccessible::queryAccessibleInterface(w.findChild<QWidget *>(name))->text(QAccessible::Description);
    };
    QCOMPARE(description("par07Sb1"), QString(english ? "never: this rule is unused" : "nigdy: reguła nieużywana"));
    QCOMPARE(description("simProfile"), QString(english ? "no samples yet" : "brak próbek"));
    auto *profile = w.findChild<cMySimProfile *>("simProfile");
    for (const cMySimSample &sample : {cMySimSample{0, 1013, 0, 0, 0}, cMySimSample{24000, 3740, 2726, 0, 24},
                                       cMySimSample{75900, 1013, 0, -120, 75}})
        profile->addSample(sample);
    profile->flush();
    QCOMPARE(description("simProfile"),
             QString(english ? "deepest 27.26 m at 24 s, 75 s so far" : "najgłębiej 27.26 m po 24 s, 75 s od startu"));
}

void tst_MainWindow::windowFitsTheScreen()
{
    // The offscreen platform's screen, 800 x 600, is smaller than the window's first size.
    cMyScriptedDialogs dialogs;
    MainWindow w;
    w.show();
    const QRect area = w.screen()->availableGeometry();
    QVERIFY(area.width() < 1126 && area.height() < 761);
    QVERIFY2(area.contains(w.frameGeometry()), qPrintable(QString("%1,%2 %3 x %4 in %5 x %6")
                                                              .arg(w.frameGeometry().x())
                                                              .arg(w.frameGeometry().y())
                                                              .arg(w.frameGeometry().width())
                                                              .arg(w.frameGeometry().height())
                                                              .arg(area.width())
                                                              .arg(area.height())));
    // No page asks for more: the tall ones scroll.
    const QSize smallest = w.minimumSize().expandedTo(w.minimumSizeHint());
    QVERIFY2(area.size().expandedTo(smallest) == area.size(),
             qPrintable(QString("%1 x %2").arg(smallest.width()).arg(smallest.height())));
    // Even with a task bar and a title bar (Windows': 40 and 31 pixels at any scale) taken off
    // the screen, as on a 1366 x 768 screen at 150 %.
    QVERIFY2(smallest.height() + 40 + 31 <= area.height(), qPrintable(QString::number(smallest.height())));
    // The status bar, where transfer results appear, is inside the window.
    QVERIFY(w.statusBar()->isVisible());
    QVERIFY(w.rect().contains(w.statusBar()->geometry()));
    // On every page each visible widget lies inside its parent (only a scroll area's content
    // may be larger than its view) and has room for its text: nothing is cut off, also at 150 %
    // (the test run by ctest as tst_mainwindow_150).
    auto *tabs = w.findChild<QTabWidget *>("tabWidget");
    for (int page = 0; page < tabs->count(); ++page) {
        tabs->setCurrentIndex(page);
        // Once the page's layouts have settled.
        QTRY_VERIFY2_WITH_TIMEOUT(cutOffWidgets(&w).isEmpty(),
                                  qPrintable(tabs->tabText(page) + ": " + cutOffWidgets(&w).join("; ")), 5000);
    }
}

void tst_MainWindow::overviewButtonsReadWell()
{
    // White text against the lightest part of the button's face, as drawn (the face drawn
    // once without the text).
    cMyScriptedDialogs dialogs;
    MainWindow w;
    w.show();
    auto lightest = [](QPushButton *button) {
        const QImage image = button->grab().toImage();
        double l = 0;
        for (int y = 2; y < image.height() - 2; ++y)
            for (int x = 2; x < image.width() - 2; ++x)
                l = std::max(l, Contrast::luminance(image.pixel(x, y)));
        return l;
    };
    for (const char *name : {"pbDetails", "pbGetStatus", "pbDemo"}) {
        auto *button = child<QPushButton>(&w, name);
        button->setEnabled(true);
        const double text = lightest(button);
        button->setText(QString());
        const double ratio = Contrast::ratio(text, lightest(button));
        QVERIFY2(ratio >= 4.5, qPrintable(QString("%1: %2").arg(name).arg(ratio)));
    }
}

void tst_MainWindow::helpOpensTheManual()
{
    cMyScriptedDialogs dialogs;
    MainWindow w;
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    child<QAction>(&w, "actionPomoc")->trigger();
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(catcher.urls.size(), 1);
    QCOMPARE(catcher.urls.first(), QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/TAMIRAdeskHELP.pdf"));
    QVERIFY(dialogs.clean());
}

void tst_MainWindow::helpSaysWhereTheManualIs()
{
    // With nothing to open the manual (the offscreen platform has no desktop services on Linux),
    // the user learns where it is.
    cMyScriptedDialogs dialogs;
    MainWindow w;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("openDocument"));
    dialogs.expectMessage(cMyDialogs::Ok, "Help");
    child<QAction>(&w, "actionPomoc")->trigger();
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
    QCOMPARE(dialogs.asked().last().text, "No program could open the help file. It is here:\n"
                                              + QCoreApplication::applicationDirPath() + "/TAMIRAdeskHELP.pdf");
}

void tst_MainWindow::aboutShowsVersion()
{
    cMyScriptedDialogs dialogs;
    MainWindow w;
    QString title, version;
    QSize size;
    bool iconShown = false;
    QTimer::singleShot(0, [&] {
        auto *about = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!about)
            return;
        title = about->windowTitle();
        size = about->size();
        version = about->findChild<QLabel *>("lVersion")->text();
        const QLabel *icon = about->findChild<QLabel *>("lIcon");
        iconShown = icon && !icon->pixmap(Qt::ReturnByValue).isNull() && icon->size() == QSize(128, 128);
        about->findChild<QPushButton *>("pbClose")->click();
    });
    child<QAction>(&w, "actionAbout")->trigger();
    QCOMPARE(title, QString("About"));
    QCOMPARE(size, QSize(290, 227));
    QCOMPARE(version, QString("Version: " TAMIRA_VERSION));
    QVERIFY(iconShown);
}

TAMIRA_GUI_TEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
