#include "emulator/cmyemudivemodel.h"

#include <algorithm>
#include <cmath>

namespace {

qint16 toWord(double v)
{
    return qint16(std::clamp<double>(std::trunc(v), -32768, 32767));
}

quint16 toSeconds(qint64 ms)
{
    return quint16(std::clamp<qint64>(ms / 1000, 0, 65535));
}

} // namespace

void cMyEmuDiveModel::sample(int pressureMbar, int surfaceMbar, qint64 nowMs)
{
    // 100 mbar per metre of water, so one mbar is one centimetre.
    const int depth = std::max(0, pressureMbar - surfaceMbar);
    if (!m_started) {
        m_started = true;
        m_lastMs = m_refMs = nowMs;
        m_depth = m_refDepth = depth;
        if (depth >= diveStartCm())
            startDive();
        publish();
        return;
    }

    const qint64 dt = std::max<qint64>(0, nowMs - m_lastMs);
    m_lastMs = std::max(m_lastMs, nowMs);
    if (m_lastMs - m_refMs >= kSpeedWindowMs) {
        m_speed = int(qint64(depth - m_refDepth) * 1000 / (m_lastMs - m_refMs));
        m_refMs = m_lastMs;
        m_refDepth = depth;
    }

    // The time since the last sample belongs to the state the diver was in during it.
    if (m_diving)
        updatePhase();
    accumulate(dt, m_depth, depth);
    m_depth = depth;

    if (!m_diving && depth >= diveStartCm()) {
        startDive();
    } else if (m_diving && depth < diveEndCm()) {
        m_diving = false;
        m_surfaceMs = 0;
    }
    if (m_diving) {
        m_maxDepth = std::max(m_maxDepth, depth);
        m_minSpeed = std::min(m_minSpeed, m_speed);
        m_maxSpeed = std::max(m_maxSpeed, m_speed);
    }
    publish();
}

void cMyEmuDiveModel::accumulate(qint64 dt, int depthBefore, int depthAfter)
{
    m_sessionMs += dt;
    if (!m_diving) {
        m_surfaceMs += dt;
        m_sessionSurfaceMs += dt;
        return;
    }
    m_diveMs += dt;
    m_sessionDiveMs += dt;
    m_statDiveMs += dt;
    m_depthIntegral += 0.5 * (depthBefore + depthAfter) * double(dt);
    switch (m_phase) {
    case Phase::Descent:
        m_descentMs += dt;
        m_descentIntegral += double(m_speed) * double(dt);
        break;
    case Phase::Bottom:
        m_bottomMs += dt;
        break;
    case Phase::Ascent:
        m_ascentMs += dt;
        m_ascentIntegral += double(m_speed) * double(dt);
        break;
    }
}

void cMyEmuDiveModel::updatePhase()
{
    if (m_phase != Phase::Ascent && m_speed <= m_thresholds.ascentStartCmS)
        m_phase = Phase::Ascent;
    else if (m_phase == Phase::Descent && m_speed <= m_thresholds.bottomStartCmS)
        m_phase = Phase::Bottom;
}

int cMyEmuDiveModel::diveStartCm() const
{
    // A threshold of 0 would count the surface as a dive.
    return std::max(1, m_thresholds.diveStartCm);
}

int cMyEmuDiveModel::diveEndCm() const
{
    // Surfacing deeper than the dive start would end every dive as it starts.
    return std::min(m_thresholds.surfacingCm, diveStartCm());
}

void cMyEmuDiveModel::startDive()
{
    m_diving = true;
    m_phase = Phase::Descent;
    m_maxDepth = m_depth;
    m_minSpeed = m_maxSpeed = m_speed;
    m_diveMs = m_descentMs = m_bottomMs = m_ascentMs = 0;
    m_depthIntegral = m_ascentIntegral = m_descentIntegral = 0;
}

void cMyEmuDiveModel::publish()
{
    Values &v = m_values;
    v.depth = toWord(m_depth);
    v.maxDepth = toWord(m_maxDepth);
    v.averageDepth = m_diveMs > 0 ? toWord(m_depthIntegral / double(m_diveMs)) : toWord(m_diving ? m_depth : 0);
    v.diveTime = toSeconds(m_diveMs);
    v.surfaceTime = toSeconds(m_surfaceMs);
    v.descentTime = toSeconds(m_descentMs);
    v.bottomTime = toSeconds(m_bottomMs);
    v.ascentTime = toSeconds(m_ascentMs);
    v.speed = toWord(m_speed);
    v.minSpeed = toWord(m_minSpeed);
    v.maxSpeed = toWord(m_maxSpeed);
    v.averageAscent = m_ascentMs > 0 ? toWord(m_ascentIntegral / double(m_ascentMs)) : 0;
    v.averageDescent = m_descentMs > 0 ? toWord(m_descentIntegral / double(m_descentMs)) : 0;
    v.stopwatch = toSeconds(m_diveMs);
    v.timer1 = toSeconds(m_sessionMs);
    v.timer2 = toSeconds(m_sessionDiveMs);
    v.timer3 = toSeconds(m_sessionSurfaceMs);
}

void cMyEmuDiveModel::clearStatistics()
{
    const bool started = m_started;
    const qint64 lastMs = m_lastMs;
    const int depth = m_depth;
    reset();
    m_started = started;
    m_lastMs = m_refMs = lastMs;
    m_depth = m_refDepth = depth;
    if (started && depth >= diveStartCm())
        startDive();
    publish();
}

void cMyEmuDiveModel::reset()
{
    // The thresholds are settings, not state.
    const Thresholds thresholds = m_thresholds;
    *this = cMyEmuDiveModel();
    m_thresholds = thresholds;
}

quint32 cMyEmuDiveModel::takeDiveSeconds()
{
    const qint64 s = m_statDiveMs / 1000;
    m_statDiveMs -= s * 1000;
    return quint32(s);
}
