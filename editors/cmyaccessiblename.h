#ifndef EDITORS_CMYACCESSIBLENAME_H
#define EDITORS_CMYACCESSIBLENAME_H

// What a screen reader announces for an editor: its name and a plain-text description.

class QString;
class QWidget;

namespace AccessibleName {

// Names `editor`. A combo box also gets a hidden buddy label carrying the name: on Linux, Qt
// announces a combo box by its current entry and takes its name from the label it is the
// buddy of. Called again, it renames.
void set(QWidget *editor, const QString &name);

// The name `editor` is announced by: its own, else the text of the label it is the buddy of
// (without mnemonic and colon).
QString of(const QWidget *editor);

// Gives `root` and every widget under it whose tool tip is rich text the tool tip's plain text
// as its accessible description, so that no mark-up is read out.
void describePlainly(QWidget *root);

} // namespace AccessibleName

#endif
