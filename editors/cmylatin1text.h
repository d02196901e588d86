#ifndef EDITORS_CMYLATIN1TEXT_H
#define EDITORS_CMYLATIN1TEXT_H

// Tamira keeps the author, title and description in Latin-1, one byte a letter. A letter Latin-1
// lacks is never dropped without a word: it is replaced by the nearest Latin-1 letters ("Ł" by
// "L", "ż" by "z", a typographic quote by a plain one, a ligature by its letters, "?" where there
// is none), and a note under the texts says which letters were replaced by which. A letter that
// Latin-1 has is kept, also where it came as a letter and a combining accent.

#include <QLabel>
#include <QPair>
#include <QValidator>
#include <QVector>

class cMyLatin1Text
{
public:
    using Replacements = QVector<QPair<QString, QString>>;
    // Composes `text` (NFC: "e" and a combining acute become "é"), then replaces every character
    // outside Latin-1 by its nearest Latin-1 letters, moving `cursor` with the text behind it;
    // returns what was replaced, each letter once, in the order met.
    static Replacements fit(QString &text, int *cursor = nullptr);
    static QString nearest(uint codePoint);
};

// A line edit's validator: printable Latin-1 only. Other letters are replaced as above and
// reported by `replaced`; control characters (a tab), and a text the replacements make longer
// than the line edit takes, are refused.
class cMyLatin1Validator : public QValidator
{
    Q_OBJECT

public:
    explicit cMyLatin1Validator(QObject *parent = nullptr);
    State validate(QString &input, int &pos) const override;

signals:
    void replaced(const cMyLatin1Text::Replacements &replacements) const;
};

// The note under the texts: which letters the texts lost since the document was loaded, as long
// as what replaced them is still in one of the texts. Hidden while there are none.
class cMyLatin1Note : public QLabel
{
    Q_OBJECT

public:
    explicit cMyLatin1Note(QWidget *parent = nullptr);
    void add(const cMyLatin1Text::Replacements &replacements);
    // Forgets the replacements of which none of `texts` holds the result any more.
    void keepOnly(const QStringList &texts);
    void clear();

private:
    void updateText();

    cMyLatin1Text::Replacements m_shown;
};

#endif
