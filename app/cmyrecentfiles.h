#ifndef APP_CMYRECENTFILES_H
#define APP_CMYRECENTFILES_H

// File > Recent files: the last eight settings files opened or saved, the newest first, kept
// between runs. A file that has gone since is taken off the list when it is chosen.

#include <QMenu>

class cMyRecentFiles : public QMenu
{
    Q_OBJECT

public:
    static constexpr int kKept = 8;

    explicit cMyRecentFiles(QWidget *parent);

    QStringList files() const;

public slots:
    // `path` goes to the top.
    void add(const QString &path);

signals:
    // A file of the list that exists.
    void chosen(const QString &path);
    // A file of the list that no longer exists; it is off the list now.
    void removed(const QString &path);

protected:
    void changeEvent(QEvent *event) override;

private:
    void choose(const QString &path);
    void store(const QStringList &files);
    void rebuild();
};

#endif
