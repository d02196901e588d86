#ifndef EDITORS_CMYLATIN1TEXT_H
#define EDITORS_CMYLATIN1TEXT_H

// Tamira keeps the author, title and description in Latin-1, one byte a letter. A letter Latin-1
// lacks is never dropped without a word: it is replaced by the nearest Latin-1 letter ("Ł" by
// "L", "ż" by "z", a typographic quote by a plain one, "?" where there is none), and a note under
// the texts says which letters were replaced by which.

#include <QLabel>
#include <QPair>
#include <QValidator>
#include <QVector>

class cMyLatin1Text
{
public:
    using Replacements = QVector<QPair<QString, QChar>>;
    // Replaces every character outside Latin-1 in `text`, one for one (a character of two UTF-16
    // units by one, moving `cursor` when it is behind it); returns what was replaced, each
    // letter once, in the order met.
    static Replacements fit(QString &text, int *cursor = nullptr);
    static QChar nearest(uint codePoint);
};

// A line edit's validator: printable Latin-1 only. Other letters are replaced as above and
// reported by `replaced`; control characters are refused.
class cMyLatin1Validator : public QValidator
{
    Q_OBJECT

public:
    explicit cMyLatin1Validator(QObject *parent = nullptr);
    State validate(QString &input, int &pos) const override;

signals:
    void replaced(const cMyLatin1Text::Replacements &replacements) const;
};

// The note under the texts: which letters were replaced since the document was loaded. Hidden
// while there are none.
class cMyLatin1Note : public QLabel
{
    Q_OBJECT

public:
    explicit cMyLatin1Note(QWidget *parent = nullptr);
    void add(const cMyLatin1Text::Replacements &replacements);
    void clear();

private:
    cMyLatin1Text::Replacements m_shown;
};

#endif
