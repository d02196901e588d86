// A status report on the overview page and in the status dialog.

#include "cmyscripteddialogs.h"
#include "cmytamirastatus.h"
#include "mainwindow.h"
#include "tamiratestapp.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

class tst_Status : public QObject
{
    Q_OBJECT

private slots:
    void flagsGiveTheRows_data();
    void flagsGiveTheRows();
    void reportFillsTheOverview();
    void updateWhileTheDialogIsOpen();

private:
    static QStringList rows(cMyTamiraStatus *d)
    {
        QStringList out;
        for (const char *name : {"lSelfTest", "lPressureSensor", "lAudioCodec", "lFlashMemory",
                                 "lSetup", "lSoundLibrary", "lCustomMessages", "lFirmware"})
            out << d->findChild<QLabel *>(name)->text();
        return out;
    }
    static QStringList report(const QString &flags)
    {
        return {flags, "12.3 m", "1:02:05", "4660", "1.2.3.4", "4", "1.0.5.0", "English",
                "2.1.0.0", "1.0.5.0", "Ala", "Training", "Line one\nLine two"};
    }
};

void tst_Status::flagsGiveTheRows_data()
{
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("overview");
    const QString ok = "OK";
    QTest::newRow("1") << "1" << QStringList{"Self-test... Passed", ok, ok, ok, ok, ok, ok, ok} << "Self-test: Passed";
    QTest::newRow("0") << "0" << QStringList{"Self-test... Error", ok, ok, ok, ok, ok, ok, ok} << "Self-test: Error";
    QTest::newRow("255") << "255"
                         << QStringList{"Self-test... Passed", "Faulty", "Faulty", "Faulty", "Error", "Error", "Error", "Error"}
                         << "Self-test: Passed";
    QTest::newRow("128") << "128" << QStringList{"Self-test... Error", ok, ok, ok, ok, ok, ok, "Error"} << "Self-test: Error";
    QTest::newRow("384") << "384" << QStringList{"Self-test... Error", ok, ok, ok, ok, ok, ok, "Error"} << "Self-test: Error";
    QTest::newRow("not a number") << "x1" << QStringList{"Self-test... Error", ok, ok, ok, ok, ok, ok, ok} << "Self-test: Error";
    QTest::newRow("bit 2 and 5") << "36" << QStringList{"Self-test... Error", ok, "Faulty", ok, ok, "Error", ok, ok} << "Self-test: Error";
}

void tst_Status::flagsGiveTheRows()
{
    QFETCH(QString, flags);
    QFETCH(QStringList, expected);
    QFETCH(QString, overview);
    cMyScriptedDialogs dialogs;
    MainWindow w;
    auto *dialog = w.findChild<cMyTamiraStatus *>();
    QVERIFY(dialog);
    QCOMPARE(rows(dialog).first(), QString("Self-test... Error")); // nothing received yet
    w.newStatusRead(report(flags));
    QCOMPARE(rows(dialog), expected);
    QCOMPARE(w.findChild<QLabel *>("lTamiraStatus")->text(), overview);
}

void tst_Status::reportFillsTheOverview()
{
    cMyScriptedDialogs dialogs;
    MainWindow w;
    w.portChanged("/dev/ttyACM0");
    w.newStatusRead(report("129"));
    const auto text = [&](const char *name) { return w.findChild<QLabel *>(name)->text(); };
    QCOMPARE(text("lmaxDepth"), QString("12.3 m"));
    QCOMPARE(text("lDiveTime"), QString("1:02:05"));
    QCOMPARE(text("lSerialNumber"), QString("4660"));
    QCOMPARE(text("lHardwareVesrion"), QString("1.2.3.4"));
    QCOMPARE(text("lMemoryAmount"), QString("4 MB"));
    QCOMPARE(text("lFirmwareVersion"), QString("1.0.5.0"));
    QCOMPARE(text("lVoiceLang"), QString("English"));
    QCOMPARE(text("lVoiceVersion"), QString("2.1.0.0"));
    QCOMPARE(text("lParamVersion"), QString("1.0.5.0"));
    QCOMPARE(text("lParamAutor"), QString("Ala"));
    QCOMPARE(text("lParamTytul"), QString("Training"));
    QCOMPARE(w.findChild<QPlainTextEdit *>("pteParamDesc")->toPlainText(), QString("Line one\nLine two"));

    // The port going away resets the overview (tst_mainwindow); the dialog keeps the last flags.
    w.portChanged(QString());
    QCOMPARE(rows(w.findChild<cMyTamiraStatus *>()).first(), QString("Self-test... Passed"));
    QCOMPARE(rows(w.findChild<cMyTamiraStatus *>()).last(), QString("Error"));

    // A short report (never sent by the link, but outside data all the same) does no harm.
    w.newStatusRead({"1"});
    QCOMPARE(text("lMemoryAmount"), QString(" MB"));
}

void tst_Status::updateWhileTheDialogIsOpen()
{
    cMyScriptedDialogs dialogs;
    MainWindow w;
    w.portChanged("/dev/ttyACM0");
    auto *dialog = w.findChild<cMyTamiraStatus *>();
    QStringList seen;
    QString title, style;
    QTimer::singleShot(0, [&] {
        title = dialog->windowTitle();
        style = dialog->styleSheet();
        w.newStatusRead(report("255"));
        seen = rows(dialog);
        dialog->findChild<QPushButton *>("pbClose")->click();
    });
    w.findChild<QPushButton *>("pbDetails")->click(); // runs the dialog modally
    QVERIFY(!dialog->isVisible());
    QCOMPARE(title, QString("Device status"));
    QVERIFY(style.contains("background-color: black"));
    QCOMPARE(seen.at(1), QString("Faulty"));
    QCOMPARE(seen.at(7), QString("Error"));
}

TAMIRA_GUI_TEST_MAIN(tst_Status)
#include "tst_status.moc"
