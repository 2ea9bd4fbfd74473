// The document model and its layout, without any widget: wrapping, columns, page breaks, indents,
// the current position, pictures, and the PDF and HTML written from it.
#include "PdfText.h"
#include "print/Document.h"
#include "print/HtmlExport.h"
#include "print/PdfExport.h"

#include <QFile>
#include <QImage>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using print::Document;

namespace {

constexpr double kLetterWidth = 12240;
constexpr double kLetterHeight = 15840;

// A started Letter document with the component's design-time margins (1440 all round).
struct Sheet
{
    Document doc;
    explicit Sheet(int columns = 1)
    {
        doc.setPaper(QPageSize(QPageSize::Letter));
        doc.setColumns(columns);
        doc.start();
    }
    double lineHeight() const { return doc.style(0).lineSpacing; }
};

QString words(int count)
{
    static const QStringList pool{QStringLiteral("flour"),   QStringLiteral("butter"),
                                  QStringLiteral("sugar"),   QStringLiteral("eggs"),
                                  QStringLiteral("vanilla"), QStringLiteral("cream")};
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << pool[i % pool.size()];
    return out.join(u' ');
}

QStringList lineTexts(const Document& doc, int paragraph)
{
    const Document::Paragraph& p = doc.paragraphs()[size_t(paragraph)];
    QStringList texts;
    for (int i = p.firstLine; i < p.firstLine + p.lineCount; ++i)
        texts << doc.lineText(doc.lines()[size_t(i)]);
    return texts;
}

QImage filledImage(int w, int h, QColor c)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

} // namespace

class TestDocument : public QObject
{
    Q_OBJECT

private slots:
    void paperFollowsTheLocale()
    {
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Document us;
        QCOMPARE(us.pageWidth(), kLetterWidth);
        QCOMPARE(us.pageHeight(), kLetterHeight);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Document de;
        QCOMPARE(qRound(de.pageWidth()), 11906);  // 210 mm
        QCOMPARE(qRound(de.pageHeight()), 16838); // 297 mm
        QLocale::setDefault(saved);
    }

