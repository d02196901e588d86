#include "editors/cmysettingsform.h"
#include "ui_messagespage.h"
#include "ui_parameterspage.h"

#include "editors/cmyaccessiblename.h"
#include "editors/cmycomboboxw2.h"
#include "editors/cmycomboboxw6.h"
#include "editors/cmydoublespinboxint.h"
#include "editors/cmylatin1text.h"
#include "editors/cmyvaluemark.h"
#include "editors/rulegrid.h"
#include "model/cmymemoryarea.h"
#include "model/cmysettingsfile.h"
#include "model/cmytablemodel.h"
#include "model/cmyvaluelists.h"
#include "model/settingsmap.h"

#include <QHash>
#include <QLoggingCategory>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <cmath>

// Edits the settings form refuses; on with QT_LOGGING_RULES="tamira.form.debug=true".
Q_LOGGING_CATEGORY(lcForm, "tamira.form", QtInfoMsg)

using SettingsMap::Field;
using SettingsMap::Shown;

namespace {

using Text = SettingsMap::Text;

QString text(const cMyMemoryArea *image, Text field)
{
    QByteArray bytes;
    for (quint8 b : image->readBytes(field.address, quint16(field.size))) {
        if (b == 0)
            break;
        bytes.append(char(b));
    }
    return QString::fromLatin1(bytes);
}

void storeText(cMyMemoryArea *image, Text field, const QString &value)
{
    // One 0 byte ends the text, inside its field; the rest of the field is zeros, so nothing of
    // the text it replaces stays behind it.
    QByteArray bytes = value.toLatin1().left(field.size - 1);
    bytes.append(QByteArray(field.size - bytes.size(), '\0'));
    image->setData(field.address, QVector<quint8>(bytes.begin(), bytes.end()));
}

// The description as its editor holds it: toPlainText() would turn a non-breaking space into a
// space.
QString plainText(const QPlainTextEdit *edit)
{
    QString text = edit->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

void storeWord(cMyMemoryArea *image, quint32 address, qint32 value)
{
    image->setData(address, QVector<quint8>{quint8(value & 0xFF), quint8((value >> 8) & 0xFF)});
}

} // namespace

cMySettingsForm::cMySettingsForm(cMyMemoryArea *image, cMyValueLists *lists, QObject *parent)
    : QObject(parent), m_image(image), m_lists(lists)
{}

cMySettingsForm::~cMySettingsForm()
{
    delete m_messages;
    delete m_params;
}

void cMySettingsForm::build(QWidget *parametersTab, QWidget *messagesTab)
{
    if (m_params)
        return;
    const QVector<quint8> before = m_image->readBytes(0, cMySettingsFile::kImageSize);
    const bool wasModified = m_image->isModified();

    m_params = new Ui::ParametersPage;
    auto *parameters = new QWidget(parametersTab);
    m_params->setupUi(parameters);
    parametersTab->layout()->addWidget(parameters);
    m_messages = new Ui::MessagesPage;
    auto *messages = new QWidget(messagesTab);
    m_messages->setupUi(messages);
    messagesTab->layout()->addWidget(messages);

    for (const Field &field : SettingsMap::parameters()) {
        QWidget *editor = parameters->findChild<QWidget *>(QLatin1String(field.editor));
        Q_ASSERT_X(editor, "cMySettingsForm", field.editor);
        m_parameterFields.append({editor, &field, field.address});
    }
    bind(m_parameterFields);
    RuleGrid::build(m_params->timLayout, SettingsMap::timerRules());
    bindRules(m_params->timLayout, SettingsMap::timerRules(), m_timerFields);
    RuleGrid::build(m_messages->msgLayout, SettingsMap::messageRules());
    bindRules(m_messages->msgLayout, SettingsMap::messageRules(), m_messageFields);
    AccessibleName::describePlainly(parameters);

    // Connected to the image only now: giving the editors their lists and factors has left the
    // document alone.
    for (const QVector<Bound> *group : {&m_parameterFields, &m_timerFields, &m_messageFields}) {
        for (const Bound &b : *group) {
            if (auto *list = qobject_cast<cMyComboBoxW2 *>(b.editor))
                connect(list, &cMyComboBoxW2::valueChanged, m_image,
                        qOverload<quint32, QVector<quint8>>(&cMyMemoryArea::setData));
            else if (auto *measured = qobject_cast<cMyComboBoxW6 *>(b.editor))
                connect(measured, &cMyComboBoxW6::valueChanged, m_image,
                        qOverload<quint32, QVector<quint8>>(&cMyMemoryArea::setData));
            else if (auto *number = qobject_cast<cMyDoubleSpinBoxInt *>(b.editor))
                connect(number, &cMyDoubleSpinBoxInt::valueChanged, m_image,
                        qOverload<quint32, QVector<quint8>>(&cMyMemoryArea::setData));
        }
    }

    connect(m_params->par11Sb, qOverload<double>(&QDoubleSpinBox::valueChanged), this,
            &cMySettingsForm::altitudeChanged);
    connect(m_params->par12Sb, qOverload<double>(&QDoubleSpinBox::valueChanged), this,
            &cMySettingsForm::latitudeChanged);
    connect(m_params->par13Sb, qOverload<int>(&QSpinBox::valueChanged), this, &cMySettingsForm::volumeChanged);
    connect(m_params->leAuthor, &QLineEdit::textChanged, this, [this] { textEdited(AuthorEdited); });
    connect(m_params->leTitle, &QLineEdit::textChanged, this, [this] { textEdited(TitleEdited); });
    connect(m_params->pteDescription, &QPlainTextEdit::textChanged, this, &cMySettingsForm::descriptionReached);
    // Latin-1 only; other letters are replaced by their nearest, and the note says so.
    m_latin1Note = new cMyLatin1Note(parameters);
    m_params->formDescription->addRow(m_latin1Note);
    for (QLineEdit *edit : {m_params->leAuthor, m_params->leTitle}) {
        auto *validator = new cMyLatin1Validator(edit);
        connect(validator, &cMyLatin1Validator::replaced, m_latin1Note, &cMyLatin1Note::add);
        edit->setValidator(validator);
    }

    refresh();
    // Editors that store again the bytes they were given leave the document as it was.
    if (!wasModified && m_image->readBytes(0, cMySettingsFile::kImageSize) == before)
        m_image->setModified(false);
}

void cMySettingsForm::bindRules(QGridLayout *grid, const SettingsMap::RuleKind &kind, QVector<Bound> &bound)
{
    for (int row = 0; row < kind.count; ++row) {
        QVector<Bound> rule;
        // The threshold is loaded last, after the measured value that resets it.
        for (bool threshold : {false, true})
            for (const Field &f : kind.fields)
                if ((f.shown == Shown::Threshold) == threshold)
                    rule.append({RuleGrid::editor(grid, row, f), &f, kind.address(row, f)});
        bind(rule);
        bound += rule;
    }
}

void cMySettingsForm::bind(const QVector<Bound> &fields)
{
    // Positions and the measured value's hold on its threshold first: a list given to a combo
    // box selects its first row, whose factor, unit and range the threshold must receive.
    for (const Bound &b : fields) {
        const Field &f = *b.field;
        if (auto *position = dynamic_cast<cMyFilePosition *>(b.editor))
            position->setFilePosition(m_image, b.address, SettingsMap::width(f.stored), f.isSigned);
        if (f.shown != Shown::Threshold)
            continue;
        auto *threshold = static_cast<cMyDoubleSpinBoxInt *>(b.editor);
        for (const Bound &other : fields) {
            if (other.field->shown != Shown::Measured)
                continue;
            auto *measured = static_cast<cMyComboBoxW6 *>(other.editor);
            connect(measured, &cMyComboBoxW6::faktorChanged, threshold, &cMyDoubleSpinBoxInt::mySetFaktor);
            connect(measured, &cMyComboBoxW6::unitChanged, threshold, &cMyDoubleSpinBoxInt::mySetUnit);
            connect(measured, &cMyComboBoxW6::rangeChanged, threshold, &cMyDoubleSpinBoxInt::mySetRange);
        }
    }
    for (const Bound &b : fields) {
        const Field &f = *b.field;
        switch (f.shown) {
        case Shown::List:
            static_cast<cMyComboBoxW2 *>(b.editor)->setModel(valueList(f.list));
            break;
        case Shown::Measured:
            static_cast<cMyComboBoxW6 *>(b.editor)->setModel(valueList(f.list));
            break;
        case Shown::Number:
            static_cast<cMyDoubleSpinBoxInt *>(b.editor)->mySetFaktor(f.factor);
            static_cast<cMyDoubleSpinBoxInt *>(b.editor)->setSuffix(QString::fromUtf8(f.suffix));
            break;
        case Shown::Seconds: {
            auto *time = static_cast<cMyDoubleSpinBoxInt *>(b.editor);
            time->mySetFaktor(f.factor);
            time->mySetRange(0, 65535);
            time->mySetUnit(QString::fromUtf8(f.suffix).trimmed());
            break;
        }
        case Shown::Plain:
            if (auto *whole = qobject_cast<QSpinBox *>(b.editor))
                whole->setSuffix(QString::fromUtf8(f.suffix));
            else
                static_cast<QDoubleSpinBox *>(b.editor)->setSuffix(QString::fromUtf8(f.suffix));
            break;
        case Shown::Threshold:
            break;
        }
    }
}

cMyTableModel *cMySettingsForm::valueList(const char *name)
{
    return m_lists->list(name);
}

void cMySettingsForm::refresh()
{
    if (!m_params)
        return;
    // Every field is read as the image held it before the refresh began: choosing a rule's
    // measured value resets its threshold in the image.
    QVector<quint8> bytes = m_image->readBytes(0, cMySettingsFile::kImageSize);
    bytes.resize(cMySettingsFile::kImageSize);
    load(m_messageFields, bytes);
    load(m_parameterFields, bytes);
    refreshTexts();
    load(m_timerFields, bytes);
}

void cMySettingsForm::load(const QVector<Bound> &fields, const QVector<quint8> &bytes)
{
    for (const Bound &b : fields) {
        const int value = SettingsMap::read(bytes, b.address, b.field->stored);
        switch (b.field->shown) {
        case Shown::List:
            static_cast<cMyComboBoxW2 *>(b.editor)->selectValue(value);
            break;
        case Shown::Measured:
            static_cast<cMyComboBoxW6 *>(b.editor)->selectValue(value);
            break;
        case Shown::Number:
        case Shown::Seconds:
        case Shown::Threshold:
            static_cast<cMyDoubleSpinBoxInt *>(b.editor)->setStoredValue(value);
            break;
        case Shown::Plain: {
            // The image holds the value already; storing it again through its handler would
            // also recompute the gravity word over the one loaded.
            const QSignalBlocker quiet(b.editor);
            cMyValueMark::showValue(static_cast<QAbstractSpinBox *>(b.editor), value);
            break;
        }
        }
    }
}

void cMySettingsForm::retranslate(QWidget *parametersTab, QWidget *messagesTab)
{
    if (!m_params)
        return;
    m_params->retranslateUi(parametersTab->findChild<QWidget *>(QStringLiteral("ParametersPage")));
    m_messages->retranslateUi(messagesTab->findChild<QWidget *>(QStringLiteral("MessagesPage")));
    m_lists->retranslate();
    RuleGrid::retranslate(m_params->timLayout, SettingsMap::timerRules());
    RuleGrid::retranslate(m_messages->msgLayout, SettingsMap::messageRules());
    AccessibleName::describePlainly(parametersTab);
}

QWidget *cMySettingsForm::editorAt(quint32 address, bool *typed) const
{
    if (typed)
        *typed = false;
    for (const QVector<Bound> *group : {&m_parameterFields, &m_timerFields, &m_messageFields})
        for (const Bound &b : *group)
            if (address >= b.address && address <= b.address + quint32(SettingsMap::width(b.field->stored)))
                return b.editor;
    if (!m_params)
        return nullptr;
    const std::pair<Text, QWidget *> texts[] = {{SettingsMap::kAuthor, m_params->leAuthor},
                                                {SettingsMap::kTitle, m_params->leTitle},
                                                {SettingsMap::kDescription, m_params->pteDescription}};
    for (const auto &t : texts)
        if (address >= t.first.address && address < t.first.address + quint32(t.first.size)) {
            if (typed)
                *typed = true;
            return t.second;
        }
    return nullptr;
}

QString cMySettingsForm::author() const
{
    return text(m_image, SettingsMap::kAuthor);
}

QString cMySettingsForm::title() const
{
    return text(m_image, SettingsMap::kTitle);
}

QString cMySettingsForm::description() const
{
    return text(m_image, SettingsMap::kDescription);
}

void cMySettingsForm::refreshTexts()
{
    if (!m_params)
        return;
    const QString author = this->author();
    const QString title = this->title();
    const QString description = this->description();
    // The image holds these texts; an editor that shows one otherwise (a line break as it ends
    // lines, a text longer than it takes) does not change it until the user edits that text.
    m_refreshingTexts = true;
    m_latin1Note->clear();
    m_editedTexts = 0;
    if (m_params->leAuthor->text() != author)
        m_params->leAuthor->setText(author);
    if (m_params->leTitle->text() != title)
        m_params->leTitle->setText(title);
    if (plainText(m_params->pteDescription) != description)
        m_params->pteDescription->setPlainText(description);
    m_refreshingTexts = false;
}

void cMySettingsForm::volumeChanged(int newValue)
{
    m_image->setData(SettingsMap::kVolume, quint8(newValue & 0xFF));
}

void cMySettingsForm::storeGravity()
{
    storeWord(m_image, SettingsMap::kGravity,
              SettingsMap::gravity(m_params->par12Sb->value(), m_params->par11Sb->value()));
}

void cMySettingsForm::altitudeChanged()
{
    storeGravity();
    storeWord(m_image, SettingsMap::kAltitude, qint32(std::trunc(m_params->par11Sb->value())));
}

void cMySettingsForm::latitudeChanged()
{
    storeGravity();
    m_image->setData(SettingsMap::kLatitude, quint8(qint32(std::trunc(m_params->par12Sb->value())) & 0xFF));
}

void cMySettingsForm::textEdited(int text)
{
    if (!m_refreshingTexts)
        m_editedTexts |= text;
    descriptionReached();
}

void cMySettingsForm::descriptionReached()
{
    if (m_refreshingTexts) {
        // A text loaded from the image is the new starting point, whatever it holds.
        m_acceptedDescription = plainText(m_params->pteDescription);
        m_acceptedCursor = m_params->pteDescription->textCursor().position();
        return;
    }
    static const QRegularExpression allowed(
        QRegularExpression::anchoredPattern(QStringLiteral("[\\x{20}-\\x{7E}\\x{A0}-\\x{FF}\\n]{0,511}")));
    QString current = plainText(m_params->pteDescription);
    int position = m_params->pteDescription->textCursor().position();
    const cMyLatin1Text::Replacements replaced = cMyLatin1Text::fit(current, &position);
    const QSignalBlocker blocker(m_params->pteDescription);
    if (current != m_acceptedDescription && !allowed.match(current).hasMatch()) {
        // Refused whole: nothing of it was taken, so nothing of it was replaced either.
        qCDebug(lcForm) << "description refused at" << position << "length" << current.size();
        m_params->pteDescription->setPlainText(m_acceptedDescription);
        QTextCursor cursor = m_params->pteDescription->textCursor();
        cursor.setPosition(qMin(m_acceptedCursor, m_acceptedDescription.size()));
        m_params->pteDescription->setTextCursor(cursor);
    } else if (!replaced.isEmpty()) {
        m_params->pteDescription->setPlainText(current);
        QTextCursor cursor = m_params->pteDescription->textCursor();
        cursor.setPosition(position);
        m_params->pteDescription->setTextCursor(cursor);
        m_latin1Note->add(replaced);
    }
    if (plainText(m_params->pteDescription) != m_acceptedDescription)
        m_editedTexts |= DescriptionEdited;
    m_acceptedDescription = plainText(m_params->pteDescription);
    m_acceptedCursor = m_params->pteDescription->textCursor().position();
    m_latin1Note->keepOnly({m_params->leAuthor->text(), m_params->leTitle->text(), m_acceptedDescription});
    storeTexts();
}

void cMySettingsForm::storeTexts()
{
    // Only the texts the user edited: the bytes of the others stay exactly as loaded.
    if (m_editedTexts & AuthorEdited)
        storeText(m_image, SettingsMap::kAuthor, m_params->leAuthor->text());
    if (m_editedTexts & TitleEdited)
        storeText(m_image, SettingsMap::kTitle, m_params->leTitle->text());
    if (m_editedTexts & DescriptionEdited)
        storeText(m_image, SettingsMap::kDescription, plainText(m_params->pteDescription));
}
