// Reading a sound library: the words sent to the device, and files that are not libraries.

#include "cmylibraryfile.h"

#include <QTemporaryDir>
#include <QtTest>

class tst_LibraryFile : public QObject
{
    Q_OBJECT

private slots:
    void wordsUpToTheEndRecord();
    void outsideInput();

private:
    QTemporaryDir dir;
    QString write(const char *name, const QByteArray &text)
    {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(text);
        return f.fileName();
    }
};

void tst_LibraryFile::wordsUpToTheEndRecord()
{
    const QStringList records{":020000040001F9", ":0400000001020304F2", ":00000001FF"};
    auto read = [](const QString &path) { return cMyLibraryFile::read(path); };

    cMyLibraryFile::Result r = read(write("lines.tma", ":020000040001F9\r\n:0400000001020304F2\r\n:00000001FF\r\n:0400100005060708D2\r\n"));
    QCOMPARE(r.status, cMyLibraryFile::Ok);
    QCOMPARE(r.words, records);

    // Spaces instead of line ends, blank lines, no final line break: the same words.
    r = read(write("spaces.tma", "  :020000040001F9 \t :0400000001020304F2\n\n :00000001FF junk more"));
    QCOMPARE(r.words, records);

    // The end record must be upper case to end the file; a lower-case one is sent on.
    r = read(write("lower.tmc", ":0400000001020304F2 :00000001ff :0400100005060708D2"));
    QCOMPARE(r.words, (QStringList{":0400000001020304F2", ":00000001ff", ":0400100005060708D2"}));

    // No end record: every word; garbage words are passed on as they are.
    r = read(write("noend.tma", ":0400000001020304F2\nhello #ROOT"));
    QCOMPARE(r.words, (QStringList{":0400000001020304F2", "hello", "#ROOT"}));

    r = read(write("empty.tma", ""));
    QCOMPARE(r.status, cMyLibraryFile::Ok);
    QVERIFY(r.words.isEmpty());
}

void tst_LibraryFile::outsideInput()
{
    QCOMPARE(cMyLibraryFile::read(dir.filePath("missing.tma")).status, cMyLibraryFile::CannotOpen);
    QCOMPARE(cMyLibraryFile::read(dir.path()).status, cMyLibraryFile::CannotOpen);

    // A word longer than any record: not a library (the file is not read on into memory).
    cMyLibraryFile::Result r = cMyLibraryFile::read(write("blob.tma", ":00 " + QByteArray(cMyLibraryFile::kLongestWord + 1, 'A') + " :00000001FF"));
    QCOMPARE(r.status, cMyLibraryFile::NotALibrary);
    QVERIFY(r.words.isEmpty());
    r = cMyLibraryFile::read(write("fits.tma", QByteArray(cMyLibraryFile::kLongestWord, 'A')));
    QCOMPARE(r.status, cMyLibraryFile::Ok);
    QCOMPARE(r.words.size(), 1);

    // Binary bytes are words like any other.
    QByteArray binary;
    for (int i = 0; i < 256; ++i)
        binary.append(char(i));
    r = cMyLibraryFile::read(write("binary.tma", binary));
    QCOMPARE(r.status, cMyLibraryFile::Ok);
    QVERIFY(!r.words.isEmpty());

    // A zero byte is part of a word, not its end.
    r = cMyLibraryFile::read(write("nul.tma", QByteArray(":00000001FF\0x :0400000001020304F2", 32)));
    QCOMPARE(r.words.size(), 2);
    QCOMPARE(r.words.first().size(), 13);

    // Far larger than any FLASH: refused before reading.
    QFile big(dir.filePath("big.tma"));
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(cMyLibraryFile::kLargestFile + 1));
    big.close();
    QCOMPARE(cMyLibraryFile::read(big.fileName()).status, cMyLibraryFile::TooLarge);

    std::atomic_bool cancel{true};
    r = cMyLibraryFile::read(write("c.tma", ":00000001FF"), &cancel);
    QCOMPARE(r.status, cMyLibraryFile::Cancelled);
}

QTEST_APPLESS_MAIN(tst_LibraryFile)
#include "tst_libraryfile.moc"
