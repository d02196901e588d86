#include "simulation/cmysimprofile.h"

#include <QEvent>
#include <QPen>
#include <qwt_legend.h>
#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_marker.h>
#include <qwt_scale_engine.h>
#include <qwt_series_data.h>
#include <qwt_symbol.h>
#include <qwt_text.h>

#include <algorithm>

namespace {

// Hands the curve the profile's thinned-out view without copying it; the bounds come from the
// running extremes, so autoscaling costs nothing per point.
class ProfileSeries : public QwtSeriesData<QPointF>
{
public:
    enum Column { Depth, Speed };
    ProfileSeries(const cMySimProfileData &data, Column column) : m_data(data), m_column(column) {}

    size_t size() const override { return size_t(m_data.displaySize()); }

    QPointF sample(size_t i) const override
    {
        const cMySimSample &s = m_data.displaySample(int(i));
        return QPointF(s.elapsedMs / 1000.0, (m_column == Depth ? s.depth : s.speed) / 100.0);
    }

    // At least a minute, 5 m and +-1 m/s, so that the first seconds of a run do not fill
    // the plot with a magnified trickle.
    QRectF boundingRect() const override
    {
        double first = 0, last = 0, low = 0, high = 0;
        if (!m_data.isEmpty()) {
            first = m_data.samples().first().elapsedMs / 1000.0;
            last = m_data.newest().elapsedMs / 1000.0;
            if (m_column == Depth) {
                low = m_data.minDepth() / 100.0;
                high = m_data.deepest().depth / 100.0;
            } else {
                low = m_data.minSpeed() / 100.0;
                high = m_data.maxSpeed() / 100.0;
            }
        }
        if (m_column == Depth) {
            high = std::max(high, low + 5.0);
        } else {
            low = std::min(low, -1.0);
            high = std::max(high, 1.0);
        }
        return QRectF(first, low, std::max(last - first, 60.0), high - low);
    }

private:
    const cMySimProfileData &m_data;
    Column m_column;
};

QwtLinearScaleEngine *downwardScale()
{
    auto *engine = new QwtLinearScaleEngine;
    engine->setReference(0.0);
    engine->setAttribute(QwtScaleEngine::IncludeReference);
    engine->setAttribute(QwtScaleEngine::Inverted);
    return engine;
}

} // namespace

cMySimProfile::cMySimProfile(QWidget *parent) : QwtPlot(parent)
{
    setCanvasBackground(QColor(250, 252, 255));
    // Every replot redraws the curves anyway; a backing store would only add a copy.
    if (auto *plotCanvas = qobject_cast<QwtPlotCanvas *>(canvas()))
        plotCanvas->setPaintAttribute(QwtPlotCanvas::BackingStore, false);
    insertLegend(new QwtLegend, QwtPlot::TopLegend);
    enableAxis(QwtPlot::yRight);
    // Depth grows downwards, as in the water, and so does a descending (positive) speed.
    setAxisScaleEngine(QwtPlot::yLeft, downwardScale());
    setAxisScaleEngine(QwtPlot::yRight, downwardScale());

    auto *grid = new QwtPlotGrid;
    grid->setMajorPen(QColor(220, 226, 235), 0, Qt::DotLine);
    grid->attach(this);

    m_depth = new QwtPlotCurve;
    m_depth->setPen(QColor(20, 90, 170), 1.0);
    m_depth->setBrush(QColor(20, 90, 170, 40));
    m_depth->setBaseline(0.0);
    m_depth->setPaintAttribute(QwtPlotCurve::FilterPoints);
    m_depth->setData(new ProfileSeries(m_data, ProfileSeries::Depth));
    m_depth->attach(this);

    m_speed = new QwtPlotCurve;
    m_speed->setYAxis(QwtPlot::yRight);
    m_speed->setPen(QColor(230, 120, 20), 1.0);
    m_speed->setPaintAttribute(QwtPlotCurve::FilterPoints);
    m_speed->setData(new ProfileSeries(m_data, ProfileSeries::Speed));
    m_speed->setZ(m_depth->z() + 1);
    m_speed->attach(this);
    setTexts();

    m_maxMarker = new QwtPlotMarker;
    m_maxMarker->setSymbol(
        new QwtSymbol(QwtSymbol::Diamond, QBrush(QColor(200, 30, 30)), QPen(Qt::white), QSize(11, 11)));
    m_maxMarker->setLabelAlignment(Qt::AlignRight | Qt::AlignBottom);
    m_maxMarker->setVisible(false);
    m_maxMarker->attach(this);

    // A screen reader reaches the plot from the keyboard and hears where the dive stands.
    setFocusPolicy(Qt::TabFocus);
    describe();

    m_replotTimer.setSingleShot(true);
    m_replotTimer.setInterval(kReplotMs);
    connect(&m_replotTimer, &QTimer::timeout, this, &cMySimProfile::flush);
}

void cMySimProfile::clear()
{
    m_data.clear();
    m_markedNumber = -1;
    m_maxMarker->setVisible(false);
    flush();
}

void cMySimProfile::addSample(const cMySimSample &sample)
{
    m_data.append(sample);
    if (!m_replotTimer.isActive())
        m_replotTimer.start();
}

void cMySimProfile::flush()
{
    m_replotTimer.stop();
    updateMaxMarker();
    describe();
    replot();
}

void cMySimProfile::describe()
{
    QString text = tr("brak próbek");
    if (!m_data.isEmpty()) {
        const QString sofar = QString::number(m_data.newest().elapsedMs / 1000);
        text = m_data.deepest().depth > 0 ? tr("najgłębiej %1 m po %2 s, %3 s od startu")
                                                .arg(m_data.deepest().depth / 100.0, 0, 'f', 2)
                                                .arg(m_data.deepest().elapsedMs / 1000)
                                                .arg(sofar)
                                          : tr("na powierzchni, %1 s od startu").arg(sofar);
    }
    if (text != accessibleDescription())
        setAccessibleDescription(text);
    // The plot's parts (axes, drawing area, legend) are no controls of their own: named as the
    // plot.
    for (QWidget *part : findChildren<QWidget *>())
        if (part->accessibleName() != accessibleName())
            part->setAccessibleName(accessibleName());
}

void cMySimProfile::setTexts()
{
    setAxisTitle(QwtPlot::xBottom, tr("Czas [s]"));
    setAxisTitle(QwtPlot::yLeft, tr("Głębokość [m]"));
    setAxisTitle(QwtPlot::yRight, tr("Prędkość [m/s]"));
    m_depth->setTitle(tr("Głębokość"));
    m_speed->setTitle(tr("Prędkość"));
    setAccessibleName(tr("Profil nurkowania"));
}

void cMySimProfile::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        setTexts();
        m_markedNumber = -1; // the marker's label is made again
        updateMaxMarker();
        describe();
        replot();
    }
    QwtPlot::changeEvent(event);
}

void cMySimProfile::updateMaxMarker()
{
    const qint64 number = m_data.deepestNumber();
    if (number == m_markedNumber)
        return;
    m_markedNumber = number;
    // Nothing to mark before the diver has left the surface.
    if (number < 0 || m_data.deepest().depth <= 0) {
        m_maxMarker->setVisible(false);
        return;
    }
    const cMySimSample &deepest = m_data.deepest();
    m_maxMarker->setValue(deepest.elapsedMs / 1000.0, deepest.depth / 100.0);
    QwtText label(tr("maks. %1 m").arg(deepest.depth / 100.0, 0, 'f', 2));
    label.setColor(QColor(200, 30, 30));
    m_maxMarker->setLabel(label);
    m_maxMarker->setVisible(true);
}
