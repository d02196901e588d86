#ifndef MODEL_CMYVALUELISTS_H
#define MODEL_CMYVALUELISTS_H

// The value lists the settings map names (":/models/<list>.csv"), each read once and shared by
// everything that shows it: the editors of the form and the readings of a settings image.

#include <QByteArray>
#include <QHash>
#include <QObject>

class cMyTableModel;

class cMyValueLists : public QObject
{
    Q_OBJECT

public:
    explicit cMyValueLists(QObject *parent = nullptr);

    cMyTableModel *list(const char *name);
    // The row whose stored value is `code` (the last one, as a combo box chooses), or -1.
    int row(const char *name, int code);
    // What the list shows for `code`, in the language now installed; a code it lacks is shown as
    // unknown.
    QString text(const char *name, int code);
    // The lists' texts have changed language.
    void retranslate();

private:
    QHash<QByteArray, cMyTableModel *> m_lists;
};

#endif
