#include "jobs/cmysettingswriter.h"

#include "base/cmyhexrecord.h"
#include "jobs/cmybackupstore.h"
#include "model/cmysettingsfile.h"

#include <QDir>

namespace {

// A transfer's lines besides its records: "#ROOT", "#HEX", the area, the direction.
constexpr int kCommandLines = 4;

// The serial number: the first two bytes of OTP.
QStringList serialRequest()
{
    return {cMyHexRecord(0x0000, QVector<quint8>(2, 0)).toString(), QString::fromLatin1(cMyHexRecord::kEndOfFile)};
}

} // namespace

cMySettingsWriter::cMySettingsWriter(cMyTamira *link, QObject *dialogParent) : cMyDeviceJob(link, dialogParent) {}

bool cMySettingsWriter::start(const QStringList &records)
{
    m_records = records;
    m_expected = QVector<quint8>(cMySettingsFile::kImageSize, 0);
    m_written = QVector<bool>(cMySettingsFile::kImageSize, false);
    cMyHexRecord record;
    for (const QString &line : records) {
        if (!record.fromString(line) || record.type() != cMyHexRecord::Data)
            continue;
        for (int i = 0; i < record.data().size() && record.address() + i < cMySettingsFile::kImageSize; ++i) {
            m_expected[record.address() + i] = record.data().at(i);
            m_written[record.address() + i] = true;
        }
    }
    const int transfer = records.size() + kCommandLines;
    setTotalLines(serialRequest().size() + kCommandLines + 3 * transfer);
    emit phaseChanged(tr("Kopia zapasowa nastaw z tamiry.."));
    m_step = ReadSerial;
    m_serial = -1;
    return read(OTP, serialRequest(), tr("Nic nie zostało zapisane do Tamiry."));
}

bool cMySettingsWriter::read(MemoryType area, const QStringList &requests, const QString &failureNote)
{
    return runStep(requests.size() + kCommandLines, failureNote, [this, area, requests] {
        cMyTransaction *transaction = link()->startRead(area, requests);
        connect(transaction, &cMyTransaction::newDataRead, this, &cMySettingsWriter::collect);
        return transaction;
    });
}

void cMySettingsWriter::readBack(Step step, const QString &label, const QString &failureNote)
{
    m_step = step;
    m_read = QVector<quint8>(cMySettingsFile::kImageSize, 0);
    m_readValid = QVector<bool>(cMySettingsFile::kImageSize, false);
    emit phaseChanged(label);
    read(EEPROM, m_records, failureNote);
}

void cMySettingsWriter::collect(MemoryType area, uint address, const QVector<quint8> &data)
{
    if (m_step == ReadSerial && area == OTP && address == 0 && data.size() >= 2) {
        m_serial = data.at(0) + 256 * data.at(1);
    } else if ((m_step == ReadBackup || m_step == Verify) && area == EEPROM) {
        for (int i = 0; i < data.size() && address + uint(i) < uint(cMySettingsFile::kImageSize); ++i) {
            m_read[int(address) + i] = data.at(i);
            m_readValid[int(address) + i] = true;
        }
    }
}

void cMySettingsWriter::stepCompleted()
{
    switch (m_step) {
    case ReadSerial:
        if (m_serial < 0) {
            fail(tr("Tamira nie podała swojego numeru seryjnego, więc kopia zapasowa jej nastaw nie powstała.\n"
                    "Nic nie zostało zapisane do Tamiry."));
            return;
        }
        readBack(ReadBackup, tr("Kopia zapasowa nastaw z tamiry.."), tr("Nic nie zostało zapisane do Tamiry."));
        return;
    case ReadBackup:
        saveBackupAndWrite();
        return;
    case Write:
        readBack(Verify, tr("Weryfikacja zapisu.."), verifyNote());
        return;
    case Verify:
        compare();
        return;
    }
}

void cMySettingsWriter::saveBackupAndWrite()
{
    if (m_readValid.contains(false)) {
        fail(tr("Nie udało się odczytać wszystkich nastaw z Tamiry, więc kopia zapasowa nie powstała.\n"
                "Nic nie zostało zapisane do Tamiry."));
        return;
    }
    QString error;
    m_backupPath = cMyBackupStore::save(quint16(m_serial), m_read, QDateTime::currentDateTime(), &error);
    if (m_backupPath.isEmpty()) {
        fail(
            tr("Nie można zapisać kopii zapasowej nastaw Tamiry: %1.\nNic nie zostało zapisane do Tamiry.").arg(error));
        return;
    }
    m_step = Write;
    emit phaseChanged(tr("Zapis do tamiry.."));
    runStep(m_records.size() + kCommandLines, writeNote(), [this] { return link()->startWrite(EEPROM, m_records); });
}

QString cMySettingsWriter::writeNote() const
{
    return tr("Tamira może teraz zawierać niekompletne nastawy; zapisz je ponownie.\nKopia poprzednich nastaw: %1")
        .arg(QDir::toNativeSeparators(m_backupPath));
}

QString cMySettingsWriter::verifyNote() const
{
    return tr("Nastawy zostały zapisane, ale nie zostały sprawdzone.\nKopia poprzednich nastaw: %1")
        .arg(QDir::toNativeSeparators(m_backupPath));
}

QString cMySettingsWriter::cancelText(cMyLinkFailure::Reason stepEnd) const
{
    if (m_step == Write && stepEnd != cMyLinkFailure::Completed)
        return tr("Zapis do Tamiry został przerwany.") + QLatin1Char('\n') + writeNote();
    if (m_step == Write || m_step == Verify)
        return tr("Weryfikacja zapisu została przerwana.") + QLatin1Char('\n') + verifyNote();
    return QString(); // nothing has been written: the device holds what it held
}

void cMySettingsWriter::compare()
{
    for (int a = 0; a < cMySettingsFile::kImageSize; ++a) {
        if (m_written.at(a) && (!m_readValid.at(a) || m_read.at(a) != m_expected.at(a))) {
            fail(tr("Weryfikacja zapisu nie powiodła się: bajt pod adresem 0x%1 w Tamirze różni się od "
                    "zapisanego.\nKopia poprzednich nastaw: %2")
                     .arg(QString::number(a, 16).toUpper().rightJustified(4, QLatin1Char('0')),
                          QDir::toNativeSeparators(m_backupPath)));
            return;
        }
    }
    finish(true);
}
