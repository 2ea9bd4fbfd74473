// The print component a window carries: its preview page, printing (to a PDF printer, never to a
// real one) with the progress window, and the print dialog when no printer is set up.
#include "PdfText.h"
#include "print/PreviewWidget.h"
#include "print/PrintProgress.h"
#include "print/VSPrinter.h"
#include "ui/ScriptedDialogs.h"

#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using print::VSPrinter;

namespace {

ui::ScriptedDialogs::Failure failTest()
{
    return [](const QString& d) { QTest::qFail(qUtf8Printable(d), __FILE__, __LINE__); };
}

void writePages(VSPrinter& printer, int pages)
{
    print::Document& doc = printer.document();
    doc.setPaper(QPageSize(QPageSize::Letter));
    doc.setTitle(QStringLiteral("Pages"));
    doc.start();
    for (int i = 1; i <= pages; ++i) {
        if (i > 1)
            doc.newPage();
        doc.paragraph(QStringLiteral("Page number %1").arg(i));
    }
    doc.end();
}

// A print component holding `pages` pages, printing to the PDF file `name` in a folder of its own
// unless `toPdf` is false.
struct Printing
{
    QTemporaryDir dir;
    QString file;
    QPrinter pdf{QPrinter::HighResolution};
    VSPrinter printer;

    Printing(int pages, const QString& name, bool toPdf = true) : file(dir.filePath(name))
    {
        writePages(printer, pages);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(file);
        if (toPdf)
            printer.setPrinter(&pdf);
    }
};

} // namespace

class TestComponent : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        // No test may ever reach a real printer.
        VSPrinter::defaultPrinter = [] { return QPrinterInfo(); };
    }

    void previewPageStaysWithinTheDocument()
    {
        VSPrinter printer;
        QCOMPARE(printer.previewPage(), 0);
        printer.setPreviewPage(3); // nothing to show yet
        QCOMPARE(printer.previewPage(), 0);

        QSignalSpy changed(&printer, &VSPrinter::previewPageChanged);
        writePages(printer, 3);
        QCOMPARE(printer.previewPage(), 1); // ending the document shows its first page
        printer.setPreviewPage(printer.previewPage() - 1);
        QCOMPARE(printer.previewPage(), 1);
        printer.setPreviewPage(2);
        QCOMPARE(printer.previewPage(), 2);
        printer.setPreviewPage(99);
        QCOMPARE(printer.previewPage(), 3);
        printer.setPreviewPage(printer.previewPage() + 1);
        QCOMPARE(printer.previewPage(), 3);
        QCOMPARE(changed.count(), 3);
        QCOMPARE(printer.preview()->page(), 3);

        // Keys and the wheel page through it too.
        printer.resize(400, 500);
        printer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&printer));
        QTest::keyClick(printer.preview(), Qt::Key_Home);
        QCOMPARE(printer.previewPage(), 1);
        QTest::keyClick(printer.preview(), Qt::Key_PageDown);
        QCOMPARE(printer.previewPage(), 2);
        QTest::keyClick(printer.preview(), Qt::Key_End);
        QCOMPARE(printer.previewPage(), 3);
        QVERIFY(!printer.preview()->pageRect().isEmpty());

        // A cleared document shows nothing.
        printer.document().clear();
        printer.setPreviewPage(1);
        QCOMPARE(printer.previewPage(), 0);
        QVERIFY(printer.preview()->pageRect().isEmpty());
    }

    void printingSendsEveryPageToThePrinterUntilCancelled()
    {
        if (!PdfText::available())
            QSKIP("pdftotext is not installed (tools/install-deps.sh installs it)");
        Printing sent(4, QStringLiteral("printed.pdf"));
        QCOMPARE(sent.printer.printDocument(), 4);
        const QStringList pages = PdfText::pages(sent.file);
        QCOMPARE(pages.size(), 4);
        for (int i = 0; i < 4; ++i)
            QVERIFY(pages[i].contains(QStringLiteral("Page number %1").arg(i + 1)));
        // The PDF the person saves holds the same pages.
        const QString saved = sent.dir.filePath(QStringLiteral("saved.pdf"));
        sent.printer.saveAsPdf(saved);
        QCOMPARE(PdfText::pages(saved).size(), 4);

        // The person presses Cancel when the window says page 2 is being sent.
        Printing cancelled(5, QStringLiteral("cancelled.pdf"));
        QStringList seen;
        QTimer watcher;
        watcher.setInterval(0);
        connect(&watcher, &QTimer::timeout, [&seen] {
            auto* progress = qobject_cast<print::PrintProgress*>(QApplication::activeModalWidget());
            if (!progress)
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (auto* p = qobject_cast<print::PrintProgress*>(w); p && p->isVisible())
                        progress = p;
            if (!progress)
                return;
            if (seen.isEmpty())
                seen << progress->windowTitle() << progress->CancelButton->text()
                     << progress->DeviceLabel->text() << progress->DocumentLabel->text();
            if (progress->PageLabel->text() == QStringLiteral("Now printing Page 2 of"))
                QTest::mouseClick(progress->CancelButton, Qt::LeftButton);
        });
        watcher.start();
        QCOMPARE(cancelled.printer.printDocument(), 1);
        watcher.stop();
        QCOMPARE(seen,
                 (QStringList{QStringLiteral("Printing..."), QStringLiteral("Cancel"),
                              QStringLiteral("on the PDF file on cancelled.pdf"), QStringLiteral("Pages")}));
        QCOMPARE(PdfText::pages(cancelled.file).size(), 1);
    }

    void withoutAPrinterThePrintDialogAsks()
    {
        // An empty document prints nothing and asks nothing.
        VSPrinter empty;
        {
            ui::ScriptedDialogs dialogs(failTest());
            QCOMPARE(empty.printDocument(), 0);
            empty.document().clear();
            empty.document().end();
            QCOMPARE(empty.printDocument(), 0);
            QVERIFY(dialogs.allAnswered());
        }

        if (!PdfText::available())
            QSKIP("pdftotext is not installed (tools/install-deps.sh installs it)");
        Printing chosen(2, QStringLiteral("chosen.pdf"), false);
        ui::ScriptedDialogs dialogs(failTest());
        dialogs.expectModal(QStringLiteral("PrintDialog"), [&chosen](QWidget& w) {
            auto& dialog = static_cast<QPrintDialog&>(w);
            dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
            dialog.printer()->setOutputFileName(chosen.file);
            return int(QDialog::Accepted);
        });
        QCOMPARE(chosen.printer.printDocument(), 2);
        QVERIFY(dialogs.allAnswered());
        QCOMPARE(PdfText::pages(chosen.file).size(), 2);

        // Cancelling the dialog prints nothing.
        dialogs.expectModal(QStringLiteral("PrintDialog"), [](QWidget&) { return int(QDialog::Rejected); });
        QCOMPARE(chosen.printer.printDocument(), 0);
        QVERIFY(dialogs.allAnswered());
    }
};

int runComponentTests(int argc, char** argv)
{
    TestComponent t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_component.moc"
