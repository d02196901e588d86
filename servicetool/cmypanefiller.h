#ifndef SERVICETOOL_CMYPANEFILLER_H
#define SERVICETOOL_CMYPANEFILLER_H

// Puts a long text into a plain-text pane a slice at a time, so that the window stays
// responsive while a read of hundreds of thousands of records appears. The pane is read-only
// meanwhile; text() is the whole text from the start.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

class QPlainTextEdit;

namespace servicetool {

class cMyPaneFiller : public QObject
{
    Q_OBJECT

public:
    static constexpr int kLinesPerSlice = 1000;

    cMyPaneFiller(QPlainTextEdit *pane, QObject *parent = nullptr);

    // Replaces the pane's text with Latin-1 text whose lines end in "\n" or "\r\n"; the
    // pane shows them with "\n". Each slice is converted as it goes in.
    void fill(const QByteArray &text);
    bool isFilling() const { return m_timer.isActive(); }
    QString text() const;

signals:
    void filled();

private:
    void nextSlice();

    QPlainTextEdit *m_pane;
    QByteArray m_text;
    int m_offset = 0;
    bool m_wasReadOnly = false;
    QTimer m_timer;
};

} // namespace servicetool

#endif
