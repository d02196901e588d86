#include "simulation/cmysimprofiledata.h"

#include <QSaveFile>

#include <algorithm>

void cMySimProfileData::clear()
{
    *this = cMySimProfileData();
}

void cMySimProfileData::append(const cMySimSample &sample)
{
    const int index = m_samples.size();
    m_samples.append(sample);
    if (index == 0) {
        m_maxDepthIndex = 0;
        m_minDepth = sample.depth;
        m_minSpeed = m_maxSpeed = sample.speed;
    } else {
        if (sample.depth > m_samples.at(m_maxDepthIndex).depth)
            m_maxDepthIndex = index;
        m_minDepth = std::min(m_minDepth, sample.depth);
        m_minSpeed = std::min(m_minSpeed, sample.speed);
        m_maxSpeed = std::max(m_maxSpeed, sample.speed);
    }

    if (index % m_stride != 0)
        return;
    if (m_display.size() == kDisplayCapacity) {
        // Keep every other point and take every other sample from now on: amortised O(1) per
        // sample, and the view stays spread evenly over the whole run.
        int kept = 0;
        for (int i = 0; i < m_display.size(); i += 2)
            m_display[kept++] = m_display.at(i);
        m_display.resize(kept);
        m_stride *= 2;
        if (index % m_stride != 0)
            return;
    }
    m_display.append(index);
}

int cMySimProfileData::displaySize() const
{
    if (m_samples.isEmpty())
        return 0;
    const bool newestShown = m_display.last() == m_samples.size() - 1;
    return m_display.size() + (newestShown ? 0 : 1);
}

const cMySimSample &cMySimProfileData::displaySample(int i) const
{
    return i < m_display.size() ? m_samples.at(m_display.at(i)) : m_samples.last();
}

QByteArray cMySimProfileData::toCsv() const
{
    QByteArray out("elapsed_s,pressure_mbar,depth_m,speed_m_s,dive_time_s\n");
    out.reserve(out.size() + m_samples.size() * 36);
    for (const cMySimSample &s : m_samples) {
        out += QByteArray::number(double(s.elapsedMs) / 1000.0, 'f', 3);
        out += ',';
        out += QByteArray::number(s.pressure);
        out += ',';
        out += QByteArray::number(s.depth / 100.0, 'f', 2);
        out += ',';
        out += QByteArray::number(s.speed / 100.0, 'f', 2);
        out += ',';
        out += QByteArray::number(s.diveTime);
        out += '\n';
    }
    return out;
}

bool cMySimProfileData::saveCsv(const QString &path, QString *error) const
{
    const QByteArray csv = toCsv();
    QSaveFile file(path);
    // commit() alone can report success when the disk fills during its final flush.
    const bool ok = file.open(QIODevice::WriteOnly) && file.write(csv) == csv.size() && file.flush()
        && file.commit();
    if (!ok && error)
        *error = file.errorString();
    return ok;
}
