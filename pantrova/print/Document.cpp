#include "Document.h"

#include "HtmlExport.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace print {

namespace {

constexpr double kTabStop = 720;     // half an inch
constexpr double kNarrowest = 360;   // a column squeezed by its indent still takes a word or two
constexpr double kTolerance = 0.001; // twips; positions are sums of font measures

double twipsFromDefinition(double value, QPageSize::Unit unit)
{
    switch (unit) {
    case QPageSize::Millimeter:
        return value * Document::TwipsPerInch / 25.4;
    case QPageSize::Point:
        return value * Document::TwipsPerPoint;
    case QPageSize::Inch:
        return value * Document::TwipsPerInch;
    case QPageSize::Pica:
        return value * 12 * Document::TwipsPerPoint;
    case QPageSize::Didot:
        return value * 0.375 / 25.4 * Document::TwipsPerInch;
    case QPageSize::Cicero:
        return value * 4.5 / 25.4 * Document::TwipsPerInch;
    }
    return value;
}

bool isBreak(QChar c)
{
    return c == u'\n' || c == u'\r';
}

} // namespace

Document::Document() : m_paper(localePaper())
{
    clear();
}

Document::~Document() = default;

QPageSize Document::localePaper()
{
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize(QPageSize::Letter)
                                                                      : QPageSize(QPageSize::A4);
}

void Document::setPaper(const QPageSize& paper)
{
    if (paper.isValid())
        m_paper = paper;
}

double Document::pageWidth() const
{
    return twipsFromDefinition(m_paper.definitionSize().width(), m_paper.definitionUnits());
}

double Document::pageHeight() const
{
    return twipsFromDefinition(m_paper.definitionSize().height(), m_paper.definitionUnits());
}

void Document::setFontSize(double points)
{
    // Sizes are kept as given so that adding and taking away steps returns to the same size.
    if (points > 0)
        m_fontSize = points;
}

void Document::setTextAlign(int alignment)
{
    m_alignment = alignment == AlignCenter ? AlignCenter : alignment == AlignRight ? AlignRight : AlignLeft;
}

double Document::columnWidth() const
{
    const Geometry& g = m_geometry;
    const double usable = g.width - g.left - g.right - ColumnSpacing * (g.columns - 1);
    return std::max(usable / g.columns, kNarrowest);
}

double Document::columnLeft(int column) const
{
    return m_geometry.left + column * (columnWidth() + ColumnSpacing);
}

std::pair<int, int> Document::lineRange(int page) const
{
    if (page < 1 || page > pageCount())
        return {0, 0};
    const int first = m_pageStarts[size_t(page - 1)].firstLine;
    const int end = page < pageCount() ? m_pageStarts[size_t(page)].firstLine : int(m_lines.size());
    return {first, end};
}

std::pair<int, int> Document::pictureRange(int page) const
{
    if (page < 1 || page > pageCount())
        return {0, 0};
    const int first = m_pageStarts[size_t(page - 1)].firstPicture;
    const int end = page < pageCount() ? m_pageStarts[size_t(page)].firstPicture : int(m_pictures.size());
    return {first, end};
}

QString Document::lineText(const Line& line) const
{
    return m_paragraphs[size_t(line.paragraph)].text.mid(line.start, line.length);
}

void Document::clear()
{
    m_paragraphs.clear();
    m_lines.clear();
    m_pictures.clear();
    m_items.clear();
    m_pageStarts.clear();
    m_styles.clear();
    m_started = false;
    m_finished = false;
    m_column = 0;
    m_geometry = m_next;
    m_geometry.width = pageWidth();
    m_geometry.height = pageHeight();
    m_x = m_geometry.left;
    m_y = m_geometry.top;
}

void Document::start()
{
    clear();
    m_started = true;
    beginPage();
}

void Document::end()
{
    if (!m_started || m_finished)
        return;
    m_finished = true;
    // The document is whole before the export is tried: a file that cannot be written costs the
    // export, not the pages.
    if (finished)
        finished();
    if (!m_exportFile.isEmpty())
        HtmlExport::write(*this, m_exportFile);
}

void Document::beginPage()
{
    m_pageStarts.push_back({int(m_lines.size()), int(m_pictures.size())});
    m_column = 0;
    m_x = m_geometry.left;
    m_y = m_geometry.top;
}

void Document::nextColumn()
{
    if (m_column + 1 < m_geometry.columns) {
        ++m_column;
        m_y = m_geometry.top;
    } else {
        beginPage();
    }
}

void Document::newPage()
{
    if (!m_started)
        start();
    beginPage();
    m_items.push_back({Item::PageBreakItem, pageCount()});
}

