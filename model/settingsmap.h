#ifndef MODEL_SETTINGSMAP_H
#define MODEL_SETTINGSMAP_H

// The memory map of the settings image as data: every field the settings form edits, where it
// is, how it is stored and shown, and what it is called; the three texts; the gravity word the
// altitude and latitude decide. One table per kind of rule and one for the parameters. The
// form builds, names, binds and loads its editors from them (editors/), and anything else that
// reads settings (a comparison of two of them) reads the same map, without a widget.

#include <QString>
#include <QVector>
#include <QtGlobal>

namespace SettingsMap {

// How a field's bytes are read: little-endian, signed ones in two's complement.
enum class Stored { U8, S8, U16, S16 };

// What shows a field, and so how it is bound and loaded.
enum class Shown {
    List,      // a code chosen from a value list
    Measured,  // a rule's measured value: its list row gives the threshold a factor, unit and range
    Number,    // a number shown in units, stored as shown × factor
    Seconds,   // a timer rule's time, 0 to 65535 s
    Threshold, // a rule's threshold, in the units of the rule's measured value
    Plain,     // a number with a handler of its own, which also stores the gravity word
};

// What a field is to its rule.
enum class Role { None, Condition, Measured, Comparison, Threshold, Action, Time, Format, Repetition };

struct Field
{
    const char *editor; // the editor's object name; in a rule "%1" is the rule's number
    quint32 address;    // in a rule: the offset from the rule's first byte
    Stored stored;
    Shown shown;
    int isSigned;        // how the editor makes bytes of a number: 1 through 16-bit signed, 0 through 32-bit
    double factor;       // stored = shown × factor (Number, Seconds); it sets the decimals shown: 1, 10, 100
                         // give 0, 1, 2 (Plain numbers are whole)
    const char *list;    // List and Measured: the value list, ":/models/<list>.csv"
    const char *suffix;  // what follows a number as the form shows it, " [cm]"
    const char *caption; // translated in the context "ParametersPage" (its label on that page) or
                         // "RuleGrid" (a rule column's heading)
    // A rule's column:
    int column; // in the rule grid
    Role role;
    const char *toolTip; // what the column means, context "RuleGrid"
    int characters;      // a list's width in characters; 0: as wide as its longest entry
};

struct RuleKind
{
    enum Kind { Timer, Message };
    Kind kind;
    quint32 firstAddress;
    int count;
    int size;              // bytes per rule
    int numberWidth;       // digits of the rule's number in the editors' names: tim1Cb1, par01Cb1
    const char *name;      // "Reguła timera %1, %2": the rule's number and the column's heading, "RuleGrid"
    const char *title;     // "Reguła timera %1": the whole rule, "RuleGrid"
    const char *page;      // the page that shows the rules, "MainWindow" (the tab's title)
    QVector<Field> fields; // in column order

    quint32 address(int rule, const Field &field) const { return firstAddress + quint32(size * rule) + field.address; }
    // The editor of `field` in rule `rule` (from 0), by name.
    QString editorName(int rule, const Field &field) const;
};

// The parameters page, in the order the form loads them.
const QVector<Field> &parameters();
const RuleKind &timerRules();
const RuleKind &messageRules();

// The pages' titles, as their tabs show them ("MainWindow").
extern const char *const kParametersPage;
extern const char *const kMessagesPage;

// Texts: Latin-1, ended by one zero byte inside the field; on the parameters page.
struct Text
{
    quint32 address;
    int size;
    const char *caption; // "ParametersPage"
};
extern const Text kAuthor, kTitle, kDescription;

// The fields a handler stores: the volume, and the altitude and latitude with the gravity word
// they decide.
constexpr quint32 kVolume = 0x81, kGravity = 0x9E, kAltitude = 0xDC, kLatitude = 0xDE;
// The gravity word has no editor; what it is called where it is shown ("ParametersPage").
extern const char *const kGravityCaption;
// The version stamp: the version of the program that last wrote the settings to a device, one
// byte for each of its four numbers.
constexpr quint32 kStamp = 0x000;
constexpr int kStampSize = 4;

// The field at `address` of the image as a number; bytes past the image's end read as 0.
int read(const QVector<quint8> &image, quint32 address, Stored stored);
// Bytes the editors write for a field: 0 for one byte, 1 for two.
int width(Stored stored);
// The local gravity, g [m/s²] × 32768 / 10 truncated toward zero, from the latitude in degrees
// and the altitude in metres; its low 16 bits are the word at kGravity.
qint32 gravity(double latitude, double altitude);

} // namespace SettingsMap

#endif
