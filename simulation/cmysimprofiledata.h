#ifndef SIMULATION_CMYSIMPROFILEDATA_H
#define SIMULATION_CMYSIMPROFILEDATA_H

// The samples of one simulated dive, as the page received them, and a thinned-out view of them
// for drawing: the view never holds more than kDisplayCapacity points, so drawing a long run
// costs no more than drawing a short one. What is kept for saving is bounded too: once the
// stored capacity is reached, every second stored sample goes and from then on only every
// second one is kept (then every fourth, and so on), so a run of any length keeps its whole
// course at an even, coarser step. The newest and the deepest sample are always known. No
// widgets here.

#include <QString>
#include <QVector>

struct cMySimSample
{
    qint64 elapsedMs = 0; // since the run started
    qint16 pressure = 0;  // mbar, as written to the device
    qint16 depth = 0;     // cm
    qint16 speed = 0;     // cm/s, positive = descending
    qint16 diveTime = 0;  // s
};

class cMySimProfileData
{
public:
    static constexpr int kDisplayCapacity = 1024;
    // 16 MB of samples: more than eight days of a real device's cycles.
    static constexpr int kDefaultStoredCapacity = 1 << 20;

    // At least 2; takes effect at the next clear().
    void setStoredCapacity(int samples) { m_nextCapacity = qMax(2, samples); }
    void clear();
    void append(const cMySimSample &sample);

    // The samples kept, oldest first; every storedStride()-th one received.
    const QVector<cMySimSample> &samples() const { return m_samples; }
    int storedStride() const { return m_storeStride; }
    qint64 received() const { return m_received; }
    bool isEmpty() const { return m_received == 0; }
    // Valid when not empty.
    const cMySimSample &newest() const { return m_newest; }
    const cMySimSample &deepest() const { return m_deepest; }
    // Which sample, counted from 0, is the deepest (the first at that depth); -1 when empty.
    qint64 deepestNumber() const { return m_deepestNumber; }

    // The points to draw, oldest first; the newest sample is always the last of them.
    int displaySize() const;
    const cMySimSample &displaySample(int i) const;

    qint16 minDepth() const { return m_minDepth; }
    qint16 minSpeed() const { return m_minSpeed; }
    qint16 maxSpeed() const { return m_maxSpeed; }

    // One line per sample kept, and the newest, under a header: elapsed s, pressure mbar,
    // depth m, speed m/s, dive time s.
    QByteArray toCsv() const;
    // Written whole or not at all; on false `error` says why in the user's words.
    bool saveCsv(const QString &path, QString *error = nullptr) const;

private:
    bool newestStored() const { return (m_received - 1) % m_storeStride == 0; }
    void store(const cMySimSample &sample);
    void addToDisplay(int storedIndex);

    QVector<cMySimSample> m_samples;
    QVector<int> m_display; // indices into m_samples, every m_displayStride-th one
    int m_displayStride = 1;
    int m_capacity = kDefaultStoredCapacity;
    int m_nextCapacity = kDefaultStoredCapacity;
    int m_storeStride = 1;
    qint64 m_received = 0;
    cMySimSample m_newest;
    cMySimSample m_deepest;
    qint64 m_deepestNumber = -1;
    qint16 m_minDepth = 0;
    qint16 m_minSpeed = 0;
    qint16 m_maxSpeed = 0;
};

#endif
