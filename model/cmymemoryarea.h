#ifndef MODEL_CMYMEMORYAREA_H
#define MODEL_CMYMEMORYAREA_H

// The settings image: bytes addressed by 32-bit addresses (page in the upper 16 bits), grown on
// write, with a modified flag. Editors write into it; files and device transfers read it out.
// The flag is set by a write that changes a byte (or adds one): an editor storing again what the
// image holds is no edit. Every such write is told with the bytes before and after it, for the
// undo history.

#include <QObject>
#include <QStringList>
#include <QVector>

class cMyMemoryArea : public QObject
{
    Q_OBJECT

public:
    explicit cMyMemoryArea(QObject *parent = nullptr);

    bool getByte(quint32 address, quint8 &value) const;
    // At most `length` bytes from `address`, stopping at the first byte the image does not hold.
    QVector<quint8> readBytes(quint32 address, quint16 length) const;
    // Intel HEX lines for `count` bytes from `address` in records of at most `recordLength`
    // bytes, ending with the end-of-file line. Bytes the image does not hold print as 0.
    QStringList toHexLines(quint32 address, int count, quint16 recordLength) const;

    bool isModified() const { return m_modified; }
    void setModified(bool modified);

    int pageCount() const { return m_pages.size(); }
    int pageSize(int page) const { return page < m_pages.size() ? m_pages.at(page).size() : 0; }

signals:
    void modifiedChanged(bool modified);
    // A write changed at least one of the bytes from `address`: what they were, what they are.
    // (Bytes the image did not hold before read as 0.)
    void edited(quint32 address, QVector<quint8> before, QVector<quint8> after);

public slots:
    void setData(quint32 address, quint8 value);
    void setData(quint32 address, QVector<quint8> data);

private:
    // Stores one byte; true when that changed the image.
    bool store(quint32 address, quint8 value);

    QVector<QVector<quint8>> m_pages;
    bool m_modified = false;
};

#endif
