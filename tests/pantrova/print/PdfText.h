#pragma once

#include <QString>
#include <QStringList>

// Reads a PDF file back the way a person's tools do: through the PDF text extractor. Pages are
// separated by form feeds in its output.
struct PdfText
{
    static bool available();
    // The text of every page, in order; empty when the file cannot be read.
    static QStringList pages(const QString& pdfPath);
};
