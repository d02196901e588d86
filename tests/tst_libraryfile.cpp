// Reading a sound library: the words sent to the device, one at a time, how far into the memory
// a library reaches, and files that are not libraries.

#include "base/cmyhexrecord.h"
#include "device/cmylibraryfile.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>

class tst_LibraryFile : public QObject
{
    Q_OBJECT

private slots:
    void wordsUpToTheEndRecord_data();
    void wordsUpToTheEndRecord();
    void refused_data();
    void refused();
    void oneWordAtATime();

private:
    QTemporaryDir dir;
    QString write(const QString &name, const QByteArray &text)
    {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(text);
        return f.fileName();
    }
};

void tst_LibraryFile::wordsUpToTheEndRecord_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<int>("status");      // of the whole-file pass: only records make a library
    QTest::addColumn<quint64>("dataEnd"); // one past the highest address its records fill
    const QStringList three{":020000040001F9", ":0400000001020304F2", ":00000001FF"};
    const int ok = cMyLibraryFile::Ok, junk = cMyLibraryFile::NotALibrary, empty = cMyLibraryFile::Empty;
    QTest::newRow("end record in the middle")
        << QByteArray(":020000040001F9\r\n:0400000001020304F2\r\n:00000001FF\r\n:0400100005060708D2\r\n") << three << ok
        << quint64(0x10004);
    QTest::newRow("spaces, blank lines, no final break")
        << QByteArray("  :020000040001F9 \t :0400000001020304F2\n\n :00000001FF junk more") << three << ok
        << quint64(0x10004);
    QTest::newRow("lower-case end record does not end it")
        << QByteArray(":0400000001020304F2 :00000001ff :0400100005060708D2")
        << QStringList{":0400000001020304F2", ":00000001ff", ":0400100005060708D2"} << ok << quint64(0x14);
    QTest::newRow("the highest record counts, not the last")
        << QByteArray(":0400100005060708D2 :0400000001020304F2")
        << QStringList{":0400100005060708D2", ":0400000001020304F2"} << ok << quint64(0x14);
    QTest::newRow("a word that is no record")
        << QByteArray(":0400000001020304F2\nhello :00000001FF")
        << QStringList{":0400000001020304F2", "hello", ":00000001FF"} << junk << quint64(0);
    QTest::newRow("a bad checksum") << QByteArray(":0400000001020304F2 :0400100005060708D3")
                                    << QStringList{":0400000001020304F2", ":0400100005060708D3"} << junk << quint64(0);
    QTest::newRow("text after a checksum") << QByteArray(":0400000001020304F2xy :00000001FF")
                                           << QStringList{":0400000001020304F2xy", ":00000001FF"} << junk << quint64(0);
    QTest::newRow("zero byte inside a word")
        << QByteArray(":00000001FF\0x :00000001FF", 25)
        << QStringList{QString::fromLatin1(":00000001FF\0x", 13), ":00000001FF"} << junk << quint64(0);
    QTest::newRow("empty") << QByteArray() << QStringList() << empty << quint64(0);
    QTest::newRow("no data, only the end record")
        << QByteArray(":020000040001F9 :00000001FF") << QStringList{":020000040001F9", ":00000001FF"} << empty
        << quint64(0);
}

void tst_LibraryFile::wordsUpToTheEndRecord()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, words);
    QFETCH(int, status);
    QFETCH(quint64, dataEnd);
    const QString path = write(QStringLiteral("library.tma"), text);
    cMyLibraryFile reader;
    QCOMPARE(reader.open(path), cMyLibraryFile::Ok);
    QStringList got;
    QByteArray word;
    while (reader.nextLine(word))
        got << QString::fromLatin1(word.constData(), word.size());
    QCOMPARE(got, words);
    QVERIFY(!reader.failed());
    const cMyLibraryFile::Summary summary = cMyLibraryFile::scan(path);
    QCOMPARE(int(summary.status), status);
    QCOMPARE(summary.words, status == cMyLibraryFile::Ok ? words.size() : 0);
    QCOMPARE(summary.endRecord, status == cMyLibraryFile::Ok && words.last() == ":00000001FF");
    QCOMPARE(summary.dataEnd, dataEnd);
}

void tst_LibraryFile::refused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("status");
    QTest::newRow("missing") << "missing" << int(cMyLibraryFile::CannotOpen);
    QTest::newRow("a folder") << "folder" << int(cMyLibraryFile::NotRegularFile);
    QTest::newRow("larger than any library") << "big" << int(cMyLibraryFile::TooLarge);
    QTest::newRow("a word longer than a record") << "long word" << int(cMyLibraryFile::NotALibrary);
}

void tst_LibraryFile::refused()
{
    QFETCH(QString, kind);
    QFETCH(int, status);
    QString path = dir.filePath(kind);
    if (kind == QLatin1String("folder")) {
        path = dir.path();
    } else if (kind == QLatin1String("big")) {
        QFile big(path);
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(cMyLibraryFile::kLargestFile + 1));
    } else if (kind == QLatin1String("long word")) {
        write(kind, ":00 " + QByteArray(cMyHexRecord::kLongestLine + 1, 'A') + " :00000001FF");
    }
    cMyLibraryFile reader;
    QByteArray word;
    if (reader.open(path) == cMyLibraryFile::Ok)
        while (reader.nextLine(word)) {
        }
    QCOMPARE(int(reader.status()), status);
    QCOMPARE(int(cMyLibraryFile::scan(path).status), status);
}

void tst_LibraryFile::oneWordAtATime()
{
    // However long the library, no more than one buffer ahead of the word handed out is read.
    QByteArray text = QByteArray(":0400000001020304F2\r\n").repeated(400000);
    QBuffer library(&text);
    library.open(QIODevice::ReadOnly);
    cMyLibraryFile reader;
    reader.open(&library);
    QByteArray word;
    for (qint64 handedOut = 21; handedOut <= 20000 * 21; handedOut += 21) {
        QVERIFY(reader.nextLine(word));
        QCOMPARE(word, QByteArray(":0400000001020304F2"));
        QVERIFY2(library.pos() <= handedOut + cMyLibraryFile::kChunkSize, qPrintable(QString::number(library.pos())));
    }
}

QTEST_APPLESS_MAIN(tst_LibraryFile)
#include "tst_libraryfile.moc"
