// The English catalogue: complete against the sources, and no Polish text left on screen.

#include "app/mainwindow.h"
#include "model/cmymemoryarea.h"
#include "model/cmytablemodel.h"
#include "tests/support/cmyscripteddialogs.h"
#include "tests/support/tamiratestapp.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

struct Entry
{
    QString context, source, translation;
    bool unfinished = false;
};

QList<Entry> readCatalogue(const QString &path)
{
    QList<Entry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    QXmlStreamReader xml(&file);
    QString context;
    Entry current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            current = Entry{context, QString(), QString(), false};
        } else if (xml.name() == QLatin1String("source")) {
            current.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            current.unfinished = type == QLatin1String("unfinished");
            if (type == QLatin1String("vanished") || type == QLatin1String("obsolete"))
                continue;
            current.translation = xml.readElementText();
            entries.append(current);
        }
    }
    return entries;
}

QStringList shownTexts(QWidget *root)
{
    QStringList texts;
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets.prepend(root);
    for (QWidget *w : widgets) {
        texts << w->windowTitle() << w->toolTip();
        if (auto *l = qobject_cast<QLabel *>(w))
            texts << l->text();
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            texts << b->text();
        if (auto *g = qobject_cast<QGroupBox *>(w))
            texts << g->title();
        if (auto *m = qobject_cast<QMenu *>(w))
            texts << m->title();
        if (auto *t = qobject_cast<QTabWidget *>(w))
            for (int i = 0; i < t->count(); ++i)
                texts << t->tabText(i) << t->tabToolTip(i);
        if (auto *c = qobject_cast<QComboBox *>(w))
            for (int i = 0; i < c->count(); ++i)
                texts << c->itemText(i);
        for (QAction *a : w->actions())
            texts << a->text() << a->toolTip() << a->shortcut().toString();
    }
    texts.removeAll(QString());
    return texts;
}

} // namespace

class tst_Catalogue : public QObject
{
    Q_OBJECT

private slots:
    void everyTextIsTranslated();
    void windowShowsNoPolish();
    void languageMenuSwitchesEveryText();
    void everyListRowHasPolish();
};

void tst_Catalogue::everyTextIsTranslated()
{
    // Run scripts/update-catalogue.sh over a copy: any text of the sources that the catalogue
    // lacks comes back unfinished, beside those left unfinished or empty.
    QTemporaryDir dir;
    const QString copy = dir.filePath("english.ts");
    QVERIFY(QFile::copy(QStringLiteral(TAMIRA_CATALOGUE_TS), copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    QProcess lupdate;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LUPDATE"), QStringLiteral(TAMIRA_LUPDATE));
    lupdate.setProcessEnvironment(env);
    lupdate.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    lupdate.start(QStringLiteral("sh"), {QStringLiteral(TAMIRA_SOURCE_DIR "/scripts/update-catalogue.sh"), copy});
    QVERIFY(lupdate.waitForFinished(60000));
    QCOMPARE(lupdate.exitCode(), 0);
    const QList<Entry> entries = readCatalogue(copy);
    QVERIFY(entries.size() > 50);
    QStringList missing;
    for (const Entry &e : entries)
        if (e.unfinished || e.translation.isEmpty())
            missing << e.context + ": " + e.source;
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join('\n')));
    QCOMPARE(entries.size(), readCatalogue(QStringLiteral(TAMIRA_CATALOGUE_TS)).size());
}

void tst_Catalogue::windowShowsNoPolish()
{
    QSet<QString> polish;
    for (const Entry &e : readCatalogue(QStringLiteral(TAMIRA_CATALOGUE_TS)))
        if (e.source != e.translation)
            polish.insert(e.source);

    cMyScriptedDialogs dialogs;
    MainWindow w;
    w.show();
    w.ensureSettingsForm();
    QStringList texts = shownTexts(&w);
    // The port-less state shows its own texts too.
    w.portChanged(QString());
    texts += shownTexts(&w);
    QVERIFY(texts.size() > 1000); // the rule editors' entries included
    QStringList untranslated;
    for (const QString &t : qAsConst(texts))
        if (polish.contains(t))
            untranslated << t;
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(" | ")));
}

void tst_Catalogue::languageMenuSwitchesEveryText()
{
    // Texts that belong to one language only.
    const QList<Entry> entries = readCatalogue(QStringLiteral(TAMIRA_CATALOGUE_TS));
    QSet<QString> sources, translations, polishOnly, englishOnly;
    for (const Entry &e : entries)
        sources << e.source, translations << e.translation;
    for (const Entry &e : entries) {
        if (e.source != e.translation && !translations.contains(e.source))
            polishOnly << e.source;
        if (e.source != e.translation && !sources.contains(e.translation))
            englishOnly << e.translation;
    }

    cMyScriptedDialogs dialogs;
    const auto backToEnglish = qScopeGuard([] { useEnglishCatalogue(true); });
    MainWindow w;
    w.show();
    w.ensureSettingsForm();
    w.portChanged("/dev/ttyACM0");
    const QVector<quint8> document = w.settingsImage()->readBytes(0, 1024);
    // The value lists are written in English; in Polish none of those with a Polish text of
    // their own is left ("Timer 1" and ">=" read the same in both).
    for (const Entry &e : readCatalogue(QStringLiteral(TAMIRA_SOURCE_DIR "/resources/language/valuelists_pl.ts")))
        if (e.source != e.translation)
            englishOnly << e.source, polishOnly << e.translation;
    QMessageBox box(QMessageBox::Question, "", "", QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    struct Step
    {
        const char *action;
        const QSet<QString> &gone;
        const char *overview, *yes, *cancel;
    };
    for (const Step &step : {Step{"actionPolski", englishOnly, "Start", "&Tak", "Anuluj"},
                             Step{"actionEnglish", polishOnly, "Overview", "&Yes", "Cancel"}}) {
        w.findChild<QAction *>(step.action)->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QStringList left;
        for (const QString &t : shownTexts(&w))
            if (step.gone.contains(t))
                left << t;
        QVERIFY2(left.isEmpty(), qPrintable(left.join(" | ")));
        QCOMPARE(w.findChild<QTabWidget *>("tabWidget")->tabText(0), QString(step.overview));
        // Qt's own buttons follow (Debian's qttranslations5-l10n).
        QCOMPARE(box.button(QMessageBox::Yes)->text(), QString(step.yes));
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QString(step.cancel));
        // A value shown stays as it is, and the document is no more edited than before.
        QCOMPARE(w.findChild<QLabel *>("lTamiraPort")->text(), QString("/dev/ttyACM0"));
        QCOMPARE(w.settingsImage()->readBytes(0, 1024), document);
        QVERIFY(!w.isWindowModified());
    }
}

void tst_Catalogue::everyListRowHasPolish()
{
    QTranslator polish;
    QVERIFY(polish.load(":/language/valuelists_pl.qm"));
    const QStringList lists = QDir(TAMIRA_SOURCE_DIR "/resources/models").entryList({"*.csv"});
    QCOMPARE(lists.size(), 14);
    QStringList missing;
    for (const QString &list : lists) {
        const cMyTableModel model(":/models/" + list, nullptr);
        QVERIFY(model.rowCount() > 1);
        for (int row = 0; row < model.rowCount(); ++row)
            if (polish.translate("ValueList", model.field(row, 0).toUtf8().constData()).isEmpty())
                missing << list + ": " + model.field(row, 0);
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join('\n')));
}

TAMIRA_GUI_TEST_MAIN(tst_Catalogue)
#include "tst_catalogue.moc"
