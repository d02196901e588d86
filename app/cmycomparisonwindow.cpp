#include "app/cmycomparisonwindow.h"

#include "app/cmycomparisonmodel.h"
#include "model/cmymemoryarea.h"
#include "model/cmysettingsfile.h"
#include "model/cmysettingswords.h"

#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QPushButton *button(QWidget *parent, const char *name)
{
    auto *b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

cMyComparisonWindow::cMyComparisonWindow(Other other, const QString &path, const cMyMemoryArea *form,
                                         cMyValueLists *lists, QWidget *parent)
    : QDialog(parent), m_other(other), m_path(path), m_form(form), m_comparison(lists),
      m_model(new cMyComparisonModel(this))
{
    setObjectName(QStringLiteral("ComparisonWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowFlags((windowFlags() | Qt::WindowMinMaxButtonsHint) & ~Qt::WindowContextHelpButtonHint);
    setSizeGripEnabled(true);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lSummary"));
    m_summary->setWordWrap(true);
    QFont bold = m_summary->font();
    bold.setBold(true);
    m_summary->setFont(bold);
    // Reached from the keyboard, so that a screen reader says it when the table is empty.
    m_summary->setFocusPolicy(Qt::TabFocus);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_stamp = new QLabel(this);
    m_stamp->setObjectName(QStringLiteral("lStamp"));
    m_stamp->setWordWrap(true);

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("tvDifferences"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false); // Tab leaves the table for the buttons
    m_table->setWordWrap(true);
    m_table->setAlternatingRowColors(true);
    m_table->verticalHeader()->hide();
    // Each row as tall as its longest text at the columns' widths of the moment.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    QHeaderView *header = m_table->horizontalHeader();
    header->setSectionResizeMode(cMyComparisonModel::Page, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(cMyComparisonModel::Setting, QHeaderView::Interactive);
    header->setSectionResizeMode(cMyComparisonModel::Left, QHeaderView::Stretch);
    header->setSectionResizeMode(cMyComparisonModel::Right, QHeaderView::Stretch);
    header->resizeSection(cMyComparisonModel::Setting, 260);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &cMyComparisonWindow::updateButtons);

    auto *buttons = new QHBoxLayout;
    m_copy = button(this, "pbCopyToForm");
    connect(m_copy, &QPushButton::clicked, this, &cMyComparisonWindow::copySelected);
    buttons->addWidget(m_copy);
    if (other == Tamira) {
        m_write = button(this, "pbWriteForm");
        connect(m_write, &QPushButton::clicked, this, &cMyComparisonWindow::writeRequested);
        buttons->addWidget(m_write);
    }
    if (other == Backup) {
        m_restore = button(this, "pbRestoreBackup");
        connect(m_restore, &QPushButton::clicked, this, [this] { emit restoreRequested(m_path); });
        buttons->addWidget(m_restore);
    } else {
        m_readAgain = button(this, "pbReadAgain");
        connect(m_readAgain, &QPushButton::clicked, this, &cMyComparisonWindow::readAgainRequested);
        buttons->addWidget(m_readAgain);
    }
    buttons->addStretch();
    m_close = button(this, "pbClose");
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(m_close);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_stamp);
    layout->addWidget(m_table, 1);
    layout->addStretch(); // takes the table's room while it is hidden
    layout->addLayout(buttons);
    resize(960, 480);

    // The form's side is the form as it is now.
    connect(form, &cMyMemoryArea::edited, this, &cMyComparisonWindow::compareSoon);
    retranslate();
}

QString cMyComparisonWindow::otherName() const
{
    return m_other == Tamira ? QStringLiteral("Tamira") : QFileInfo(m_path).fileName();
}

void cMyComparisonWindow::setOtherSettings(const QVector<quint8> &settings)
{
    m_settings = settings;
    m_readFailed = false;
    compare();
}

void cMyComparisonWindow::setReadFailed()
{
    m_readFailed = true;
    retranslate();
}

void cMyComparisonWindow::setDeviceAvailable(bool available)
{
    m_deviceAvailable = available;
    updateButtons();
}

void cMyComparisonWindow::compareSoon()
{
    // Everything one change of the form writes is compared once.
    if (m_compareQueued)
        return;
    m_compareQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_compareQueued = false;
        compare();
    });
}

