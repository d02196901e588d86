#include "app/cmyoverviewpage.h"

#include "app/cmyfaultbanner.h"

#include <QBoxLayout>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QStyleFactory>

cMyOverviewPage::cMyOverviewPage(QWidget *parent) : QWidget(parent)
{
    QPalette p = palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Active, role, Qt::white), p.setColor(QPalette::Inactive, role, Qt::white);
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(255, 255, 255, 140));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(255, 255, 255, 140));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(255, 255, 255, 140));
    p.setColor(QPalette::Base, Qt::transparent);
    // Deep enough that the white text keeps 4.5:1 against the lightest part of the face the style
    // draws from it (some 5.4:1).
    p.setColor(QPalette::Button, QColor(8, 56, 88));
    setPalette(p);
}

void cMyOverviewPage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_picture.isNull())
        m_picture.load(QStringLiteral(":/grafika/grafika/odslona2_soft_max_05.jpg"));
    if (m_scaled.size() != size() && !m_picture.isNull())
        m_scaled = m_picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter.drawPixmap(0, 0, m_scaled);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(255, 255, 255, 90));
    painter.setBrush(QColor(0, 20, 40, 110));
    for (QGroupBox *group : findChildren<QGroupBox *>()) {
        if (!group->isVisible())
            continue;
        QPainterPath panel;
        const QRectF area(group->mapTo(this, QPoint()), group->size());
        panel.addRoundedRect(area.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
        painter.drawPath(panel);
    }
}

bool cMyOverviewPage::event(QEvent *event)
{
    // The groups sit in a scroll area, so that the page fits a small screen; the picture shows
    // through it.
    if (event->type() == QEvent::ChildPolished) {
        if (auto *area = qobject_cast<QScrollArea *>(static_cast<QChildEvent *>(event)->child())) {
            area->viewport()->setAutoFillBackground(false);
            if (area->widget())
                area->widget()->setAutoFillBackground(false);
        }
    }
    // A native style (Windows') draws push buttons and group box titles in its own colours, not
    // the page's: white button text on a light button, dark titles on the dark water. The
    // portable style draws them from the page's palette on every platform.
    if (event->type() == QEvent::Polish)
        adopt(this);
    return QWidget::event(event);
}

void cMyOverviewPage::adopt(QWidget *widget)
{
    if (!m_style) {
        m_style = QStyleFactory::create(QStringLiteral("Fusion"));
        m_style->setParent(this);
    }
    QList<QWidget *> drawn;
    for (QWidget *child : widget->findChildren<QPushButton *>())
        drawn << child;
    for (QWidget *child : widget->findChildren<QGroupBox *>())
        drawn << child;
    if (qobject_cast<QPushButton *>(widget) || qobject_cast<QGroupBox *>(widget))
        drawn << widget;
    for (QWidget *child : qAsConst(drawn))
        child->setStyle(m_style);
}

void cMyOverviewPage::showPlainText(QLabel *label, const QString &text)
{
    label->setTextFormat(Qt::PlainText);
    label->setText(text);
}

cMyFaultBanner *cMyOverviewPage::faultBanner()
{
    if (m_faultBanner)
        return m_faultBanner;
    m_faultBanner = new cMyFaultBanner(this);
    // On a line of its own above the scroll area that holds the groups.
    if (auto *box = qobject_cast<QBoxLayout *>(layout()))
        box->insertWidget(0, m_faultBanner);
    return m_faultBanner;
}
