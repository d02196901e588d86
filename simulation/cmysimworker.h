#ifndef SIMULATION_CMYSIMWORKER_H
#define SIMULATION_CMYSIMWORKER_H

// Plays the device's pressure sensor during a simulated dive: on a thread of its own it switches
// the device into simulation mode, then in strict lock-step reads the simulation block, integrates
// the commanded vertical speed into a pressure and writes it back, until it is told to stop.

#include "device/cmylinkfailure.h"

#include <QObject>
#include <QString>
#include <QVector>

#include <atomic>
#include <functional>
#include <memory>

class QIODevice;

class cMySimWorker : public QObject
{
    Q_OBJECT

public:
    // Why a run ended without an orderly stop.
    enum Failure {
        NoPortName,    // nothing was opened
        PortNotOpened, // detail: why the port did not open
        NoAnswer,      // the device fell silent
        UnreadableSurfacePressure,
        BadReply,             // a line was not answered by its echo or the record asked for
        EndlessAnswer,        // the device kept sending ("!" lines, bytes) without an answer
        StoppedWithoutAnswer, // the user stopped the run while an answer was still due
        PortLost,             // the port failed under the run (the device was unplugged)
    };
    Q_ENUM(Failure)

    // How long one answer may take, however many "!" lines the device sends meanwhile.
    static constexpr int kReplyTimeoutMs = 3000;
    // After a stop request, how long a due answer is still waited for.
    static constexpr int kStopGraceMs = 1000;
    // More bytes than this without a line end are no answer: no reply of the device is as long.
    static constexpr int kLongestReply = 1100;
    // How often a wait for an answer looks at the stop request.
    static constexpr int kStopPollMs = 50;
    static constexpr quint16 kPressureAddress = 0x0100;
    static constexpr quint16 kSurfacePressureAddress = 0x0110;
    static constexpr int kBlockCount = 8;
    static constexpr double kPressureCeiling = 32767;

    // Milliseconds on a clock that never goes back; only differences are used.
    using Clock = std::function<qint64()>;

    explicit cMySimWorker(QObject *parent = nullptr);

    // Both are set before the run starts; tests give an exact clock and a short wait.
    void setClock(Clock clock);
    void setReplyTimeout(int ms) { m_replyTimeoutMs = ms; }

public slots:
    void doWork(QString portName, double speed);
    void setSpeed(int newSpeed);
    void stopWork();

signals:
    void serialPortError(QString error);
    void finished(bool status);
    void valuesChanged(QVector<QString> v);
    // Emitted just before finished(false); says why the run could not go on.
    void failed(int reason, QString detail);

private:
    std::unique_ptr<QIODevice> setupPort(const QString &portName);
    bool sendCommand(QIODevice &port, QString command, QString &reply);
    // One line out and its answer checked; on false, m_failure says why.
    bool exchange(QIODevice &port, const QString &command, bool readMode, QString &reply);
    bool sendCommands(QIODevice &port, const QStringList &commands, bool readMode);
    bool readValues(QIODevice &port, QVector<QString> &values);
    bool readSurfacePressure(QIODevice &port, quint16 &p0, bool &readable);
    void fail(QIODevice *port, Failure reason, const QString &detail = QString());

    // Written on the GUI thread, read once per cycle on the worker's: the only shared state.
    // The speed stays unset until either the page or doWork sets it; a speed set before the
    // run began wins over doWork's argument.
    static constexpr double kSpeedUnset = -1e300;
    std::atomic<double> speed{kSpeedUnset};
    std::atomic<bool> stopFlag{false};

    Clock m_clock;
    int m_replyTimeoutMs = kReplyTimeoutMs;
    Failure m_failure = NoAnswer;
    cMyLinkFailure m_openFailure;
    bool m_sampled = false;  // a pressure sample has reached the device
    bool m_stopping = false; // the closing "#ROOT" and "#CLEAR" wait their full time
};

#endif
