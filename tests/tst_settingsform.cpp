// The settings form against the real main window: binding, refresh, the unbound parameters and
// the text rules, checked on the whole image.

#include "cmycomboboxw2.h"
#include "cmycomboboxw6.h"
#include "cmydoublespinboxint.h"
#include "cmymemoryarea.h"
#include "cmyscripteddialogs.h"
#include "cmysettingsfile.h"
#include "cmyvaluemark.h"
#include "mainwindow.h"
#include "tamiratestapp.h"

#include <QAction>
#include <QGridLayout>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSet>

using Bytes = QVector<quint8>;

class tst_SettingsForm : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        dialogs.reset();
        dialogs.reset(new cMyScriptedDialogs);
    }
    void cleanup() { QVERIFY2(dialogs->clean(), qPrintable(dialogs->report())); dialogs.reset(); }
    void newDocumentShowsEmptyRules();
    void pagesAreBuiltWhenFirstShown_data();
    void pagesAreBuiltWhenFirstShown();
    void storedRuleIsShownAndKept();
    void storedValuesOutsideTheRange_data();
    void storedValuesOutsideTheRange();
    void altitudeLatitudeVolume();
    void binding_data();
    void binding();
    void bindingCoversEveryEditor();
    void textRules();
    void loadedTextsAreTakenAsTheyAre();
    void overviewShowsTextsAsTyped();

private:
    QScopedPointer<cMyScriptedDialogs> dialogs;
    QScopedPointer<QTemporaryDir> dir;
    QScopedPointer<MainWindow> bindingWindow; // shared by the rows of binding()
    QSet<QWidget *> bound;

    template <typename T> static T *find(QObject *w, const QString &name)
    {
        return w->findChild<T *>(name);
    }
    // Types characters that QTest's key tables do not know, as a keyboard would send them.
    static void type(QWidget *w, const QString &text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
        }
    }
    static Bytes image(MainWindow &w) { return w.settingsImage()->readBytes(0, 1024); }
    // A settings file holding the blank template with `bytes` written at `address`.
    QString settingsFile(const QList<QPair<quint32, Bytes>> &changes)
    {
        if (!dir)
            dir.reset(new QTemporaryDir);
        cMyMemoryArea a;
        cMySettingsFile::read(":/pliki/clear.tmo", a);
        for (const auto &change : changes)
            a.setData(change.first, change.second);
        const QString path = dir->filePath("stored.tmo");
        cMySettingsFile::write(path, a);
        return path;
    }
    static QByteArray contents(const QString &path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    // Shows a page as the user does, by its tab.
    static void showPage(MainWindow &w, int index)
    {
        QTabBar *bar = w.findChild<QTabWidget *>("tabWidget")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
        QCOMPARE(w.findChild<QTabWidget *>("tabWidget")->currentIndex(), index);
    }
    static Bytes hex(const QString &tokens)
    {
        Bytes out;
        for (const QString &t : tokens.split(' ', Qt::SkipEmptyParts))
            out.append(quint8(t.toUInt(nullptr, 16)));
        return out;
    }
    // Bytes from `address` are as `tokens` say ("--": as before), all others as before.
    static void compareBytes(const Bytes &before, const Bytes &after, int address, const QString &tokens)
    {
        const QStringList t = tokens.split(' ', Qt::SkipEmptyParts);
        for (int a = 0; a < 1024; ++a) {
            const int k = a - address;
            const bool free = k >= 0 && k < t.size() && t.at(k) != "--";
            const quint8 expected = free ? quint8(t.at(k).toUInt(nullptr, 16)) : before.at(a);
            QVERIFY2(after.at(a) == expected, qPrintable(QString("byte 0x%1 is %2, not %3").arg(a, 3, 16, QLatin1Char('0'))
                                                            .arg(after.at(a), 2, 16, QLatin1Char('0')).arg(expected, 2, 16, QLatin1Char('0'))));
        }
    }
    static void typeInto(QAbstractSpinBox *spin, QString text)
    {
        spin->setFocus();
        spin->selectAll();
        QTest::keyClicks(spin, text.replace('.', spin->locale().decimalPoint()));
    }
    static QSet<int> changed(const Bytes &a, const Bytes &b)
    {
        QSet<int> out;
        for (int i = 0; i < qMax(a.size(), b.size()); ++i)
            if (i >= a.size() || i >= b.size() || a.at(i) != b.at(i))
                out.insert(i);
        return out;
    }
    static QSet<int> range(int from, int count)
    {
        QSet<int> out;
        for (int i = 0; i < count; ++i)
            out.insert(from + i);
        return out;
    }
};

