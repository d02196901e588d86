#include "editors/cmylatin1text.h"

#include <QLineEdit>
#include <QStringList>

#include <algorithm>

namespace {

bool isPrintableLatin1(uint c)
{
    return (c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFF);
}

} // namespace

QString cMyLatin1Text::nearest(uint codePoint)
{
    // Letters whose Unicode decomposition does not lead to Latin-1 ones, and punctuation.
    static const QVector<QPair<uint, char>> own = {
        {0x0141, 'L'},  {0x0142, 'l'},  {0x0110, 'D'}, {0x0111, 'd'}, {0x0126, 'H'}, {0x0127, 'h'},
        {0x0131, 'i'},  {0x0152, 'O'},  {0x0153, 'o'}, {0x0166, 'T'}, {0x0167, 't'}, {0x2018, '\''},
        {0x2019, '\''}, {0x201A, '\''}, {0x201C, '"'}, {0x201D, '"'}, {0x201E, '"'}, {0x2013, '-'},
        {0x2014, '-'},  {0x2022, '*'},  {0x20AC, 'E'}, {0x2212, '-'}, {0x00A0, ' '},
    };
    for (const auto &pair : own) {
        if (pair.first == codePoint)
            return QString(QLatin1Char(pair.second));
    }
    // "ż" is "z" with a dot above, "ą" is "a" with an ogonek: the base letter is the nearest. A
    // ligature ("ﬁ") or a compatibility form ("…", "™") decomposes into letters of its own.
    QString letters;
    for (const QChar c : QString::fromUcs4(&codePoint, 1).normalized(QString::NormalizationForm_KD)) {
        if (c.isMark())
            continue;
        if (!isPrintableLatin1(c.unicode()))
            return QStringLiteral("?");
        letters += c;
    }
    return letters.isEmpty() ? QStringLiteral("?") : letters;
}

cMyLatin1Text::Replacements cMyLatin1Text::fit(QString &text, int *cursor)
{
    // Composed first: a letter typed or pasted as a base letter and a combining accent is one
    // Latin-1 letter where Latin-1 has it.
    const QString composed = text.normalized(QString::NormalizationForm_C);
    if (composed != text) {
        if (cursor)
            *cursor = text.left(*cursor).normalized(QString::NormalizationForm_C).size();
        text = composed;
    }
    Replacements replaced;
    for (int i = 0; i < text.size(); ++i) {
        uint c = text.at(i).unicode();
        if (c <= 0xFF)
            continue;
        int length = 1;
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            length = 2;
        }
        const QString from = text.mid(i, length);
        const QString to = nearest(c);
        text.replace(i, length, to);
        if (cursor && *cursor > i)
            *cursor = qMax(i + int(to.size()), *cursor + int(to.size()) - length);
        i += int(to.size()) - 1;
        if (std::none_of(replaced.cbegin(), replaced.cend(), [&](const auto &p) { return p.first == from; }))
            replaced.append({from, to});
    }
    return replaced;
}

cMyLatin1Validator::cMyLatin1Validator(QObject *parent) : QValidator(parent) {}

QValidator::State cMyLatin1Validator::validate(QString &input, int &pos) const
{
    const cMyLatin1Text::Replacements replacements = cMyLatin1Text::fit(input, &pos);
    for (const QChar c : input) {
        if (!isPrintableLatin1(c.unicode()))
            return Invalid;
    }
    // A ligature's letters may not fit where the ligature did; the line edit would cut the text.
    const auto *edit = qobject_cast<const QLineEdit *>(parent());
    if (edit && input.size() > edit->maxLength())
        return Invalid;
    if (!replacements.isEmpty())
        emit replaced(replacements);
    return Acceptable;
}

cMyLatin1Note::cMyLatin1Note(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("lLatin1Note"));
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, QColor(160, 60, 0));
    setPalette(p);
    hide();
}

void cMyLatin1Note::add(const cMyLatin1Text::Replacements &replacements)
{
    for (const auto &pair : replacements) {
        if (std::none_of(m_shown.cbegin(), m_shown.cend(), [&](const auto &p) { return p.first == pair.first; }))
            m_shown.append(pair);
    }
    updateText();
}

void cMyLatin1Note::keepOnly(const QStringList &texts)
{
    const auto gone = [&texts](const QPair<QString, QString> &pair) {
        return std::none_of(texts.cbegin(), texts.cend(), [&](const QString &t) { return t.contains(pair.second); });
    };
    m_shown.erase(std::remove_if(m_shown.begin(), m_shown.end(), gone), m_shown.end());
    updateText();
}

void cMyLatin1Note::updateText()
{
    QStringList parts;
    for (const auto &pair : m_shown)
        parts << pair.first + QStringLiteral(" \u2192 ") + pair.second;
    setText(tr("Tamira nie zapisze tych liter; zastąpiono je: %1.").arg(parts.join(QStringLiteral(", "))));
    setVisible(!m_shown.isEmpty());
}

void cMyLatin1Note::clear()
{
    m_shown.clear();
    QLabel::clear();
    hide();
}
