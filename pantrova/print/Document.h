#pragma once

#include "Picture.h"

#include <QColor>
#include <QFont>
#include <QPageSize>
#include <QRectF>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace print {

// Text alignment codes of following paragraphs, numbered as the report code has always used them.
enum Alignment { AlignLeft = 6, AlignCenter = 7, AlignRight = 8 };

// The paged document of the print component, and the layout that places it on pages as it is
// written.
//
// A document is written from top to bottom the way a person writes on paper: set the margins and
// columns, start the document, then write paragraphs in the current font, size, weight, colour,
// alignment and indent, draw pictures at positions, and start new pages; end the document. Every
// length is in twips (1440 per inch), every font size in points, colours are RGB, and the paper's
// top-left corner is (0, 0).
//
// The layout happens while the document is written, because the writer steers by it: after each
// paragraph the current position (currentX, currentY) is the left edge of the column and the line
// below the paragraph, and a writer may move it (currentY is often moved up to write beside a
// picture, or down to leave space). A paragraph is broken into lines at its line feeds (a
// paragraph of a single line feed, or of no text, is one blank line) and wrapped within the
// column, less the left indent; a line that would cross the bottom margin goes to the top of the
// next column, and after the last column to a new page. A line that is already at the top of a
// column stays there even when it does not fit, so nothing is ever pushed on forever. Pictures are
// drawn at the position given and never move the current position.
//
// What is kept is the text of each paragraph once, and for each line only where it starts and ends
// in that text, its page and its place; pictures are kept as handles (a file picture is decoded only
// when a page showing it is painted). Pages are painted from these records on demand (PagePainter),
// so the preview, the printout and the PDF are the same pages, and a document of ten thousand pages
// costs a few hundred bytes per line and nothing per page image. Measuring is done in twips with
// fonts sized in twips (one "pixel" = one twip), so wrapping does not depend on any screen or
// printer.
//
// Margins, columns and the paper apply to the document started next. Writing before start()
// starts a document. When an export file is set before the start, end() also writes the finished
// document there as HTML (HtmlExport); when that fails, end() throws after the document is finished.
//
// Not a widget and not tied to any device: it is built and read without a display. Used from the
// user-interface thread only.
class Document
{
public:
    static constexpr double TwipsPerInch = 1440.0;
    static constexpr double TwipsPerPoint = 20.0;
    // The room between two columns.
    static constexpr double ColumnSpacing = 360.0;

    // A text style as laid out: the font sized in twips, and its measures.
    struct Style
    {
        QString family;
        int sizeTwips = 0;
        bool bold = false;
        QRgb color = 0;
        QFont font;
        double ascent = 0;
        double lineSpacing = 0;
        double pointSize() const { return sizeTwips / TwipsPerPoint; }
    };
    struct Paragraph
    {
        QString text;
        int style = 0;
        Alignment alignment = AlignLeft;
        double indent = 0;
        int firstLine = 0;
        int lineCount = 0;
        int page = 1; // where its first line stands
    };
    // A line of a paragraph: characters [start, start + length) of its text, on a page, with its
    // left edge and top in twips and its natural width.
    struct Line
    {
        int paragraph = 0;
        int start = 0;
        int length = 0;
        int page = 1;
        double x = 0;
        double top = 0;
        double width = 0;
    };
    struct PlacedPicture
    {
        Picture picture;
        QRectF rect; // twips
        int page = 1;
    };
    // What was written, in order, for exports that follow the writing rather than the pages.
    struct Item
    {
        enum Kind { ParagraphItem, PictureItem, PageBreakItem } kind;
        int index = 0; // into paragraphs() or pictures(); the page started for a page break
    };

    Document();
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // The paper. By default the paper of the person's locale: Letter where measures are in inches,
    // A4 elsewhere.
    static QPageSize localePaper();
    QPageSize paper() const { return m_paper; }
    void setPaper(const QPageSize& paper);
    double pageWidth() const;
    double pageHeight() const;

    double marginLeft() const { return m_next.left; }
    void setMarginLeft(double twips) { m_next.left = twips; }
    double marginTop() const { return m_next.top; }
    void setMarginTop(double twips) { m_next.top = twips; }
    double marginRight() const { return m_next.right; }
    void setMarginRight(double twips) { m_next.right = twips; }
    double marginBottom() const { return m_next.bottom; }
    void setMarginBottom(double twips) { m_next.bottom = twips; }
    int columns() const { return m_next.columns; }
    void setColumns(int count) { m_next.columns = std::max(1, count); }

