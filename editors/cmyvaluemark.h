#ifndef EDITORS_CMYVALUEMARK_H
#define EDITORS_CMYVALUEMARK_H

// Editors show the value the image holds, also one the user could not have entered: a spin box
// widens its range just enough to show it, a combo box shows a code its list lacks. Such an
// editor is marked, with a warning tint and a tool tip that says what is allowed, until it
// holds a value the user could have entered.

#include <QObject>
#include <QPalette>

class QAbstractSpinBox;
class QComboBox;

class cMyValueMark : public QObject
{
    Q_OBJECT

public:
    // Sets a QSpinBox or QDoubleSpinBox (or one derived from them) to `value` without clamping
    // it to the allowed range; returns whether the shown value changed.
    static bool showValue(QAbstractSpinBox *box, double value);
    // Shows that the box's list has no entry for `value`: no row is current. The box emits
    // nothing, so the stored code stays.
    static void showUnknown(QComboBox *box, int value);
    // Drops the mark, leaving the range as it is, when the allowed value is about to be set anew.
    static void clear(QWidget *editor);
    static bool isMarked(const QWidget *editor);

private:
    explicit cMyValueMark(QWidget *editor);
    static cMyValueMark *of(const QWidget *editor);
    static cMyValueMark *mark(QWidget *editor, const QString &toolTip);
    void release();
    void spinValueChanged();

    QWidget *m_editor;
    QString m_toolTip;
    QPalette m_palette;
    bool m_ownPalette = false;
    bool m_active = false;
    double m_min = 0; // the range the user may enter, for a spin box
    double m_max = 0;
};

#endif
