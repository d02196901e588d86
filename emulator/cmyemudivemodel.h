#ifndef EMULATOR_CMYEMUDIVEMODEL_H
#define EMULATOR_CMYEMUDIVEMODEL_H

// The emulated device's dive computer: turns pressure samples (mbar, with the time each was taken)
// into the figures of the simulation block: depth, dive phases, speeds, stopwatch and timers.
// Pure arithmetic on the sample times it is given, so tests drive it with an exact clock.
// Where a dive starts and ends and when its bottom and ascent phases begin are the thresholds of
// the settings block, so settings written to the device change what a simulation shows.

#include <QtGlobal>

class cMyEmuDiveModel
{
public:
    // Vertical speed is measured over at least this long, so that the 1 cm resolution of the
    // depth does not turn into a noisy speed when samples come every millisecond.
    static constexpr qint64 kSpeedWindowMs = 1000;

    // The settings that steer the dive logic; the defaults are those of the blank template.
    struct Thresholds
    {
        int diveStartCm = 100;    // a dive starts at this depth
        int surfacingCm = 50;     // and ends when the diver is back above it
        int ascentStartCmS = -50; // the ascent begins once the speed falls to this
        int bottomStartCmS = -10; // the bottom phase begins once the speed falls to this
    };

    // The words of the simulation block, as the device shows them.
    struct Values
    {
        qint16 depth = 0;          // cm
        qint16 maxDepth = 0;       // cm, this dive
        qint16 averageDepth = 0;   // cm, time-weighted, this dive
        quint16 diveTime = 0;      // s, this dive
        quint16 surfaceTime = 0;   // s since the last dive ended
        quint16 descentTime = 0;   // s
        quint16 bottomTime = 0;    // s
        quint16 ascentTime = 0;    // s
        qint16 speed = 0;          // cm/s, positive = descending
        qint16 minSpeed = 0;       // cm/s, fastest ascent (most negative) this dive
        qint16 maxSpeed = 0;       // cm/s, fastest descent this dive
        qint16 averageAscent = 0;  // cm/s, negative
        qint16 averageDescent = 0; // cm/s
        quint16 stopwatch = 0;     // s, counts while diving, restarts with each dive
        quint16 timer1 = 0;        // s since the first sample
        quint16 timer2 = 0;        // s spent diving since the first sample
        quint16 timer3 = 0;        // s spent at the surface since the first sample
    };

    // Taken for the samples that follow.
    void setThresholds(const Thresholds &thresholds) { m_thresholds = thresholds; }
    // One sensor reading. Times before the previous sample count as no time passing.
    void sample(int pressureMbar, int surfaceMbar, qint64 nowMs);
    // Zeroes every figure but the current depth; the next dive starts from scratch.
    void clearStatistics();
    // Back to the state of a device that has taken no sample yet.
    void reset();

    const Values &values() const { return m_values; }
    bool isDiving() const { return m_diving; }
    // Whole seconds of diving since the last call, for the device's dive-time statistic;
    // the remainder is kept so that no time is lost between calls.
    quint32 takeDiveSeconds();

private:
    // A dive's phases follow one another and never go back: a diver who stops rising at
    // the bottom is still on the bottom, not descending again.
    enum class Phase { Descent, Bottom, Ascent };

    int diveStartCm() const;
    int diveEndCm() const;
    void startDive();
    void updatePhase();
    void accumulate(qint64 dt, int depthBefore, int depthAfter);
    void publish();

    Values m_values;
    Thresholds m_thresholds;
    Phase m_phase = Phase::Descent;
    bool m_started = false;
    bool m_diving = false;
    qint64 m_lastMs = 0;
    int m_depth = 0;
    qint64 m_refMs = 0;
    int m_refDepth = 0;
    int m_speed = 0;
    int m_maxDepth = 0;
    int m_minSpeed = 0;
    int m_maxSpeed = 0;
    qint64 m_diveMs = 0;
    qint64 m_surfaceMs = 0;
    qint64 m_descentMs = 0;
    qint64 m_bottomMs = 0;
    qint64 m_ascentMs = 0;
    double m_depthIntegral = 0;   // cm * ms
    double m_ascentIntegral = 0;  // cm/s * ms
    double m_descentIntegral = 0; // cm/s * ms
    qint64 m_sessionMs = 0;
    qint64 m_sessionDiveMs = 0;
    qint64 m_sessionSurfaceMs = 0;
    qint64 m_statDiveMs = 0;
};

#endif
