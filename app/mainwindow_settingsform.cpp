// The settings form: binding every editor to its field of the image, refreshing them all from
// the image after a load, and the fields that are not bound editors (altitude, latitude,
// volume and the three texts).

#include "app/mainwindow.h"
#include "ui_mainwindow.h"
#include "ui_messagespage.h"
#include "ui_parameterspage.h"

#include "app/cmyoverviewpage.h"
#include "editors/cmycomboboxw2.h"
#include "editors/cmycomboboxw6.h"
#include "editors/cmydoublespinboxint.h"
#include "editors/cmyaccessiblename.h"
#include "editors/cmylatin1text.h"
#include "editors/cmyvaluemark.h"
#include "editors/rulegrid.h"
#include "model/cmymemoryarea.h"
#include "model/cmytablemodel.h"

#include <QDebug>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QTextCursor>
#include <cmath>

// Edits the settings form refuses; on with QT_LOGGING_RULES="tamira.form.debug=true".
Q_LOGGING_CATEGORY(lcForm, "tamira.form", QtInfoMsg)

namespace {

constexpr quint32 kTimerBase = 0x100;
constexpr quint32 kMessageBase = 0x140;
constexpr quint32 kAuthor = 0x010, kTitle = 0x020, kDescription = 0x200;
constexpr int kAuthorSize = 16, kTitleSize = 32, kDescriptionSize = 512;

cMyTableModel *list(QObject *owner, const char *name)
{
    return new cMyTableModel(QStringLiteral(":/models/%1.csv").arg(QLatin1String(name)), owner);
}

// Gives an editor its field. It is connected to the image only once its list and factor are
// set (connectToImage), so setting them up leaves the document alone.
template <typename Editor> void bind(Editor *editor, cMyMemoryArea *image, quint32 address, int width, int isSigned)
{
    editor->setFilePosition(image, address, width, isSigned);
}

template <typename Editor> void connectToImage(QWidget *page, cMyMemoryArea *image)
{
    for (Editor *editor : page->findChildren<Editor *>())
        QObject::connect(editor, qOverload<quint32, QVector<quint8>>(&Editor::valueChanged), image,
                         qOverload<quint32, QVector<quint8>>(&cMyMemoryArea::setData));
}

void pairThreshold(cMyComboBoxW6 *measured, cMyDoubleSpinBoxInt *threshold)
{
    QObject::connect(measured, &cMyComboBoxW6::faktorChanged, threshold, &cMyDoubleSpinBoxInt::mySetFaktor);
    QObject::connect(measured, &cMyComboBoxW6::unitChanged, threshold, &cMyDoubleSpinBoxInt::mySetUnit);
    QObject::connect(measured, &cMyComboBoxW6::rangeChanged, threshold, &cMyDoubleSpinBoxInt::mySetRange);
}

// Little-endian reads; a byte the image does not hold reads as 0.
quint8 u8(const cMyMemoryArea *image, quint32 address)
{
    quint8 b = 0;
    image->getByte(address, b);
    return b;
}
quint16 u16(const cMyMemoryArea *image, quint32 address)
{
    return quint16(u8(image, address) | (u8(image, address + 1) << 8));
}
qint16 s16(const cMyMemoryArea *image, quint32 address)
{
    return qint16(u16(image, address));
}

QString text(const cMyMemoryArea *image, quint32 address, int size)
{
    QByteArray bytes;
    for (quint8 b : image->readBytes(address, quint16(size))) {
        if (b == 0)
            break;
        bytes.append(char(b));
    }
    return QString::fromLatin1(bytes);
}

void storeText(cMyMemoryArea *image, quint32 address, int size, const QString &value)
{
    // One 0 byte ends the text; it must stay inside its field.
    QByteArray bytes = value.toLatin1().left(size - 1);
    bytes.append('\0');
    image->setData(address, QVector<quint8>(bytes.begin(), bytes.end()));
}

// What timer and message rules share: condition, measured value with its threshold, comparison
// and action (the timer action or the message), at the same offsets and with lists in the same
// order.
void bindRule(const RuleEditors &rule, cMyMemoryArea *image, quint32 base, cMyTableModel *const lists[])
{
    pairThreshold(rule.measured, rule.threshold);
    bind(rule.condition, image, base, 0, 0);
    bind(rule.measured, image, base + 1, 0, 0);
    bind(rule.comparison, image, base + 2, 0, 0);
    bind(rule.threshold, image, base + 3, 1, 1);
    bind(rule.action, image, base + 5, 0, 0);
    rule.condition->setModel(lists[0]);
    rule.measured->setModel(lists[1]);
    rule.comparison->setModel(lists[2]);
    rule.action->setModel(lists[3]);
}

// Selects the shared editors of a rule from the image; returns the stored threshold, read
// first because choosing the measured value resets it.
qint16 refreshRule(const RuleEditors &rule, const cMyMemoryArea *image, quint32 base)
{
    const qint16 threshold = s16(image, base + 3);
    rule.condition->selectValue(u8(image, base));
    rule.measured->selectValue(u8(image, base + 1));
    rule.comparison->selectValue(u8(image, base + 2));
    rule.action->selectValue(u8(image, base + 5));
    return threshold;
}

} // namespace

