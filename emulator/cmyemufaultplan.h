#ifndef EMULATOR_CMYEMUFAULTPLAN_H
#define EMULATOR_CMYEMUFAULTPLAN_H

// The faults the emulator is asked to show, and how each turns the device's reply to a given
// line into what actually goes out: the writes (with the pause before each), silence, or a
// hang-up. Lines are numbered from 1, counting every line received since the emulator started.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QSet>
#include <QStringList>

class cMyEmuFaultPlan
{
public:
    // Text of each extra line of the "bang" fault, sent before the real reply.
    static const QByteArray kBangLine;
    static constexpr int kDefaultGapMs = 50;
    // What a babbling device sends, again and again, instead of its answer.
    enum class Babble { None, BusyLines, Bytes };
    // One write of the Bytes babble: no line end in it.
    static const QByteArray kBabbleBytes;

    struct Write
    {
        QByteArray bytes;
        int gapBeforeMs = 0; // pause after the previous write of the same reply
    };
    struct Outcome
    {
        bool process = true;          // false: the device is silent and does not even act on the line
        QList<Write> writes;          // empty: nothing is sent
        bool hangUp = false;          // close the port after the writes
        bool hold = false;            // the writes wait for the control command "release"
        Babble babble = Babble::None; // sent over and over once the writes are out
        QStringList applied;          // the faults that changed something, for the log
    };

    // Lines after `line` are neither acted on nor answered; -1 switches silence off.
    void setSilentAfter(qint64 line) { m_silentAfter = line; }
    // Reply to `line` goes out in two writes, the first of `at` bytes (-1: half the reply).
    void addSplit(qint64 line, int at = -1) { m_split.insert(line, at); }
    // A zero byte is inserted into the reply to `line` at `position` (-1: the middle).
    void addNul(qint64 line, int position = -1) { m_nul.insert(line, position); }
    // `count` lines of kBangLine are sent, each in its own write, before the reply to `line`.
    void addBang(qint64 line, int count = 1) { m_bang.insert(line, count); }
    // The checksum of the reply record to `line` is off by one (replies that are no record
    // are left alone, which the log notes).
    void addBadChecksum(qint64 line) { m_badChecksum.insert(line); }
    // One character of the reply to `line` is changed, keeping its length.
    void addWrongEcho(qint64 line) { m_wrongEcho.insert(line); }
    // The port is closed right after the reply to `line` (0: before any line arrives).
    void setHangUpAfter(qint64 line) { m_hangUpAfter = line; }
    // The reply to `line` is held back until the control command "release" (a device that is
    // slow to answer, for exactly as long as a test needs).
    void addHold(qint64 line) { m_hold.insert(line); }
    // Instead of the reply to `line`, the device keeps sending busy lines or bytes without a line
    // end, one write per gap, until the host sends a line or reopens the port.
    void addBabble(qint64 line, Babble kind) { m_babble.insert(line, kind); }
    bool hasBabble(qint64 line) const { return m_babble.contains(line); }
    // Pause between the writes of a split reply or of the bang lines.
    void setGapMs(int ms) { m_gapMs = ms; }
    void clear();

    qint64 hangUpAfter() const { return m_hangUpAfter; }
    int gapMs() const { return m_gapMs; }
    bool isSilent(qint64 line) const { return m_silentAfter >= 0 && line > m_silentAfter; }
    Outcome apply(qint64 line, const QByteArray &reply) const;

private:
    qint64 m_silentAfter = -1;
    qint64 m_hangUpAfter = -1;
    int m_gapMs = kDefaultGapMs;
    QMap<qint64, int> m_split;
    QMap<qint64, int> m_nul;
    QMap<qint64, int> m_bang;
    QSet<qint64> m_badChecksum;
    QSet<qint64> m_wrongEcho;
    QSet<qint64> m_hold;
    QMap<qint64, Babble> m_babble;
};

#endif
