#include "editors/cmycomboboxw2.h"

#include "editors/cmyvaluemark.h"
#include "model/cmytablemodel.h"

#include <QAbstractItemModel>
#include <QStylePainter>

uint comboRowValue(const QComboBox *box, int row)
{
    const QAbstractItemModel *model = box->model();
    if (!model || row < 0 || row >= model->rowCount())
        return 0;
    bool ok = false;
    const uint value = model->data(model->index(row, 1)).toString().toUInt(&ok);
    return ok ? value : 0;
}

bool selectComboValue(QComboBox *box, int value)
{
    const QAbstractItemModel *model = box->model();
    if (!model)
        return false;
    const QString text = QString::number(value);
    int found = -1;
    if (const auto *list = qobject_cast<const cMyTableModel *>(model)) {
        found = list->lastRowOfValue(text);
    } else {
        for (int row = 0; row < model->rowCount(); ++row) {
            if (model->data(model->index(row, 1)).toString() == text)
                found = row;
        }
    }
    if (found < 0)
        return false;
    box->setCurrentIndex(found);
    return true;
}

bool showsPlaceholder(const QComboBox *box)
{
    return box->currentIndex() < 0 && !box->placeholderText().isEmpty();
}

void paintPlaceholder(QComboBox *box, QStyleOptionComboBox &option)
{
    QStylePainter painter(box);
    painter.setPen(box->palette().color(QPalette::Text));
    option.currentText = box->placeholderText();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

cMyComboBoxW2::cMyComboBoxW2(QWidget *parent) : QComboBox(parent)
{
    connect(this, qOverload<int>(&QComboBox::currentIndexChanged), this, &cMyComboBoxW2::indexChanged);
}

bool cMyComboBoxW2::selectValue(int value)
{
    if (selectComboValue(this, value))
        return true;
    cMyValueMark::showUnknown(this, value);
    return false;
}

void cMyComboBoxW2::paintEvent(QPaintEvent *event)
{
    if (!showsPlaceholder(this))
        return QComboBox::paintEvent(event);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    paintPlaceholder(this, option);
}

void cMyComboBoxW2::indexChanged(int newIndex)
{
    cMyValueMark::clear(this);
    emit valueChanged(address(), toBytes(comboRowValue(this, newIndex) & 0xFFFF));
}