void tst_SettingsForm::newDocumentShowsEmptyRules()
{
    MainWindow w;
    w.ensureSettingsForm();
    cMyMemoryArea blank;
    QVERIFY(cMySettingsFile::read(":/pliki/clear.tmo", blank).complete());
    QCOMPARE(image(w), blank.readBytes(0, 1024));

    for (int r = 1; r <= 24; ++r) {
        const QString n = QString("par%1").arg(r, 2, 10, QLatin1Char('0'));
        QCOMPARE(find<QComboBox>(&w, n + "Cb1")->currentText(), QString("never"));
        QCOMPARE(find<QComboBox>(&w, n + "Cb2")->currentText(), QString("Regardless of any value"));
        QCOMPARE(find<QComboBox>(&w, n + "Cb3")->currentText(), QString(">="));
        QCOMPARE(find<QComboBox>(&w, n + "Cb4")->currentText(), QString("Do nothing"));
        auto *threshold = find<cMyDoubleSpinBoxInt>(&w, n + "Sb1");
        QVERIFY(!threshold->isEnabled());
        QCOMPARE(threshold->value(), 0.0);
    }
    for (int r = 1; r <= 8; ++r) {
        const QString n = QString("tim%1").arg(r);
        QCOMPARE(find<QComboBox>(&w, n + "Cb1")->currentText(), QString("never"));
        QCOMPARE(find<QComboBox>(&w, n + "Cb2")->currentText(), QString("Regardless of any value"));
        QCOMPARE(find<QComboBox>(&w, n + "Cb3")->currentText(), QString(">="));
        QCOMPARE(find<QComboBox>(&w, n + "Cb4")->currentText(), QString("Do nothing"));
        QVERIFY(!find<QWidget>(&w, n + "Sb1")->isEnabled());
        QCOMPARE(find<cMyDoubleSpinBoxInt>(&w, n + "Sb2")->value(), 0.0);
        QCOMPARE(find<cMyDoubleSpinBoxInt>(&w, n + "Sb2")->suffix(), QString(" [s]"));
    }
    QCOMPARE(find<QComboBox>(&w, "par1Cb")->currentText(), QString("1 [Hz]"));
    QCOMPARE(find<QComboBox>(&w, "par2Cb")->currentText(), QString("1 [h]"));
    QCOMPARE(find<QComboBox>(&w, "par3Cb")->currentText(), QString("2 [s]"));
    QCOMPARE(find<QComboBox>(&w, "par9Cb")->currentText(), QString("Min"));
    QCOMPARE(find<QSpinBox>(&w, "par13Sb")->value(), -5);
    QCOMPARE(find<QDoubleSpinBox>(&w, "par4Sb")->value(), 100.0);
    QCOMPARE(find<QDoubleSpinBox>(&w, "par6Sb")->value(), -50.0);
    QCOMPARE(find<QDoubleSpinBox>(&w, "par12Sb")->value(), 45.0);
    QCOMPARE(find<QDoubleSpinBox>(&w, "lOkresD")->value(), 30.0);
    QVERIFY(find<QLineEdit>(&w, "leTitle")->text().isEmpty());
}

void tst_SettingsForm::storedRuleIsShownAndKept()
{
    MainWindow w;
    w.ensureSettingsForm();
    w.settingsImage()->setData(0x140, Bytes{0x00, 0x20, 0x00, 0xF4, 0x01});
    w.settingsImage()->setData(0x100, Bytes{0x00, 0x10, 0x01, 0x9C, 0xFF}); // timer: 16 "Temperature" <= -10.0
    w.refreshSettingsForm();
    auto *threshold = find<cMyDoubleSpinBoxInt>(&w, "par01Sb1");
    QCOMPARE(find<QComboBox>(&w, "par01Cb1")->currentText(), QString("underwater"));
    QCOMPARE(find<QComboBox>(&w, "par01Cb2")->currentText(), QString("Depth"));
    QCOMPARE(threshold->text(), QString("5.00 [m]"));
    QVERIFY(threshold->isEnabled());
    QCOMPARE(w.settingsImage()->readBytes(0x140, 5), (Bytes{0x00, 0x20, 0x00, 0xF4, 0x01}));
    QCOMPARE(find<cMyDoubleSpinBoxInt>(&w, "tim1Sb1")->text(), QString("-10.0 [") + QChar(0xB0) + "C]");
    QCOMPARE(w.settingsImage()->readBytes(0x103, 2), (Bytes{0x9C, 0xFF}));

    // Choosing another measured value resets the threshold, in the editor and in the image.
    auto *measured = find<QComboBox>(&w, "par01Cb2");
    measured->setCurrentIndex(measured->findText("Temperature"));
    QCOMPARE(threshold->text(), QString("0.0 [") + QChar(0xB0) + "C]");
    QCOMPARE(w.settingsImage()->readBytes(0x141, 4), (Bytes{16, 0, 0, 0}));
}

