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

#include <QHash>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTextCursor>
#include <cmath>

// Edits the settings form refuses; on with QT_LOGGING_RULES="tamira.form.debug=true".
Q_LOGGING_CATEGORY(lcForm, "tamira.form", QtInfoMsg)

namespace {

// How a field's bytes are read: little-endian, signed ones in two's complement.
enum class Stored { U8, S8, U16, S16 };

// What shows a field, and so how it is bound and loaded.
enum class Shown {
    List,      // cMyComboBoxW2: a code chosen from a value list
    Measured,  // cMyComboBoxW6: a rule's measured value; it gives its threshold a factor, unit and range
    Number,    // cMyDoubleSpinBoxInt: stored = shown × factor
    Seconds,   // cMyDoubleSpinBoxInt: a timer rule's time, 0 to 65535 s
    Threshold, // cMyDoubleSpinBoxInt: a rule's threshold, its factor set by the measured value
    Plain,     // a plain spin box, not bound: its handler stores it
};

} // namespace

struct cMySettingsField
{
    const char *editor; // the parameters page's editor; nullptr in a rule
    int column;         // a rule's editor: its column in the rule grid
    quint32 address;    // a rule's field: its offset from the rule's first byte
    Stored stored;
    Shown shown;
    int isSigned; // how the editor turns a number into bytes (16-bit signed, or 32-bit)
    double factor;
    const char *list; // List and Measured: the value list
};

namespace {

using Field = cMySettingsField;

constexpr quint32 kVolume = 0x81, kGravity = 0x9E, kAltitude = 0xDC, kLatitude = 0xDE;

using S = Stored;
using E = Shown;

// The parameters page, in the order of the refresh.
const Field kParameters[] = {
    {"par1Cb", 0, 0x80, S::U8, E::List, 0, 0, "parCb1"},
    {"par13Sb", 0, kVolume, S::S8, E::Plain, 0, 0, nullptr},
    {"par2Cb", 0, 0x82, S::U16, E::List, 0, 0, "parCb2"},
    {"par3Cb", 0, 0x84, S::U8, E::List, 0, 0, "parCb3"},
    {"par4Sb", 0, 0x88, S::U8, E::Number, 0, 1, nullptr},
    {"par5Sb", 0, 0x8A, S::U8, E::Number, 0, 1, nullptr},
    {"par6Sb", 0, 0x90, S::S16, E::Number, 1, 1, nullptr},
    {"par7Sb", 0, 0x92, S::S16, E::Number, 1, 1, nullptr},
    {"par8Sb", 0, 0x98, S::U8, E::Number, 0, 1, nullptr},
    {"par9Cb", 0, 0x9A, S::U8, E::List, 0, 0, "parCb4"},
    {"par10Sb", 0, 0x9C, S::S16, E::Number, 1, 10, nullptr},
    {"par11Sb", 0, kAltitude, S::S16, E::Plain, 0, 0, nullptr},
    {"par12Sb", 0, kLatitude, S::U8, E::Plain, 0, 0, nullptr},
    {"lOkresA", 0, 0xF0, S::U8, E::Number, 0, 1, nullptr},
    {"lOkresB", 0, 0xF1, S::U8, E::Number, 0, 1, nullptr},
    {"lOkresC", 0, 0xF2, S::U8, E::Number, 0, 1, nullptr},
    {"lOkresD", 0, 0xF3, S::U8, E::Number, 0, 1, nullptr},
    // Stored by the editor as unsigned, but read back as signed.
    {"lDystansE", 0, 0xF8, S::S16, E::Number, 0, 100, nullptr},
    {"lDystansF", 0, 0xFA, S::S16, E::Number, 0, 100, nullptr},
    {"lDystansG", 0, 0xFC, S::S16, E::Number, 0, 100, nullptr},
    {"lDystansH", 0, 0xFE, S::S16, E::Number, 0, 100, nullptr},
};

// One timer rule of 8 bytes, from 0x100; the threshold last, after the measured value that
// resets it.
constexpr quint32 kTimerBase = 0x100;
const Field kTimerRule[] = {
    {nullptr, 1, 0, S::U8, E::List, 0, 0, "timCb1"},    {nullptr, 2, 1, S::U8, E::Measured, 0, 0, "timCb2"},
    {nullptr, 3, 2, S::U8, E::List, 0, 0, "timCb3"},    {nullptr, 5, 5, S::U8, E::List, 0, 0, "timCb4"},
    {nullptr, 6, 6, S::U16, E::Seconds, 0, 1, nullptr}, {nullptr, 4, 3, S::S16, E::Threshold, 1, 0, nullptr},
};

// One message rule of 8 bytes, from 0x140.
constexpr quint32 kMessageBase = 0x140;
const Field kMessageRule[] = {
    {nullptr, 1, 0, S::U8, E::List, 0, 0, "msgCb1"},      {nullptr, 2, 1, S::U8, E::Measured, 0, 0, "msgCb2"},
    {nullptr, 3, 2, S::U8, E::List, 0, 0, "msgCb3"},      {nullptr, 6, 5, S::U8, E::List, 0, 0, "msgCb4"},
    {nullptr, 7, 6, S::U8, E::List, 0, 0, "msgCb5"},      {nullptr, 8, 7, S::U8, E::List, 0, 0, "msgCb6"},
    {nullptr, 4, 3, S::S16, E::Threshold, 1, 0, nullptr},
};

// The texts: Latin-1, ended by one zero byte inside the field.
struct Text
{
    quint32 address;
    int size;
};
constexpr Text kAuthor{0x010, 16}, kTitle{0x020, 32}, kDescription{0x200, 512};

int readField(const QVector<quint8> &bytes, quint32 address, Stored stored)
{
    const auto at = [&](quint32 a) { return a < quint32(bytes.size()) ? bytes.at(int(a)) : quint8(0); };
    switch (stored) {
    case Stored::U8:
        return at(address);
    case Stored::S8:
        return qint8(at(address));
    case Stored::U16:
        return quint16(at(address) | at(address + 1) << 8);
    case Stored::S16:
        return qint16(quint16(at(address) | at(address + 1) << 8));
    }
    return 0;
}

int fieldWidth(Stored stored)
{
    return stored == Stored::U8 || stored == Stored::S8 ? 0 : 1;
}

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
    // One 0 byte ends the text; it must stay inside its field.
    QByteArray bytes = value.toLatin1().left(field.size - 1);
    bytes.append('\0');
    image->setData(field.address, QVector<quint8>(bytes.begin(), bytes.end()));
}

