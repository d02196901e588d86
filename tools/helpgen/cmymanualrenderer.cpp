#include "tools/helpgen/cmymanualrenderer.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QTextLayout>

namespace {

// Layout happens in CSS pixels (1/96 inch, the application runs with Qt::AA_Use96Dpi), so the
// HTML's px sizes mean what they mean in a browser; the painter scales to the PDF's resolution.
constexpr double kPxPerMm = 96.0 / 25.4;
constexpr int kResolution = 600;
const QMarginsF kPageMarginsMm(20, 12, 20, 12);
constexpr double kHeaderMm = 13;
constexpr double kFooterMm = 10;
constexpr int kMaxTocPasses = 5;
const char kTocMarker[] = "<!--TOC-->";

QPageLayout pageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, kPageMarginsMm, QPageLayout::Millimeter);
}

// The area inside the page margins, in CSS pixels.
QSizeF paintSizePx()
{
    return pageLayout().paintRect(QPageLayout::Millimeter).size() * kPxPerMm;
}

QSizeF bodySizePx()
{
    const QSizeF paint = paintSizePx();
    return QSizeF(paint.width(), paint.height() - (kHeaderMm + kFooterMm) * kPxPerMm);
}

// Where the block's text starts: a block whose first line did not fit keeps its own position
// on the earlier page while the line moves on to the next one. The bounding rectangle starts
// at the block's position; line positions are relative to it.
double textTop(QTextDocument &doc, const QTextBlock &block)
{
    const QRectF box = doc.documentLayout()->blockBoundingRect(block);
    const QTextLayout *layout = block.layout();
    if (!layout || layout->lineCount() == 0)
        return box.top();
    return box.top() + layout->lineAt(0).y();
}

int pageOf(QTextDocument &doc, const QTextBlock &block)
{
    // Qt positions lines in 1/64 px steps: a line moved to a new page may start a hair above it.
    return int((textTop(doc, block) + 0.5) / doc.pageSize().height());
}

} // namespace

cMyManualRenderer::cMyManualRenderer(const QString &html, const QUrl &baseUrl, const QMap<QString, QString> &variables)
    : m_html(html), m_baseUrl(baseUrl), m_variables(variables)
{}

QString cMyManualRenderer::substituted() const
{
    QString html = m_html;
    for (auto it = m_variables.cbegin(); it != m_variables.cend(); ++it)
        html.replace(QStringLiteral("{{%1}}").arg(it.key()), it.value().toHtmlEscaped());
    return html;
}

QString cMyManualRenderer::tocHtml(const QList<Heading> &headings) const
{
    QString html = QStringLiteral("<table class=\"toc\" width=\"100%\" cellspacing=\"0\" cellpadding=\"2\">");
    for (const Heading &h : headings) {
        const bool chapter = h.level == 1;
        html += QStringLiteral("<tr><td%1>%2</td><td align=\"right\"%3>%4</td></tr>")
                    .arg(chapter ? QStringLiteral(" class=\"toc1\"") : QStringLiteral(" class=\"toc2\""),
                         h.text.toHtmlEscaped(), chapter ? QStringLiteral(" class=\"toc1\"") : QString(),
                         h.page < 0 ? QStringLiteral("00") : QString::number(h.page + 1));
    }
    return html + QStringLiteral("</table>");
}

// The page breaks that keep headings with their text go into the HTML itself: changing block
// formats of a parsed document made Qt's layout drop text from the pages after the change.
QString cMyManualRenderer::withPageBreaks(const QString &html, const QSet<int> &breakBefore)
{
    static const QRegularExpression headingTag(QStringLiteral("<h[1-6](\\s[^>]*)?>"),
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression styleAttribute(QStringLiteral("style\\s*=\\s*\""),
                                                   QRegularExpression::CaseInsensitiveOption);
    const QString pageBreak = QStringLiteral("page-break-before: always; ");
    QString out;
    int copied = 0;
    int heading = 0;
    auto it = headingTag.globalMatch(html);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        QString tag = m.captured(0);
        if (breakBefore.contains(heading++)) {
            const QRegularExpressionMatch style = styleAttribute.match(tag);
            if (style.hasMatch())
                tag.insert(style.capturedEnd(), pageBreak);
            else
                tag.insert(3, QStringLiteral(" style=\"%1\"").arg(pageBreak));
        }
        out += html.midRef(copied, m.capturedStart() - copied);
        out += tag;
        copied = m.capturedEnd();
    }
    out += html.midRef(copied);
    return out;
}

// Every pass lays out a fresh document, in one go (left to itself, Qt lays out piecemeal as
// positions are asked for).
void cMyManualRenderer::layOut(QTextDocument &doc, const QString &html, const QSet<int> &breakBefore) const
{
    const QString broken = withPageBreaks(html, breakBefore);
    doc.clear();
    doc.setUseDesignMetrics(true); // glyph advances unrounded: the text is scaled for the PDF
    doc.setDocumentMargin(0);
    doc.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    doc.setPageSize(bodySizePx());
    doc.setBaseUrl(m_baseUrl);
    loadImages(doc, broken);
    doc.setHtml(broken);
    doc.documentLayout()->documentSize();
}

