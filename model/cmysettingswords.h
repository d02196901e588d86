#ifndef MODEL_CMYSETTINGSWORDS_H
#define MODEL_CMYSETTINGSWORDS_H

// A settings image in the words of the settings form, without its widgets: every field of the
// settings map as its editor shows it (the value list's text, the number with its decimals and
// unit), a rule as its plain reading, the texts up to their end. Read from the image's bytes, in
// the language now installed.

#include "model/rulereading.h"
#include "model/settingsmap.h"

#include <QString>
#include <QVector>

class cMyValueLists;

class cMySettingsWords
{
public:
    explicit cMySettingsWords(cMyValueLists *lists) : m_lists(lists) {}

    // A parameter (not a rule's field): its value as the form shows it.
    QString parameter(const SettingsMap::Field &field, const QVector<quint8> &image) const;
    RuleReading::Words rule(const SettingsMap::RuleKind &kind, int rule, const QVector<quint8> &image) const;
    QString reading(const SettingsMap::RuleKind &kind, int rule, const QVector<quint8> &image) const;

    // A text up to its zero byte (or its field's end), read as Latin-1.
    static QString text(SettingsMap::Text field, const QVector<quint8> &image);
    // How many bytes of the field the text takes, without its zero byte.
    static int textLength(SettingsMap::Text field, const QVector<quint8> &image);
    // The gravity word in m/s².
    static QString gravity(const QVector<quint8> &image);
    // The version stamp as a version: "1.0.5.0".
    static QString stamp(const QVector<quint8> &image);

private:
    QString listText(const char *list, int code) const;

    cMyValueLists *m_lists;
};

#endif