void MainWindow::setupSettingsForm()
{
    m_image = new cMyMemoryArea(this);
    m_image->setData(1023, quint8(0));
}

void MainWindow::ensureSettingsForm()
{
    if (m_params)
        return;
    const QVector<quint8> before = m_image->readBytes(0, 1024);
    const bool wasModified = m_image->isModified();

    m_params = new Ui::ParametersPage;
    auto *parameters = new QWidget(ui->tabTimery);
    m_params->setupUi(parameters);
    ui->tabTimery->layout()->addWidget(parameters);
    m_messages = new Ui::MessagesPage;
    auto *messages = new QWidget(ui->tabKomunikaty);
    m_messages->setupUi(messages);
    ui->tabKomunikaty->layout()->addWidget(messages);

    bindSettingsForm();
    AccessibleName::describePlainly(parameters);
    for (QWidget *page : {parameters, messages}) {
        connectToImage<cMyComboBoxW2>(page, m_image);
        connectToImage<cMyComboBoxW6>(page, m_image);
        connectToImage<cMyDoubleSpinBoxInt>(page, m_image);
    }

    connect(m_params->par11Sb, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &MainWindow::param11Changed);
    connect(m_params->par12Sb, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &MainWindow::param12Changed);
    connect(m_params->par13Sb, qOverload<int>(&QSpinBox::valueChanged), this, &MainWindow::param13Changed);
    connect(m_params->leAuthor, &QLineEdit::textChanged, this, &MainWindow::descriptionReached);
    connect(m_params->leTitle, &QLineEdit::textChanged, this, &MainWindow::descriptionReached);
    connect(m_params->pteDescription, &QPlainTextEdit::textChanged, this, &MainWindow::descriptionReached);
    // Latin-1 only; other letters are replaced by their nearest, and the note says so.
    m_latin1Note = new cMyLatin1Note(parameters);
    m_params->formDescription->addRow(m_latin1Note);
    for (QLineEdit *edit : {m_params->leAuthor, m_params->leTitle}) {
        auto *validator = new cMyLatin1Validator(edit);
        connect(validator, &cMyLatin1Validator::replaced, m_latin1Note, &cMyLatin1Note::add);
        edit->setValidator(validator);
    }

    refreshSettingsForm();
    // Editors that store again the bytes they were given leave the document as it was; only a
    // text too long for its editor is stored cut.
    if (!wasModified && m_image->readBytes(0, 1024) == before)
        m_image->setModified(false);
}

