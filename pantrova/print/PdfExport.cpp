#include "PdfExport.h"

#include "Document.h"
#include "PagePainter.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <stdexcept>

namespace print {

namespace {

// Pictures on paper need no more than this; photos are decoded down to it.
constexpr int kPictureDpi = 300;

// The PDF and print engines build each page in a buffer that grows to a few megabytes and is let go
// when the page is done. By default the C library hands such memory back to the system at once and
// takes it again for the next page, which costs a third of the time of a long document in page
// faults. Keeping freed memory in the process (up to a bound) avoids that; it is the same memory the
// next page needs.
void keepMemoryBetweenPages()
{
#ifdef __GLIBC__
    static const bool kept = [] {
        mallopt(M_TRIM_THRESHOLD, 128 * 1024 * 1024);
        mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
        return true;
    }();
    (void)kept;
#endif
}

} // namespace

int PdfExport::paintPages(const Document& document, QPainter& painter, const std::function<bool()>& newPage,
                          const std::function<bool(int page)>& keepGoing)
{
    keepMemoryBetweenPages();
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
