// The settings form against the real main window: binding, refresh, the unbound parameters and
// the text rules, checked on the whole image.

#include "app/mainwindow.h"
#include "editors/cmycomboboxw2.h"
#include "editors/cmycomboboxw6.h"
#include "editors/cmydoublespinboxint.h"
#include "editors/cmyvaluemark.h"
#include "editors/rulegrid.h"
#include "model/cmymemoryarea.h"
#include "model/cmysettingsfile.h"
#include "tests/support/cmyscripteddialogs.h"
#include "tests/support/tamiratestapp.h"

#include <qwt_plot.h>
#include <qwt_scale_draw.h>

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSet>
#include <QTabBar>
#include <QTemporaryDir>

using Bytes = QVector<quint8>;

// One bound field, or a run of them `stride` bytes apart, as the memory map gives it.
struct Field
{
    QString names; // "%1": numbered 01, 02, ...; else one name per editor; none: by grid only
    QString grid;
    int column, address, stride, count;
    QStringList blank;  // shown after New, per editor or one for all
    QString input;      // the row chosen, or the number typed
    QVector<int> bytes; // stored from the address on; -1: unchanged
    double scale;       // 0: a combo box
    int decimals;
};
Q_DECLARE_METATYPE(Field)

// A stored value no editor lets the user enter, and the user's edit of it.
struct Stored
{
    int address;
    Bytes stored;
    QString editor, shown, toolTip; // `shown`: a combo box's text for a code it lacks
    int key;                        // 0: no edit
    QVector<int> edited;            // from the address on; -1: unchanged
    bool stillMarked;
};
Q_DECLARE_METATYPE(Stored)

class tst_SettingsForm : public QObject
{
    Q_OBJECT

private slots:
    void init() { dialogs.reset(new cMyScriptedDialogs); }
    void cleanup()
    {
        QVERIFY2(dialogs->clean(), qPrintable(dialogs->report()));
        dialogs.reset();
    }
    void signedAndScaledValuesAtTheirEdges_data();
    void signedAndScaledValuesAtTheirEdges();
    void storedValuesOutsideTheRange_data();
    void storedValuesOutsideTheRange();
    void altitudeLatitudeVolume();
    void undoTakesBackOneChange_data();
    void undoTakesBackOneChange();
    void numbersTakeEitherSeparator_data();
    void numbersTakeEitherSeparator();
    void oneLocaleForEveryNumber();
    void binding_data();
    void binding();
    void bindingCoversEveryEditor();
    void textRules();
    void loadedTextsAreTakenAsTheyAre();
    void overviewShowsTextsAsTyped();

private:
    QScopedPointer<cMyScriptedDialogs> dialogs;
    QTemporaryDir dir;
    QScopedPointer<MainWindow> bindingWindow; // shared by the rows of binding()
    QSet<QWidget *> bound;

    template <typename T> static T *find(QObject *w, const QString &name) { return w->findChild<T *>(name); }
    // Types characters that QTest's key tables do not know, as a keyboard would send them.
    static void type(QWidget *w, const QString &text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
        }
    }
    static Bytes image(MainWindow &w) { return w.settingsImage()->readBytes(0, 1024); }
    // The image as it was, with `bytes` (-1: unchanged) from `address` on.
    static Bytes edited(Bytes image, int address, const QVector<int> &bytes)
    {
        for (int i = 0; i < bytes.size(); ++i)
            image[address + i] = bytes[i] < 0 ? image[address + i] : quint8(bytes[i]);
        return image;
    }
    // Shows a page as the user does, by its tab.
    static void showPage(MainWindow &w, int index)
    {
        QTabBar *bar = w.findChild<QTabWidget *>("tabWidget")->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(index).center());
    }
};

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

void tst_SettingsForm::undoTakesBackOneChange_data()
{
    QTest::addColumn<QString>("editor"); // "": an edit applied from elsewhere
    QTest::addColumn<QString>("input");  // a combo box's row, a number, or a text typed
    QTest::addColumn<QString>("step");
    QTest::addRow("list") << "par1Cb"
                          << "1"
                          << "2. Depth sampling rate";
    QTest::addRow("number") << "par4Sb"
                            << "60"
                            << "5. Dive start threshold";
    QTest::addRow("volume") << "par13Sb"
                            << "-7"
                            << "1. Volume";
    QTest::addRow("altitude and its gravity word") << "par11Sb"
                                                   << "500"
                                                   << "12. Altitude above sea level";
    QTest::addRow("measured value and the threshold it resets") << "par01Cb2"
                                                                << "14"
                                                                << "Message rule 1, measured value";
    QTest::addRow("a text typed") << "leAuthor"
                                  << "Ab"
                                  << "Author";
    QTest::addRow("applied") << ""
                             << ""
                             << "Imported value";
}