void storeWord(cMyMemoryArea *image, quint32 address, qint32 value)
{
    image->setData(address, QVector<quint8>{quint8(value & 0xFF), quint8((value >> 8) & 0xFF)});
}

} // namespace

cMySettingsForm::cMySettingsForm(cMyMemoryArea *image, QObject *parent) : QObject(parent), m_image(image) {}

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

    for (const Field &field : kParameters) {
        QWidget *editor = parameters->findChild<QWidget *>(QLatin1String(field.editor));
        Q_ASSERT_X(editor, "cMySettingsForm", field.editor);
        m_parameterFields.append({editor, &field, field.address});
    }
    bind(m_parameterFields);
    RuleGrid::buildTimerRules(m_params->timLayout);
    bindRules(m_params->timLayout, RuleGrid::kTimerRules, kTimerBase, kTimerRule, int(std::size(kTimerRule)),
              m_timerFields);
    RuleGrid::buildMessageRules(m_messages->msgLayout);
    bindRules(m_messages->msgLayout, RuleGrid::kMessageRules, kMessageBase, kMessageRule, int(std::size(kMessageRule)),
              m_messageFields);
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
    connect(m_params->leAuthor, &QLineEdit::textChanged, this, &cMySettingsForm::descriptionReached);
    connect(m_params->leTitle, &QLineEdit::textChanged, this, &cMySettingsForm::descriptionReached);
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
    // Editors that store again the bytes they were given leave the document as it was; only a
    // text too long for its editor is stored cut.
    if (!wasModified && m_image->readBytes(0, cMySettingsFile::kImageSize) == before)
        m_image->setModified(false);
}

void cMySettingsForm::bindRules(QGridLayout *grid, int rows, quint32 firstBase, const Field *fields, int count,
                                QVector<Bound> &bound)
{
    for (int row = 0; row < rows; ++row) {
        const quint32 base = firstBase + 8 * quint32(row);
        QVector<Bound> rule;
        for (int i = 0; i < count; ++i)
            rule.append({grid->itemAtPosition(RuleGrid::editorRow(row), fields[i].column)->widget(), &fields[i],
                         base + fields[i].address});
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
            position->setFilePosition(m_image, b.address, fieldWidth(f.stored), f.isSigned);
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
            break;
        case Shown::Seconds: {
            auto *time = static_cast<cMyDoubleSpinBoxInt *>(b.editor);
            time->mySetFaktor(f.factor);
            time->mySetRange(0, 65535);
            time->mySetUnit(QStringLiteral("[s]"));
            break;
        }
        case Shown::Threshold:
        case Shown::Plain:
            break;
        }
    }
}

cMyTableModel *cMySettingsForm::valueList(const char *name)
{
    // Each list is loaded once and shared by every editor that shows it.
    cMyTableModel *&list = m_lists[QByteArray(name)];
    if (!list)
        list = new cMyTableModel(QStringLiteral(":/models/%1.csv").arg(QLatin1String(name)), this);
    return list;
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
        const int value = readField(bytes, b.address, b.field->stored);
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
    for (cMyTableModel *list : qAsConst(m_lists))
        list->retranslate();
    RuleGrid::retranslateTimerRules(m_params->timLayout);
    RuleGrid::retranslateMessageRules(m_messages->msgLayout);
    AccessibleName::describePlainly(parametersTab);
}

