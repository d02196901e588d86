#ifndef SIMULATION_CMYSIMPROFILEDATA_H
#define SIMULATION_CMYSIMPROFILEDATA_H

// The samples of one simulated dive, as the page received them, and a thinned-out view of them
// for drawing: the view never holds more than kDisplayCapacity points, so drawing a long run
// costs no more than drawing a short one. No widgets here.

#include <QString>
#include <QVector>

struct cMySimSample
{
    qint64 elapsedMs = 0;   // since the run started
    qint16 pressure = 0;    // mbar, as written to the device
    qint16 depth = 0;       // cm
    qint16 speed = 0;       // cm/s, positive = descending
    qint16 diveTime = 0;    // s
};

class cMySimProfileData
{
public:
    static constexpr int kDisplayCapacity = 1024;

    void clear();
    void append(const cMySimSample &sample);

    const QVector<cMySimSample> &samples() const { return m_samples; }
    bool isEmpty() const { return m_samples.isEmpty(); }

    // The points to draw, oldest first; the newest sample is always the last of them.
    int displaySize() const;
    const cMySimSample &displaySample(int i) const;

    // -1 while there are no samples. The first sample at the greatest depth.
    int maxDepthIndex() const { return m_maxDepthIndex; }
    qint16 minDepth() const { return m_minDepth; }
    qint16 minSpeed() const { return m_minSpeed; }
    qint16 maxSpeed() const { return m_maxSpeed; }

    // One line per sample under a header: elapsed s, pressure mbar, depth m, speed m/s, dive
    // time s. Written whole or not at all; on false `error` says why.
    bool saveCsv(const QString &path, QString *error = nullptr) const;
    QByteArray toCsv() const;

private:
    QVector<cMySimSample> m_samples;
    QVector<int> m_display;   // indices into m_samples, every m_stride-th sample
    int m_stride = 1;
    int m_maxDepthIndex = -1;
    qint16 m_minDepth = 0;
    qint16 m_minSpeed = 0;
    qint16 m_maxSpeed = 0;
};

#endif
