#include "model/cmysettingscomparison.h"

#include "model/settingstext.h"

#include <QBitArray>
#include <algorithm>

using SettingsMap::Field;
using SettingsMap::RuleKind;

namespace {

constexpr int kImageSize = 1024;
// An other bytes row shows at most this many of its bytes.
constexpr int kShownBytes = 16;

quint8 byteAt(const QVector<quint8> &image, int address)
{
    return address < image.size() ? image.at(address) : quint8(0);
}

bool differ(const QVector<quint8> &a, const QVector<quint8> &b, quint32 address, int size)
{
    for (int i = 0; i < size; ++i)
        if (byteAt(a, int(address) + i) != byteAt(b, int(address) + i))
            return true;
    return false;
}

int size(const Field &field)
{
    return SettingsMap::width(field.stored) + 1;
}

// The number a parameter's caption starts with ("5. Próg zanurzenia"), which orders the page;
// captions without one come after, in the map's order.
int captionNumber(const Field &field)
{
    bool ok = false;
    const int number = QString::fromUtf8(field.caption).section(QLatin1Char('.'), 0, 0).toInt(&ok);
    return ok ? number : 1000;
}

QString translate(const char *context, const char *text)
{
    return QCoreApplication::translate(context, text);
}

QString address(int a)
{
    return QStringLiteral("0x") + QStringLiteral("%1").arg(a, 3, 16, QLatin1Char('0')).toUpper();
}

QString hexBytes(const QVector<quint8> &image, int first, int count)
{
    QStringList bytes;
    for (int i = 0; i < qMin(count, kShownBytes); ++i)
        bytes << QStringLiteral("%1").arg(byteAt(image, first + i), 2, 16, QLatin1Char('0')).toUpper();
    QString text = bytes.join(QLatin1Char(' '));
    if (count > kShownBytes)
        text += cMySettingsComparison::tr(" … (bajtów: %1)").arg(count);
    return text;
}

} // namespace

QVector<cMySettingsComparison::Row> cMySettingsComparison::compare(const QVector<quint8> &left,
                                                                   const QVector<quint8> &right) const
{
    QVector<Row> rows;
    // Bytes a row (or the stamp) stands for; the rest that differ are other bytes.
    QBitArray shown(kImageSize);
    shown.fill(true, int(SettingsMap::kStamp), int(SettingsMap::kStamp) + SettingsMap::kStampSize);
    const auto cover = [&shown](quint32 address, int size) { shown.fill(true, int(address), int(address) + size); };
    const QString parametersPage = translate("MainWindow", SettingsMap::kParametersPage);

    QVector<const Field *> parameters;
    for (const Field &f : SettingsMap::parameters())
        parameters.append(&f);
    std::stable_sort(parameters.begin(), parameters.end(),
                     [](const Field *a, const Field *b) { return captionNumber(*a) < captionNumber(*b); });
    for (const Field *f : qAsConst(parameters)) {
        cover(f->address, size(*f));
        if (differ(left, right, f->address, size(*f)))
            rows.append({Row::Parameter, parametersPage, translate("ParametersPage", f->caption),
                         m_words.parameter(*f, left), m_words.parameter(*f, right), f->address, size(*f)});
        if (f->address == SettingsMap::kLatitude) {
            // The gravity word follows the altitude and the latitude.
            cover(SettingsMap::kGravity, 2);
            if (differ(left, right, SettingsMap::kGravity, 2))
                rows.append({Row::Gravity, parametersPage, translate("ParametersPage", SettingsMap::kGravityCaption),
                             m_words.gravity(left), m_words.gravity(right), SettingsMap::kGravity, 2});
        }
    }

    const auto rules = [&](const RuleKind &kind) {
        const QString page = translate("MainWindow", kind.page);
        for (int r = 0; r < kind.count; ++r) {
            const quint32 first = kind.address(r, kind.fields.first());
            for (const Field &f : kind.fields)
                cover(kind.address(r, f), size(f));
            if (differ(left, right, first, kind.size))
                rows.append({Row::Rule, page, translate("RuleGrid", kind.title).arg(r + 1),
                             m_words.reading(kind, r, left), m_words.reading(kind, r, right), first, kind.size});
        }
    };
    rules(SettingsMap::timerRules());

    for (const SettingsMap::Text &t : {SettingsMap::kAuthor, SettingsMap::kTitle, SettingsMap::kDescription}) {
        // A text is its characters and its zero byte; what stays behind that on both sides is
        // no text.
        const int used =
            qMin(t.size, qMax(cMySettingsWords::textLength(t, left), cMySettingsWords::textLength(t, right)) + 1);
        cover(t.address, used);
        if (differ(left, right, t.address, used))
            rows.append({Row::Text, parametersPage, translate("ParametersPage", t.caption),
                         cMySettingsWords::text(t, left), cMySettingsWords::text(t, right), t.address, t.size});
    }

    rules(SettingsMap::messageRules());

    for (int a = 0; a < kImageSize; ++a) {
        if (shown.testBit(a) || byteAt(left, a) == byteAt(right, a))
            continue;
        int end = a;
        while (end + 1 < kImageSize && !shown.testBit(end + 1) && byteAt(left, end + 1) != byteAt(right, end + 1))
            ++end;
        const int count = end - a + 1;
        const QString setting = count == 1 ? tr("Inny bajt pod adresem %1").arg(address(a))
                                           : tr("Inne bajty pod adresami %1-%2").arg(address(a), address(end));
        rows.append({Row::OtherBytes, QString(), setting, hexBytes(left, a, count), hexBytes(right, a, count),
                     quint32(a), count});
        a = end;
    }
    return rows;
}

QVector<cMySettingsComparison::Write> cMySettingsComparison::copy(const Row &row, const QVector<quint8> &left,
                                                                  const QVector<quint8> &right)
{
    if (row.kind == Row::OtherBytes)
        return {};
    QVector<quint8> bytes;
    for (int i = 0; i < row.size; ++i)
        bytes.append(byteAt(right, int(row.address) + i));
    QVector<Write> writes{{row.address, bytes}};
    if (row.kind == Row::Parameter
        && (row.address == SettingsMap::kAltitude || row.address == SettingsMap::kLatitude)) {
        QVector<quint8> after = left;
        after.resize(qMax(after.size(), kImageSize));
        std::copy(bytes.cbegin(), bytes.cend(), after.begin() + int(row.address));
        const qint32 g =
            SettingsMap::gravity(SettingsMap::read(after, SettingsMap::kLatitude, SettingsMap::Stored::U8),
                                 SettingsMap::read(after, SettingsMap::kAltitude, SettingsMap::Stored::S16));
        writes.append({SettingsMap::kGravity, {quint8(g & 0xFF), quint8((g >> 8) & 0xFF)}});
    }
    return writes;
}
