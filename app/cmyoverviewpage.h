#ifndef APP_CMYOVERVIEWPAGE_H
#define APP_CMYOVERVIEWPAGE_H

// The overview page: the underwater picture behind white text, with a translucent panel behind
// each group. Painted directly; a style sheet doing the same made the window appear some 20 ms
// later.

#include <QPixmap>
#include <QWidget>

class QLabel;
class QStyle;
class cMyFaultBanner;

class cMyOverviewPage : public QWidget
{
    Q_OBJECT

public:
    explicit cMyOverviewPage(QWidget *parent = nullptr);

    // Shows a text from a settings file or the device as it was typed: "<b>x" stays "<b>x".
    static void showPlainText(QLabel *label, const QString &text);

    // The self-test warning above everything else on the page; made on the first call.
    cMyFaultBanner *faultBanner();

    // Buttons and group boxes put on the page after it was first shown are drawn as the
    // page's own (see event()).
    void adopt(QWidget *widget);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
    QPixmap m_scaled;          // the picture at the page's size, made again when the size changes
    QStyle *m_style = nullptr; // child; draws the page's buttons and group titles
    cMyFaultBanner *m_faultBanner = nullptr;
};

#endif
