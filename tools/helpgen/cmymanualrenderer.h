#ifndef TOOLS_HELPGEN_CMYMANUALRENDERER_H
#define TOOLS_HELPGEN_CMYMANUALRENDERER_H

// Lays out the hand-written HTML manual on A4 pages and writes it as a PDF: a cover page, a
// table of contents with page numbers, running headers with the chapter title and page
// numbers in the footer. Used at build time by tamira-helpgen.

#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUrl>

class QTextDocument;

class cMyManualRenderer
{
public:
    // html: the manual; `{{NAME}}` is replaced by variables[NAME]; the comment <!--TOC--> marks
    // where the table of contents goes. baseUrl resolves relative image paths.
    cMyManualRenderer(const QString &html, const QUrl &baseUrl, const QMap<QString, QString> &variables);

    // Writes the PDF; false (with errorText()) when the output cannot be written.
    bool writePdf(const QString &path, const QString &title);
    QString errorText() const { return m_error; }
    int pageCount() const { return m_pageCount; }

private:
    struct Heading
    {
        int level;
        QString text;
        int page;   // 0-based
        double top; // in the document, CSS pixels
    };

    QString substituted() const;
    QString tocHtml(const QList<Heading> &headings) const;
    static QString withPageBreaks(const QString &html, const QSet<int> &breakBefore);
    void layOut(QTextDocument &doc, const QString &html, const QSet<int> &breakBefore) const;
    void layOutKeepingHeadings(QTextDocument &doc, const QString &html) const;
    int strandedHeading(QTextDocument &doc) const;
    QList<Heading> headingsOf(QTextDocument &doc) const;
    void loadImages(QTextDocument &doc, const QString &html) const;

    QString m_html;
    QUrl m_baseUrl;
    QMap<QString, QString> m_variables;
    QString m_error;
    int m_pageCount = 0;
};

#endif
