#ifndef EDITORS_CMYFILEPOSITION_H
#define EDITORS_CMYFILEPOSITION_H

// Mix-in for editors bound to a field of the settings image: where the field is, how wide it
// is, and how a shown number becomes its bytes.

#include <QVector>
#include <QtGlobal>

class cMyMemoryArea;

class cMyFilePosition
{
public:
    void setFilePosition(cMyMemoryArea *area, quint32 address, int width, int isSigned);
    quint32 address() const { return m_address; }
    int fieldWidth() const { return m_width; }
    cMyMemoryArea *area() const { return m_area; }

    // Rounds half away from zero, converts through a 16-bit (isSigned 1) or 32-bit signed
    // integer, and returns one (width 0) or two (width 1) little-endian bytes, or none. A number
    // beyond the integer's range is stored as the nearest value it can hold, not wrapped.
    QVector<quint8> toBytes(double value) const;

protected:
    cMyFilePosition() = default;
    ~cMyFilePosition() = default;

private:
    quint32 m_address = 0;
    int m_width = -1;
    int m_isSigned = 0;
    cMyMemoryArea *m_area = nullptr;
};

#endif
