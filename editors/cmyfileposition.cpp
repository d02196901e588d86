#include "editors/cmyfileposition.h"

#include <cmath>
#include <limits>

void cMyFilePosition::setFilePosition(cMyMemoryArea *area, quint32 address, int width, int isSigned)
{
    m_area = area;
    m_address = address;
    m_width = width;
    m_isSigned = isSigned;
}

QVector<quint8> cMyFilePosition::toBytes(double value) const
{
    double rounded = value >= 0 ? std::trunc(value + 0.5) : std::trunc(value - 0.5);
    if (std::isnan(rounded))
        rounded = 0;
    // Saturate instead of wrapping: 100.00 % battery (32768) must not become -32768.
    const double lo = m_isSigned == 1 ? -32768.0 : double(std::numeric_limits<qint32>::min());
    const double hi = m_isSigned == 1 ? 32767.0 : double(std::numeric_limits<qint32>::max());
    const qint32 number = qint32(qBound(lo, rounded, hi));
    const quint32 bits = quint32(number);
    if (m_width == 0)
        return {quint8(bits & 0xFF)};
    if (m_width == 1)
        return {quint8(bits & 0xFF), quint8((bits >> 8) & 0xFF)};
    return {};
}