void tst_SettingsForm::altitudeLatitudeVolume()
{
    MainWindow w;
    w.ensureSettingsForm();
    QCOMPARE(w.settingsImage()->readBytes(0x9E, 2), (Bytes{0x84, 0x7D}));
    find<QDoubleSpinBox>(&w, "par12Sb")->setValue(0);
    QCOMPARE(w.settingsImage()->readBytes(0x9E, 2), (Bytes{0x30, 0x7D})); // 32048
    QCOMPARE(w.settingsImage()->readBytes(0xDE, 1), Bytes{0});
    find<QDoubleSpinBox>(&w, "par12Sb")->setValue(90);
    QCOMPARE(w.settingsImage()->readBytes(0x9E, 2), (Bytes{0xDA, 0x7D})); // 32218
    find<QDoubleSpinBox>(&w, "par11Sb")->setValue(-1000);
    QCOMPARE(w.settingsImage()->readBytes(0xDC, 2), (Bytes{0x18, 0xFC}));
    QCOMPARE(w.settingsImage()->readBytes(0x9E, 2), (Bytes{0xE4, 0x7D})); // higher gravity below sea level

    find<QSpinBox>(&w, "par13Sb")->setValue(0);
    find<QSpinBox>(&w, "par13Sb")->setValue(-5);
    QCOMPARE(w.settingsImage()->readBytes(0x81, 1), Bytes{0xFB});
    find<QSpinBox>(&w, "par13Sb")->setValue(-57);
    QCOMPARE(w.settingsImage()->readBytes(0x81, 1), Bytes{0xC7});
}

void tst_SettingsForm::textRules()
{
    MainWindow w;
    w.show();
    w.ensureSettingsForm();
    cMyMemoryArea *img = w.settingsImage();
    auto *author = find<QLineEdit>(&w, "leAuthor");
    auto *title = find<QLineEdit>(&w, "leTitle");
    auto *description = find<QPlainTextEdit>(&w, "pteDescription");

    QTest::keyClicks(author, "ABCDEFGHIJKLMNOP"); // the 16th is refused
    QCOMPARE(author->text(), QString("ABCDEFGHIJKLMNO"));
    QCOMPARE(img->readBytes(0x10, 16), Bytes({'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O', 0}));
    QCOMPARE(find<QLabel>(&w, "lParamAutor")->text(), QString()); // the overview follows loads, not typing
    type(author, QString::fromUtf8("ż"));
    QCOMPARE(author->text(), QString("ABCDEFGHIJKLMNO"));

    // Clearing the title stores one 0 and leaves the bytes behind it as they were.
    QTest::keyClicks(title, "Hi");
    const Bytes behind = img->readBytes(0x21, 31);
    title->clear();
    QCOMPARE(img->readBytes(0x20, 1), Bytes{0});
    QCOMPARE(img->readBytes(0x21, 31), behind);

    // The description takes printable ASCII and line feeds; anything else is undone at once.
    description->setFocus();
    QTest::keyClicks(description, "abc");
    QTest::keyClick(description, Qt::Key_Return);
    QTest::keyClicks(description, "d");
    QCOMPARE(description->toPlainText(), QString("abc\nd"));
    description->insertPlainText("x\ty");
    QCOMPARE(description->toPlainText(), QString("abc\nd"));
    QCOMPARE(description->textCursor().position(), 5);
    type(description, QString::fromUtf8("ą"));
    QCOMPARE(description->toPlainText(), QString("abc\nd"));
    QCOMPARE(img->readBytes(0x200, 6), (Bytes{'a', 'b', 'c', '\n', 'd', 0}));

    // At most 511 characters: the image never holds a 512th, even as a trailing line feed.
    description->setPlainText(QString(510, 'z'));
    description->moveCursor(QTextCursor::End);
    description->insertPlainText("\n");
    QCOMPARE(description->toPlainText().size(), 511);
    description->insertPlainText("\n");
    QCOMPARE(description->toPlainText().size(), 511);
    QCOMPARE(img->readBytes(0x200, 512).last(), quint8(0));
    QCOMPARE(img->pageSize(0), 1024);
}

