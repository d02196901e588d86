#include "simulation/cmysimwidget.h"
#include "ui_cmysimwidget.h"

#include "base/cmyhexrecord.h"
#include "simulation/cmysimprofilesaver.h"
#include "simulation/cmysimstartguard.h"

#include <QPainter>
#include <QStyleOption>
#include <QThread>

namespace {

QString integerText(qint16 value, const char *unit)
{
    return QString::number(value) + QLatin1Char(' ') + QLatin1String(unit);
}

QString hundredthsText(qint16 value, const char *unit)
{
    return QString::number(value / 100.0, 'f', 2) + QLatin1Char(' ') + QLatin1String(unit);
}

} // namespace

cMySimWidget::cMySimWidget(QWidget *parent) : QWidget(parent), ui(new Ui::cMySimWidget)
{
    ui->setupUi(this);
    ui->simSlider->setValue(0);
    m_guard = new cMySimStartGuard(this);
    m_saver = new cMySimProfileSaver(this);
    connect(m_saver, &cMySimProfileSaver::statusMessage, this, &cMySimWidget::statusMessage);
    connect(m_saver, &cMySimProfileSaver::savingChanged, this, [this] { setRunControlsEnabled(m_running); });
    setRunControlsEnabled(false);
}

cMySimWidget::~cMySimWidget()
{
    if (m_running && thread && !m_guard->isWaiting()) {
        // The window is going away mid-run: the device still gets its orderly stop. The
        // thread is told to quit at once, since the queued quit would need an event loop.
        emit stopSimulation();
        thread->quit();
        if (thread->wait(kStopWaitMs))
            delete thread;
        else
            qWarning("The simulation did not stop within %d ms; its thread is left to end by itself.", kStopWaitMs);
    }
    delete ui;
}

void cMySimWidget::setWorkerTiming(cMySimWorker::Clock clock, int replyTimeoutMs)
{
    m_workerClock = std::move(clock);
    m_replyTimeoutMs = replyTimeoutMs;
}

void cMySimWidget::setPortName(QString portName)
{
    if (portName != m_portName)
        m_guard->forgetDevice();
    m_portName = portName;
}

void cMySimWidget::setDeviceLink(cMyTamira *link)
{
    m_guard->setLink(link);
}

void cMySimWidget::setDeviceStatistics(const QString &serial, const QString &maxDepth, const QString &diveTime)
{
    m_guard->setDeviceStatistics(serial, maxDepth, diveTime);
}

bool cMySimWidget::isWaitingForPort() const
{
    return m_guard->isWaiting();
}

void cMySimWidget::paintEvent(QPaintEvent *)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

void cMySimWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QWidget::changeEvent(event);
}

void cMySimWidget::setRunControlsEnabled(bool running)
{
    // While a run waits for the port only its STOP (which gives up the wait) means anything.
    const bool steering = running && !m_guard->isWaiting();
    for (QWidget *w : std::initializer_list<QWidget *>{ui->simSlider, ui->pbSub1, ui->pbSub01, ui->pbSub001, ui->pbSet0,
                                                       ui->pbAdd001, ui->pbAdd01, ui->pbAdd1})
        w->setEnabled(steering);
    ui->pbStopSim->setEnabled(running);
    ui->pbStartSim->setEnabled(!running);
    ui->pbSaveProfile->setEnabled(!running && !m_saver->isSaving() && !ui->simProfile->data().isEmpty());
}

void cMySimWidget::on_pbStartSim_clicked()
{
    // Without a port nothing reaches the device, and the run says so as it ends.
    if (!m_portName.isEmpty() && !m_guard->clearingConfirmed())
        return;
    m_running = true;
    const QString user = m_portName.isEmpty() ? QString() : m_guard->portUser();
    if (user.isEmpty()) {
        launch();
        emit simulationInProgress(true);
        return;
    }
    // The window's link has the port: the run follows it. The window is locked meanwhile, so
    // nothing else starts on the port.
    m_guard->waitForPort([this] {
        emit statusMessage(QString());
        launch();
    });
    setRunControlsEnabled(true);
    emit simulationInProgress(true);
    emit statusMessage(tr("Port Tamiry jest zajęty (%1); symulacja rozpocznie się, gdy się zakończy.").arg(user));
}