    // The HTML file end() writes; empty for none.
    QString exportFile() const { return m_exportFile; }
    void setExportFile(const QString& path) { m_exportFile = path; }
    // The document's name (printing progress, PDF and HTML titles).
    QString title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }

    // The style of following paragraphs.
    QString fontName() const { return m_fontName; }
    void setFontName(const QString& name) { m_fontName = name; }
    double fontSize() const { return m_fontSize; }
    void setFontSize(double points);
    bool fontBold() const { return m_bold; }
    void setFontBold(bool bold) { m_bold = bold; }
    QColor textColor() const { return m_color; }
    void setTextColor(const QColor& color) { m_color = color; }
    Alignment textAlign() const { return m_alignment; }
    void setTextAlign(int alignment);
    double leftIndent() const { return m_indent; }
    void setLeftIndent(double twips) { m_indent = twips; }

    // Where the next output goes.
    double currentX() const { return m_x; }
    void setCurrentX(double twips) { m_x = twips; }
    double currentY() const { return m_y; }
    void setCurrentY(double twips) { m_y = twips; }

    // Writing.
    void clear();
    void start();
    void end();
    void newPage();
    void paragraph(const QString& text);
    // Draws a picture at its natural size (or at the size given) with its top-left corner at
    // (left, top) on the current page.
    void drawPicture(const Picture& picture, double left, double top);
    void drawPicture(const Picture& picture, double left, double top, double width, double height);

    bool isStarted() const { return m_started; }
    bool isFinished() const { return m_finished; }
    int pageCount() const { return int(m_pageStarts.size()); }
    int currentPage() const { return pageCount(); }

    // The geometry the document was started with.
    double pageLeft() const { return m_geometry.left; }
    double pageTop() const { return m_geometry.top; }
    double pageRight() const { return m_geometry.right; }
    double pageBottom() const { return m_geometry.bottom; }
    int pageColumns() const { return m_geometry.columns; }
    double columnWidth() const;
    int currentColumn() const { return m_column; }

    // Reading what was written.
    const std::vector<Paragraph>& paragraphs() const { return m_paragraphs; }
    const std::vector<Line>& lines() const { return m_lines; }
    const std::vector<PlacedPicture>& pictures() const { return m_pictures; }
    const std::vector<Item>& items() const { return m_items; }
    const Style& style(int index) const { return *m_styles[size_t(index)]; }
    int styleCount() const { return int(m_styles.size()); }
    // Lines [first, end) and pictures [first, end) of page n (1-based).
    std::pair<int, int> lineRange(int page) const;
    std::pair<int, int> pictureRange(int page) const;
    QString lineText(const Line& line) const;

    // Called when end() has finished the document (the preview shows it).
    std::function<void()> finished;

private:
    struct Geometry
    {
        double left = 1440, top = 1440, right = 1440, bottom = 1440;
        int columns = 1;
        double width = 0, height = 0;
    };
    struct PageStart
    {
        int firstLine = 0;
        int firstPicture = 0;
    };

    int styleFor();
    double columnLeft(int column) const;
    void beginPage();
    void nextColumn();
    void placeLine(Line line, double height);
    void layoutSegment(const QString& text, int offset, int length, const Style& style, double width,
                       std::vector<Line>& out);

    QPageSize m_paper;
    Geometry m_next;
    Geometry m_geometry;
    QString m_exportFile;
    QString m_title;

    QString m_fontName = QStringLiteral("Arial");
    double m_fontSize = 11.25;
    bool m_bold = false;
    QColor m_color = Qt::black;
    Alignment m_alignment = AlignLeft;
    double m_indent = 0;

    double m_x = 1440;
    double m_y = 1440;
    int m_column = 0;
    bool m_started = false;
    bool m_finished = false;

    std::vector<std::unique_ptr<Style>> m_styles;
    std::vector<Paragraph> m_paragraphs;
    std::vector<Line> m_lines;
    std::vector<PlacedPicture> m_pictures;
    std::vector<Item> m_items;
    std::vector<PageStart> m_pageStarts;
};

} // namespace print
