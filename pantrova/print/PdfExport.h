#pragma once

#include <QString>

#include <functional>

class QPainter;

namespace print {

class Document;

// Writes a document as a PDF file: the same pages as the preview and the printout (PagePainter),
// text as text with its fonts embedded, pictures at print resolution.
class PdfExport
{
public:
    // Throws std::runtime_error naming the file when it cannot be written.
    static void write(const Document& document, const QString& path);

    // Paints every page of `document` with a painter already begun on a paged device, calling
    // `newPage` (the device's own page break) between pages. `keepGoing` is asked before each
    // page with its number and stops the run when it answers false. Returns the pages painted.
    static int paintPages(const Document& document, QPainter& painter, const std::function<bool()>& newPage,
                          const std::function<bool(int page)>& keepGoing = {});
};

} // namespace print