void tst_SettingsForm::loadedTextsAreTakenAsTheyAre()
{
    MainWindow w;
    w.ensureSettingsForm();
    cMyMemoryArea *img = w.settingsImage();
    auto *description = find<QPlainTextEdit>(&w, "pteDescription");
    description->setPlainText("an old description");

    // A loaded description with a tab and stale bytes behind its end is shown as it is, and
    // nothing of the old text lands in the image.
    QByteArray loaded("tab\there");
    loaded.append('\0');
    loaded.append("stale bytes");
    img->setData(0x200, Bytes(loaded.begin(), loaded.end()));
    img->setData(0x10, Bytes{'N', 'e', 'w', 0, 'x'});
    const Bytes before = image(w);
    w.refreshSettingsForm();
    QCOMPARE(description->toPlainText(), QString("tab\there"));
    QCOMPARE(find<QLineEdit>(&w, "leAuthor")->text(), QString("New"));
    QCOMPARE(image(w), before);

    // A 16-byte author with no end byte is cut to 15 characters, and stored so.
    img->setData(0x10, Bytes(16, 'Q'));
    w.refreshSettingsForm();
    QCOMPARE(find<QLineEdit>(&w, "leAuthor")->text(), QString(15, 'Q'));
    QCOMPARE(img->readBytes(0x1F, 1), Bytes{0});
    QCOMPARE(img->readBytes(0x200, 9), Bytes(loaded.begin(), loaded.begin() + 9));
}

void tst_SettingsForm::pagesAreBuiltWhenFirstShown_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("modified");
    QTest::newRow("parameters, saved document") << 1 << false;
    QTest::newRow("parameters, changed document") << 1 << true;
    QTest::newRow("messages, saved document") << 2 << false;
    QTest::newRow("messages, changed document") << 2 << true;
}

void tst_SettingsForm::pagesAreBuiltWhenFirstShown()
{
    QFETCH(int, page);
    QFETCH(bool, modified);
    // 2 Hz, a gravity word no formula gives, a surfacing threshold above its maximum and a
    // message rule "underwater, Depth >= 5.00 m".
    const QString path = settingsFile({{0x80, {0x4B}}, {0x9E, {0x34, 0x12}}, {0x8A, {0xFB}}, {0x140, {0x00, 0x20, 0x00, 0xF4, 0x01}}});
    MainWindow w;
    w.loadFromCommandLine(path);
    w.show();
    w.settingsImage()->setModified(modified);
    const Bytes before = image(w);
    QVERIFY(!w.findChild<QWidget *>("par1Cb"));

    showPage(w, page);
    QCOMPARE(find<QComboBox>(&w, "par1Cb")->currentText(), QString("2 [Hz]"));
    QCOMPARE(find<QDoubleSpinBox>(&w, "par5Sb")->text(), QString("251 [cm]"));
    QCOMPARE(find<QDoubleSpinBox>(&w, "par01Sb1")->text(), QString("5.00 [m]"));
    QTRY_VERIFY_WITH_TIMEOUT(find<QWidget>(&w, page == 1 ? "par1Cb" : "par01Cb1")->isVisible(), 5000);
    QCOMPARE(image(w), before);
    QCOMPARE(w.settingsImage()->isModified(), modified);
}

