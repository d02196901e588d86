#include "cmysimwidget.h"

#include <QLabel>
#include <QVBoxLayout>

cMySimWidget::cMySimWidget(QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *note = new QLabel(tr("Symulacja nurkowania nie jest jeszcze dostępna w tej wersji programu."), this);
    note->setObjectName(QStringLiteral("lSimUnavailable"));
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);
    layout->addWidget(note);
}

void cMySimWidget::setPortName(QString portName)
{
    m_portName = portName;
}