void tst_SettingsForm::undoTakesBackOneChange()
{
    QFETCH(QString, editor);
    QFETCH(QString, input);
    QFETCH(QString, step);
    // Message rule 1: underwater, Depth >= 5.00 m.
    cMyMemoryArea stored;
    cMySettingsFile::read(":/pliki/clear.tmo", stored);
    stored.setData(0x140, Bytes{0x00, 0x20, 0x00, 0xF4, 0x01});
    QVERIFY(cMySettingsFile::write(dir.filePath("rule.tmo"), stored));
    MainWindow w;
    w.loadFromCommandLine(dir.filePath("rule.tmo"));
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.ensureSettingsForm();
    QAction *undo = w.findChild<QAction *>("actionUndo");
    QVERIFY(!undo->isEnabled() && !w.isWindowModified());
    const Bytes before = image(w);
    QWidget *e = editor.isEmpty() ? find<QWidget>(&w, "par4Sb") : find<QWidget>(&w, editor);
    auto shown = [e] {
        auto *box = qobject_cast<QComboBox *>(e);
        return box ? box->currentText() : e->property("text").toString();
    };
    const QString shownBefore = shown();
    e->setFocus();
    if (editor.isEmpty())
        w.applyEdit("Imported value", 0x88, {77});
    else if (auto *box = qobject_cast<QComboBox *>(e))
        box->setCurrentIndex(input.toInt());
    else if (auto *spin = qobject_cast<QAbstractSpinBox *>(e))
        spin->setProperty("value", input.toDouble());
    else
        QTest::keyClicks(e, input);
    QCoreApplication::processEvents(); // the change has ended
    const Bytes after = image(w);
    QVERIFY(after != before && w.isWindowModified());
    QCOMPARE(undo->text(), "&Undo " + step);
    // The platform's key, wherever the focus is (an editor's own undo does not take it).
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(image(w), before);
    QCOMPARE(shown(), shownBefore);
    QVERIFY(!w.isWindowModified() && !undo->isEnabled());
    QCOMPARE(w.findChild<QAction *>("actionRedo")->text(), "&Redo " + step);
    w.findChild<QAction *>("actionRedo")->trigger();
    QCOMPARE(image(w), after);
    QVERIFY(w.isWindowModified());
}

void tst_SettingsForm::numbersTakeEitherSeparator_data()
{
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("locale"); // the field's, standing in for the system's
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("value");
    QTest::addColumn<Bytes>("stored"); // at the field's address
    for (const char *locale : {"en_US", "de_DE", "pl_PL"}) {
        QTest::addRow("%s: 5.5 m", locale) << "lDystansE" << locale << "5.5" << 5.5 << Bytes{0x26, 0x02};
        QTest::addRow("%s: 5,5 m", locale) << "lDystansE" << locale << "5,5" << 5.5 << Bytes{0x26, 0x02};
        QTest::addRow("%s: 12.5 °C", locale) << "par10Sb" << locale << "12.5" << 12.5 << Bytes{0x7D, 0x00};
        QTest::addRow("%s: whole metres, 5.5 rounds up", locale)
            << "par11Sb" << locale << "5.5" << 6.0 << Bytes{0x06, 0x00};
        QTest::addRow("%s: whole metres, 1,2", locale) << "par11Sb" << locale << "1,2" << 1.0 << Bytes{0x01, 0x00};
    }
}

void tst_SettingsForm::numbersTakeEitherSeparator()
{
    QFETCH(QString, editor);
    QFETCH(QString, locale);
    QFETCH(QString, typed);
    QFETCH(double, value);
    QFETCH(Bytes, stored);
    MainWindow w;
    w.show();
    w.ensureSettingsForm();
    auto *box = find<QDoubleSpinBox>(&w, editor);
    box->setLocale(QLocale(locale));
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, typed);
    QTest::keyClick(box, Qt::Key_Enter);
    QCOMPARE(box->value(), value);
    const quint32 address = editor == "lDystansE" ? 0xF8 : editor == "par10Sb" ? 0x9C : 0xDC;
    QCOMPARE(w.settingsImage()->readBytes(address, 2), stored);
}

