#include "model/settingsmap.h"

#include <cmath>

namespace SettingsMap {

namespace {

using S = Stored;
using E = Shown;

Field parameter(const char *editor, quint32 address, Stored stored, Shown shown, int isSigned, double factor,
                const char *list, const char *suffix, const char *caption)
{
    return {editor, address, stored, shown, isSigned, factor, list, suffix, caption, 0, Role::None, nullptr, 0};
}

// A rule's column: an editor of one byte but for the threshold and the timer's time.
Field column(int column, Role role, const char *editor, quint32 offset, Shown shown, const char *list,
             const char *caption, const char *toolTip, int characters)
{
    Field f{editor, offset, S::U8, shown, 0, 0, list, nullptr, caption, column, role, toolTip, characters};
    if (shown == E::Threshold) {
        f.stored = S::S16;
        f.isSigned = 1;
    } else if (shown == E::Seconds) {
        f.stored = S::U16;
        f.factor = 1;
        f.suffix = " [s]";
    }
    return f;
}

// The columns both kinds of rule have, at the same places, each with its heading and what it
// means (the tool tip of the heading and of every editor under it).
const char *const kCondition = QT_TRANSLATE_NOOP("RuleGrid", "Warunek");
const char *const kConditionTip = QT_TRANSLATE_NOOP("RuleGrid", "Kiedy reguła działa");
const char *const kMeasured = QT_TRANSLATE_NOOP("RuleGrid", "Wartość mierzona");
const char *const kMeasuredTip =
    QT_TRANSLATE_NOOP("RuleGrid", "Wartość porównywana z progiem (Regardless of any value: bez porównania)");
const char *const kComparison = QT_TRANSLATE_NOOP("RuleGrid", "Porównanie");
const char *const kComparisonTip = QT_TRANSLATE_NOOP("RuleGrid", "Jak wartość mierzona jest porównywana z progiem");
const char *const kThreshold = QT_TRANSLATE_NOOP("RuleGrid", "Próg");
const char *const kThresholdTip = QT_TRANSLATE_NOOP("RuleGrid", "Próg w jednostce wartości mierzonej");

} // namespace

const char *const kParametersPage = QT_TRANSLATE_NOOP("MainWindow", "Parametry / Okresy");
const char *const kMessagesPage = QT_TRANSLATE_NOOP("MainWindow", "Komunikaty");
const Text kAuthor{0x010, 16, QT_TRANSLATE_NOOP("ParametersPage", "Autor")};
const Text kTitle{0x020, 32, QT_TRANSLATE_NOOP("ParametersPage", "Tytuł")};
const Text kDescription{0x200, 512, QT_TRANSLATE_NOOP("ParametersPage", "Opis")};
const char *const kGravityCaption =
    QT_TRANSLATE_NOOP("ParametersPage", "Przyspieszenie ziemskie (z wysokości i szerokości geograficznej)");

const QVector<Field> &parameters()
{
    static const QVector<Field> table{
        parameter("par1Cb", 0x80, S::U8, E::List, 0, 0, "parCb1", nullptr,
                  QT_TRANSLATE_NOOP("ParametersPage", "2. Częstotliwość próbkowania głębokości")),
        parameter("par13Sb", kVolume, S::S8, E::Plain, 0, 0, nullptr, "[dB]",
                  QT_TRANSLATE_NOOP("ParametersPage", "1. Głośność")),
        parameter("par2Cb", 0x82, S::U16, E::List, 0, 0, "parCb2", nullptr,
                  QT_TRANSLATE_NOOP("ParametersPage", "3. Czas przejścia w tryb uśpienia po wynurzeniu")),
        parameter("par3Cb", 0x84, S::U8, E::List, 0, 0, "parCb3", nullptr,
                  QT_TRANSLATE_NOOP("ParametersPage", "4. Okres próbkowania głębokości w trybie uśpienia")),
        parameter("par4Sb", 0x88, S::U8, E::Number, 0, 1, nullptr, " [cm]",
                  QT_TRANSLATE_NOOP("ParametersPage", "5. Próg zanurzenia")),
        parameter("par5Sb", 0x8A, S::U8, E::Number, 0, 1, nullptr, " [cm]",
                  QT_TRANSLATE_NOOP("ParametersPage", "6. Próg wynurzenia")),
        parameter("par6Sb", 0x90, S::S16, E::Number, 1, 1, nullptr, " [cm/s]",
                  QT_TRANSLATE_NOOP("ParametersPage", "7. Próg rozpoczęcia wynurzania")),
        parameter("par7Sb", 0x92, S::S16, E::Number, 1, 1, nullptr, " [cm/s]",
                  QT_TRANSLATE_NOOP("ParametersPage", "8. Próg rozpoczęcia pobytu na dnie")),
        parameter("par8Sb", 0x98, S::U8, E::Number, 0, 1, nullptr, " [‰]",
                  QT_TRANSLATE_NOOP("ParametersPage", "9. Zasolenie wody")),
        parameter("par9Cb", 0x9A, S::U8, E::List, 0, 0, "parCb4", nullptr,
                  QT_TRANSLATE_NOOP("ParametersPage", "10. Żródło temperatury do wyliczenia gęstości wody")),
        parameter("par10Sb", 0x9C, S::S16, E::Number, 1, 10, nullptr, " [°C]",
                  QT_TRANSLATE_NOOP("ParametersPage", "11. Stała temperatura do wyliczenia gęstości wody")),
        parameter("par11Sb", kAltitude, S::S16, E::Plain, 0, 0, nullptr, " [m]",
                  QT_TRANSLATE_NOOP("ParametersPage", "12. Wysokość n.p.m.")),
        parameter("par12Sb", kLatitude, S::U8, E::Plain, 0, 0, nullptr, " [°]",
                  QT_TRANSLATE_NOOP("ParametersPage", "13. Szerokość geograficzna")),
        parameter("lOkresA", 0xF0, S::U8, E::Number, 0, 1, nullptr, " [s]",
                  QT_TRANSLATE_NOOP("ParametersPage", "Okres A")),
        parameter("lOkresB", 0xF1, S::U8, E::Number, 0, 1, nullptr, " [s]",
                  QT_TRANSLATE_NOOP("ParametersPage", "Okres B")),
        parameter("lOkresC", 0xF2, S::U8, E::Number, 0, 1, nullptr, " [s]",
                  QT_TRANSLATE_NOOP("ParametersPage", "Okres C")),
        parameter("lOkresD", 0xF3, S::U8, E::Number, 0, 1, nullptr, " [s]",
                  QT_TRANSLATE_NOOP("ParametersPage", "Okres D")),
        // Stored by the editor as unsigned, but read back as signed.
        parameter("lDystansE", 0xF8, S::S16, E::Number, 0, 100, nullptr, " [m]",
                  QT_TRANSLATE_NOOP("ParametersPage", "Dystans E")),
        parameter("lDystansF", 0xFA, S::S16, E::Number, 0, 100, nullptr, " [m]",
                  QT_TRANSLATE_NOOP("ParametersPage", "Dystans F")),
        parameter("lDystansG", 0xFC, S::S16, E::Number, 0, 100, nullptr, " [m]",
                  QT_TRANSLATE_NOOP("ParametersPage", "Dystans G")),
        parameter("lDystansH", 0xFE, S::S16, E::Number, 0, 100, nullptr, " [m]",
                  QT_TRANSLATE_NOOP("ParametersPage", "Dystans H")),
    };
    return table;
}

const RuleKind &timerRules()
{
    static const RuleKind kind{
        RuleKind::Timer,
        0x100,
        8,
        8,
        1,
        QT_TRANSLATE_NOOP("RuleGrid", "Reguła timera %1, %2"),
        QT_TRANSLATE_NOOP("RuleGrid", "Reguła timera %1"),
        kParametersPage,
        {
            column(1, Role::Condition, "tim%1Cb1", 0, E::List, "timCb1", kCondition, kConditionTip, 18),
            column(2, Role::Measured, "tim%1Cb2", 1, E::Measured, "timCb2", kMeasured, kMeasuredTip, 20),
            column(3, Role::Comparison, "tim%1Cb3", 2, E::List, "timCb3", kComparison, kComparisonTip, 0),
            column(4, Role::Threshold, "tim%1Sb1", 3, E::Threshold, nullptr, kThreshold, kThresholdTip, 0),
            column(5, Role::Action, "tim%1Cb4", 5, E::List, "timCb4", QT_TRANSLATE_NOOP("RuleGrid", "Akcja"),
                   QT_TRANSLATE_NOOP("RuleGrid", "Co zrobić ze stoperem lub timerem"), 16),
            column(6, Role::Time, "tim%1Sb2", 6, E::Seconds, nullptr, QT_TRANSLATE_NOOP("RuleGrid", "Czas"),
                   QT_TRANSLATE_NOOP("RuleGrid", "Czas timera: tyle sekund po starcie timer mija"), 0),
        },
    };
    return kind;
}

const RuleKind &messageRules()
{
    static const RuleKind kind{
        RuleKind::Message,
        0x140,
        24,
        8,
        2,
        QT_TRANSLATE_NOOP("RuleGrid", "Reguła komunikatu %1, %2"),
        QT_TRANSLATE_NOOP("RuleGrid", "Reguła komunikatu %1"),
        kMessagesPage,
        {
            column(1, Role::Condition, "par%1Cb1", 0, E::List, "msgCb1", kCondition, kConditionTip, 10),
            column(2, Role::Measured, "par%1Cb2", 1, E::Measured, "msgCb2", kMeasured, kMeasuredTip, 15),
            column(3, Role::Comparison, "par%1Cb3", 2, E::List, "msgCb3", kComparison, kComparisonTip, 0),
            column(4, Role::Threshold, "par%1Sb1", 3, E::Threshold, nullptr, kThreshold, kThresholdTip, 0),
            column(6, Role::Action, "par%1Cb4", 5, E::List, "msgCb4", QT_TRANSLATE_NOOP("RuleGrid", "Komunikat"),
                   QT_TRANSLATE_NOOP("RuleGrid", "Co powiedzieć: wartość mierzoną, zwrot albo własny komunikat"), 12),
            column(7, Role::Format, "par%1Cb5", 6, E::List, "msgCb5", QT_TRANSLATE_NOOP("RuleGrid", "Format"),
                   QT_TRANSLATE_NOOP("RuleGrid", "Jak powiedzieć wartość mierzoną"), 9),
            column(8, Role::Repetition, "par%1Cb6", 7, E::List, "msgCb6", QT_TRANSLATE_NOOP("RuleGrid", "Powtarzanie"),
                   QT_TRANSLATE_NOOP("RuleGrid", "Jak często powtarzać komunikat"), 9),
        },
    };
    return kind;
}

QString RuleKind::editorName(int rule, const Field &field) const
{
    return QString::fromLatin1(field.editor).arg(rule + 1, numberWidth, 10, QLatin1Char('0'));
}

int read(const QVector<quint8> &image, quint32 address, Stored stored)
{
    const auto at = [&](quint32 a) { return a < quint32(image.size()) ? image.at(int(a)) : quint8(0); };
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

int width(Stored stored)
{
    return stored == Stored::U8 || stored == Stored::S8 ? 0 : 1;
}

qint32 gravity(double latitude, double altitude)
{
    const double pi = 3.141592653589793;
    const double a = 2 * pi * latitude / 360;
    const double b = 4 * pi * latitude / 360;
    const double g = 9.780318 * (1 + 0.0053024 * std::pow(std::sin(a), 2) - 0.0000058 * std::pow(std::sin(b), 2))
                     - 0.000003086 * altitude;
    return qint32(std::trunc(g * 32768 / 10));
}

} // namespace SettingsMap
