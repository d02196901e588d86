#ifndef MODEL_CMYSETTINGSCOMPARISON_H
#define MODEL_CMYSETTINGSCOMPARISON_H

// What differs between two settings images, in the words of the settings form: one row for each
// field of the settings map whose bytes differ (its page, its caption and its value on either
// side as the form shows it), one for each rule that differs (its plain reading on either side),
// and the bytes no editor shows, by address. The version stamp is no difference the user made:
// it is shown apart.

#include "model/cmysettingswords.h"

#include <QCoreApplication>
#include <QString>
#include <QVector>

class cMyValueLists;

class cMySettingsComparison
{
    Q_DECLARE_TR_FUNCTIONS(cMySettingsComparison)

public:
    struct Row
    {
        enum Kind { Parameter, Gravity, Rule, Text, OtherBytes };
        Kind kind;
        QString page;    // empty for bytes of no page
        QString setting; // the field's caption, "Message rule 3", "Other bytes at 0x3F0-0x3F3"
        QString left, right;
        quint32 address; // the bytes the row stands for
        int size;
    };
    // Bytes to write at an address.
    struct Write
    {
        quint32 address;
        QVector<quint8> bytes;
    };

    explicit cMySettingsComparison(cMyValueLists *lists) : m_words(lists) {}

    // Rows in the order of the pages: the parameters by their numbers, the periods and distances,
    // the timer rules and the texts, then the message rules, then the other bytes.
    QVector<Row> compare(const QVector<quint8> &left, const QVector<quint8> &right) const;

    // What taking the right side's value of `row` into the left side writes there: the field's
    // bytes (a rule's or a text's whole field), and with the altitude or the latitude the gravity
    // word they give, as the form's own editors store it. Nothing for bytes of no field.
    static QVector<Write> copy(const Row &row, const QVector<quint8> &left, const QVector<quint8> &right);

private:
    cMySettingsWords m_words;
};

#endif
