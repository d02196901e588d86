#ifndef CMYOVERVIEWPAGE_H
#define CMYOVERVIEWPAGE_H

// The overview page: the underwater picture behind white text, with a translucent panel behind
// each group. Painted directly; a style sheet doing the same made the window appear some 20 ms
// later.

#include <QPixmap>
#include <QWidget>

class cMyOverviewPage : public QWidget
{
    Q_OBJECT

public:
    explicit cMyOverviewPage(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_picture;
    QPixmap m_scaled; // the picture at the page's size, made again when the size changes
};

#endif
