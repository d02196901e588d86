// What the user reads when a port does not open: the port's own text and, when the port is there
// but the user may not use it, how to get access. Through the link's box, on a real pty.

#include "tests/support/cmyscripteddialogs.h"
#include "device/cmytamira.h"
#include "resources/tamiraresources.h"

#include <QSerialPort>
#include <QTranslator>
#include <QtTest>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

class tst_PortOpenFailure : public QObject
{
    Q_OBJECT

private slots:
    void boxText_data();
    void boxText();
};

void tst_PortOpenFailure::boxText_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("expected"); // %1: the port's file
    QTest::newRow("no permission") << "mode 000" << QString::fromUtf8(
        "Permission denied\n\nYou have no permission to use port %1.\n\nTo fix this on Linux:\n"
        "• install the tamiradesk package, or copy 70-tamira.rules from the packaging/linux folder to /etc/udev/rules.d,\n"
        "• or add your account to the dialout group (sudo usermod -aG dialout $USER) and log in again.\n"
        "Then unplug the Tamira and plug it in again.");
    // Qt calls a port that another program holds a permission error too: no hint there.
    QTest::newRow("in use") << "held" << "Permission error while locking the device";
    QTest::newRow("no such port") << "missing" << "No such file or directory";
}

void tst_PortOpenFailure::boxText()
{
    QFETCH(QString, situation);
    QFETCH(QString, expected);
    QTranslator catalogue;
    QVERIFY(installEnglishCatalogue(catalogue));
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
    const QString pty = QString::fromLocal8Bit(ptsname(master));
    const QString path = situation == "missing" ? QStringLiteral("/dev/no-such-tamira") : pty;
    QVERIFY(chmod(qPrintable(pty), situation == "mode 000" ? 0 : 0666) == 0);
    QSerialPort holder(path);
    QVERIFY(situation != "held" || holder.open(QIODevice::ReadWrite));

    cMyScriptedDialogs dialogs;
    dialogs.expectMessage(cMyDialogs::Ok, QStringLiteral("Error"));
    // Root opens everything: the link tries as "nobody", with root kept as the saved id.
    const bool root = geteuid() == 0;
    QVERIFY(!root || setresuid(65534, 65534, 0) == 0);
    {
        cMyTamira link;
        link.setPort(path);
        link.readStatus();
    } // gone before the delayed status read of the port choice
    QVERIFY(!root || setresuid(0, 0, 0) == 0);
    close(master);
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
    QCOMPARE(dialogs.asked().first().text, expected.arg(path));
}

QTEST_GUILESS_MAIN(tst_PortOpenFailure)
#include "tst_portopenfailure.moc"
