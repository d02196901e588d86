// What the user reads when a port does not open: the port's own text and, when the port is there
// but the user may not use it, how to get access; when another program holds it, that it is in
// use and what to do. Through the link's failure report, on a real pty.

#include "device/cmytamira.h"
#include "resources/tamiraresources.h"

#include <QSerialPort>
#include <QSignalSpy>
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
    void report_data();
    void report();
};

void tst_PortOpenFailure::report_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<int>("reason");
    QTest::addColumn<QString>("expected"); // %1: the port's file
    QTest::newRow("no permission")
        << "mode 000" << int(cMyLinkFailure::NoPermission)
        << QString::fromUtf8(
               "Permission denied\n\nYou have no permission to use port %1.\n\nTo fix this on Linux:\n"
               "• install the tamiradesk package, or copy 70-tamira.rules from the packaging/linux folder to /etc/udev/rules.d,\n"
               "• or add your account to the dialout group (sudo usermod -aG dialout $USER) and log in again.\n"
               "Then unplug the Tamira and plug it in again.");
    // Qt calls a port that another program holds a permission error too.
    QTest::newRow("in use")
        << "held" << int(cMyLinkFailure::PortInUse)
        << "Port %1 is in use by another program (servicetool or a second TAMIRAdesk, for example).\n"
           "Close that program, or wait until it has finished with Tamira, and try again.";
    QTest::newRow("no such port") << "missing" << int(cMyLinkFailure::NotOpened) << "No such file or directory";
}

void tst_PortOpenFailure::report()
{
    QFETCH(QString, situation);
    QFETCH(int, reason);
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

    // Root opens everything: the link tries as "nobody", with root kept as the saved id.
    const bool root = geteuid() == 0;
    QVERIFY(!root || setresuid(65534, 65534, 0) == 0);
    QList<cMyLinkFailure> failures;
    {
        cMyTamira link;
        connect(&link, &cMyTamira::failed, this, [&](const cMyLinkFailure &f) { failures << f; });
        link.setPort(path);
        link.readStatus();
    } // gone before the delayed status read of the port choice
    QVERIFY(!root || setresuid(0, 0, 0) == 0);
    close(master);
    QCOMPARE(failures.size(), 1);
    QCOMPARE(int(failures.first().reason), reason);
    // Qt's own text comes first: for a port the user may not use, "Permission denied", or now and
    // then, with other tests running beside this one, its lock file's text. The advice follows.
    QString text = failures.first().text;
    if (situation == "mode 000")
        text.replace(QStringLiteral("Permission error while locking the device\n"),
                     QStringLiteral("Permission denied\n"));
    QCOMPARE(text, expected.arg(path));
}

QTEST_GUILESS_MAIN(tst_PortOpenFailure)
#include "tst_portopenfailure.moc"