QWidget *cMySettingsForm::editorAt(quint32 address, bool *typed) const
{
    if (typed)
        *typed = false;
    for (const QVector<Bound> *group : {&m_parameterFields, &m_timerFields, &m_messageFields})
        for (const Bound &b : *group)
            if (address >= b.address && address <= b.address + quint32(fieldWidth(b.field->stored)))
                return b.editor;
    if (!m_params)
        return nullptr;
    const std::pair<Text, QWidget *> texts[] = {
        {kAuthor, m_params->leAuthor}, {kTitle, m_params->leTitle}, {kDescription, m_params->pteDescription}};
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
    return text(m_image, kAuthor);
}

QString cMySettingsForm::title() const
{
    return text(m_image, kTitle);
}

QString cMySettingsForm::description() const
{
    return text(m_image, kDescription);
}

void cMySettingsForm::refreshTexts()
{
    if (!m_params)
        return;
    const QString author = this->author();
    const QString title = this->title();
    const QString description = this->description();
    // The image already holds these texts. Writing them back one editor at a time would put the
    // other editors' old texts over the new bytes, so they are stored once, at the end, and only
    // when an editor could not take a text as it stood (too long for it).
    m_refreshingTexts = true;
    m_latin1Note->clear();
    bool changed = false;
    if (m_params->leAuthor->text() != author) {
        m_params->leAuthor->setText(author);
        changed = true;
    }
    if (m_params->leTitle->text() != title) {
        m_params->leTitle->setText(title);
        changed = true;
    }
    if (m_params->pteDescription->toPlainText() != description) {
        m_params->pteDescription->setPlainText(description);
        changed = true;
    }
    m_refreshingTexts = false;
    if (changed
        && (m_params->leAuthor->text() != author || m_params->leTitle->text() != title
            || m_params->pteDescription->toPlainText() != description))
        storeTexts();
}

void cMySettingsForm::volumeChanged(int newValue)
{
    m_image->setData(kVolume, quint8(newValue & 0xFF));
}

void cMySettingsForm::storeGravity()
{
    const double pi = 3.141592653589793;
    const double latitude = m_params->par12Sb->value();
    const double altitude = m_params->par11Sb->value();
    const double a = 2 * pi * latitude / 360;
    const double b = 4 * pi * latitude / 360;
    const double g = 9.780318 * (1 + 0.0053024 * std::pow(std::sin(a), 2) - 0.0000058 * std::pow(std::sin(b), 2))
                     - 0.000003086 * altitude;
    storeWord(m_image, kGravity, qint32(std::trunc(g * 32768 / 10)));
}

void cMySettingsForm::altitudeChanged()
{
    storeGravity();
    storeWord(m_image, kAltitude, qint32(std::trunc(m_params->par11Sb->value())));
}

void cMySettingsForm::latitudeChanged()
{
    storeGravity();
    m_image->setData(kLatitude, quint8(qint32(std::trunc(m_params->par12Sb->value())) & 0xFF));
}

void cMySettingsForm::descriptionReached()
{
    if (m_refreshingTexts) {
        // A text loaded from the image is the new starting point, whatever it holds.
        m_acceptedDescription = m_params->pteDescription->toPlainText();
        m_acceptedCursor = m_params->pteDescription->textCursor().position();
        return;
    }
    static const QRegularExpression allowed(
        QRegularExpression::anchoredPattern(QStringLiteral("[\\x{20}-\\x{7E}\\x{A0}-\\x{FF}\\n]{0,511}")));
    QString current = m_params->pteDescription->toPlainText();
    int position = m_params->pteDescription->textCursor().position();
    const cMyLatin1Text::Replacements replaced = cMyLatin1Text::fit(current, &position);
    if (!replaced.isEmpty()) {
        const QSignalBlocker blocker(m_params->pteDescription);
        m_params->pteDescription->setPlainText(current);
        QTextCursor cursor = m_params->pteDescription->textCursor();
        cursor.setPosition(position);
        m_params->pteDescription->setTextCursor(cursor);
        m_latin1Note->add(replaced);
    }
    if (current != m_acceptedDescription && !allowed.match(current).hasMatch()) {
        QTextCursor cursor = m_params->pteDescription->textCursor();
        qCDebug(lcForm) << "description refused at" << cursor.position() << "length" << current.size();
        const QSignalBlocker blocker(m_params->pteDescription);
        m_params->pteDescription->setPlainText(m_acceptedDescription);
        cursor = m_params->pteDescription->textCursor();
        cursor.setPosition(qMin(m_acceptedCursor, m_acceptedDescription.size()));
        m_params->pteDescription->setTextCursor(cursor);
    }
    m_acceptedDescription = m_params->pteDescription->toPlainText();
    m_acceptedCursor = m_params->pteDescription->textCursor().position();
    storeTexts();
}

void cMySettingsForm::storeTexts()
{
    storeText(m_image, kAuthor, m_params->leAuthor->text());
    storeText(m_image, kTitle, m_params->leTitle->text());
    storeText(m_image, kDescription, m_params->pteDescription->toPlainText());
}