void MainWindow::bindSettingsForm()
{
    // Parameters, periods and distances.
    cMyComboBoxW2 *const combos[] = {m_params->par1Cb, m_params->par2Cb, m_params->par3Cb, m_params->par9Cb};
    const quint32 comboAddress[] = {0x80, 0x82, 0x84, 0x9A};
    const int comboWidth[] = {0, 1, 0, 0};
    for (int i = 0; i < 4; ++i)
        bind(combos[i], m_image, comboAddress[i], comboWidth[i], 0);
    struct SpinField { cMyDoubleSpinBoxInt *editor; quint32 address; int width, isSigned; double faktor; };
    const SpinField spins[] = {
        {m_params->par4Sb, 0x88, 0, 0, 1}, {m_params->par5Sb, 0x8A, 0, 0, 1}, {m_params->par6Sb, 0x90, 1, 1, 1},
        {m_params->par7Sb, 0x92, 1, 1, 1}, {m_params->par8Sb, 0x98, 0, 0, 1}, {m_params->par10Sb, 0x9C, 1, 1, 10},
        {m_params->lOkresA, 0xF0, 0, 0, 1}, {m_params->lOkresB, 0xF1, 0, 0, 1}, {m_params->lOkresC, 0xF2, 0, 0, 1},
        {m_params->lOkresD, 0xF3, 0, 0, 1}, {m_params->lDystansE, 0xF8, 1, 0, 100}, {m_params->lDystansF, 0xFA, 1, 0, 100},
        {m_params->lDystansG, 0xFC, 1, 0, 100}, {m_params->lDystansH, 0xFE, 1, 0, 100},
    };
    for (const SpinField &f : spins)
        bind(f.editor, m_image, f.address, f.width, f.isSigned);
    const char *const parLists[] = {"parCb1", "parCb2", "parCb3", "parCb4"};
    for (int i = 0; i < 4; ++i)
        combos[i]->setModel(list(this, parLists[i]));
    for (const SpinField &f : spins)
        f.editor->mySetFaktor(f.faktor);

    // Timer rules.
    RuleGrid::buildTimerRules(m_params->timLayout);
    cMyTableModel *const tim[] = {list(this, "timCb1"), list(this, "timCb2"), list(this, "timCb3"), list(this, "timCb4")};
    for (int r = 0; r < RuleGrid::kTimerRules; ++r) {
        const quint32 base = kTimerBase + 8 * quint32(r);
        const RuleEditors rule = RuleGrid::timerRule(m_params->timLayout, r);
        m_timerRules.append(rule);
        bindRule(rule, m_image, base, tim);
        bind(rule.time, m_image, base + 6, 1, 0);
        rule.time->mySetFaktor(1);
        rule.time->mySetRange(0, 65535);
        rule.time->mySetUnit(QStringLiteral("[s]"));
    }

    // Message rules.
    RuleGrid::buildMessageRules(m_messages->msgLayout);
    cMyTableModel *const msg[] = {list(this, "msgCb1"), list(this, "msgCb2"), list(this, "msgCb3"),
                                  list(this, "msgCb4"), list(this, "msgCb5"), list(this, "msgCb6")};
    for (int r = 0; r < RuleGrid::kMessageRules; ++r) {
        const quint32 base = kMessageBase + 8 * quint32(r);
        const RuleEditors rule = RuleGrid::messageRule(m_messages->msgLayout, r);
        m_messageRules.append(rule);
        bindRule(rule, m_image, base, msg);
        bind(rule.format, m_image, base + 6, 0, 0);
        bind(rule.repetition, m_image, base + 7, 0, 0);
        rule.format->setModel(msg[4]);
        rule.repetition->setModel(msg[5]);
    }
}