// Vector images (the icon) are rendered here at several times their shown size, so that they
// stay sharp in the PDF instead of being scaled up from their nominal pixel size.
void cMyManualRenderer::loadImages(QTextDocument &doc, const QString &html) const
{
    QTextDocument scan;
    scan.setHtml(html);
    for (QTextBlock block = scan.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QTextImageFormat image = format.toImageFormat();
            if (!image.name().endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
                continue;
            QSvgRenderer renderer(m_baseUrl.resolved(QUrl(image.name())).toLocalFile());
            if (!renderer.isValid())
                continue;
            QSizeF shown(image.width(), image.height());
            if (shown.width() <= 0 || shown.height() <= 0)
                shown = renderer.defaultSize();
            QImage picture((shown * 4).toSize(), QImage::Format_ARGB32_Premultiplied);
            picture.fill(Qt::transparent);
            QPainter painter(&picture);
            renderer.render(&painter);
            painter.end();
            doc.addResource(QTextDocument::ImageResource, QUrl(image.name()), picture);
        }
    }
}

// The first heading (by its number among all headings) that is the last thing on its page,
// that is, the block after it starts on the next page; -1 when there is none.
int cMyManualRenderer::strandedHeading(QTextDocument &doc) const
{
    int heading = 0;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0)
            continue;
        const QTextBlock next = block.next();
        if (next.isValid() && pageOf(doc, next) > pageOf(doc, block))
            return heading;
        ++heading;
    }
    return -1;
}

// Moves every stranded heading to the top of the next page, one at a time, since each move
// shifts everything after it.
void cMyManualRenderer::layOutKeepingHeadings(QTextDocument &doc, const QString &html) const
{
    QSet<int> breakBefore;
    for (int guard = 0; guard < 200; ++guard) {
        layOut(doc, html, breakBefore);
        const int stranded = strandedHeading(doc);
        if (stranded < 0 || breakBefore.contains(stranded))
            return;
        breakBefore.insert(stranded);
    }
}

QList<cMyManualRenderer::Heading> cMyManualRenderer::headingsOf(QTextDocument &doc) const
{
    QList<Heading> headings;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level == 1 || level == 2)
            headings.append({level, block.text().simplified(), pageOf(doc, block), textTop(doc, block)});
    }
    return headings;
}

bool cMyManualRenderer::writePdf(const QString &path, const QString &title)
{
    const QString html = substituted();
    const bool hasToc = html.contains(QLatin1String(kTocMarker));

    // The contents list has one line per heading whatever the numbers say, so the pages move
    // only through the page numbers' widths; a few passes settle them.
    QTextDocument doc;
    layOutKeepingHeadings(doc, html);
    QList<Heading> headings = headingsOf(doc);
    if (hasToc) {
        for (Heading &h : headings)
            h.page = -1;
        for (int pass = 0; pass < kMaxTocPasses; ++pass) {
            QString withToc = html;
            withToc.replace(QLatin1String(kTocMarker), tocHtml(headings));
            layOutKeepingHeadings(doc, withToc);
            const QList<Heading> found = headingsOf(doc);
            bool same = found.size() == headings.size();
            for (int i = 0; same && i < found.size(); ++i)
                same = found[i].page == headings[i].page;
            headings = found;
            if (same)
                break;
        }
    }

    QPdfWriter writer(path);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("tamira-helpgen"));
    writer.setResolution(kResolution);
    writer.setPageLayout(pageLayout());

    QPainter painter;
    if (!painter.begin(&writer)) {
        m_error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    const double scale = kResolution / 96.0;
    const QSizeF paint = paintSizePx();
    const QSizeF body = bodySizePx();
    const double headerH = kHeaderMm * kPxPerMm;
    m_pageCount = doc.pageCount();

    // Painter fonts are sized for the PDF's resolution and then scaled with everything else.
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPointSizeF(8 / scale);
    for (int page = 0; page < m_pageCount; ++page) {
        if (page > 0)
            writer.newPage();
        painter.save();
        painter.scale(scale, scale);

        painter.save();
        painter.translate(0, headerH - page * body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, page * body.height(), body.width(), body.height());
        context.palette.setColor(QPalette::Text, Qt::black);
        painter.setClipRect(context.clip);
        doc.documentLayout()->draw(&painter, context);
        painter.restore();

        if (page > 0) { // the cover has neither header nor footer
            // The chapter in force at the top of the page, or opening it.
            QString chapter;
            const double pageTop = page * body.height() + 1;
            for (const Heading &h : headings)
                if (h.level == 1 && h.top <= pageTop)
                    chapter = h.text;
            painter.setFont(small);
            painter.setPen(QColor(0x55, 0x55, 0x55));
            const QRectF headerText(0, 0, paint.width(), headerH - 4 * kPxPerMm);
            painter.drawText(headerText, Qt::AlignLeft | Qt::AlignBottom, title);
            painter.drawText(headerText, Qt::AlignRight | Qt::AlignBottom, chapter);
            painter.setPen(QPen(QColor(0x1d, 0x5b, 0x8c), 0.8));
            const double ruleY = headerH - 2.5 * kPxPerMm;
            painter.drawLine(QPointF(0, ruleY), QPointF(paint.width(), ruleY));
            painter.setPen(QColor(0x55, 0x55, 0x55));
            painter.drawText(QRectF(0, paint.height() - kFooterMm * kPxPerMm, paint.width(), kFooterMm * kPxPerMm),
                             Qt::AlignHCenter | Qt::AlignBottom,
                             QStringLiteral("Page %1 of %2").arg(page + 1).arg(m_pageCount));
        }
        painter.restore();
    }
    if (!painter.end()) {
        m_error = QStringLiteral("cannot finish %1").arg(path);
        return false;
    }
    return true;
}
