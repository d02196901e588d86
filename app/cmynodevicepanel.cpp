#include "app/cmynodevicepanel.h"

#include "app/cmybootloaderwatch.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

cMyNoDevicePanel::cMyNoDevicePanel(QWidget *parent)
    : QGroupBox(parent), m_text(new QLabel(this)), m_demo(new QPushButton(this))
{
    setObjectName(QStringLiteral("gbNoDevice"));
    m_text->setObjectName(QStringLiteral("lNoDevice"));
    m_demo->setObjectName(QStringLiteral("pbDemo"));
    m_text->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_demo, 0, Qt::AlignLeft);
    setMaximumWidth(360);
    connect(m_demo, &QPushButton::clicked, this, &cMyNoDevicePanel::demoRequested);
    retranslate();
}

void cMyNoDevicePanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QGroupBox::changeEvent(event);
}

void cMyNoDevicePanel::setBootloaderUnreachable(bool unreachable)
{
    m_bootloader = unreachable;
    retranslate();
}

void cMyNoDevicePanel::retranslate()
{
    m_demo->setText(tr("&Wypróbuj bez urządzenia"));
    if (m_bootloader) {
        setTitle(tr("Tamira w trybie aktualizacji firmware"));
        m_text->setText(cMyBootloaderWatch::headline() + QStringLiteral("\n\n") + cMyBootloaderWatch::advice());
        return;
    }
    setTitle(tr("Nie wykryto Tamiry"));
    m_text->setText(tr("Podłącz Tamirę do komputera kablem USB. Gdy zostanie wykryta, jej stan pojawi się "
                       "na tej stronie.\n\nBez urządzenia program można wypróbować na Tamirze demonstracyjnej."));
}