void MainWindow::refreshSettingsForm()
{
    const cMyMemoryArea *image = m_image;
    if (!m_params) {
        // The editors are not built yet; they are loaded from the image when they are.
        refreshTexts();
        return;
    }

    for (int r = 0; r < m_messageRules.size(); ++r) {
        const quint32 base = kMessageBase + 8 * quint32(r);
        const RuleEditors &rule = m_messageRules.at(r);
        const qint16 threshold = refreshRule(rule, image, base);
        rule.format->selectValue(u8(image, base + 6));
        rule.repetition->selectValue(u8(image, base + 7));
        rule.threshold->setStoredValue(threshold);
    }

    m_params->par1Cb->selectValue(u8(image, 0x80));
    {
        // The image holds these three already; storing them again through their handlers
        // would also recompute the gravity word over the one loaded.
        const QSignalBlocker quiet13(m_params->par13Sb), quiet11(m_params->par11Sb), quiet12(m_params->par12Sb);
        cMyValueMark::showValue(m_params->par13Sb, qint8(u8(image, 0x81)));
        cMyValueMark::showValue(m_params->par11Sb, s16(image, 0xDC));
        cMyValueMark::showValue(m_params->par12Sb, u8(image, 0xDE));
    }
    m_params->par2Cb->selectValue(u16(image, 0x82));
    m_params->par3Cb->selectValue(u8(image, 0x84));
    m_params->par4Sb->setStoredValue(u8(image, 0x88));
    m_params->par5Sb->setStoredValue(u8(image, 0x8A));
    m_params->par6Sb->setStoredValue(s16(image, 0x90));
    m_params->par7Sb->setStoredValue(s16(image, 0x92));
    m_params->par8Sb->setStoredValue(u8(image, 0x98));
    m_params->par9Cb->selectValue(u8(image, 0x9A));
    m_params->par10Sb->setStoredValue(s16(image, 0x9C));
    cMyDoubleSpinBoxInt *const periods[] = {m_params->lOkresA, m_params->lOkresB, m_params->lOkresC, m_params->lOkresD};
    for (int i = 0; i < 4; ++i)
        periods[i]->setStoredValue(u8(image, 0xF0 + quint32(i)));
    cMyDoubleSpinBoxInt *const distances[] = {m_params->lDystansE, m_params->lDystansF, m_params->lDystansG, m_params->lDystansH};
    for (int i = 0; i < 4; ++i)
        distances[i]->setStoredValue(s16(image, 0xF8 + 2 * quint32(i)));
    refreshTexts();

    for (int r = 0; r < m_timerRules.size(); ++r) {
        const quint32 base = kTimerBase + 8 * quint32(r);
        const RuleEditors &rule = m_timerRules.at(r);
        const qint16 threshold = refreshRule(rule, image, base);
        rule.time->setStoredValue(u16(image, base + 6));
        rule.threshold->setStoredValue(threshold);
    }
}

void MainWindow::refreshTexts()
{
    const QString author = text(m_image, kAuthor, kAuthorSize);
    const QString title = text(m_image, kTitle, kTitleSize);
    const QString description = text(m_image, kDescription, kDescriptionSize);
    if (m_params) {
        // The image already holds these texts. Writing them back one editor at a time would
        // put the other editors' old texts over the new bytes, so they are stored once, at the
        // end, and only when an editor could not take a text as it stood (too long for it).
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
        if (changed && (m_params->leAuthor->text() != author || m_params->leTitle->text() != title
                        || m_params->pteDescription->toPlainText() != description))
            parseDescription();
    }
    cMyOverviewPage::showPlainText(ui->lParamAutor, author);
    cMyOverviewPage::showPlainText(ui->lParamTytul, title);
    if (ui->pteParamDesc->toPlainText() != description)
        ui->pteParamDesc->setPlainText(description);
}

void MainWindow::param13Changed(int newValue)
{
    m_image->setData(0x81, quint8(newValue & 0xFF));
}

void MainWindow::storeGravity()
{
    const double pi = 3.141592653589793;
    const double latitude = m_params->par12Sb->value();
    const double altitude = m_params->par11Sb->value();
    const double a = 2 * pi * latitude / 360;
    const double b = 4 * pi * latitude / 360;
    const double g = 9.780318 * (1 + 0.0053024 * std::pow(std::sin(a), 2) - 0.0000058 * std::pow(std::sin(b), 2))
                     - 0.000003086 * altitude;
    const qint32 raw = qint32(std::trunc(g * 32768 / 10));
    m_image->setData(0x9E, QVector<quint8>{quint8(raw & 0xFF), quint8((raw >> 8) & 0xFF)});
}

void MainWindow::param11Changed(double newValue)
{
    Q_UNUSED(newValue)
    storeGravity();
    const qint32 altitude = qint32(std::trunc(m_params->par11Sb->value()));
    m_image->setData(0xDC, QVector<quint8>{quint8(altitude & 0xFF), quint8((altitude >> 8) & 0xFF)});
}

void MainWindow::param12Changed(double newValue)
{
    Q_UNUSED(newValue)
    storeGravity();
    m_image->setData(0xDE, quint8(qint32(std::trunc(m_params->par12Sb->value())) & 0xFF));
}

void MainWindow::descriptionReached()
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
    parseDescription();
}

void MainWindow::parseDescription()
{
    storeText(m_image, kAuthor, kAuthorSize, m_params->leAuthor->text());
    storeText(m_image, kTitle, kTitleSize, m_params->leTitle->text());
    storeText(m_image, kDescription, kDescriptionSize, m_params->pteDescription->toPlainText());
}
