#ifndef SIMULATION_CMYSIMPROFILE_H
#define SIMULATION_CMYSIMPROFILE_H

// The live dive profile of the simulation page: depth over time (surface at the top) with the
// deepest point marked, and the vertical speed on a second axis. Samples are taken as they come;
// the plot is redrawn at most every kReplotMs, so a fast device never waits for the drawing.

#include "simulation/cmysimprofiledata.h"

#include <QTimer>
#include <qwt_plot.h>

class QwtPlotCurve;
class QwtPlotMarker;

class cMySimProfile : public QwtPlot
{
    Q_OBJECT

public:
    static constexpr int kReplotMs = 100;

    explicit cMySimProfile(QWidget *parent = nullptr);

    const cMySimProfileData &data() const { return m_data; }
    // How many samples a run keeps for saving (from the next run on); tests make it small.
    void setStoredCapacity(int samples) { m_data.setStoredCapacity(samples); }

public slots:
    void clear();
    void addSample(const cMySimSample &sample);
    // Draws what is pending now rather than at the next tick.
    void flush();

protected:
    void changeEvent(QEvent *event) override;

private:
    void setTexts();
    void updateMaxMarker();
    // The accessible description: the deepest point and how long the run has gone.
    void describe();

    cMySimProfileData m_data;
    QwtPlotCurve *m_depth = nullptr;
    QwtPlotCurve *m_speed = nullptr;
    QwtPlotMarker *m_maxMarker = nullptr;
    QTimer m_replotTimer;
    qint64 m_markedNumber = -1;
};

#endif
