#include "app/cmyunsavedchanges.h"

#include "base/cmydialogs.h"
#include "model/cmymemoryarea.h"

#include <QWidget>

cMyUnsavedChanges::cMyUnsavedChanges(QWidget *window, const cMyMemoryArea *image, std::function<bool()> save)
    : m_window(window), m_image(image), m_save(std::move(save))
{}

bool cMyUnsavedChanges::mayReplace() const
{
    if (!m_image->isModified())
        return true;
    const cMyDialogs::Button answer = cMyDialogs::current().message(
        m_window, cMyDialogs::Question, tr("Tamira"), tr("Zachować zmiany?"),
        cMyDialogs::Buttons(cMyDialogs::Yes) | cMyDialogs::No | cMyDialogs::Cancel, cMyDialogs::Yes);
    switch (answer) {
    case cMyDialogs::Yes:
        return m_save();
    case cMyDialogs::No:
        return true;
    default: // Cancel, Escape, the box closed
        return false;
    }
}
