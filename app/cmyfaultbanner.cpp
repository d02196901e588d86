#include "app/cmyfaultbanner.h"

#include "app/cmyselftest.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>

cMyFaultBanner::cMyFaultBanner(QWidget *parent) : QFrame(parent), m_icon(new QLabel(this)), m_text(new QLabel(this))
{
    // White on dark red: more than 8:1, on top of the picture behind the page.
    setObjectName(QStringLiteral("faultBanner"));
    setStyleSheet(QStringLiteral("#faultBanner { background-color: #A01010; border: 1px solid #FFB400; "
                                 "border-radius: 8px; } #faultBanner QLabel { color: white; }"));
    m_icon->setPixmap(cMySelfTest::faultIcon(28, devicePixelRatioF()));
    m_text->setTextFormat(Qt::PlainText);
    m_text->setWordWrap(true);
    QFont bold = m_text->font();
    bold.setBold(true);
    m_text->setFont(bold);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->addWidget(m_icon, 0, Qt::AlignTop);
    layout->addWidget(m_text, 1);
    hide();
}

QString cMyFaultBanner::text() const
{
    return m_text->text();
}

void cMyFaultBanner::showFlags(quint8 flags)
{
    if (!cMySelfTest::anyFailed(flags)) {
        clear();
        return;
    }
    m_flags = flags;
    m_text->setText(tr("Autotest Tamiry wykrył usterkę: %1.\n"
                       "Nie używaj Tamiry do nurkowania, dopóki nie zostanie sprawdzona w serwisie.")
                        .arg(cMySelfTest::failures(flags).join(QStringLiteral(", "))));
    show();
}

void cMyFaultBanner::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && !m_text->text().isEmpty())
        showFlags(m_flags);
    QFrame::changeEvent(event);
}

void cMyFaultBanner::clear()
{
    m_text->clear();
    hide();
}
