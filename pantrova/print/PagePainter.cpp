#include "PagePainter.h"

#include "Document.h"

#include <QPainter>
#include <QTextLayout>

#include <cmath>

namespace print {

namespace {

// A line holding a tab is drawn through a text layout with the document's tab stops; every other
// line as plain text, which is much quicker.
void drawTabbedLine(QPainter& painter, const QString& text, const QPointF& topLeft)
{
    QTextLayout layout(text, painter.font());
    QTextOption option;
    option.setTabStopDistance(720);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (line.isValid())
        line.draw(&painter, topLeft);
}

} // namespace

void PagePainter::paint(const Document& document, int page, QPainter& painter, double pictureDpi)
{
    if (page < 1 || page > document.pageCount())
        return;

    const auto [firstPicture, endPicture] = document.pictureRange(page);
    for (int i = firstPicture; i < endPicture; ++i) {
        const Document::PlacedPicture& placed = document.pictures()[size_t(i)];
        const QRectF& r = placed.rect;
        const double perTwip = pictureDpi / Document::TwipsPerInch;
        const QSize wanted(std::max(1, int(std::ceil(r.width() * perTwip))),
                           std::max(1, int(std::ceil(r.height() * perTwip))));
        const QImage image = placed.picture.image(wanted);
        if (!image.isNull())
            painter.drawImage(r, image);
    }

    const auto [firstLine, endLine] = document.lineRange(page);
    int currentStyle = -1;
    for (int i = firstLine; i < endLine; ++i) {
        const Document::Line& line = document.lines()[size_t(i)];
        if (line.length == 0)
            continue;
        const Document::Paragraph& paragraph = document.paragraphs()[size_t(line.paragraph)];
        const Document::Style& style = document.style(paragraph.style);
        if (paragraph.style != currentStyle) {
            painter.setFont(style.font);
            painter.setPen(QColor::fromRgb(style.color));
            currentStyle = paragraph.style;
        }
        const QString text = paragraph.text.mid(line.start, line.length);
        if (text.contains(u'\t'))
            drawTabbedLine(painter, text, QPointF(line.x, line.top));
        else
            painter.drawText(QPointF(line.x, line.top + style.ascent), text);
    }
}

} // namespace print
