// The report window: the layout it chooses, paging, printing and saving as PDF, and recipe pictures.
#include "../print/PdfText.h"
#include "ReportKitchen.h"
#include "data/Database.h"
#include "print/VSPrinter.h"
#include "recipes/RecipeNew.h"
#include "reports/Print_Form.h"
#include "reports/ReportWindowForm.h"
#include "startup/Program.h"

#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace pantrova;

class TestReportWindow : public QObject
{
    Q_OBJECT

private slots:
    void pageButtonsKeepAValidPageOrNoneShown()
    {
        ReportKitchen k;
        k.open();
        for (int scope : {1, 0}) {
            auto r = k.report(scope);
            ReportWindowForm& w = *r.window;
            QCOMPARE(w.VSPrinter1->pageCount(), 0);
            QCOMPARE(w.VSPrinter1->previewPage(), 0);
            QCOMPARE(w.PageLabel->text(), QStringLiteral("No pages"));
            QVERIFY(!w.PdfButton->isEnabled());
            w.BButton_Click(); // nothing may be asked
            w.PButton_Click();
            QTest::mouseClick(w.PrintButton, Qt::LeftButton);
            QCOMPARE(w.VSPrinter1->previewPage(), 0);
            QVERIFY(k.dialogs.allAnswered());
        }

        for (const char* name : {"Brisket", "Chili", "Pot roast"})
            k.addRecipe(1, QString::fromLatin1(name));
        auto r = k.report();
        ReportWindowForm& w = *r.window;
        w.show();
        const int pages = w.VSPrinter1->pageCount();
        QVERIFY(pages >= 1);
        QCOMPARE(w.VSPrinter1->previewPage(), 1);
        w.BButton_Click(); // on the first page
        QCOMPARE(w.VSPrinter1->previewPage(), 1);
        for (int i = 0; i < pages + 2; ++i)
            w.PButton_Click();
        QCOMPARE(w.VSPrinter1->previewPage(), pages);
        QCOMPARE(w.PageLabel->text(), QStringLiteral("Page %1 of %1").arg(pages));
        QVERIFY(!w.PButton->isEnabled());
        // Every control is where a person can reach it, whatever the window's size.
        w.resize(w.minimumSize());
        for (QWidget* c :
             std::initializer_list<QWidget*>{w.BButton, w.PButton, w.PdfButton, w.PrintButton, w.Command1})
            QVERIFY(w.rect().contains(c->geometry()));
        QVERIFY(!w.PdfButton->geometry().intersects(w.PrintButton->geometry()));
        QVERIFY(!w.PrintButton->geometry().intersects(w.Command1->geometry()));
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        QVERIFY(!w.isVisible());
    }

    void theListWinsOverTheCards()
    {
        ReportKitchen k;
        k.addRecipe(1, QStringLiteral("Brisket"));
        k.open();
        auto r = k.report(1, [](Print_Form& form) {
            form.ListCheck->setChecked(true);
            form.CardPrint->setChecked(true); // cannot happen through the window; the list wins
        });
        QCOMPARE(r.window->VSPrinter1->document().title(), QStringLiteral("Recipe List"));
    }

    void savingFailsAloudOrGivesThePagesPrinted()
    {
        ReportKitchen k;
        for (int i = 1; i <= 3; ++i)
            k.addRecipe(1, QStringLiteral("Recipe %1").arg(i));
        k.open();
        auto r = k.report();
        ReportWindowForm& w = *r.window;
        // A failed save says which file, and the window goes on.
        k.dialogs.expectModal(QStringLiteral("SavePdfDialog"), [&](QWidget& dialog) -> int {
            static_cast<QFileDialog&>(dialog).selectFile(
                k.world.filePath(QStringLiteral("no/such/folder/r.pdf")));
            return int(QDialog::Accepted);
        });
        k.dialogs.expectMessageContaining(QStringLiteral("Saving the report as PDF"));
        QTest::mouseClick(w.PdfButton, Qt::LeftButton);
        QVERIFY(k.dialogs.allAnswered());
        QVERIFY(k.dialogs.messagesAsked().constLast().text.contains(QStringLiteral("r.pdf")));
        QCOMPARE(w.VSPrinter1->previewPage(), 1);
        if (!PdfText::available())
            QSKIP("pdftotext is not installed (tools/install-deps.sh installs it)");
        QTemporaryDir dir;
        const QString printed = dir.filePath(QStringLiteral("printed.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        w.VSPrinter1->setPrinter(&printer);
        QTest::mouseClick(w.PrintButton, Qt::LeftButton);
        QTest::mouseClick(w.PrintButton, Qt::LeftButton); // printing may be repeated

        const QString saved = dir.filePath(QStringLiteral("saved"));
        QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
        k.dialogs.expectModal(QStringLiteral("SavePdfDialog"), [&](QWidget& dialog) -> int {
            auto& files = static_cast<QFileDialog&>(dialog);
            mode = files.acceptMode();
            files.selectFile(saved);
            return int(QDialog::Accepted);
        });
        QTest::mouseClick(w.PdfButton, Qt::LeftButton);
        QVERIFY(k.dialogs.allAnswered());
        QCOMPARE(mode, QFileDialog::AcceptSave);

        const QStringList a = PdfText::pages(printed);
        const QStringList b = PdfText::pages(saved + QStringLiteral(".pdf"));
        QCOMPARE(a.size(), w.VSPrinter1->pageCount());
        QCOMPARE(b, a);
        QVERIFY(a.join(QString()).contains(QStringLiteral("Recipe 3")));
    }

    void recipePicturesLoadOnlyWhenTheyArePictures()
    {
        ReportKitchen k;
        QImage photo(300, 200, QImage::Format_RGB32);
        photo.fill(Qt::darkYellow);
        QVERIFY(photo.save(k.world.filePath(QStringLiteral("PICS/Soup.jpg")), "JPEG"));
        QFile bad(k.world.filePath(QStringLiteral("PICS/bad.jpg")));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("no picture here");
        bad.close();
        k.addRecipe(1, QStringLiteral("A"), 1, QStringLiteral("d"),
                    {{QStringLiteral("Picture"), QStringLiteral("pics\\soup.JPG")}});
        k.addRecipe(1, QStringLiteral("B"), 1, QStringLiteral("d"),
                    {{QStringLiteral("Picture"), QStringLiteral("pics\\bad.jpg")}});
        k.addRecipe(1, QStringLiteral("C"), 1, QStringLiteral("d"),
                    {{QStringLiteral("Picture"), QStringLiteral("pics\\gone.jpg")}});
        k.open();
        auto r = k.report();
        engine::Recordset rows =
            program().Cookbook.OpenRecordset(QStringLiteral("select * from report order by name"));
        QVERIFY(r.window->LoadRecipePicture(rows));
        QCOMPARE(r.window->RecipePicture.pixelSize(), QSize(300, 200));
        rows.MoveNext();
        QVERIFY(!r.window->LoadRecipePicture(rows));
        rows.MoveNext();
        QVERIFY(!r.window->LoadRecipePicture(rows));
        // The banners of the report are the window's own pictures, left of the text beside them.
        for (int i = 2; i <= 4; ++i)
            QVERIFY(r.window->ImageList1(i).naturalSizeHiMetric().width() * 1440 / 2540 < 3800);
    }
};

int runReportWindowTests(int argc, char** argv)
{
    TestReportWindow t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_report_window.moc"