void tst_SettingsForm::oneLocaleForEveryNumber()
{
    // Whatever the system's locale (German here: a decimal comma, a point between thousands),
    // the fields, labels and plot axes write numbers the same way.
    const QLocale system = QLocale();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    MainWindow w;
    w.ensureSettingsForm();
    auto *distance = find<QDoubleSpinBox>(&w, "lDystansE");
    distance->setValue(12.5);
    QCOMPARE(distance->text(), QString("12.50 [m]"));
    QCOMPARE(QLocale().toString(1234.5, 'f', 2), QString("1234.50")); // the labels' and Qwt's
    auto *plot = w.findChild<QwtPlot *>();
    QCOMPARE(plot->axisScaleDraw(QwtPlot::yLeft)->label(2.5).text(), QString("2.5"));
    QLocale::setDefault(system);
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
    QCOMPARE(img->readBytes(0x10, 16),
             Bytes({'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L', 'M', 'N', 'O', 0}));
    QCOMPARE(find<QLabel>(&w, "lParamAutor")->text(), QString()); // the overview follows loads, not typing

    // Latin-1 letters are kept; others become the nearest Latin-1 letter, and the note says so.
    auto *note = find<QLabel>(&w, "lLatin1Note");
    QVERIFY(note->isHidden());
    author->clear();
    type(author, QString::fromUtf8("Łódź\t"));
    QCOMPARE(author->text(), QString::fromUtf8("Lódz"));
    QCOMPARE(img->readBytes(0x10, 5), (Bytes{'L', 0xF3, 'd', 'z', 0}));
    QVERIFY(!note->isHidden());
    QCOMPARE(note->text(), QString::fromUtf8("Tamira cannot store these letters; they were replaced: Ł → L, ź → z."));

    // An edited text fills its field with zeros behind its end: nothing of the old text stays.
    img->setData(0x20, Bytes{'O', 'l', 'd', ' ', 't', 'i', 't', 'l', 'e', 0});
    QTest::keyClicks(title, "Hi");
    QCOMPARE(img->readBytes(0x20, 32), Bytes({'H', 'i'}) + Bytes(30, 0));
    title->clear();
    QCOMPARE(img->readBytes(0x20, 32), Bytes(32, 0));

    // The description takes Latin-1 and line feeds; a tab or a 512th character is undone at once.
    description->setFocus();
    QTest::keyClicks(description, "abc");
    QTest::keyClick(description, Qt::Key_Return);
    QTest::keyClicks(description, "d");
    QCOMPARE(description->toPlainText(), QString("abc\nd"));
    description->insertPlainText("x\ty");
    QCOMPARE(description->toPlainText(), QString("abc\nd"));
    QCOMPARE(description->textCursor().position(), 5);
    type(description, QString::fromUtf8("ą“中"));
    QCOMPARE(description->toPlainText(), QString("abc\nda\"?"));
    QCOMPARE(description->textCursor().position(), 8);
    QCOMPARE(img->readBytes(0x200, 9), (Bytes{'a', 'b', 'c', '\n', 'd', 'a', '"', '?', 0}));
    QCOMPARE(note->text(),
             QString::fromUtf8(
                 "Tamira cannot store these letters; they were replaced: Ł → L, ź → z, ą → a, “ → \", 中 → ?."));
    // A paste refused for its tab replaced nothing; letters gone from the texts leave the note;
    // an accent typed after its letter makes no loss, a ligature becomes its letters.
    description->insertPlainText(QString::fromUtf8("ż\t"));
    author->clear();
    type(title, QString::fromUtf8("Cafe\u0301 \uFB01"));
    QCOMPARE(title->text(), QString::fromUtf8("Café fi"));
    QCOMPARE(
        note->text(),
        QString::fromUtf8("Tamira cannot store these letters; they were replaced: ą → a, “ → \", 中 → ?, ﬁ → fi."));
    w.refreshSettingsForm(); // another document: the note goes
    QVERIFY(note->isHidden());

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

    // Texts nobody edits keep their bytes, also where the editors show them otherwise: a 16-byte
    // author with no end byte (cut to 15), a carriage return and a non-breaking space.
    img->setData(0x10, Bytes(16, 'Q'));
    img->setData(0x200, Bytes{'a', '\r', 'b', 0xA0, 'c', 0, 's'});
    const Bytes made = image(w);
    w.refreshSettingsForm();
    QCOMPARE(find<QLineEdit>(&w, "leAuthor")->text(), QString(15, 'Q'));
    QTest::keyClicks(find<QLineEdit>(&w, "leTitle"), "T");
    QCOMPARE(image(w), edited(made, 0x20, QVector<int>{'T'} + QVector<int>(31, 0)));
}

