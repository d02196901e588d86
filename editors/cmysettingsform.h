#ifndef EDITORS_CMYSETTINGSFORM_H
#define EDITORS_CMYSETTINGSFORM_H

// The settings form: the parameters page and the message rules page, every editor on them bound
// to its field of the settings image, and the refresh that loads them all from the image. Where
// each field lives is written down once, in the settings map (model/settingsmap.h); building,
// binding and refresh all read it. Also the fields that are not bound editors: altitude, latitude and
// volume (with the gravity word they decide) and the three texts.

#include <QObject>
#include <QString>
#include <QVector>

class QGridLayout;
class QWidget;
class cMyMemoryArea;
class cMyLatin1Note;
class cMyTableModel;
class cMyValueLists;

namespace SettingsMap {
struct Field;
struct RuleKind;
} // namespace SettingsMap

namespace Ui {
class ParametersPage;
class MessagesPage;
} // namespace Ui

class cMySettingsForm : public QObject
{
    Q_OBJECT

public:
    // Each value list is read once, from `lists`, which it shares with whatever else shows
    // settings in the form's words.
    cMySettingsForm(cMyMemoryArea *image, cMyValueLists *lists, QObject *parent = nullptr);
    ~cMySettingsForm() override;

    bool isBuilt() const { return m_params != nullptr; }
    // Builds the two pages into the given tabs and binds every editor. Building changes neither
    // the document nor its modified flag (unless a text is too long for its editor).
    void build(QWidget *parametersTab, QWidget *messagesTab);
    // Loads every editor from the image: message rules, parameters and texts, timer rules. An
    // editor that shows a value other than the stored one stores it again. Before the pages are
    // built it does nothing; they are loaded when they are.
    void refresh();
    // Sets the pages' texts, headings, names and readings again, in the language now installed.
    void retranslate(QWidget *parametersTab, QWidget *messagesTab);

    // The texts as the image holds them, up to their terminating zero byte.
    QString author() const;
    QString title() const;
    QString description() const;

    // The editor of the field that holds `address` (none for bytes of no editor, such as the
    // gravity word, or before the pages are built); `typed`: it is a text.
    QWidget *editorAt(quint32 address, bool *typed = nullptr) const;

    // The handlers of the editors that are not bound to one field.
    void altitudeChanged();
    void latitudeChanged();
    void volumeChanged(int newValue);
    // A text editor changed: the description is checked against the characters the device
    // shows, then the texts the user edited are stored.
    void descriptionReached();
    void storeTexts();

private:
    // An editor on a page and the field it shows.
    struct Bound
    {
        QWidget *editor;
        const SettingsMap::Field *field;
        quint32 address;
    };

    void bindRules(QGridLayout *grid, const SettingsMap::RuleKind &kind, QVector<Bound> &bound);
    void bind(const QVector<Bound> &fields);
    void load(const QVector<Bound> &fields, const QVector<quint8> &bytes);
    cMyTableModel *valueList(const char *name);
    enum EditedText { AuthorEdited = 1, TitleEdited = 2, DescriptionEdited = 4 };
    void refreshTexts();
    void textEdited(int text);
    void storeGravity();

    cMyMemoryArea *m_image;
    Ui::ParametersPage *m_params = nullptr;
    Ui::MessagesPage *m_messages = nullptr;
    // Every bound editor with its field, in the order the refresh loads them.
    QVector<Bound> m_messageFields;
    QVector<Bound> m_parameterFields;
    QVector<Bound> m_timerFields;
    cMyValueLists *m_lists;
    QString m_acceptedDescription;
    int m_acceptedCursor = 0;
    bool m_refreshingTexts = false;
    int m_editedTexts = 0; // EditedText flags since the texts were last loaded
    cMyLatin1Note *m_latin1Note = nullptr;
};

#endif
