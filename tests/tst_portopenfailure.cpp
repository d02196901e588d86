// What the user reads when a port does not open: the port's own text, and how to get access
// when the port is there but the user may not use it. Through the link's error box, on real
// pseudo-terminals.

#include "cmyscripteddialogs.h"
#include "cmytamira.h"
#include "tamiraresources.h"

#include <QSerialPort>
#include <QTranslator>
#include <QtTest>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kHint = QStringLiteral(
    "You have no permission to use port %1.\n\n"
    "To fix this on Linux:\n"
    "• install the tamiradesk package, or copy 70-tamira.rules from the packaging/linux folder "
    "to /etc/udev/rules.d,\n"
    "• or add your account to the dialout group (sudo usermod -aG dialout $USER) and log in "
    "again.\n"
    "Then unplug the Tamira and plug it in again.");

// Root opens everything: the open is tried as the unprivileged user "nobody", with root kept as
// the saved id so that the test can come back.
class Unprivileged
{
public:
    Unprivileged() : m_wasRoot(geteuid() == 0)
    {
        if (m_wasRoot && setresuid(65534, 65534, 0) != 0)
            qFatal("cannot drop to uid 65534");
    }
    ~Unprivileged()
    {
        if (m_wasRoot && setresuid(0, 0, 0) != 0)
            qFatal("cannot return to uid 0");
    }

private:
    bool m_wasRoot;
};

} // namespace

class tst_PortOpenFailure : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { close(m_master); }
    void boxText_data();
    void boxText();

private:
    QTranslator m_catalogue;
    int m_master = -1;
    QString m_slave;
};

void tst_PortOpenFailure::initTestCase()
{
    QVERIFY(installEnglishCatalogue(m_catalogue));
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0);
    m_slave = QString::fromLocal8Bit(ptsname(m_master));
}

void tst_PortOpenFailure::boxText_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QSerialPort::SerialPortError>("error");
    QTest::addColumn<bool>("hint");
    QTest::newRow("no permission") << "mode 000" << QSerialPort::PermissionError << true;
    // Qt reports a port held by another program as a permission error as well.
    QTest::newRow("in use") << "held" << QSerialPort::PermissionError << false;
    QTest::newRow("no such port") << "missing" << QSerialPort::DeviceNotFoundError << false;
}

void tst_PortOpenFailure::boxText()
{
    QFETCH(QString, situation);
    QFETCH(QSerialPort::SerialPortError, error);
    QFETCH(bool, hint);
    const QString path = situation == "missing" ? QStringLiteral("/dev/no-such-tamira") : m_slave;
    QSerialPort holder(path);
    if (situation == "held")
        QVERIFY(holder.open(QIODevice::ReadWrite));
    // Everyone may use the port, except in the one case.
    QVERIFY(chmod(qPrintable(m_slave), situation == "mode 000" ? 0 : 0666) == 0);

    // What the link's own open meets, as the user who runs the program.
    QSerialPort probe(path);
    QString qtText;
    cMyScriptedDialogs dialogs;
    dialogs.expectMessage(cMyDialogs::Ok, QStringLiteral("Error"));
    {
        Unprivileged user;
        QVERIFY(!probe.open(QIODevice::ReadWrite));
        qtText = probe.errorString();
        cMyTamira link;
        link.setPort(path);
        link.readStatus();
    } // the link goes before its delayed status read of the port choice
    QCOMPARE(probe.error(), error);
    QVERIFY2(dialogs.clean(), qPrintable(dialogs.report()));
    const QString expected = hint ? qtText + "\n\n" + kHint.arg(path) : qtText;
    QCOMPARE(dialogs.asked().first().text, expected);
}

QTEST_GUILESS_MAIN(tst_PortOpenFailure)
#include "tst_portopenfailure.moc"
