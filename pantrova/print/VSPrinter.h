#pragma once

#include "Document.h"

#include <QWidget>

#include <functional>
#include <memory>

class QPrinter;
class QPrinterInfo;

namespace print {

class PreviewWidget;

// The print component a window carries: a paged document (Document: every writing operation, by
// its name; the dispatch identifiers are in Dispatch.h), a preview of one of its pages, printing of
// the whole document with a progress window, and the same pages as a PDF file.
//
// The preview page is kept within the document: 1 to the page count, 0 while there is no page;
// asking for a page past either end shows the nearest end. Ending the document shows page 1.
class VSPrinter : public QWidget
{
    Q_OBJECT

public:
    explicit VSPrinter(QWidget* parent = nullptr);
    ~VSPrinter() override;

    Document& document() { return *m_document; }
    const Document& document() const { return *m_document; }

    int previewPage() const { return m_page; }
    void setPreviewPage(int page);
    int pageCount() const { return m_document->pageCount(); }

    // Prints every page: to the printer set with setPrinter, else to the person's default
    // printer, else to the one chosen in the print dialog (which can also print to a PDF file).
    // Shows the progress window while pages are sent. An empty document prints nothing. Returns the
    // number of pages sent. Throws std::runtime_error naming the printer when it cannot be used.
    int printDocument();

    // Writes the pages as a PDF file. Throws std::runtime_error naming the file on failure.
    void saveAsPdf(const QString& path) const;

    // The printer to use instead of the default one (not owned; nullptr for the default).
    void setPrinter(QPrinter* printer) { m_printer = printer; }
    // The printer for a run when none was set: the default printer, or the dialog's choice when
    // there is no default printer (nullptr when the person cancels it).
    static std::unique_ptr<QPrinter> choosePrinter(const QPrinterInfo& defaultPrinter, QWidget* parent);
    // How the default printer is found; tests replace it so no real printer is ever used.
    static std::function<QPrinterInfo()> defaultPrinter;

    PreviewWidget* preview() const { return m_preview; }

signals:
    void previewPageChanged(int page);

private:
    void documentFinished();

    std::unique_ptr<Document> m_document;
    PreviewWidget* m_preview;
    QPrinter* m_printer = nullptr;
    int m_page = 0;
};

} // namespace print