void tst_SettingsForm::storedValuesOutsideTheRange_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("shown");   // a combo box's text for a code it lacks
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<int>("key");         // the user's edit; 0: none
    QTest::addColumn<QString>("edited");  // bytes from `address` after it ("--": as stored)
    QTest::addColumn<bool>("stillMarked");

    const QString range = "The stored value is outside the allowed range ";
    QTest::newRow("fixed temperature -5.0 °C") << 0x9C << "CE FF" << "par10Sb" << 1 << QString::fromUtf8("-5.0 [°C]")
        << range + QString::fromUtf8("0.0 – 60.0 [°C].") << int(Qt::Key_Up) << "D8 FF" << true;
    QTest::newRow("surfacing threshold above its maximum") << 0x8A << "FB" << "par5Sb" << 1 << "251 [cm]"
        << range + QString::fromUtf8("5 – 250 [cm].") << int(Qt::Key_Down) << "FA" << false;
    QTest::newRow("volume above 6 dB") << 0x81 << "0A" << "par13Sb" << 1 << "10[dB]"
        << range + QString::fromUtf8("-57 – 6 [dB].") << int(Qt::Key_Down) << "09" << true;
    QTest::newRow("distance of 100 m") << 0xF8 << "10 27" << "lDystansE" << 1 << "100.00 [m]"
        << range + QString::fromUtf8("0.00 – 99.99 [m].") << int(Qt::Key_Down) << "AC 26" << false;
    QTest::newRow("depth threshold below 0 m") << 0x140 << "00 20 00 9C FF" << "par01Sb1" << 2 << "-1.00 [m]"
        << range + QString::fromUtf8("0.00 – 327.67 [m].") << int(Qt::Key_Up) << "-- -- -- 00 00" << false;
    QTest::newRow("sampling rate with no entry") << 0x80 << "63" << "par1Cb" << 1 << "99 (unknown)"
        << "The stored value 99 is not in the list." << int(Qt::Key_Down) << "96" << false;
    QTest::newRow("message with no entry") << 0x145 << "C8" << "par01Cb4" << 2 << "200 (unknown)"
        << "The stored value 200 is not in the list." << int(Qt::Key_Down) << "00" << false;
    QTest::newRow("measured value with no entry") << 0x140 << "00 63 00 D2 04" << "par01Cb2" << 2 << "99 (unknown)"
        << "The stored value 99 is not in the list." << int(Qt::Key_Down) << "-- FF -- 00 00" << false;
    QTest::newRow("threshold of an unknown measured value") << 0x140 << "00 63 00 D2 04" << "par01Sb1" << 2 << "1234 "
        << range + QString::fromUtf8("0 – 0.") << 0 << "" << true;
}

void tst_SettingsForm::storedValuesOutsideTheRange()
{
    QFETCH(int, address);
    QFETCH(QString, stored);
    QFETCH(QString, editor);
    QFETCH(int, page);
    QFETCH(QString, shown);
    QFETCH(QString, toolTip);
    QFETCH(int, key);
    QFETCH(QString, edited);
    QFETCH(bool, stillMarked);
    const QString path = settingsFile({{quint32(address), hex(stored)}});
    const QByteArray file = contents(path);
    MainWindow w;
    w.loadFromCommandLine(path);
    w.show();
    showPage(w, page);

    // Shown as stored and marked, and saved back byte for byte.
    auto *widget = find<QWidget>(&w, editor);
    if (auto *box = qobject_cast<QComboBox *>(widget)) {
        QCOMPARE(box->currentIndex(), -1);
        QCOMPARE(box->placeholderText(), shown);
    } else {
        QCOMPARE(qobject_cast<QAbstractSpinBox *>(widget)->text(), shown);
    }
    QCOMPARE(widget->toolTip(), toolTip);
    QVERIFY(cMyValueMark::isMarked(widget));
    QVERIFY(widget->palette() != find<QWidget>(&w, "par3Cb")->palette());
    w.findChild<QAction *>("actionSave")->trigger();
    QCOMPARE(contents(path), file);

    if (!key)
        return;
    const Bytes before = image(w);
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key(key));
    compareBytes(before, image(w), address, edited);
    QCOMPARE(cMyValueMark::isMarked(widget), stillMarked);
    if (!stillMarked)
        QCOMPARE(widget->palette(), find<QWidget>(&w, "par3Cb")->palette());
}

