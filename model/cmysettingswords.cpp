#include "model/cmysettingswords.h"

#include "model/cmytablemodel.h"
#include "model/cmyvaluelists.h"
#include "model/settingstext.h"

#include <QStringList>

using SettingsMap::Field;
using SettingsMap::Role;
using SettingsMap::RuleKind;
using SettingsMap::Shown;

namespace {

quint8 byteAt(const QVector<quint8> &image, quint32 address)
{
    return address < quint32(image.size()) ? image.at(int(address)) : quint8(0);
}

} // namespace

QString cMySettingsWords::listText(const char *list, int code) const
{
    return m_lists->text(list, code);
}

QString cMySettingsWords::parameter(const Field &field, const QVector<quint8> &image) const
{
    const int value = SettingsMap::read(image, field.address, field.stored);
    const QString suffix = QString::fromUtf8(field.suffix);
    switch (field.shown) {
    case Shown::List:
    case Shown::Measured:
        return listText(field.list, value);
    case Shown::Number:
    case Shown::Seconds:
        return SettingsText::number(value / field.factor, SettingsText::decimals(field.factor, 0), suffix);
    case Shown::Plain:
    case Shown::Threshold:
        break;
    }
    return SettingsText::number(value, 0, suffix);
}

RuleReading::Words cMySettingsWords::rule(const RuleKind &kind, int rule, const QVector<quint8> &image) const
{
    RuleReading::Words w;
    // The threshold takes the factor and unit of the measured value's row; a code the list
    // lacks gives the raw number without a unit, as the form shows it.
    double factor = 1;
    QString unit;
    for (const Field &f : kind.fields) {
        if (f.role != Role::Measured)
            continue;
        const int code = SettingsMap::read(image, kind.address(rule, f), f.stored);
        const int row = m_lists->row(f.list, code);
        if (row >= 0) {
            const cMyTableModel *list = m_lists->list(f.list);
            factor = list->field(row, 2).toDouble();
            unit = list->field(row, 3);
        }
    }
    for (const Field &f : kind.fields) {
        const int value = SettingsMap::read(image, kind.address(rule, f), f.stored);
        const bool known = f.list && m_lists->row(f.list, value) >= 0;
        const QString shown = f.list ? listText(f.list, value) : QString();
        switch (f.role) {
        case Role::Condition:
            w.condition = known ? value : -1;
            w.conditionText = shown;
            break;
        case Role::Measured:
            w.measured = known ? value : -1;
            w.measuredText = shown;
            break;
        case Role::Comparison:
            w.comparisonText = shown;
            break;
        case Role::Threshold:
            w.threshold = SettingsText::number(value / (factor == 0 ? 1 : factor), SettingsText::decimals(factor, 0),
                                               unit.isEmpty() ? QString() : QLatin1Char(' ') + unit);
            break;
        case Role::Action:
            w.action = known ? value : -1;
            w.actionText = shown;
            break;
        case Role::Time:
            w.time = SettingsText::number(value, 0, QString::fromUtf8(f.suffix));
            break;
        case Role::Format:
            w.format = shown;
            break;
        case Role::Repetition:
            w.repetition = shown;
            break;
        case Role::None:
            break;
        }
    }
    return w;
}

QString cMySettingsWords::reading(const RuleKind &kind, int rule, const QVector<quint8> &image) const
{
    return RuleReading::read(kind.kind, this->rule(kind, rule, image));
}

int cMySettingsWords::textLength(SettingsMap::Text field, const QVector<quint8> &image)
{
    int length = 0;
    while (length < field.size && byteAt(image, field.address + quint32(length)) != 0)
        ++length;
    return length;
}

QString cMySettingsWords::text(SettingsMap::Text field, const QVector<quint8> &image)
{
    QByteArray bytes;
    for (int i = 0; i < textLength(field, image); ++i)
        bytes.append(char(byteAt(image, field.address + quint32(i))));
    return QString::fromLatin1(bytes);
}

QString cMySettingsWords::gravity(const QVector<quint8> &image)
{
    // Stored as g × 32768 / 10.
    const int raw = SettingsMap::read(image, SettingsMap::kGravity, SettingsMap::Stored::U16);
    return SettingsText::number(raw * 10.0 / 32768, 4, QStringLiteral(" [m/s²]"));
}

QString cMySettingsWords::stamp(const QVector<quint8> &image)
{
    QStringList parts;
    for (int i = 0; i < SettingsMap::kStampSize; ++i)
        parts << QString::number(byteAt(image, SettingsMap::kStamp + quint32(i)));
    return parts.join(QLatin1Char('.'));
}