void tst_SettingsForm::signedAndScaledValuesAtTheirEdges_data()
{
    // Bytes put into the blank settings from an address on, and how their editor shows them.
    QTest::addColumn<int>("address");
    QTest::addColumn<Bytes>("bytes");
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("shown");
    auto row = [](const char *name, int address, const Bytes &bytes, const char *editor, const char *shown) {
        QTest::newRow(name) << address << bytes << QString(editor) << QString(shown);
    };
    row("volume -57 dB", 0x81, Bytes{0xC7}, "par13Sb", "-57[dB]");
    row("volume 6 dB", 0x81, Bytes{0x06}, "par13Sb", "6[dB]");
    row("ascent start -200 cm/s", 0x90, Bytes{0x38, 0xFF}, "par6Sb", "-200 [cm/s]");
    row("bottom start -100 cm/s", 0x92, Bytes{0x9C, 0xFF}, "par7Sb", "-100 [cm/s]");
    row("fixed temperature 60.0 °C", 0x9C, Bytes{0x58, 0x02}, "par10Sb", "60.0 [°C]");
    row("altitude -1000 m", 0xDC, Bytes{0x18, 0xFC}, "par11Sb", "-1000 [m]");
    row("altitude 10000 m", 0xDC, Bytes{0x10, 0x27}, "par11Sb", "10000 [m]");
    row("distance 99.99 m", 0xF8, Bytes{0x0F, 0x27}, "lDystansE", "99.99 [m]");
    // A rule's measured value, comparison and threshold.
    row("speed -327.68 m/s", 0x141, Bytes{48, 0, 0x00, 0x80}, "par01Sb1", "-327.68 [m/s]");
    row("speed 327.67 m/s", 0x141, Bytes{48, 0, 0xFF, 0x7F}, "par01Sb1", "327.67 [m/s]");
    row("temperature -50.0 °C", 0x141, Bytes{16, 0, 0x0C, 0xFE}, "par01Sb1", "-50.0 [°C]");
    row("battery full", 0x141, Bytes{31, 0, 0xFF, 0x7F}, "par01Sb1", "100.00 [%]");
    row("timer: depth 327.67 m", 0x101, Bytes{32, 0, 0xFF, 0x7F}, "tim1Sb1", "327.67 [m]");
    row("timer time 65535 s", 0x106, Bytes{0xFF, 0xFF}, "tim1Sb2", "65535 [s]");
}

void tst_SettingsForm::signedAndScaledValuesAtTheirEdges()
{
    QFETCH(int, address);
    QFETCH(Bytes, bytes);
    QFETCH(QString, editor);
    QFETCH(QString, shown);
    cMyMemoryArea made;
    cMySettingsFile::read(":/pliki/clear.tmo", made);
    made.setData(quint32(address), bytes);
    const QString path = dir.filePath("edges.tmo");
    QVERIFY(cMySettingsFile::write(path, made));
    MainWindow w;
    w.loadFromCommandLine(path);
    w.ensureSettingsForm();
    auto *spin = find<QAbstractSpinBox>(&w, editor);
    QVERIFY(spin);
    QCOMPARE(spin->text(), QString(shown).replace('.', spin->locale().decimalPoint()));
    QVERIFY(!cMyValueMark::isMarked(spin));
    QCOMPARE(image(w), made.readBytes(0, 1024));
    QVERIFY(!w.isWindowModified());
}

