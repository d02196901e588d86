#include "jobs/cmysettingsreader.h"

#include "model/cmymemoryarea.h"
#include "model/cmysettingsfile.h"

namespace {
// "#ROOT", "#HEX", "#EEPROM", "#READ".
constexpr int kCommandLines = 4;
} // namespace

cMySettingsReader::cMySettingsReader(cMyTamira *link, QObject *dialogParent) : cMyDeviceJob(link, dialogParent) {}

bool cMySettingsReader::start()
{
    m_read = QVector<quint8>(cMySettingsFile::kImageSize, 0);
    m_valid = QVector<bool>(cMySettingsFile::kImageSize, false);
    // The records only say which addresses to read.
    cMyMemoryArea requests;
    requests.setData(cMySettingsFile::kImageSize - 1, quint8(0));
    const QStringList lines = requests.toHexLines(0, cMySettingsFile::kImageSize, 16);
    return startSingle(lines.size() + kCommandLines, tr("Nastawy w programie nie zostały zmienione."), [this, lines] {
        cMyTransaction *read = link()->startRead(EEPROM, lines);
        connect(read, &cMyTransaction::newDataRead, this, &cMySettingsReader::collect);
        return read;
    });
}

void cMySettingsReader::collect(MemoryType area, uint address, const QVector<quint8> &data)
{
    if (area != EEPROM)
        return;
    for (int i = 0; i < data.size() && address + uint(i) < uint(cMySettingsFile::kImageSize); ++i) {
        m_read[int(address) + i] = data.at(i);
        m_valid[int(address) + i] = true;
    }
}

void cMySettingsReader::stepCompleted()
{
    if (m_valid.contains(false)) {
        fail(tr("Tamira nie podała wszystkich swoich nastaw, więc nie można ich porównać."));
        return;
    }
    finish(true);
}
