#ifndef APP_CMYCAPTIONEDVALUES_H
#define APP_CMYCAPTIONEDVALUES_H

// Value labels that a screen reader announces with their caption ("Max Depth, 42.2 m" rather
// than "42.2 m"): the caption is the label at the start of the value's grid or form row, or the
// title of a group that holds the value alone. The name is made each time it is asked for, so
// it follows every new value and every change of language.

class QLabel;
class QString;
class QWidget;

namespace CaptionedValues {

// Every value label under `root` that has such a caption.
void name(QWidget *root);
// A word said after the value ("fault"); an empty one says nothing more.
void setNote(QLabel *value, const QString &note);

} // namespace CaptionedValues

#endif