void tst_SettingsForm::storedValuesOutsideTheRange_data()
{
    QTest::addColumn<Stored>("row");
    const QString range = QString::fromUtf8("The stored value is outside the allowed range %1.");
    QTest::newRow("fixed temperature -5.0 °C") << Stored{0x9C,
                                                         {0xCE, 0xFF},
                                                         "par10Sb",
                                                         QString::fromUtf8("-5.0 [°C]"),
                                                         range.arg(QString::fromUtf8("0.0 – 60.0 [°C]")),
                                                         Qt::Key_Up,
                                                         {0xD8, 0xFF},
                                                         true};
    QTest::newRow("surfacing threshold above its maximum") << Stored{
        0x8A, {0xFB}, "par5Sb", "251 [cm]", range.arg(QString::fromUtf8("5 – 250 [cm]")), Qt::Key_Down, {0xFA}, false};
    QTest::newRow("volume above 6 dB") << Stored{
        0x81, {0x0A}, "par13Sb", "10[dB]", range.arg(QString::fromUtf8("-57 – 6 [dB]")), Qt::Key_Down, {0x09}, true};
    QTest::newRow("depth threshold below 0 m") << Stored{0x140,
                                                         {0x00, 0x20, 0x00, 0x9C, 0xFF},
                                                         "par01Sb1",
                                                         "-1.00 [m]",
                                                         range.arg(QString::fromUtf8("0.00 – 327.67 [m]")),
                                                         Qt::Key_Up,
                                                         {-1, -1, -1, 0, 0},
                                                         false};
    QTest::newRow("sampling rate with no entry") << Stored{
        0x80, {99}, "par1Cb", "99 (unknown)", "The stored value 99 is not in the list.", Qt::Key_Down, {150}, false};
    QTest::newRow("measured value with no entry") << Stored{0x140,
                                                            {0x00, 99, 0x00, 0xD2, 0x04},
                                                            "par01Cb2",
                                                            "99 (unknown)",
                                                            "The stored value 99 is not in the list.",
                                                            Qt::Key_Down,
                                                            {-1, 255, -1, 0, 0},
                                                            false};
    QTest::newRow("threshold of an unknown measured value") << Stored{
        0x140, {0x00, 99, 0x00, 0xD2, 0x04}, "par01Sb1", "1234 ", range.arg(QString::fromUtf8("0 – 0")), 0, {}, true};
}

void tst_SettingsForm::storedValuesOutsideTheRange()
{
    QFETCH(Stored, row);
    // The blank template with the value, and a gravity word no formula gives.
    cMyMemoryArea stored;
    cMySettingsFile::read(":/pliki/clear.tmo", stored);
    stored.setData(0x9E, Bytes{0x34, 0x12});
    stored.setData(quint32(row.address), row.stored);
    const QString path = dir.filePath("stored.tmo");
    QVERIFY(cMySettingsFile::write(path, stored));
    MainWindow w;
    w.loadFromCommandLine(path);
    w.show();
    auto contents = [&] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    const QByteArray loaded = contents();
    // The pages are built when first shown, and that leaves the document alone.
    w.settingsImage()->setModified(false);
    QVERIFY(!w.findChild<QWidget *>(row.editor));
    showPage(w, row.address >= 0x140 ? 2 : 1);
    QVERIFY(!w.settingsImage()->isModified());
    auto *editor = find<QWidget>(&w, row.editor);
    QTRY_VERIFY_WITH_TIMEOUT(editor->isVisible(), 5000);

    // Shown as stored and marked, and saved back byte for byte.
    auto *box = qobject_cast<QComboBox *>(editor);
    QCOMPARE(box ? box->placeholderText() : qobject_cast<QAbstractSpinBox *>(editor)->text(), row.shown);
    QCOMPARE(box ? box->currentIndex() : -1, -1);
    QCOMPARE(editor->toolTip(), row.toolTip);
    QVERIFY(cMyValueMark::isMarked(editor));
    QVERIFY(editor->palette() != find<QWidget>(&w, "par3Cb")->palette());
    w.findChild<QAction *>("actionSave")->trigger();
    QCOMPARE(contents(), loaded);

    if (row.key) {
        const Bytes before = image(w);
        QTest::keyClick(editor, Qt::Key(row.key));
        QCOMPARE(image(w), edited(before, row.address, row.edited));
        QCOMPARE(cMyValueMark::isMarked(editor), row.stillMarked);
        QCOMPARE(editor->palette() == find<QWidget>(&w, "par3Cb")->palette(), !row.stillMarked);
    }
}

