#ifndef APP_CMYCOMPARISONWINDOW_H
#define APP_CMYCOMPARISONWINDOW_H

// A window that shows what differs between the form and another side: the settings Tamira
// holds, a settings file or a backup. A table of the differences in the form's own words (page,
// setting, the form's value, the other side's), the version stamps apart, and what can be done
// about them: take a value into the form, write the form to Tamira, read the other side again,
// restore the backup. The form's side is live: every change of the form is compared at once.
// A dialog that is not modal (screen readers announce it as a dialog); it deletes itself when
// closed.

#include "model/cmysettingscomparison.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableView;
class cMyComparisonModel;
class cMyMemoryArea;
class cMyValueLists;

class cMyComparisonWindow : public QDialog
{
    Q_OBJECT

public:
    enum Other { Tamira, File, Backup };

    cMyComparisonWindow(Other other, const QString &path, const cMyMemoryArea *form, cMyValueLists *lists,
                        QWidget *parent);

    Other other() const { return m_other; }
    QString path() const { return m_path; }
    // What the other side holds; compared with the form now and whenever the form changes.
    void setOtherSettings(const QVector<quint8> &settings);
    // The other side could not be read again: the table stays as the last read showed it.
    void setReadFailed();
    // Whether Tamira can be talked to now (a port, no simulation), for the device's buttons.
    void setDeviceAvailable(bool available);
    const cMyComparisonModel *model() const { return m_model; }

signals:
    // Take the other side's value into the form, as one step named `name`.
    void copyRequested(const QString &name, const QVector<cMySettingsComparison::Write> &writes);
    void writeRequested();
    void readAgainRequested();
    void restoreRequested(const QString &path);

protected:
    void changeEvent(QEvent *event) override;

private:
    QString otherName() const;
    void compare();
    void compareSoon();
    void retranslate();
    void updateButtons();
    void copySelected();

    Other m_other;
    QString m_path;
    const cMyMemoryArea *m_form;
    cMySettingsComparison m_comparison;
    QVector<quint8> m_settings;
    bool m_readFailed = false;
    bool m_deviceAvailable = true;
    bool m_compareQueued = false;
    cMyComparisonModel *m_model;
    QLabel *m_summary;
    QLabel *m_stamp;
    QTableView *m_table;
    QPushButton *m_copy;
    QPushButton *m_write = nullptr;
    QPushButton *m_readAgain = nullptr;
    QPushButton *m_restore = nullptr;
    QPushButton *m_close;
};

#endif
