#include "PdfExport.h"

#include "Document.h"
#include "PagePainter.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <stdexcept>

namespace print {

namespace {
// Pictures on paper need no more than this; photos are decoded down to it.
constexpr int kPictureDpi = 300;
} // namespace

int PdfExport::paintPages(const Document& document, QPainter& painter, const std::function<bool()>& newPage,
                          const std::function<bool(int page)>& keepGoing)
{
    const QPaintDevice* device = painter.device();
    const double scaleX = device->logicalDpiX() / Document::TwipsPerInch;
    const double scaleY = device->logicalDpiY() / Document::TwipsPerInch;
    const double pictureDpi = std::min(kPictureDpi, device->logicalDpiX());
    int painted = 0;
    for (int page = 1; page <= document.pageCount(); ++page) {
        if (keepGoing && !keepGoing(page))
            break;
        if (painted > 0 && !newPage())
            break;
        painter.resetTransform();
        painter.scale(scaleX, scaleY);
        PagePainter::paint(document, page, painter, pictureDpi);
        ++painted;
    }
    return painted;
}

void PdfExport::write(const Document& document, const QString& path)
{
    const auto failed = [&path](const QString& why) {
        return std::runtime_error(QStringLiteral("Could not write the PDF file %1: %2")
                                      .arg(QFileInfo(path).absoluteFilePath(), why)
                                      .toStdString());
    };
    QPdfWriter writer(path);
    writer.setResolution(int(Document::TwipsPerInch));
    writer.setCreator(QStringLiteral("Pantrova"));
    writer.setTitle(document.title());
    // The document's own margins place everything; the paper has none of its own.
    writer.setPageLayout(QPageLayout(document.paper(), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&writer))
        throw failed(QStringLiteral("the file cannot be created (is the folder writable?)"));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    paintPages(document, painter, [&writer] { return writer.newPage(); });
    if (!painter.end())
        throw failed(QStringLiteral("the file could not be finished (is the disk full?)"));
}

} // namespace print
