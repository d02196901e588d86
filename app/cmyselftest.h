#ifndef APP_CMYSELFTEST_H
#define APP_CMYSELFTEST_H

// The device's self-test flags read as faults, and the mark every fault shows with: a colour
// and an icon that read on the status dialog's black and on the overview's warning banner.
// Bit 0 set means the device works; each of bits 1 to 7 set is a fault of one unit.

#include <QColor>
#include <QPixmap>
#include <QStringList>

namespace cMySelfTest {

constexpr int kRows = 8;

// Row 0 fails when bit 0 is clear, rows 1 to 7 when their bit is set.
bool rowFailed(quint8 flags, int row);
bool anyFailed(quint8 flags);
// What failed, in the words of a sentence ("pressure sensor", "sound library").
QStringList failures(quint8 flags);

// The text of a failed row on the dialog's black background (contrast above 7:1).
QColor faultColour();
// A warning triangle, drawn here, `size` device-independent pixels high.
QPixmap faultIcon(int size, qreal devicePixelRatio);

} // namespace cMySelfTest

#endif