void tst_SettingsForm::binding_data()
{
    // The rows run in order on one window, from what New shows: the thresholds are typed after
    // the measured values of their rules were chosen (Depth for the timers, Temperature for the
    // messages), which set them to 0 in their new unit.
    QTest::addColumn<Field>("field");
    QTest::newRow("par1Cb") << Field{"par1Cb", "", 0, 0x80, 0, 1, {"1 [Hz]"}, "2 [Hz]", {0x4B}, 0, 0};
    QTest::newRow("par2Cb") << Field{"par2Cb", "", 0, 0x82, 0, 1, {"1 [h]"}, "12 [h]", {0xC0, 0xA8}, 0, 0};
    QTest::newRow("par3Cb") << Field{"par3Cb", "", 0, 0x84, 0, 1, {"2 [s]"}, "8 [s]", {0x08}, 0, 0};
    QTest::newRow("par4Sb") << Field{"par4Sb", "", 0, 0x88, 0, 1, {"100 [cm]"}, "120", {0x78}, 1, 0};
    QTest::newRow("par5Sb") << Field{"par5Sb", "", 0, 0x8A, 0, 1, {"50 [cm]"}, "60", {0x3C}, 1, 0};
    QTest::newRow("par6Sb") << Field{"par6Sb", "", 0, 0x90, 0, 1, {"-50 [cm/s]"}, "-100", {0x9C, 0xFF}, 1, 0};
    QTest::newRow("par7Sb") << Field{"par7Sb", "", 0, 0x92, 0, 1, {"-10 [cm/s]"}, "-20", {0xEC, 0xFF}, 1, 0};
    QTest::newRow("par8Sb") << Field{"par8Sb", "", 0, 0x98, 0, 1, {"0 [‰]"}, "35", {0x23}, 1, 0};
    QTest::newRow("par9Cb") << Field{"par9Cb", "", 0, 0x9A, 0, 1, {"Min"}, "Avg", {0x02}, 0, 0};
    QTest::newRow("par10Sb") << Field{"par10Sb", "", 0, 0x9C, 0, 1, {"0.0 [°C]"}, "12.3", {0x7B, 0x00}, 10, 1};
    QTest::newRow("periods") << Field{"lOkresA lOkresB lOkresC lOkresD",      "",  0,      0xF0, 1, 4,
                                      {"3 [s]", "5 [s]", "15 [s]", "30 [s]"}, "7", {0x07}, 1,    0};
    QTest::newRow("distances") << Field{
        "lDystansE lDystansF lDystansG lDystansH", "", 0, 0xF8, 2, 4, {"0.00 [m]"}, "12.34", {0xD2, 0x04}, 100, 2};
    QTest::newRow("timer condition") << Field{"", "timLayout", 1, 0x100, 8, 8, {"never"}, "underwater", {0x00}, 0, 0};
    QTest::newRow("timer measured value")
        << Field{"", "timLayout", 2, 0x101, 8, 8, {"Regardless of any value"}, "Depth", {0x20, -1, 0, 0}, 0, 0};
    QTest::newRow("timer comparison") << Field{"", "timLayout", 3, 0x102, 8, 8, {">="}, "<=", {0x01}, 0, 0};
    QTest::newRow("timer threshold") << Field{"",    "timLayout",  4,   0x103, 8, 8, {"0.00 [m]"},
                                              "1.5", {0x96, 0x00}, 100, 2};
    QTest::newRow("timer action") << Field{"",     "timLayout", 5, 0x105, 8, 8, {"Do nothing"}, "Timer 1 - START",
                                           {0x81}, 0,           0};
    QTest::newRow("timer time") << Field{"", "timLayout", 6, 0x106, 8, 8, {"0 [s]"}, "300", {0x2C, 0x01}, 1, 0};
    QTest::newRow("message condition") << Field{"par%1Cb1", "msgLayout",      1,      0x140, 8, 24,
                                                {"never"},  "on the surface", {0x01}, 0,     0};
    QTest::newRow("message measured value") << Field{
        "par%1Cb2", "msgLayout", 2, 0x141, 8, 24, {"Regardless of any value"}, "Temperature", {0x10, -1, 0, 0}, 0, 0};
    QTest::newRow("message comparison") << Field{"par%1Cb3", "msgLayout", 3, 0x142, 8, 24, {">="}, "<=", {0x01}, 0, 0};
    QTest::newRow("message threshold") << Field{"par%1Sb1", "msgLayout",  4,  0x143, 8, 24, {"0.0 [°C]"},
                                                "-12.3",    {0x85, 0xFF}, 10, 1};
    QTest::newRow("message to say") << Field{"par%1Cb4",     "msgLayout", 6,      0x145, 8, 24,
                                             {"Do nothing"}, "Focus",     {0xD6}, 0,     0};
    QTest::newRow("message format") << Field{"par%1Cb5",          "msgLayout", 7,      0x146, 8, 24,
                                             {"(value & point)"}, "(value)",   {0x02}, 0,     0};
    QTest::newRow("message repetition") << Field{"par%1Cb6",    "msgLayout", 8,      0x147, 8, 24,
                                                 {"only once"}, "still",     {0xFF}, 0,     0};
}

