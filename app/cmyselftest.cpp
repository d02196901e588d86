#include "app/cmyselftest.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>

namespace cMySelfTest {

bool rowFailed(quint8 flags, int row)
{
    const bool set = (flags >> row) & 1;
    return row == 0 ? !set : set;
}

bool anyFailed(quint8 flags)
{
    for (int row = 0; row < kRows; ++row)
        if (rowFailed(flags, row))
            return true;
    return false;
}

QStringList failures(quint8 flags)
{
    const char *const names[kRows] = {
        QT_TRANSLATE_NOOP("cMySelfTest", "Tamira nie działa"),
        QT_TRANSLATE_NOOP("cMySelfTest", "czujnik ciśnienia"),
        QT_TRANSLATE_NOOP("cMySelfTest", "układ audio"),
        QT_TRANSLATE_NOOP("cMySelfTest", "pamięć flash"),
        QT_TRANSLATE_NOOP("cMySelfTest", "spójność nastaw"),
        QT_TRANSLATE_NOOP("cMySelfTest", "biblioteka audio"),
        QT_TRANSLATE_NOOP("cMySelfTest", "komunikaty użytkownika"),
        QT_TRANSLATE_NOOP("cMySelfTest", "firmware"),
    };
    QStringList out;
    for (int row = 0; row < kRows; ++row)
        if (rowFailed(flags, row))
            out << QCoreApplication::translate("cMySelfTest", names[row]);
    return out;
}

QColor faultColour()
{
    return QColor(0xFF, 0x6B, 0x6B);
}

QPixmap faultIcon(int size, qreal devicePixelRatio)
{
    QPixmap pixmap(QSize(size, size) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QPainterPath triangle;
    triangle.moveTo(s / 2, 0.5);
    triangle.lineTo(s - 0.5, s - 0.5);
    triangle.lineTo(0.5, s - 0.5);
    triangle.closeSubpath();
    // Amber with a dark edge: it stands out on black as on the banner's red.
    p.setPen(QPen(QColor(60, 30, 0), 1));
    p.setBrush(QColor(0xFF, 0xB4, 0x00));
    p.drawPath(triangle);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    const qreal w = qMax<qreal>(1.5, s / 8);
    p.drawRoundedRect(QRectF(s / 2 - w / 2, s * 0.33, w, s * 0.36), w / 2, w / 2);
    p.drawEllipse(QPointF(s / 2, s * 0.80), w * 0.65, w * 0.65);
    return pixmap;
}

} // namespace cMySelfTest
