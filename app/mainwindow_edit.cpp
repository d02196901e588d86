// Undo and redo: the history of the settings document (cmyundohistory.h) and the Edit menu.
// Every load starts a fresh history: New, Open, a dropped or recent file, a restored backup and
// the command-line file as saved documents, the settings read from Tamira as one in no file.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "app/cmyeditmenu.h"
#include "app/cmyfilecommands.h"
#include "app/cmyundohistory.h"
#include "editors/cmyaccessiblename.h"
#include "editors/cmysettingsform.h"

void MainWindow::setupEditHistory()
{
    m_history = new cMyUndoHistory(m_image, this);
    m_history->setFields([this](quint32 address) {
        bool typed = false;
        const QWidget *editor = m_form->editorAt(address, &typed);
        return cMyUndoHistory::Field{editor ? AccessibleName::of(editor) : QString(), typed};
    });
    m_history->setRefresh([this] { refreshSettingsForm(); });
    // After the editors have taken the new document (which writes nothing new).
    connect(m_files, &cMyFileCommands::documentReplaced, m_history, [this] { m_history->startFresh(true); });
    ui->menuBar->insertMenu(ui->menuKomunikacja->menuAction(), new cMyEditMenu(m_history->stack(), this));
}

void MainWindow::applyEdit(const QString &name, quint32 address, const QVector<quint8> &bytes)
{
    m_history->applyEdit(name, address, bytes);
}