void tst_SettingsForm::binding()
{
    QFETCH(Field, field);
    if (!bindingWindow) {
        bindingWindow.reset(new MainWindow);
        bindingWindow->show();
        showPage(*bindingWindow, 1);
    }
    MainWindow &w = *bindingWindow;
    for (int i = 0; i < field.count; ++i) {
        QWidget *editor =
            field.names.isEmpty()
                ? nullptr
                : find<QWidget>(&w, field.names.contains("%1") ? field.names.arg(i + 1, 2, 10, QLatin1Char('0'))
                                                               : field.names.split(' ').at(i));
        if (auto *grid = w.findChild<QGridLayout *>(field.grid)) {
            QVERIFY(!editor || editor == grid->itemAtPosition(RuleGrid::editorRow(i), field.column)->widget());
            editor = grid->itemAtPosition(RuleGrid::editorRow(i), field.column)->widget();
        }
        QVERIFY(editor);
        bound.insert(editor);
        auto *box = qobject_cast<QComboBox *>(editor);
        const QString blank = field.blank.value(field.blank.size() == 1 ? 0 : i);
        QCOMPARE(box ? box->currentText() : qobject_cast<QAbstractSpinBox *>(editor)->text(),
                 QString(blank).replace('.', editor->locale().decimalPoint()));
        const Bytes before = image(w);
        if (auto *spin = qobject_cast<cMyDoubleSpinBoxInt *>(editor)) {
            QCOMPARE(spin->faktor(), field.scale);
            QCOMPARE(spin->decimals(), field.decimals);
            spin->selectAll();
            QTest::keyClicks(spin, QString(field.input).replace('.', spin->locale().decimalPoint()));
        } else {
            QVERIFY2(box && box->findText(field.input) >= 0, qPrintable(field.input));
            box->setCurrentIndex(box->findText(field.input));
        }
        QCOMPARE(image(w), edited(before, field.address + field.stride * i, field.bytes));
    }
}

void tst_SettingsForm::bindingCoversEveryEditor()
{
    QSet<QWidget *> editors;
    for (QWidget *w : bindingWindow->findChildren<QWidget *>())
        if (qobject_cast<cMyComboBoxW2 *>(w) || qobject_cast<cMyComboBoxW6 *>(w)
            || qobject_cast<cMyDoubleSpinBoxInt *>(w))
            editors.insert(w);
    QCOMPARE(editors.size(), 4 + 32 + 144 + 14 + 16 + 24); // combo boxes 4 + 8·4 + 24·6, spin boxes 14 + 8·2 + 24
    QCOMPARE(editors, bound);
    // The settings map calls each parameter what its label on the page does.
    const QList<QLabel *> labels = bindingWindow->findChildren<QLabel *>();
    for (const SettingsMap::Field &f : SettingsMap::parameters()) {
        QWidget *editor = find<QWidget>(bindingWindow.data(), f.editor);
        const auto label = std::find_if(labels.begin(), labels.end(), [&](QLabel *l) { return l->buddy() == editor; });
        QVERIFY2(label != labels.end(), f.editor);
        QCOMPARE((*label)->text(), QCoreApplication::translate("ParametersPage", f.caption));
    }
    bindingWindow.reset();
}

void tst_SettingsForm::overviewShowsTextsAsTyped()
{
    MainWindow w;
    w.settingsImage()->setData(0x10, Bytes{'<', 'b', '>', 'x', 0});
    w.refreshSettingsForm();
    auto *author = find<QLabel>(&w, "lParamAutor");
    QCOMPARE(author->text(), QString("<b>x"));
    QCOMPARE(author->textFormat(), Qt::PlainText);
    w.newStatusRead(QStringList{"1", "", "", "", "", "", "", "", "", "", "<i>y", "", ""});
    QCOMPARE(author->text(), QString("<i>y"));
}

TAMIRA_GUI_TEST_MAIN(tst_SettingsForm)
#include "tst_settingsform.moc"