void cMyComparisonWindow::compare()
{
    const QVector<quint8> form = m_form->readBytes(0, cMySettingsFile::kImageSize);
    const QModelIndex current = m_table->currentIndex();
    const QString setting = current.isValid() ? m_model->row(current.row()).setting : QString();
    const int column = current.isValid() ? current.column() : int(cMyComparisonModel::Setting);
    m_model->setRows(m_comparison.compare(form, m_settings), tr("Ten formularz"), tr("formularz"), otherName());
    // The focus stays on the setting it was on, or moves to the row that took its place.
    int row = qMin(current.isValid() ? current.row() : 0, m_model->rowCount() - 1);
    for (int r = 0; r < m_model->rowCount(); ++r)
        if (m_model->row(r).setting == setting)
            row = r;
    if (row >= 0)
        m_table->setCurrentIndex(m_model->index(row, column));
    retranslate();
    // The keyboard (and a screen reader) is where the result is: on the table, or, when nothing
    // differs, on the sentence that says so.
    if (m_model->rowCount() > 0)
        m_table->setFocus();
    else
        m_summary->setFocus();
}

void cMyComparisonWindow::retranslate()
{
    const QString name = otherName();
    const int count = m_model->rowCount();
    QString summary;
    switch (m_other) {
    case Tamira:
        setWindowTitle(tr("Porównanie: formularz i Tamira"));
        summary = count ? tr("Różnice między formularzem a Tamirą: %1").arg(count)
                        : tr("Tamira zawiera te same nastawy co formularz.");
        break;
    case File:
        setWindowTitle(tr("Porównanie: formularz i %1").arg(name));
        summary = count ? tr("Różnice między formularzem a plikiem %2: %1").arg(count).arg(name)
                        : tr("%1 zawiera te same nastawy co formularz.").arg(name);
        break;
    case Backup:
        setWindowTitle(tr("Porównanie: formularz i kopia zapasowa %1").arg(name));
        summary = count ? tr("Różnice między formularzem a kopią zapasową %2: %1").arg(count).arg(name)
                        : tr("Kopia zapasowa %1 zawiera te same nastawy co formularz.").arg(name);
        break;
    }
    if (m_readFailed)
        summary += QLatin1Char(' ') + tr("Ponowny odczyt nie powiódł się: tabela pokazuje poprzedni odczyt.");
    m_summary->setText(summary);
    setAccessibleDescription(summary);
    const QVector<quint8> form = m_form->readBytes(0, cMySettingsFile::kImageSize);
    m_stamp->setText(tr("Znacznik wersji nastaw (program, który ostatnio zapisał je do Tamiry; nie jest różnicą): "
                        "formularz %1, %2 %3")
                         .arg(cMySettingsWords::stamp(form), name, cMySettingsWords::stamp(m_settings)));
    m_table->setVisible(count > 0);
    m_table->setAccessibleName(tr("Różnice"));
    m_copy->setText(tr("&Skopiuj tę wartość do formularza"));
    if (m_write)
        m_write->setText(tr("&Zapisz formularz do Tamiry"));
    if (m_readAgain)
        m_readAgain->setText(m_other == Tamira ? tr("&Odczytaj Tamirę ponownie") : tr("&Odczytaj plik ponownie"));
    if (m_restore)
        m_restore->setText(tr("&Przywróć tę kopię zapasową"));
    m_close->setText(tr("Zamknij"));
    updateButtons();
}

void cMyComparisonWindow::updateButtons()
{
    const QModelIndex current = m_table->currentIndex();
    m_copy->setEnabled(m_model->rowCount() > 0 && current.isValid()
                       && m_model->row(current.row()).kind != cMySettingsComparison::Row::OtherBytes);
    for (QPushButton *device : {m_write, m_other == Tamira ? m_readAgain : nullptr})
        if (device)
            device->setEnabled(m_deviceAvailable);
}

void cMyComparisonWindow::copySelected()
{
    const QModelIndex current = m_table->currentIndex();
    if (!current.isValid())
        return;
    const cMySettingsComparison::Row &row = m_model->row(current.row());
    const QVector<cMySettingsComparison::Write> writes =
        cMySettingsComparison::copy(row, m_form->readBytes(0, cMySettingsFile::kImageSize), m_settings);
    if (!writes.isEmpty())
        emit copyRequested(row.setting, writes);
}

void cMyComparisonWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        compare();
    QDialog::changeEvent(event);
}
