// The report layouts, checked on the document they build (texts, styles, indents, positions, pages):
// the full recipe report, the names-only list and the recipe cards; and one golden PDF per layout.
#include "../print/PdfText.h"
#include "ReportKitchen.h"
#include "data/Workspace.h"
#include "print/Document.h"
#include "print/PdfExport.h"
#include "print/VSPrinter.h"
#include "recipes/PictureStore.h"
#include "reports/ListReports.h"
#include "reports/Print_Form.h"
#include "reports/RecipeReport.h"
#include "reports/ReportArt.h"
#include "reports/ReportWindowForm.h"
#include "startup/Program.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QRadioButton>
#include <QTest>

using namespace pantrova;
using print::Document;

namespace {

const QColor kNavy(0, 0, 128);
const QColor kMaroon(128, 0, 0);

// A cookbook whose report table the test fills row by row.
struct ReportRows
{
    TestWorld world;
    engine::Workspace ws;
    engine::Database db;

    ReportRows()
    {
        world.copyShipped(QStringLiteral("Recipe70e.mdb"), QStringLiteral("Recipe20.mdb"));
        QDir(world.path()).mkdir(QStringLiteral("PICS"));
        db = ws.OpenDatabase(QStringLiteral("Recipe20.mdb"));
    }

    void add(const QString& name, const QString& section, const QString& group,
             const QList<std::pair<QString, engine::Value>>& fields = {})
    {
        db.Execute(
            QStringLiteral("insert into report (Name, category_code, groupnum, Description, Ingrediants, "
                           "Instructions, extra2, extra3) values (?, 1, 1, ?, ?, ?, ?, ?)"),
            {name, QString(QStringLiteral("About ") + name), QString(QStringLiteral("1 cup of ") + name),
             QString(QStringLiteral("Cook the ") + name + u'.'), section, group});
        for (const auto& [field, value] : fields)
            db.Execute(QStringLiteral("update report set ") + field +
                           QStringLiteral(" = ? where rowid = (select max(rowid) from report)"),
                       {value});
    }

    RecipeReport::Options options(bool heading = true, bool newPageSkip = false, bool servingInfo = false)
    {
        RecipeReport::Options o;
        o.heading = heading;
        o.newPageSkip = newPageSkip;
        o.servingInfo = servingInfo;
        o.descriptionBanner = print::Picture::fromImage(ReportArt::picture(ReportArt::Banner::Description));
        o.ingredientsBanner = print::Picture::fromImage(ReportArt::picture(ReportArt::Banner::Ingredients));
        o.instructionsBanner = print::Picture::fromImage(ReportArt::picture(ReportArt::Banner::Instructions));
        o.loadPicture = [this](const engine::Recordset& row, print::Picture& picture) {
            picture = print::Picture::fromFile(
                PictureStore(world.path()).resolve(row.Text(QStringLiteral("Picture"))));
            return !picture.isNull();
        };
        return o;
    }
};

} // namespace