void cMySimWidget::launch()
{
    thread = new QThread;
    worker = new cMySimWorker;
    worker->moveToThread(thread);
    worker->setClock(m_workerClock);
    worker->setReplyTimeout(m_replyTimeoutMs);

    connect(worker, &cMySimWorker::finished, this, &cMySimWidget::simFinished);
    connect(worker, &cMySimWorker::finished, thread, &QThread::quit);
    connect(thread, &QThread::finished, worker, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    connect(this, &cMySimWidget::simSpeedChanged, worker, &cMySimWorker::setSpeed, Qt::DirectConnection);
    connect(this, &cMySimWidget::stopSimulation, worker, &cMySimWorker::stopWork, Qt::DirectConnection);
    connect(this, &cMySimWidget::startSimulation, worker, &cMySimWorker::doWork);
    connect(worker, &cMySimWorker::valuesChanged, this, &cMySimWidget::updateSimValues);
    connect(worker, &cMySimWorker::failed, this, &cMySimWidget::workerFailed);

    thread->start();
    ui->simProfile->clear();
    m_runClock.start();
    setRunControlsEnabled(true);
    emit startSimulation(m_portName, ui->simSlider->value() / 100.0);
}

void cMySimWidget::on_pbStopSim_clicked()
{
    if (m_guard->isWaiting()) {
        m_guard->cancelWait();
        m_running = false;
        setRunControlsEnabled(false);
        emit simulationInProgress(false);
        emit statusMessage(tr("Symulacja nie została uruchomiona."));
        return;
    }
    emit stopSimulation();
}

void cMySimWidget::on_simSlider_valueChanged(int value)
{
    emit simSpeedChanged(value);
}

void cMySimWidget::stepSpeed(int delta)
{
    ui->simSlider->setValue(ui->simSlider->value() + delta);
}

void cMySimWidget::on_pbSub1_clicked()
{
    stepSpeed(-100);
}
void cMySimWidget::on_pbSub01_clicked()
{
    stepSpeed(-10);
}
void cMySimWidget::on_pbSub001_clicked()
{
    stepSpeed(-1);
}
void cMySimWidget::on_pbSet0_clicked()
{
    ui->simSlider->setValue(0);
}
void cMySimWidget::on_pbAdd001_clicked()
{
    stepSpeed(1);
}
void cMySimWidget::on_pbAdd01_clicked()
{
    stepSpeed(10);
}
void cMySimWidget::on_pbAdd1_clicked()
{
    stepSpeed(100);
}

void cMySimWidget::updateSimValues(QVector<QString> v)
{
    if (v.size() < cMySimWorker::kBlockCount)
        return;
    // A line that does not parse leaves its words reading as 0.
    cMyHexRecord block[cMySimWorker::kBlockCount];
    for (int i : {0, 1, 4, 5, 6, 7})
        block[i].fromString(v.at(i));
    auto word = [&block](int entry, quint8 offset) { return qint16(block[entry].wordAt(offset)); };

    ui->simAbsP->setText(integerText(word(0, 0), "mbar"));
    ui->simSurfaceP->setText(integerText(word(1, 0), "mbar"));
    ui->simDepth->setText(hundredthsText(word(4, 0), "m"));
    ui->simDepthMax->setText(hundredthsText(word(4, 4), "m"));
    ui->simDepthAvr->setText(hundredthsText(word(4, 6), "m"));
    ui->simDiveTime->setText(integerText(word(5, 0), "s"));
    ui->simSurfaceTime->setText(integerText(word(5, 2), "s"));
    ui->simDescentTime->setText(integerText(word(5, 4), "s"));
    ui->simBottomTime->setText(integerText(word(5, 6), "s"));
    ui->simAscentTime->setText(integerText(word(5, 8), "s"));
    ui->simSpeed->setText(hundredthsText(word(6, 0), "m/s"));
    ui->simSpeedMin->setText(hundredthsText(word(6, 2), "m/s"));
    ui->simSpeedMax->setText(hundredthsText(word(6, 4), "m/s"));
    ui->simSpeedUpAvr->setText(hundredthsText(word(6, 6), "m/s"));
    ui->simSpeedDownAvr->setText(hundredthsText(word(6, 8), "m/s"));
    ui->simStoper0->setText(integerText(word(7, 0), "s"));
    ui->simTimer1->setText(integerText(word(7, 2), "s"));
    ui->simTimer2->setText(integerText(word(7, 4), "s"));
    ui->simTimer3->setText(integerText(word(7, 6), "s"));

    cMySimSample sample;
    sample.elapsedMs = m_runClock.elapsed();
    sample.pressure = word(0, 0);
    sample.depth = word(4, 0);
    sample.speed = word(6, 0);
    sample.diveTime = word(5, 0);
    ui->simProfile->addSample(sample);
}

void cMySimWidget::simFinished(bool)
{
    ui->simSlider->setValue(0);
    // What an earlier worker still holds of this page must not reach it after its run.
    if (worker)
        disconnect(this, nullptr, worker, nullptr);
    m_running = false;
    ui->simProfile->flush();
    setRunControlsEnabled(false);
    emit simulationInProgress(false);
}

void cMySimWidget::workerFailed(int reason, const QString &detail)
{
    QString text;
    switch (reason) {
    case cMySimWorker::NoPortName:
        text = tr("Symulacja nie została uruchomiona: nie wybrano portu Tamiry.");
        break;
    case cMySimWorker::PortNotOpened:
        text = tr("Symulacja nie została uruchomiona: nie można otworzyć portu %1 (%2).").arg(m_portName, detail);
        break;
    case cMySimWorker::UnreadableSurfacePressure:
        text = tr("Symulacja przerwana: nieczytelna odpowiedź Tamiry na odczyt ciśnienia na powierzchni.");
        break;
    case cMySimWorker::BadReply:
        text = tr("Symulacja przerwana: Tamira odpowiedziała nieprawidłowo.");
        break;
    case cMySimWorker::EndlessAnswer:
        text = tr("Symulacja przerwana: Tamira nadaje bez końca i nie kończy odpowiedzi.");
        break;
    case cMySimWorker::StoppedWithoutAnswer:
        text = tr("Symulacja zatrzymana, zanim Tamira odpowiedziała; Tamira może pozostać w trybie symulacji "
                  "(odłącz ją i podłącz ponownie).");
        break;
    case cMySimWorker::PortLost:
        text = tr("Symulacja przerwana: połączenie z Tamirą zostało przerwane.");
        break;
    default:
        text = tr("Symulacja przerwana: Tamira nie odpowiada.");
        break;
    }
    emit statusMessage(text);
}

void cMySimWidget::on_pbSaveProfile_clicked()
{
    m_saver->save(ui->simProfile->data());
}
