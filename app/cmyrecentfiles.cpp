#include "app/cmyrecentfiles.h"

#include "base/cmyremembered.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>

namespace {
const QString kKey = QStringLiteral("recentFiles");
} // namespace

cMyRecentFiles::cMyRecentFiles(QWidget *parent) : QMenu(parent)
{
    setObjectName(QStringLiteral("menuRecentFiles"));
    rebuild();
}

QStringList cMyRecentFiles::files() const
{
    return cMyRemembered::settings()->value(kKey).toStringList().mid(0, kKept);
}

void cMyRecentFiles::add(const QString &path)
{
    const QString full = QFileInfo(path).absoluteFilePath();
    QStringList list = files();
    list.removeAll(full);
    list.prepend(full);
    store(list.mid(0, kKept));
}

void cMyRecentFiles::store(const QStringList &files)
{
    cMyRemembered::settings()->setValue(kKey, files);
    rebuild();
}

void cMyRecentFiles::rebuild()
{
    setTitle(tr("Ostatnie p&liki"));
    clear();
    const QStringList list = files();
    for (int i = 0; i < list.size(); ++i) {
        const QString &path = list.at(i);
        // "&1 trip.tmo": the number chooses it from the keyboard; the whole path is in the tip.
        QAction *entry = addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(
            QFileInfo(path).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"))));
        entry->setObjectName(QStringLiteral("actionRecentFile%1").arg(i + 1));
        entry->setStatusTip(QDir::toNativeSeparators(path));
        entry->setToolTip(QDir::toNativeSeparators(path));
        // Handled once the menu is closed: the list is built anew, its entries with it.
        connect(entry, &QAction::triggered, this, [this, path] {
            QMetaObject::invokeMethod(
                this, [this, path] { choose(path); }, Qt::QueuedConnection);
        });
    }
    addSeparator();
    QAction *forget = addAction(tr("&Wyczyść listę ostatnich plików"));
    forget->setObjectName(QStringLiteral("actionClearRecentFiles"));
    forget->setEnabled(!list.isEmpty());
    connect(forget, &QAction::triggered, this, [this] {
        QMetaObject::invokeMethod(
            this, [this] { store({}); }, Qt::QueuedConnection);
    });
    menuAction()->setEnabled(!list.isEmpty());
}

void cMyRecentFiles::choose(const QString &path)
{
    if (QFileInfo(path).isFile()) {
        emit chosen(path);
        return;
    }
    QStringList rest = files();
    rest.removeAll(path);
    store(rest);
    emit removed(path);
}

void cMyRecentFiles::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        rebuild();
    QMenu::changeEvent(event);
}