void tst_SettingsForm::binding_data()
{
    QTest::addColumn<QString>("names");   // "%1": numbered 01, 02, ...; else one name per editor
    QTest::addColumn<QString>("grid");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("address");     // of the first editor
    QTest::addColumn<int>("stride");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("measured"); // chosen first in column 2 of the same row
    QTest::addColumn<QString>("input");    // the row chosen, or the number typed
    QTest::addColumn<QString>("bytes");    // stored from the address on ("--": unchanged)
    QTest::addColumn<double>("scale");     // 0 for combo boxes
    QTest::addColumn<int>("decimals");

    QTest::newRow("par1Cb") << "par1Cb" << "" << 0 << 0x80 << 0 << 1 << "" << "2 [Hz]" << "4B" << 0.0 << 0;
    QTest::newRow("par2Cb") << "par2Cb" << "" << 0 << 0x82 << 0 << 1 << "" << "12 [h]" << "C0 A8" << 0.0 << 0;
    QTest::newRow("par3Cb") << "par3Cb" << "" << 0 << 0x84 << 0 << 1 << "" << "8 [s]" << "08" << 0.0 << 0;
    QTest::newRow("par4Sb") << "par4Sb" << "" << 0 << 0x88 << 0 << 1 << "" << "120" << "78" << 1.0 << 0;
    QTest::newRow("par5Sb") << "par5Sb" << "" << 0 << 0x8A << 0 << 1 << "" << "60" << "3C" << 1.0 << 0;
    QTest::newRow("par6Sb") << "par6Sb" << "" << 0 << 0x90 << 0 << 1 << "" << "-100" << "9C FF" << 1.0 << 0;
    QTest::newRow("par7Sb") << "par7Sb" << "" << 0 << 0x92 << 0 << 1 << "" << "-20" << "EC FF" << 1.0 << 0;
    QTest::newRow("par8Sb") << "par8Sb" << "" << 0 << 0x98 << 0 << 1 << "" << "35" << "23" << 1.0 << 0;
    QTest::newRow("par9Cb") << "par9Cb" << "" << 0 << 0x9A << 0 << 1 << "" << "Avg" << "02" << 0.0 << 0;
    QTest::newRow("par10Sb") << "par10Sb" << "" << 0 << 0x9C << 0 << 1 << "" << "12.3" << "7B 00" << 10.0 << 1;
    QTest::newRow("periods A-D") << "lOkresA lOkresB lOkresC lOkresD" << "" << 0 << 0xF0 << 1 << 4 << "" << "7" << "07" << 1.0 << 0;
    QTest::newRow("distances E-H") << "lDystansE lDystansF lDystansG lDystansH" << "" << 0 << 0xF8 << 2 << 4 << "" << "12.34" << "D2 04" << 100.0 << 2;

    QTest::newRow("timer condition") << "" << "timLayout" << 1 << 0x100 << 8 << 8 << "" << "underwater" << "00" << 0.0 << 0;
    QTest::newRow("timer measured value") << "" << "timLayout" << 2 << 0x101 << 8 << 8 << "" << "Depth" << "20 -- 00 00" << 0.0 << 0;
    QTest::newRow("timer comparison") << "" << "timLayout" << 3 << 0x102 << 8 << 8 << "" << "<=" << "01" << 0.0 << 0;
    QTest::newRow("timer threshold") << "" << "timLayout" << 4 << 0x103 << 8 << 8 << "Depth" << "1.5" << "96 00" << 100.0 << 2;
    QTest::newRow("timer action") << "" << "timLayout" << 5 << 0x105 << 8 << 8 << "" << "Timer 1 - START" << "81" << 0.0 << 0;
    QTest::newRow("timer time") << "" << "timLayout" << 6 << 0x106 << 8 << 8 << "" << "300" << "2C 01" << 1.0 << 0;

    QTest::newRow("message condition") << "par%1Cb1" << "msgLayout" << 1 << 0x140 << 8 << 24 << "" << "on the surface" << "01" << 0.0 << 0;
    QTest::newRow("message measured value") << "par%1Cb2" << "msgLayout" << 2 << 0x141 << 8 << 24 << "" << "Temperature" << "10 -- 00 00" << 0.0 << 0;
    QTest::newRow("message comparison") << "par%1Cb3" << "msgLayout" << 3 << 0x142 << 8 << 24 << "" << "<=" << "01" << 0.0 << 0;
    QTest::newRow("message threshold") << "par%1Sb1" << "msgLayout" << 4 << 0x143 << 8 << 24 << "Temperature" << "-12.3" << "85 FF" << 10.0 << 1;
    QTest::newRow("message to say") << "par%1Cb4" << "msgLayout" << 6 << 0x145 << 8 << 24 << "" << "Focus" << "D6" << 0.0 << 0;
    QTest::newRow("message format") << "par%1Cb5" << "msgLayout" << 7 << 0x146 << 8 << 24 << "" << "(value)" << "02" << 0.0 << 0;
    QTest::newRow("message repetition") << "par%1Cb6" << "msgLayout" << 8 << 0x147 << 8 << 24 << "" << "still" << "FF" << 0.0 << 0;
}