class TestLayouts : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); // Letter paper
        program().reset();
        ui::Twips::setDpiOverride(96);
    }
    void cleanup()
    {
        program().reset();
        QLocale::setDefault(QLocale::system());
    }

    void anEmptyReportStartsNoDocumentAndTheDisplayedRecipeHasNoHeading()
    {
        ReportRows r;
        Document empty;
        QVERIFY(!RecipeReport::PrintRecipeReport(empty, r.db, r.options()));
        QVERIFY(!ListReports::PrintNameList(empty, r.db));
        QVERIFY(!ListReports::PrintRecipeCards(empty, r.db));
        QVERIFY(!empty.isStarted());
        QCOMPARE(empty.pageCount(), 0);

        r.add(QStringLiteral("Chili"), QStringLiteral("Main Dishes"), QStringLiteral("Beef"));
        Document doc;
        QVERIFY(RecipeReport::PrintRecipeReport(doc, r.db, r.options(false)));
        QCOMPARE(texts(doc).first(), QStringLiteral("Chili"));
        const Document::Style& title = styleOf(doc, QStringLiteral("Chili"));
        QCOMPARE(title.pointSize(), 18.25);
        QVERIFY(title.bold);
        QCOMPARE(QColor::fromRgb(title.color), kMaroon);
        QCOMPARE(paragraph(doc, QStringLiteral("Chili")).alignment, print::AlignCenter);

        Document headed;
        RecipeReport::PrintRecipeReport(headed, r.db, r.options(true));
        QCOMPARE(texts(headed).mid(0, 2), (QStringList{"Main Dishes  -  Beef", "Chili"}));
        QCOMPARE(QColor::fromRgb(styleOf(headed, QStringLiteral("Main Dishes  -  Beef")).color), kNavy);
        // Two blank lines under the heading, one under the title, one more in body type.
        const int heading = paragraphIndex(headed, QStringLiteral("Main Dishes  -  Beef"));
        QCOMPARE(headed.paragraphs()[size_t(heading + 1)].text, QStringLiteral("\n"));
        QCOMPARE(headed.paragraphs()[size_t(heading + 2)].text, QStringLiteral("\n"));
        QCOMPARE(headed.paragraphs()[size_t(heading + 3)].text, QStringLiteral("Chili"));
        QCOMPARE(headed.pageLeft(), 1440.0);
        QCOMPARE(headed.lines().front().top, 720.0);
    }

    void shortRecipesFollow2000TwipsApartUntilHalfThePage()
    {
        ReportRows r;
        for (const char* name : {"A1", "A2", "A3", "A4"})
            r.add(QString::fromLatin1(name), QStringLiteral("S"), QStringLiteral("G"));
        Document doc;
        RecipeReport::PrintRecipeReport(doc, r.db, r.options());
        // Where each recipe's writing ended: the bottom of the last line before the next title.
        const auto endBefore = [&doc](const QString& title) {
            const Document::Line& before = doc.lines()[size_t(paragraph(doc, title).firstLine - 1)];
            return before.top + doc.style(doc.paragraphs()[size_t(before.paragraph)].style).lineSpacing;
        };
        // The first, under its group heading, ends too low for the second to share its page.
        QVERIFY(endBefore(QStringLiteral("A2")) + 2000 > doc.pageHeight() / 2);
        QCOMPARE(firstLine(doc, QStringLiteral("A2")).page, 2);
        // The second ends high enough: the third follows 2000 twips below it.
        QVERIFY(endBefore(QStringLiteral("A3")) + 2000 <= doc.pageHeight() / 2);
        const Document::Line& third = firstLine(doc, QStringLiteral("A3"));
        QCOMPARE(third.page, 2);
        QVERIFY(qAbs(third.top - (endBefore(QStringLiteral("A3")) + 2000)) < 0.01);
        // And the fourth starts a new page at its top.
        QCOMPARE(firstLine(doc, QStringLiteral("A4")).page, 3);
        QCOMPARE(firstLine(doc, QStringLiteral("A4")).top, 720.0);
        // Every recipe starts at the same sizes.
        QCOMPARE(styleOf(doc, QStringLiteral("A4")).pointSize(), 18.25);
        QCOMPARE(doc.fontSize(), 11.25);

        Document everyPage;
        RecipeReport::PrintRecipeReport(everyPage, r.db, r.options(true, true));
        QCOMPARE(everyPage.pageCount(), 4);
        QCOMPARE(firstLine(everyPage, QStringLiteral("A3")).page, 3);
    }

    void aPictureStartsANewPageAndStandsCentred()
    {
        ReportRows r;
        QImage photo(200, 100, QImage::Format_RGB32);
        photo.fill(Qt::darkGreen);
        QVERIFY(photo.save(r.world.filePath(QStringLiteral("PICS/pie.png"))));
        r.add(QStringLiteral("A"), QStringLiteral("S"), QStringLiteral("G"));
        r.add(QStringLiteral("B"), QStringLiteral("S"), QStringLiteral("G"),
              {{QStringLiteral("Picture"), QStringLiteral("pics\\pie.png")}});
        r.add(QStringLiteral("C"), QStringLiteral("S"), QStringLiteral("G"),
              {{QStringLiteral("Picture"), QStringLiteral("pics\\missing.png")}});
        r.add(QStringLiteral("D"), QStringLiteral("S"), QStringLiteral("G"));
        Document doc;
        RecipeReport::PrintRecipeReport(doc, r.db, r.options());
        QCOMPARE(firstLine(doc, QStringLiteral("B")).page, 2);
        QCOMPARE(firstLine(doc, QStringLiteral("C")).page, 3); // a picture that cannot be loaded still does
        QCOMPARE(firstLine(doc, QStringLiteral("D")).page, 3);

        // The photo: natural size (15 twips a pixel), centred between the margins, under the title,
        // and the text continues 300 twips below it.
        const auto [first, end] = doc.pictureRange(2);
        const Document::PlacedPicture* placed = nullptr;
        for (int i = first; i < end; ++i)
            if (!doc.pictures()[size_t(i)].picture.filePath().isEmpty())
                placed = &doc.pictures()[size_t(i)];
        QVERIFY(placed);
        QCOMPARE(placed->rect.size(), QSizeF(3000, 1500));
        QCOMPARE(placed->rect.left(), 1440 + (doc.pageWidth() - 2880 - 3000) / 2);
        const int afterTitle = paragraph(doc, QStringLiteral("B")).firstLine + 1;
        QVERIFY(placed->rect.top() >= doc.lines()[size_t(afterTitle)].top);
        const Document::Line& description = firstLine(doc, QStringLiteral("About B"));
        QVERIFY(description.top >= placed->rect.bottom() + 300 - 10);
        // Nothing was drawn for the missing picture.
        for (const Document::PlacedPicture& p : doc.pictures())
            QVERIFY(!p.picture.filePath().contains(QStringLiteral("missing")));
    }

    void aPhotoLargerThanThePaperIsBroughtDown()
    {
        ReportRows r;
        QImage photo(4000, 3000, QImage::Format_RGB32);
        photo.fill(Qt::darkRed);
        QVERIFY(photo.save(r.world.filePath(QStringLiteral("PICS/big.jpg"))));
        r.add(QStringLiteral("Big"), QStringLiteral("S"), QStringLiteral("G"),
              {{QStringLiteral("Picture"), QStringLiteral("pics\\big.jpg")}});
        Document doc;
        RecipeReport::PrintRecipeReport(doc, r.db, r.options());
        const QRectF rect = doc.pictures().front().rect;
        QVERIFY(rect.left() >= 1440 && rect.right() <= doc.pageWidth() - 1440);
        QVERIFY(rect.height() <= (doc.pageHeight() - 1440) / 2);
        QVERIFY(qAbs(rect.width() / rect.height() - 4.0 / 3.0) < 0.01);
        QCOMPARE(firstLine(doc, QStringLiteral("About Big")).page, 1);
    }

    void eachGroupGetsItsHeadingInTheJoinedOrder()
    {
        ReportRows r;
        r.add(QStringLiteral("Sweet loaf"), QStringLiteral("Bread"), QStringLiteral("Sweet"));
        r.add(QStringLiteral("Soda bread"), QStringLiteral("Breads"), QStringLiteral("Quick"));
        r.add(QStringLiteral("Apple bread"), QStringLiteral("Bread"), QStringLiteral("Apple"));
        r.add(QStringLiteral("Apple cake"), QStringLiteral("Bread"), QStringLiteral("apple"));
        Document doc;
        RecipeReport::PrintRecipeReport(doc, r.db, r.options());
        QStringList headings;
        QList<int> pages;
        for (const Document::Paragraph& p : doc.paragraphs())
            if (p.text.contains(QStringLiteral("  -  "))) {
                headings << p.text;
                pages << p.page;
            }
        // "BreadApple" < "BreadsQuick" < "BreadSweet", compared without regard to case; "apple" and
        // "Apple" differ as texts, so the second gets a heading of its own.
        QCOMPARE(headings,
                 (QStringList{"Bread  -  Apple", "Bread  -  apple", "Breads  -  Quick", "Bread  -  Sweet"}));
        QCOMPARE(pages, (QList<int>{1, 2, 3, 4}));
    }

    void bannersStandBesideTheirTexts()
    {
        ReportRows r;
        r.add(QStringLiteral("Plain"), QStringLiteral("S"), QStringLiteral("G"),
              {{QStringLiteral("Description"), QStringLiteral("   ")},
               {QStringLiteral("Ingrediants"), engine::Value()},
               {QStringLiteral("Instructions"), QString()}});
        r.add(QStringLiteral("Full"), QStringLiteral("S"), QStringLiteral("G"));
        Document doc;
        RecipeReport::PrintRecipeReport(doc, r.db, r.options(true, true));
        const auto banners = [&doc](int page) {
            const auto [first, end] = doc.pictureRange(page);
            return end - first;
        };
        QCOMPARE(banners(1), 3); // "SGFull" comes before "SGPlain"
        QCOMPARE(banners(2), 2); // no Description banner for an empty description
        QVERIFY(!texts(doc).contains(QStringLiteral("   ")));

        // The description's text starts at the indent, level with its banner's top (10 twips up and
        // one blank line down); the banner stays left of the indent.
        const Document::PlacedPicture& banner = doc.pictures()[size_t(doc.pictureRange(1).first)];
        QVERIFY(banner.rect.right() < 1440 + 3800);
        QCOMPARE(banner.rect.left(), 1440.0);
        const Document::Line& text = firstLine(doc, QStringLiteral("About Full"));
        QCOMPARE(text.x, 1440.0 + 3800);
        const double blankLine = doc.style(paragraph(doc, QStringLiteral("About Full")).style).lineSpacing;
        QVERIFY(qAbs(text.top - (banner.rect.top() - 10 + blankLine)) < 0.01);
        QCOMPARE(firstLine(doc, QStringLiteral("1 cup of Full")).x, 1440.0 + 3800);
        QCOMPARE(paragraph(doc, QStringLiteral("1 cup of Full")).indent, 3800.0);
    }

    void aBannerNearTheBottomGoesOverWithItsText()
    {
        // Descriptions of every length from well above to well past the bottom of the first page:
        // some leave too little room under them for the Ingredients banner.
        for (int length = 30; length <= 50; ++length) {
            ReportRows r;
            QString description;
            for (int i = 0; i < length; ++i)
                description += QStringLiteral("line %1\n").arg(i);
            r.add(QStringLiteral("Long"), QStringLiteral("S"), QStringLiteral("G"),
                  {{QStringLiteral("Description"), description}});
            Document doc;
            RecipeReport::PrintRecipeReport(doc, r.db, r.options());
            QCOMPARE(doc.pictures().size(), size_t(3));
            for (const Document::PlacedPicture& p : doc.pictures())
                QVERIFY(p.rect.bottom() <= doc.pageHeight() - doc.pageBottom());
            // Each banner stands on the page of its text.
            QCOMPARE(doc.pictures()[1].page, paragraph(doc, QStringLiteral("1 cup of Long")).page);
            QCOMPARE(doc.pictures()[2].page, paragraph(doc, QStringLiteral("Cook the Long.")).page);
        }
    }

    void theServingBlockPrintsFiguresAsNumbers()
    {
        ReportRows r;
        r.add(QStringLiteral("Stew"), QStringLiteral("S"), QStringLiteral("G"),
              {{QStringLiteral("S1"), 4.0},
               {QStringLiteral("S2"), 0.5},
               {QStringLiteral("c1"), 250.0},
               {QStringLiteral("c2"), engine::Value()},
               {QStringLiteral("G1"), 0.0},
               {QStringLiteral("P1"), 0.0},
               {QStringLiteral("G2"), 12.5},
               {QStringLiteral("P2"), 19.0},
               {QStringLiteral("G4"), 3.0},
               {QStringLiteral("P5"), -0.25},
               {QStringLiteral("G12"), 1234567.125}});
        Document doc;
        RecipeReport::PrintRecipeReport(doc, r.db, r.options(true, true, true));
        const QString ten(10, u' ');
        const QStringList all = texts(doc);
        const qsizetype at = all.indexOf(QStringLiteral("SERVING INFORMATION"));
        QVERIFY(at > 0);
        QCOMPARE(
            all.mid(at),
            (QStringList{
                "SERVING INFORMATION", "(Grams per serving/% of Daily Requirement)",
                "# of Servings: 4" + ten + "Serving Size: .5" + ten + "Calories Per Serving: 250",
                "Calories Per Serving: 250" + ten + "Calories From Fat: ", "Total Fat Grams: 0" + ten + "0%",
                "Saturated Fat Grams: 12.5" + ten + "19%", "Monounsaturated Fat Grams: 3" + ten,
                "Choresterol: " + ten + "-.25%", "Protein: 1234567.125" + ten}));
        // Three blank lines above the heading, the block a point smaller and centred; blank lines
        // after each nutrient as the table gives them.
        const int heading = paragraphIndex(doc, QStringLiteral("SERVING INFORMATION"));
        for (int i = 1; i <= 3; ++i)
            QCOMPARE(doc.paragraphs()[size_t(heading - i)].text, QStringLiteral("\n"));
        QCOMPARE(styleOf(doc, QStringLiteral("SERVING INFORMATION")).pointSize(), 10.25);
        QVERIFY(styleOf(doc, QStringLiteral("SERVING INFORMATION")).bold);
        QVERIFY(!styleOf(doc, all[at + 1]).bold);
        QCOMPARE(paragraph(doc, all[at + 2]).alignment, print::AlignCenter);
        const int mono = paragraphIndex(doc, all[at + 6]);
        QCOMPARE(doc.paragraphs()[size_t(mono + 1)].text, QStringLiteral("\n"));
        QCOMPARE(doc.paragraphs()[size_t(mono + 2)].text, QStringLiteral("\n"));
        QCOMPARE(doc.paragraphs()[size_t(mono + 3)].text, all[at + 7]);
        QCOMPARE(doc.fontSize(), 11.25);

        QCOMPARE(RecipeReport::NumberText(engine::Value(QStringLiteral(" 7.50 "))), QStringLiteral("7.5"));
        QCOMPARE(RecipeReport::NumberText(engine::Value(QStringLiteral("seven"))), QString());
        QCOMPARE(RecipeReport::NumberText(engine::Value(0.1 + 0.2)), QStringLiteral(".3"));
    }

    void theHtmlFileIsAnnouncedOnceAndWrittenOnlyWhenAsked()
    {
        ReportKitchen k;
        k.addRecipe(1, QStringLiteral("Brisket"));
        k.addRecipe(1, QStringLiteral("Chili"));
        k.open();
        auto r = k.report();
        const QString file = QDir::toNativeSeparators(k.world.filePath(QStringLiteral("recipe.htm")));
        QVERIFY(!QFile::exists(file));
        r.form->HTMLCheck1->setChecked(true);
        k.dialogs.expectMessage(QStringLiteral("THe HTML version of Recipe Report will be saved as\n\n") +
                                file);
        ReportWindowForm w(*r.form);
        w.Form_Load();
        QVERIFY(k.dialogs.allAnswered());
        QCOMPARE(k.dialogs.messagesAsked().size(), 1);
        QCOMPARE(k.dialogs.messagesAsked().front().title, QStringLiteral("Pantrova"));
        QFile html(file);
        QVERIFY(html.open(QIODevice::ReadOnly));
        const QString page = QString::fromUtf8(html.readAll());
        QVERIFY(page.indexOf(QStringLiteral("Brisket")) < page.indexOf(QStringLiteral("Chili")));
        QVERIFY(page.contains(QStringLiteral("recipe_files/picture")));
        QVERIFY(QFile::exists(k.world.filePath(QStringLiteral("recipe_files/picture1.png"))));
        html.close();

        // A file that cannot be written is reported; the report is previewed all the same.
        QVERIFY(QFile::remove(file));
        QVERIFY(QDir(k.world.path()).mkdir(QStringLiteral("recipe.htm")));
        k.dialogs.expectMessage(QStringLiteral("THe HTML version of Recipe Report will be saved as\n\n") +
                                file);
        k.dialogs.expectMessageContaining(QStringLiteral("Writing the HTML version of the report"));
        ReportWindowForm again(*r.form);
        again.Form_Load();
        QVERIFY(k.dialogs.allAnswered());
        QCOMPARE(again.VSPrinter1->pageCount(), 2);
        QCOMPARE(again.VSPrinter1->previewPage(), 1);
    }

    void theListRunsByNameDownTwoColumns()
    {
        ReportRows r;
        r.add(QStringLiteral("Soup"), QStringLiteral("B"), QStringLiteral("Z"));
        r.add(QStringLiteral("apple pie"), QStringLiteral("Z"), QStringLiteral("A"));
        r.add(QStringLiteral("Soup"), QStringLiteral("A"), QStringLiteral("A"),
              {{QStringLiteral("category_code"), 2}});
        for (int i = 0; i < 30; ++i)
            r.add(QStringLiteral("Zucchini %1").arg(i, 2, 10, QLatin1Char('0')), QStringLiteral("S"),
                  QStringLiteral("G"));
        Document doc;
        QVERIFY(ListReports::PrintNameList(doc, r.db));
        const QStringList names = texts(doc);
        QCOMPARE(names.mid(0, 4), (QStringList{"apple pie", "Soup", "Soup", "Zucchini 00"}));
        QCOMPARE(doc.paragraphs()[1].text, QStringLiteral("\n"));
        QCOMPARE(doc.paragraphs()[2].text, QStringLiteral("\n"));
        QCOMPARE(doc.pageColumns(), 2);
        QCOMPARE(doc.pageLeft(), 770.0);
        QCOMPARE(doc.pageTop(), 770.0);
        const Document::Style& style = styleOf(doc, QStringLiteral("apple pie"));
        QCOMPARE(style.pointSize(), 11.25);
        QVERIFY(!style.bold);
        QCOMPARE(QColor::fromRgb(style.color), QColor(Qt::black));
        // The names fill the first column, then the second.
        const Document::Line& last = firstLine(doc, QStringLiteral("Zucchini 29"));
        QCOMPARE(last.page, 1);
        QVERIFY(last.x > doc.pageWidth() / 2);
        QVERIFY(doc.exportFile().isEmpty());
    }

    void cardsCarryOneRecipeEach()
    {
        ReportRows r;
        r.add(QStringLiteral("Soup"), QStringLiteral("B"), QStringLiteral("Z"),
              {{QStringLiteral("Ingrediants"), engine::Value()}});
        r.add(QStringLiteral("apple pie"), QStringLiteral("Z"), QStringLiteral("A"));
        r.add(QStringLiteral("Soup"), QStringLiteral("A"), QStringLiteral("A"));
        Document doc;
        QVERIFY(ListReports::PrintRecipeCards(doc, r.db));
        QCOMPARE(doc.pageCount(), 3);
        QCOMPARE(doc.pageLeft(), 720.0);
        QCOMPARE(doc.pageTop(), 720.0);
        QCOMPARE(doc.pageRight(), 2880.0);
        QCOMPARE(doc.pageBottom(), 7920.0);
        QCOMPARE(texts(doc).mid(0, 4),
                 (QStringList{"apple pie", "INGREDIENTS", "1 cup of apple pie", "INSTRUCTIONS"}));
        QVERIFY(!texts(doc).contains(QStringLiteral("About apple pie"))); // no description on a card
        const Document::Style& title = styleOf(doc, QStringLiteral("apple pie"));
        QCOMPARE(title.pointSize(), 12.0);
        QVERIFY(title.bold);
        QCOMPARE(QColor::fromRgb(title.color), kMaroon);
        QCOMPARE(paragraph(doc, QStringLiteral("INGREDIENTS")).indent, 0.0);
        QCOMPARE(paragraph(doc, QStringLiteral("INSTRUCTIONS")).indent, 0.0);
        QCOMPARE(styleOf(doc, QStringLiteral("INSTRUCTIONS")).pointSize(), 10.0);
        QCOMPARE(paragraph(doc, QStringLiteral("1 cup of apple pie")).indent, 335.0);
        QCOMPARE(paragraph(doc, QStringLiteral("Cook the apple pie.")).indent, 335.0);
        QCOMPARE(styleOf(doc, QStringLiteral("Cook the apple pie.")).pointSize(), 8.0);
        QVERIFY(!styleOf(doc, QStringLiteral("Cook the apple pie.")).bold);
        // An empty ingredient text still has its heading and its blank lines.
        QCOMPARE(paragraph(doc, QStringLiteral("Cook the Soup.")).page, 2);
        const int heading =
            paragraphIndex(doc, QStringLiteral("INGREDIENTS"), paragraphIndex(doc, QStringLiteral("Soup")));
        QCOMPARE(doc.paragraphs()[size_t(heading + 3)].text, QString()); // the empty ingredients
        QCOMPARE(doc.paragraphs()[size_t(heading + 3)].lineCount, 1);

        // On A4 the card's writing area is still 6 by 5 inches.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Document a4;
        ListReports::PrintRecipeCards(a4, r.db);
        QCOMPARE(qRound(a4.pageWidth() - a4.pageLeft() - a4.pageRight()), 8640);
        QCOMPARE(qRound(a4.pageHeight() - a4.pageTop() - a4.pageBottom()), 7200);
    }

    void goldenPdfs_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::newRow("full") << QStringLiteral("full");
        QTest::newRow("list") << QStringLiteral("list");
        QTest::newRow("cards") << QStringLiteral("cards");
    }
    void goldenPdfs()
    {
        // Each case folder holds the report table's rows (input.sql) and the text a PDF text
        // extractor reads from each page of the report (expected.txt, pages separated by "\f").
        // PANTROVA_UPDATE_GOLDEN=1 writes the expected text afresh; the PDF itself is left in the
        // build folder for a person to look at.
        if (!PdfText::available())
            QSKIP("pdftotext is not installed (tools/install-deps.sh installs it)");
        QFETCH(QString, layout);
        const QDir golden(QStringLiteral(QT_TESTCASE_SOURCEDIR "/golden/") + layout);
        ReportRows r;
        QFile input(golden.filePath(QStringLiteral("input.sql")));
        QVERIFY(input.open(QIODevice::ReadOnly));
        r.db.ExecuteScript(QString::fromUtf8(input.readAll()));
        Document doc;
        if (layout == u"full")
            RecipeReport::PrintRecipeReport(doc, r.db, r.options(true, false, true));
        else if (layout == u"list")
            ListReports::PrintNameList(doc, r.db);
        else
            ListReports::PrintRecipeCards(doc, r.db);
        const QString pdf =
            QDir(QStringLiteral(QT_TESTCASE_BUILDDIR)).filePath(layout + QStringLiteral(".pdf"));
        print::PdfExport::write(doc, pdf);
        QStringList pages = PdfText::pages(pdf);
        QCOMPARE(pages.size(), doc.pageCount());
        for (QString& page : pages) {
            QStringList lines;
            for (const QString& line : page.split(u'\n'))
                if (!line.trimmed().isEmpty())
                    lines << line.simplified();
            page = lines.join(u'\n');
        }
        const QString got = pages.join(QStringLiteral("\n\f\n")) + u'\n';
        QFile expected(golden.filePath(QStringLiteral("expected.txt")));
        if (qEnvironmentVariableIsSet("PANTROVA_UPDATE_GOLDEN")) {
            QVERIFY(expected.open(QIODevice::WriteOnly | QIODevice::Truncate));
            expected.write(got.toUtf8());
            return;
        }
        QVERIFY(expected.open(QIODevice::ReadOnly));
        QCOMPARE(got, QString::fromUtf8(expected.readAll()));
    }
};

int runLayoutTests(int argc, char** argv)
{
    TestLayouts t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_layouts.moc"
