// The settings form against the real main window: binding, refresh, the unbound parameters and
// the text rules, checked on the whole image.

#include "cmycomboboxw2.h"
#include "cmycomboboxw6.h"
#include "cmydoublespinboxint.h"
#include "cmymemoryarea.h"
#include "cmyscripteddialogs.h"
#include "cmysettingsfile.h"
#include "mainwindow.h"
#include "tamiratestapp.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSet>

using Bytes = QVector<quint8>;

class tst_SettingsForm : public QObject
{
    Q_OBJECT

private slots:
    void init() { dialogs.reset(new cMyScriptedDialogs); }
    void cleanup() { QVERIFY2(dialogs->clean(), qPrintable(dialogs->report())); dialogs.reset(); }
    void newDocumentShowsEmptyRules();
    void buildingThePagesChangesNothing();
    void storedRuleIsShownAndKept();
    void unknownCodeKeepsItsByte();
    void altitudeLatitudeVolume();
    void everyEditorWritesExactlyItsField();
    void textRules();
    void loadedTextsAreTakenAsTheyAre();

private:
    QScopedPointer<cMyScriptedDialogs> dialogs;

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

void tst_SettingsForm::buildingThePagesChangesNothing()
{
    MainWindow w;
    w.settingsImage()->setData(0x150, Bytes{1, 2, 3});
    w.settingsImage()->setModified(false);
    const Bytes before = image(w);
    w.ensureSettingsForm();
    QCOMPARE(image(w), before);
    QVERIFY(!w.settingsImage()->isModified());
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

    // A threshold beyond its range is clamped and the clamped value stored back.
    w.settingsImage()->setData(0x141, Bytes{0x10, 0x00, 0x10, 0x27}); // 1000.0 °C
    w.refreshSettingsForm();
    QCOMPARE(threshold->value(), 100.0);
    QCOMPARE(w.settingsImage()->readBytes(0x143, 2), (Bytes{0xE8, 0x03}));
}

void tst_SettingsForm::unknownCodeKeepsItsByte()
{
    MainWindow w;
    w.ensureSettingsForm();
    auto *rate = find<QComboBox>(&w, "par1Cb");
    rate->setCurrentIndex(rate->findText("5 [Hz]"));
    w.settingsImage()->setData(0x80, quint8(99));
    w.settingsImage()->setData(0x145, quint8(200)); // no such message either
    w.refreshSettingsForm();
    QCOMPARE(rate->currentText(), QString("5 [Hz]"));
    QCOMPARE(w.settingsImage()->readBytes(0x80, 1), Bytes{99});
    QCOMPARE(find<QComboBox>(&w, "par01Cb4")->currentText(), QString("Do nothing"));
    QCOMPARE(w.settingsImage()->readBytes(0x145, 1), Bytes{200});
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

void tst_SettingsForm::everyEditorWritesExactlyItsField()
{
    MainWindow w;
    w.show();
    w.ensureSettingsForm();
    // Give every rule a measured value with a range, so its threshold can be stepped too.
    for (QComboBox *measured : w.findChildren<cMyComboBoxW6 *>())
        measured->setCurrentIndex(measured->findText("Depth"));

    int checked = 0;
    auto check = [&](QWidget *editor, const QSet<int> &allowed, int key) {
        const Bytes before = image(w);
        editor->setFocus();
        QTest::keyClick(editor, Qt::Key(key));
        const QSet<int> diff = changed(before, image(w));
        QVERIFY2(!diff.isEmpty(), qPrintable(editor->objectName()));
        QVERIFY2(allowed.contains(diff), qPrintable(editor->objectName()));
        ++checked;
    };
    auto step = [](QComboBox *box) { return box->currentIndex() + 1 < box->count() ? Qt::Key_Down : Qt::Key_Up; };
    for (cMyComboBoxW2 *box : w.findChildren<cMyComboBoxW2 *>())
        check(box, range(int(box->address()), box->fieldWidth() + 1), step(box));
    for (cMyComboBoxW6 *box : w.findChildren<cMyComboBoxW6 *>())
        check(box, range(int(box->address()), 1) + range(int(box->address()) + 2, 2), step(box));
    for (cMyDoubleSpinBoxInt *spin : w.findChildren<cMyDoubleSpinBoxInt *>())
        check(spin, range(int(spin->address()), spin->fieldWidth() + 1), Qt::Key_Up);
    check(find<QWidget>(&w, "par11Sb"), range(0x9E, 2) + range(0xDC, 2), Qt::Key_Up);
    check(find<QWidget>(&w, "par12Sb"), range(0x9E, 2) + range(0xDE, 1), Qt::Key_Down);
    check(find<QWidget>(&w, "par13Sb"), range(0x81, 1), Qt::Key_Up);
    check(find<QWidget>(&w, "leAuthor"), range(0x10, 16), Qt::Key_A);
    check(find<QWidget>(&w, "leTitle"), range(0x20, 32), Qt::Key_B);
    check(find<QWidget>(&w, "pteDescription"), range(0x200, 512), Qt::Key_C);
    // 4 + 8·3 + 24·5 coded bytes, 32 measured values, 14 + 8·2 + 24 spin boxes, 6 others.
    QCOMPARE(checked, 4 + 24 + 120 + 32 + 54 + 6);
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

TAMIRA_GUI_TEST_MAIN(tst_SettingsForm)
#include "tst_settingsform.moc"