    void paragraphsStackDownFromTheTopMargin()
    {
        Sheet s;
        QCOMPARE(s.doc.currentY(), 1440.0);
        s.doc.paragraph(QStringLiteral("Pancakes"));
        const double h = s.lineHeight();
        QVERIFY(h > 225 && h < 300); // Arial 11.25 pt: a little more than its size
        QCOMPARE(s.doc.lines()[0].top, 1440.0);
        QCOMPARE(s.doc.lines()[0].x, 1440.0);
        QCOMPARE(s.doc.currentY(), 1440 + h);
        QCOMPARE(s.doc.currentX(), 1440.0);

        // One line feed, or nothing, is one blank line; line feeds inside break lines; a closing
        // line feed opens no further line.
        const struct
        {
            QString text;
            int lines;
        } cases[] = {{QStringLiteral("\n"), 1},     {QString(), 1},
                     {QStringLiteral("a\r\nb"), 2}, {QStringLiteral("a\n\nb"), 3},
                     {QStringLiteral("a\n"), 1},    {QStringLiteral("a\rb\n\n"), 3}};
        for (const auto& c : cases) {
            const double before = s.doc.currentY();
            s.doc.paragraph(c.text);
            QCOMPARE(s.doc.paragraphs().back().lineCount, c.lines);
            QCOMPARE(s.doc.currentY(), before + c.lines * h);
        }
        QCOMPARE(lineTexts(s.doc, 3), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        // Larger type takes taller lines.
        s.doc.setFontSize(18.25);
        s.doc.paragraph(QStringLiteral("Title"));
        QVERIFY(s.doc.style(s.doc.paragraphs().back().style).lineSpacing > h);
    }

    void longTextWrapsWithinTheColumnLessTheIndent()
    {
        Sheet s;
        s.doc.setLeftIndent(3800);
        const QString text = words(200);
        s.doc.paragraph(text);
        const QStringList lines = lineTexts(s.doc, 0);
        QVERIFY(lines.size() > 5);
        const double room = kLetterWidth - 2 * 1440 - 3800;
        for (int i = 0; i < lines.size(); ++i) {
            const Document::Line& line = s.doc.lines()[size_t(i)];
            QCOMPARE(line.x, 1440.0 + 3800);
            QVERIFY2(line.width <= room + 0.01, qPrintable(lines[i]));
            QVERIFY(!lines[i].trimmed().contains(u"  "));
            QVERIFY(!lines[i].trimmed().isEmpty());
        }
        // Every word is kept, in order, and no word is split.
        QCOMPARE(lines.join(QString()).simplified(), text);

        // A word wider than the room is split rather than run off the paper.
        s.doc.setLeftIndent(0);
        s.doc.paragraph(QString(300, u'x'));
        const QStringList split = lineTexts(s.doc, 1);
        QVERIFY(split.size() > 1);
        QCOMPARE(split.join(QString()), QString(300, u'x'));
    }

    void alignmentPlacesEachLine()
    {
        Sheet s;
        s.doc.setTextAlign(print::AlignCenter);
        s.doc.paragraph(QStringLiteral("Apple Pie"));
        const Document::Line centred = s.doc.lines()[0];
        const double room = kLetterWidth - 2 * 1440;
        QVERIFY(qAbs(centred.x - (1440 + (room - centred.width) / 2)) < 0.01);
        s.doc.setTextAlign(print::AlignRight);
        s.doc.paragraph(QStringLiteral("Apple Pie"));
        QVERIFY(qAbs(s.doc.lines()[1].x + s.doc.lines()[1].width - (kLetterWidth - 1440)) < 0.01);
        s.doc.setTextAlign(print::AlignLeft);
        s.doc.paragraph(QStringLiteral("Apple Pie"));
        QCOMPARE(s.doc.lines()[2].x, 1440.0);
    }

    void linesBreakToANewPageAtTheBottomMargin()
    {
        Sheet s;
        s.doc.setMarginBottom(720); // applies only to the next document
        const double bottom = kLetterHeight - 1440;
        while (s.doc.pageCount() < 3)
            s.doc.paragraph(QStringLiteral("line"));
        for (const Document::Line& line : s.doc.lines())
            QVERIFY(line.top + s.lineHeight() <= bottom + 0.01);
        const auto [first, end] = s.doc.lineRange(2);
        QVERIFY(end > first);
        QCOMPARE(s.doc.lines()[size_t(first)].top, 1440.0);
        QCOMPARE(s.doc.lines()[size_t(first)].page, 2);
        // Pages hold consecutive lines; the first page is full.
        const auto [first1, end1] = s.doc.lineRange(1);
        QCOMPARE(first1, 0);
        QCOMPARE(end1, first);
        QVERIFY(s.doc.lines()[size_t(end1 - 1)].top + 2 * s.lineHeight() > bottom);

        // Moving the position past the bottom sends the next line to a new page; moving it up on the
        // same page writes there.
        s.doc.setCurrentY(kLetterHeight);
        s.doc.paragraph(QStringLiteral("next page"));
        QCOMPARE(s.doc.pageCount(), 4);
        QCOMPARE(s.doc.lines().back().top, 1440.0);
        s.doc.setCurrentY(700);
        s.doc.paragraph(QStringLiteral("above the margin"));
        QCOMPARE(s.doc.lines().back().top, 700.0);
        QCOMPARE(s.doc.pageCount(), 4);

        // The new margins hold for the next document.
        s.doc.start();
        while (s.doc.pageCount() < 2)
            s.doc.paragraph(QStringLiteral("line"));
        const Document::Line& last = s.doc.lines()[size_t(s.doc.lineRange(1).second - 1)];
        QVERIFY(last.top + s.lineHeight() > bottom);
        QVERIFY(last.top + s.lineHeight() <= kLetterHeight - 720 + 0.01);
    }

    void aLineTallerThanThePageStillGoesSomewhere()
    {
        Document doc;
        doc.setPaper(QPageSize(QPageSize::Letter));
        doc.setMarginTop(7000);
        doc.setMarginBottom(8000); // less room than one line of 72 pt type
        doc.start();
        doc.setFontSize(72);
        for (int i = 0; i < 3; ++i)
            doc.paragraph(QStringLiteral("Big"));
        QCOMPARE(doc.pageCount(), 3);
        for (const Document::Line& line : doc.lines())
            QCOMPARE(line.top, 7000.0);
    }

    void columnsFillDownThenAcrossThenOnToTheNextPage()
    {
        Sheet s(2);
        const double columnWidth = (kLetterWidth - 2 * 1440 - Document::ColumnSpacing) / 2;
        QCOMPARE(s.doc.columnWidth(), columnWidth);
        int n = 0;
        while (s.doc.pageCount() < 2)
            s.doc.paragraph(QStringLiteral("Name %1").arg(++n));
        int inSecond = 0;
        double previousTop = 0;
        for (const Document::Line& line : s.doc.lines()) {
            if (line.page != 1)
                continue;
            if (line.x > 1440) {
                QCOMPARE(line.x, 1440 + columnWidth + Document::ColumnSpacing);
                if (inSecond++ == 0)
                    QCOMPARE(line.top, 1440.0);
            } else {
                QCOMPARE(inSecond, 0); // nothing returns to the first column
            }
            if (inSecond != 1)
                QVERIFY(line.top > previousTop);
            previousTop = line.top;
        }
        QVERIFY(inSecond > 10);
        QCOMPARE(s.doc.lines().back().x, 1440.0);
        QCOMPARE(s.doc.lines().back().top, 1440.0);

        // Long text wraps within its column.
        s.doc.paragraph(words(60));
        for (int i = s.doc.paragraphs().back().firstLine; i < int(s.doc.lines().size()); ++i)
            QVERIFY(s.doc.lines()[size_t(i)].width <= columnWidth + 0.01);
    }

    void picturesStandWhereTheyAreDrawnAndMoveNothing()
    {
        Sheet s;
        s.doc.paragraph(QStringLiteral("Before"));
        const double y = s.doc.currentY();
        const print::Picture picture =
            print::Picture::fromImage(filledImage(200, 100, Qt::red), QStringLiteral("red"));
        QCOMPARE(picture.naturalSizeHiMetric(), QSize(5292, 2646));
        s.doc.drawPicture(picture, 2000, y);
        QCOMPARE(s.doc.currentY(), y);
        QCOMPARE(s.doc.currentX(), 1440.0);
        const Document::PlacedPicture& placed = s.doc.pictures()[0];
        QCOMPARE(placed.rect, QRectF(2000, y, 3000, 1500)); // 15 twips a pixel
        QCOMPARE(placed.page, 1);
        s.doc.newPage();
        s.doc.drawPicture(picture, 1440, 1440, 500, 250);
        QCOMPARE(s.doc.pictureRange(1), std::make_pair(0, 1));
        QCOMPARE(s.doc.pictureRange(2), std::make_pair(1, 2));
        s.doc.drawPicture(print::Picture(), 0, 0); // nothing to draw
        QCOMPARE(s.doc.pictures().size(), size_t(2));
    }

    void pictureFilesAreMeasuredNotKept()
    {
        QTemporaryDir dir;
        const QString jpeg = dir.filePath(QStringLiteral("dish.jpg"));
        QVERIFY(filledImage(640, 480, Qt::darkGreen).save(jpeg, "JPEG"));
        const print::Picture picture = print::Picture::fromFile(jpeg);
        QVERIFY(!picture.isNull());
        QCOMPARE(picture.pixelSize(), QSize(640, 480));
        QCOMPARE(picture.image(QSize(64, 64)).size(), QSize(64, 48));
    }

    void clearForgetsTheDocumentButNotTheSettings()
    {
        Sheet s;
        s.doc.setFontSize(14);
        s.doc.paragraph(QStringLiteral("x"));
        s.doc.newPage();
        s.doc.end();
        QVERIFY(s.doc.isFinished());
        s.doc.clear();
        QCOMPARE(s.doc.pageCount(), 0);
        QVERIFY(s.doc.paragraphs().empty());
        QVERIFY(!s.doc.isStarted());
        QCOMPARE(s.doc.fontSize(), 14.0);
        // Writing without a start begins a document.
        s.doc.paragraph(QStringLiteral("y"));
        QVERIFY(s.doc.isStarted());
        QCOMPARE(s.doc.pageCount(), 1);
    }

    void pdfHoldsTheTextOfEveryPage()
    {
        if (!PdfText::available())
            QSKIP("pdftotext is not installed (tools/install-deps.sh installs it)");
        QTemporaryDir dir;
        Sheet s;
        s.doc.setTitle(QStringLiteral("Test Report"));
        s.doc.setTextAlign(print::AlignCenter);
        s.doc.setFontBold(true);
        s.doc.paragraph(QStringLiteral("Crème Brûlée & Friends"));
        s.doc.setFontBold(false);
        s.doc.setTextAlign(print::AlignLeft);
        s.doc.drawPicture(print::Picture::fromImage(filledImage(50, 50, Qt::blue)), 1440, s.doc.currentY());
        s.doc.newPage();
        s.doc.paragraph(QStringLiteral("Second page"));
        s.doc.newPage();
        s.doc.setLeftIndent(3800);
        s.doc.paragraph(QStringLiteral("Third page, indented"));
        s.doc.end();
        const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
        print::PdfExport::write(s.doc, pdf);
        const QStringList pages = PdfText::pages(pdf);
        QCOMPARE(pages.size(), 3);
        QVERIFY2(pages[0].contains(QStringLiteral("Crème Brûlée & Friends")), qPrintable(pages[0]));
        QVERIFY(pages[1].contains(QStringLiteral("Second page")));
        QVERIFY(pages[2].contains(QStringLiteral("Third page, indented")));
        // Fonts are embedded.
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("/FontFile2"));

        QVERIFY_THROWS_EXCEPTION(
            std::runtime_error,
            print::PdfExport::write(s.doc, dir.filePath(QStringLiteral("no/such/dir/x.pdf"))));
    }

