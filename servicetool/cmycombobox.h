#ifndef SERVICETOOL_CMYCOMBOBOX_H
#define SERVICETOOL_CMYCOMBOBOX_H

// A combo box of the message rules grid on the editing page; it knows its place in the grid.
// The page is a placeholder: nothing fills, reads or connects these yet.

#include <QComboBox>

namespace servicetool {

class cMyComboBox : public QComboBox
{
    Q_OBJECT

public:
    explicit cMyComboBox(qlonglong position = 0, QWidget *parent = nullptr) : QComboBox(parent), m_position(position) {}
    qlonglong position() const { return m_position; }

signals:
    void newValue(qlonglong pos, uchar value);

private:
    qlonglong m_position;
};

} // namespace servicetool

#endif