int Document::styleFor()
{
    const int size = std::max(1, int(std::lround(m_fontSize * TwipsPerPoint)));
    const QRgb color = m_color.rgb();
    for (size_t i = m_styles.size(); i-- > 0;) {
        const Style& s = *m_styles[i];
        if (s.sizeTwips == size && s.bold == m_bold && s.color == color &&
            s.family.compare(m_fontName, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    auto s = std::make_unique<Style>();
    s->family = m_fontName;
    s->sizeTwips = size;
    s->bold = m_bold;
    s->color = color;
    // One pixel of this font is one twip: measures come out in twips whatever the device.
    s->font = QFont(m_fontName);
    s->font.setPixelSize(size);
    s->font.setBold(m_bold);
    s->font.setHintingPreference(QFont::PreferNoHinting);
    s->font.setKerning(true);
    const QFontMetricsF metrics(s->font);
    s->ascent = metrics.ascent();
    s->lineSpacing = metrics.lineSpacing();
    m_styles.push_back(std::move(s));
    return int(m_styles.size()) - 1;
}

void Document::layoutSegment(const QString& text, int offset, int length, const Style& style, double width,
                             std::vector<Line>& out)
{
    if (length == 0) {
        out.push_back({0, offset, 0, 0, 0, 0, 0});
        return;
    }
    QTextLayout layout(offset == 0 && length == text.size() ? text : text.mid(offset, length), style.font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabStopDistance(kTabStop);
    layout.setTextOption(option);
    layout.setCacheEnabled(false);
    layout.beginLayout();
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        out.push_back({0, offset + line.textStart(), line.textLength(), 0, 0, 0, line.naturalTextWidth()});
    }
    layout.endLayout();
}

void Document::placeLine(Line line, double height)
{
    const double bottom = m_geometry.height - m_geometry.bottom;
    if (m_y + height > bottom + kTolerance && m_y > m_geometry.top + kTolerance)
        nextColumn();
    line.page = pageCount();
    line.top = m_y;
    m_lines.push_back(line);
    m_y += height;
}

void Document::paragraph(const QString& text)
{
    if (!m_started)
        start();
    const int styleIndex = styleFor();
    const Style& style = *m_styles[size_t(styleIndex)];
    const int index = int(m_paragraphs.size());
    const double offset = m_x - columnLeft(m_column) + m_indent; // from the column's left edge
    const double width = std::max(columnWidth() - offset, kNarrowest);

    // The lines of the text: at each line feed (CR LF, CR or LF) a new line; a break at the very
    // end opens no further line.
    std::vector<Line> lines;
    int end = int(text.size());
    if (end > 0 && text[end - 1] == u'\n')
        --end;
    if (end > 0 && text[end - 1] == u'\r')
        --end;
    int from = 0;
    for (;;) {
        int to = from;
        while (to < end && !isBreak(text[to]))
            ++to;
        layoutSegment(text, from, to - from, style, width, lines);
        if (to >= end)
            break;
        from = to + (text[to] == u'\r' && to + 1 < end && text[to + 1] == u'\n' ? 2 : 1);
        if (from >= end) {
            // A break followed only by the final one: the blank line between them.
            layoutSegment(text, from, 0, style, width, lines);
            break;
        }
    }

    m_paragraphs.push_back(
        {text, styleIndex, m_alignment, m_indent, int(m_lines.size()), int(lines.size()), 0});
    for (Line& line : lines) {
        line.paragraph = index;
        const double room = width - line.width;
        const double shift = m_alignment == AlignCenter ? room / 2 : m_alignment == AlignRight ? room : 0;
        placeLine(line, style.lineSpacing);
        Line& placed = m_lines.back();
        placed.x = columnLeft(m_column) + offset + std::max(0.0, shift);
    }
    m_paragraphs.back().page = m_lines[size_t(m_paragraphs.back().firstLine)].page;
    m_items.push_back({Item::ParagraphItem, index});
    m_x = columnLeft(m_column);
}

void Document::drawPicture(const Picture& picture, double left, double top)
{
    const QSize hiMetric = picture.naturalSizeHiMetric();
    drawPicture(picture, left, top, std::round(hiMetric.width() * TwipsPerInch / 2540.0),
                std::round(hiMetric.height() * TwipsPerInch / 2540.0));
}

void Document::drawPicture(const Picture& picture, double left, double top, double width, double height)
{
    if (picture.isNull() || width <= 0 || height <= 0)
        return;
    if (!m_started)
        start();
    m_pictures.push_back({picture, QRectF(left, top, width, height), pageCount()});
    m_items.push_back({Item::PictureItem, int(m_pictures.size()) - 1});
}

} // namespace print