    void htmlKeepsTextsAndPicturesInTheirOrder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("recipe.htm"));
        Document doc;
        doc.setPaper(QPageSize(QPageSize::Letter));
        doc.setExportFile(path);
        doc.setTitle(QStringLiteral("Recipe Report"));
        doc.start();
        doc.setTextAlign(print::AlignCenter);
        doc.paragraph(QStringLiteral("Fish & <Chips>"));
        doc.setTextAlign(print::AlignLeft);
        const print::Picture banner =
            print::Picture::fromImage(filledImage(225, 70, Qt::darkRed), QStringLiteral("Ingredients"));
        doc.drawPicture(banner, doc.currentX(), doc.currentY());
        doc.setLeftIndent(3800);
        doc.paragraph(QStringLiteral("2 cups flour\r\n1 egg"));
        doc.setLeftIndent(0);
        doc.paragraph(QStringLiteral("\n"));
        doc.newPage();
        doc.drawPicture(banner, doc.currentX(), doc.currentY()); // the same picture again
        doc.paragraph(QStringLiteral("Serves:          4"));
        QVERIFY(!QFile::exists(path)); // written when the document ends
        doc.end();

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        QVERIFY(html.startsWith(QStringLiteral("<!DOCTYPE html>\n<html lang=")));
        QVERIFY(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
        QVERIFY(html.contains(QStringLiteral("<title>Recipe Report</title>")));
        QVERIFY(html.trimmed().endsWith(QStringLiteral("</html>")));
        const QStringList inOrder{
            QStringLiteral("Fish &amp; &lt;Chips&gt;"), QStringLiteral("recipe_files/picture1.png"),
            QStringLiteral(">2 cups flour\n1 egg</p>"), QStringLiteral("&nbsp;</p>"),
            QStringLiteral("<hr class=\"page\">"),      QStringLiteral("recipe_files/picture1.png"),
            QStringLiteral("Serves:          4")};
        qsizetype at = 0;
        for (const QString& piece : inOrder) {
            const qsizetype found = html.indexOf(piece, at);
            QVERIFY2(found >= 0, qPrintable(piece));
            at = found + piece.size();
        }
        QVERIFY(html.contains(QStringLiteral("alt=\"Ingredients\"")));
        QVERIFY(html.contains(QStringLiteral("margin-left: 190pt")));
        QCOMPARE(QImage(dir.filePath(QStringLiteral("recipe_files/picture1.png"))).size(), QSize(225, 70));
        // Every tag opened is closed: paragraphs balance.
        QCOMPARE(html.count(QStringLiteral("<p ")), html.count(QStringLiteral("</p>")));

        // A later export replaces the file and drops the earlier pictures.
        doc.start();
        doc.paragraph(QStringLiteral("Only text"));
        doc.end();
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("recipe_files/picture1.png"))));
        file.close();
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(!QString::fromUtf8(file.readAll()).contains(QStringLiteral("Chips")));
    }
};

int runDocumentTests(int argc, char** argv)
{
    TestDocument t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_document.moc"
