#include "VSPrinter.h"

#include "PdfExport.h"
#include "PreviewWidget.h"
#include "PrintProgress.h"
#include "ui/Dialogs.h"

#include <QApplication>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QVBoxLayout>

#include <stdexcept>

namespace print {

std::function<QPrinterInfo()> VSPrinter::defaultPrinter = [] { return QPrinterInfo::defaultPrinter(); };

VSPrinter::VSPrinter(QWidget* parent)
    : QWidget(parent), m_document(std::make_unique<Document>()), m_preview(new PreviewWidget(this))
{
    m_preview->setObjectName(QStringLiteral("Preview"));
    m_preview->setAccessibleName(QStringLiteral("Report preview"));
    m_preview->setDocument(m_document.get());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_preview);
    setFocusProxy(m_preview);
    m_document->finished = [this] { documentFinished(); };
    connect(m_preview, &PreviewWidget::pageRequested, this, &VSPrinter::setPreviewPage);
}

VSPrinter::~VSPrinter()
{
    m_document->finished = nullptr;
}

void VSPrinter::documentFinished()
{
    m_page = 0;
    setPreviewPage(1);
}

void VSPrinter::setPreviewPage(int page)
{
    const int count = m_document->isFinished() ? m_document->pageCount() : 0;
    const int kept = count == 0 ? 0 : std::clamp(page, 1, count);
    const bool changed = kept != m_page;
    m_page = kept;
    m_preview->setPage(kept);
    m_preview->setAccessibleDescription(
        count == 0 ? QStringLiteral("No pages")
                   : QStringLiteral("Page %1 of %2").arg(QString::number(kept), QString::number(count)));
    if (changed)
        emit previewPageChanged(kept);
}

std::unique_ptr<QPrinter> VSPrinter::choosePrinter(const QPrinterInfo& defaultPrinter, QWidget* parent)
{
    if (!defaultPrinter.isNull())
        return std::make_unique<QPrinter>(defaultPrinter, QPrinter::HighResolution);
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent);
    dialog.setObjectName(QStringLiteral("PrintDialog"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (ui::Dialogs::runModal(dialog) != QDialog::Accepted)
        return nullptr;
    return printer;
}

int VSPrinter::printDocument()
{
    const Document& doc = *m_document;
    if (doc.pageCount() == 0)
        return 0;
    std::unique_ptr<QPrinter> chosen;
    QPrinter* printer = m_printer;
    if (!printer) {
        chosen = choosePrinter(defaultPrinter ? defaultPrinter() : QPrinterInfo(), window());
        if (!chosen)
            return 0;
        printer = chosen.get();
    }
    printer->setDocName(doc.title());
    printer->setFullPage(true);
    printer->setPageLayout(QPageLayout(doc.paper(), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));

    const bool toFile =
        printer->outputFormat() == QPrinter::PdfFormat || !printer->outputFileName().isEmpty();
    const QString device =
        printer->printerName().isEmpty() ? QStringLiteral("PDF file") : printer->printerName();
    QString place = toFile ? QFileInfo(printer->outputFileName()).fileName()
                           : QPrinterInfo::printerInfo(printer->printerName()).location();
    if (place.isEmpty())
        place = QStringLiteral("this computer");
    PrintProgress progress(doc.title(), device, place, window());
    progress.show();
    QApplication::processEvents();

    QPainter painter;
    if (!painter.begin(printer))
        throw std::runtime_error(
            QStringLiteral("The printer %1 could not be started.").arg(device).toStdString());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const int sent = PdfExport::paintPages(
        doc, painter, [printer] { return printer->newPage(); },
        [&progress](int page) {
            progress.setPage(page);
            QApplication::processEvents();
            return !progress.isCancelled();
        });
    painter.end();
    return sent;
}

void VSPrinter::saveAsPdf(const QString& path) const
{
    PdfExport::write(*m_document, path);
}

} // namespace print
