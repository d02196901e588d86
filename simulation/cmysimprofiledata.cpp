#include "simulation/cmysimprofiledata.h"

#include "base/cmyfileaccess.h"

#include <algorithm>

void cMySimProfileData::clear()
{
    const int capacity = m_nextCapacity;
    *this = cMySimProfileData();
    m_capacity = m_nextCapacity = capacity;
}

void cMySimProfileData::append(const cMySimSample &sample)
{
    const qint64 number = m_received++;
    m_newest = sample;
    if (number == 0) {
        m_deepest = sample;
        m_deepestNumber = 0;
        m_minDepth = sample.depth;
        m_minSpeed = m_maxSpeed = sample.speed;
    } else {
        if (sample.depth > m_deepest.depth) {
            m_deepest = sample;
            m_deepestNumber = number;
        }
        m_minDepth = std::min(m_minDepth, sample.depth);
        m_minSpeed = std::min(m_minSpeed, sample.speed);
        m_maxSpeed = std::max(m_maxSpeed, sample.speed);
    }
    if (number % m_storeStride != 0)
        return;
    if (m_samples.size() == m_capacity) {
        // Every other sample goes, evenly over the whole run; the view is made again from what
        // is left (rarely: after each doubling of the run).
        int kept = 0;
        for (int i = 0; i < m_samples.size(); i += 2)
            m_samples[kept++] = m_samples.at(i);
        m_samples.resize(kept);
        m_storeStride *= 2;
        m_display.clear();
        m_displayStride = 1;
        for (int i = 0; i < m_samples.size(); ++i)
            addToDisplay(i);
        if (number % m_storeStride != 0)
            return;
    }
    store(sample);
}

void cMySimProfileData::store(const cMySimSample &sample)
{
    m_samples.append(sample);
    addToDisplay(m_samples.size() - 1);
}

void cMySimProfileData::addToDisplay(int storedIndex)
{
    if (storedIndex % m_displayStride != 0)
        return;
    if (m_display.size() == kDisplayCapacity) {
        // Keep every other point and take every other sample from now on: amortised O(1) per
        // sample, and the view stays spread evenly over the whole run.
        int kept = 0;
        for (int i = 0; i < m_display.size(); i += 2)
            m_display[kept++] = m_display.at(i);
        m_display.resize(kept);
        m_displayStride *= 2;
        if (storedIndex % m_displayStride != 0)
            return;
    }
    m_display.append(storedIndex);
}

int cMySimProfileData::displaySize() const
{
    if (isEmpty())
        return 0;
    const bool newestShown = newestStored() && m_display.last() == m_samples.size() - 1;
    return m_display.size() + (newestShown ? 0 : 1);
}

const cMySimSample &cMySimProfileData::displaySample(int i) const
{
    return i < m_display.size() ? m_samples.at(m_display.at(i)) : m_newest;
}

QByteArray cMySimProfileData::toCsv() const
{
    QByteArray out("elapsed_s,pressure_mbar,depth_m,speed_m_s,dive_time_s\n");
    out.reserve(out.size() + (m_samples.size() + 1) * 36);
    auto row = [&out](const cMySimSample &s) {
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
    };
    for (const cMySimSample &s : m_samples)
        row(s);
    if (!isEmpty() && !newestStored())
        row(m_newest);
    return out;
}

bool cMySimProfileData::saveCsv(const QString &path, QString *error) const
{
    return cMyFileAccess::replace(path, toCsv(), error);
}