void tst_SettingsForm::binding()
{
    QFETCH(QString, names);
    QFETCH(QString, grid);
    QFETCH(int, column);
    QFETCH(int, address);
    QFETCH(int, stride);
    QFETCH(int, count);
    QFETCH(QString, measured);
    QFETCH(QString, input);
    QFETCH(QString, bytes);
    QFETCH(double, scale);
    QFETCH(int, decimals);
    if (!bindingWindow) {
        bindingWindow.reset(new MainWindow);
        bindingWindow->show();
        showPage(*bindingWindow, 1);
    }
    MainWindow &w = *bindingWindow;
    auto choose = [](QComboBox *box, const QString &text) {
        QVERIFY2(box->findText(text) >= 0, qPrintable(text));
        box->setCurrentIndex(box->findText(text));
    };
    for (int i = 0; i < count; ++i) {
        QWidget *editor = nullptr;
        if (!names.isEmpty())
            editor = find<QWidget>(&w, names.contains("%1") ? names.arg(i + 1, 2, 10, QLatin1Char('0')) : names.split(' ').at(i));
        if (!grid.isEmpty()) {
            auto *layout = w.findChild<QGridLayout *>(grid);
            QWidget *atPosition = layout->itemAtPosition(i, column)->widget();
            QVERIFY(!editor || atPosition == editor);
            editor = atPosition;
            if (!measured.isEmpty())
                choose(qobject_cast<QComboBox *>(layout->itemAtPosition(i, 2)->widget()), measured);
        }
        QVERIFY(editor);
        bound.insert(editor);
        const Bytes before = image(w);
        if (auto *spin = qobject_cast<cMyDoubleSpinBoxInt *>(editor)) {
            QCOMPARE(spin->faktor(), scale);
            QCOMPARE(spin->decimals(), decimals);
            typeInto(spin, input);
        } else {
            choose(qobject_cast<QComboBox *>(editor), input);
        }
        QVERIFY2(image(w) != before, qPrintable(editor->objectName()));
        compareBytes(before, image(w), address + stride * i, bytes);
    }
}

void tst_SettingsForm::bindingCoversEveryEditor()
{
    QVERIFY(bindingWindow);
    int editors = 0;
    for (QWidget *editor : bindingWindow->findChildren<QWidget *>()) {
        if (qobject_cast<cMyComboBoxW2 *>(editor) || qobject_cast<cMyComboBoxW6 *>(editor)
            || qobject_cast<cMyDoubleSpinBoxInt *>(editor)) {
            QVERIFY2(bound.contains(editor), qPrintable(editor->objectName()));
            ++editors;
        }
    }
    // 4 + 8·4 + 24·6 combo boxes, 14 + 8·2 + 24 spin boxes.
    QCOMPARE(editors, 4 + 32 + 144 + 14 + 16 + 24);
    bindingWindow.reset();
}

void tst_SettingsForm::overviewShowsTextsAsTyped()
{
    MainWindow w;
    w.settingsImage()->setData(0x10, Bytes{'<', 'b', '>', 'x', 0});
    w.settingsImage()->setData(0x20, Bytes{'<', 'i', '>', 'y', 0});
    w.refreshSettingsForm();
    auto *author = find<QLabel>(&w, "lParamAutor");
    auto *title = find<QLabel>(&w, "lParamTytul");
    QCOMPARE(author->text(), QString("<b>x"));
    QCOMPARE(title->text(), QString("<i>y"));
    QCOMPARE(author->textFormat(), Qt::PlainText);
    QCOMPARE(title->textFormat(), Qt::PlainText);
    w.newStatusRead(QStringList{"1", "", "", "", "", "", "", "", "", "", "<u>a", "<u>t", ""});
    QCOMPARE(author->text(), QString("<u>a"));
    QCOMPARE(author->textFormat(), Qt::PlainText);
    QCOMPARE(title->textFormat(), Qt::PlainText);
}

TAMIRA_GUI_TEST_MAIN(tst_SettingsForm)
#include "tst_settingsform.moc"
