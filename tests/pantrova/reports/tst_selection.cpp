// The report selection window: its controls and rules, its grids and marks, and what "Display
// Report" copies into the report table for each scope; and the report window it opens: the layout it
// chooses, paging, printing and saving as PDF, and recipe pictures.
#include "../print/PdfText.h"
#include "ReportKitchen.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "data/Workspace.h"
#include "print/VSPrinter.h"
#include "recipes/RecipeNew.h"
#include "reports/PrintCommand.h"
#include "reports/Print_Form.h"
#include "reports/ReportTable.h"
#include "reports/ReportWindowForm.h"
#include "reports/SelectionGrids.h"
#include "startup/Program.h"
#include "ui/FlexGrid.h"
#include "ui/PlainTextBox.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace pantrova;

class TestSelection : public QObject
{
    Q_OBJECT

private slots:
    void theChoicesFollowTheScopeAndKeepListAndCardsApart()
    {
        ReportKitchen k;
        k.open();
        auto form = k.selection();
        const QStringList scopes{"Print report for the displayed recipe",
                                 "Print report for all the recipes in current group",
                                 "Print report for all the recipes in current section",
                                 "Print report for all the recipes in cookbook",
                                 "Print report for selected sections and groups",
                                 "Print report for selected recipes"};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(form->Report_Option[size_t(i)]->text(), scopes[i]);
            QCOMPARE(form->Report_Option[size_t(i)]->isChecked(), i == 0);
        }
        QVERIFY(!form->ListCheck->isChecked() && !form->ListCheck->isEnabled());
        QVERIFY(!form->ServingInfo->isChecked() && !form->CardPrint->isChecked() &&
                !form->HTMLCheck1->isChecked());
        QVERIFY(form->NewPageSkip->isChecked());
        QCOMPARE(form->FormWidth(), 4470);
        // The grids lie outside the narrow window, inside the wide one; no caption is cut short.
        QVERIFY(form->Grid1->geometry().left() >= form->width());
        for (QRadioButton* option : form->Report_Option)
            QVERIFY(option->width() >= option->sizeHint().width());
        for (QCheckBox* box :
             {form->ListCheck, form->ServingInfo, form->CardPrint, form->NewPageSkip, form->HTMLCheck1})
            QVERIFY(box->geometry().right() < form->width());

        form->show();
        QTest::mouseClick(form->Report_Option[4], Qt::LeftButton);
        QVERIFY(form->Grid1->geometry().right() < form->width());
        QCOMPARE(form->FormWidth(), 9090);
        QVERIFY(form->Grid1->isVisible() && !form->Grid2->isVisible());
        form->Form_Activate(); // scope 4 keeps the window wide when it is activated
        QCOMPARE(form->FormWidth(), 9090);
        QTest::mouseClick(form->Report_Option[5], Qt::LeftButton);
        QCOMPARE(form->FormWidth(), 9090);
        QVERIFY(!form->Grid1->isVisible() && form->Grid2->isVisible());
        QTest::mouseClick(form->Report_Option[2], Qt::LeftButton);
        QCOMPARE(form->FormWidth(), 4470);
        QVERIFY(form->ListCheck->isEnabled());

        QTest::mouseClick(form->Report_Option[1], Qt::LeftButton);
        QTest::mouseClick(form->CardPrint, Qt::LeftButton);
        QVERIFY(form->CardPrint->isChecked());
        QTest::mouseClick(form->ListCheck, Qt::LeftButton);
        QVERIFY(form->ListCheck->isChecked());
        QVERIFY(!form->CardPrint->isChecked() && !form->CardPrint->isEnabled());
        QTest::mouseClick(form->ListCheck, Qt::LeftButton);
        QVERIFY(form->CardPrint->isEnabled() && !form->CardPrint->isChecked());
        // Choosing the displayed recipe while the list is ticked unticks it as a click would.
        QTest::mouseClick(form->ListCheck, Qt::LeftButton);
        QTest::mouseClick(form->Report_Option[0], Qt::LeftButton);
        QVERIFY(!form->ListCheck->isChecked() && !form->ListCheck->isEnabled());
        QVERIFY(form->CardPrint->isEnabled() && !form->CardPrint->isChecked());
    }

    void gridsListSectionsGroupsAndRecipes()
    {
        ReportKitchen k;
        k.addRecipe(1, QStringLiteral("Stew"), 1);
        k.addRecipe(1, QStringLiteral("Stew"), 2);
        k.addRecipe(17, QStringLiteral("apple soup"), 1);
        k.open();
        auto form = k.selection();
        const ui::FlexGrid* g1 = form->Grid1;
        QCOMPARE(g1->colWidth(0), 0); // the marks and numbers are the program's, not the cook's
        QCOMPARE(g1->colWidth(6), 0);
        // Sections by name, each followed by its groups by name.
        QCOMPARE(g1->textMatrix(1, 2), QStringLiteral("Baking & Desserts"));
        QCOMPARE(g1->textMatrix(2, 3), QStringLiteral("Breads"));
        QCOMPARE(g1->textMatrix(2, 5), QStringLiteral("2"));
        QCOMPARE(g1->textMatrix(2, 6), QStringLiteral("2"));
        QCOMPARE(g1->textMatrix(1, 4), QStringLiteral("2"));
        QCOMPARE(g1->textMatrix(8, 2), QStringLiteral("Main Dishes"));
        QCOMPARE(g1->textMatrix(9, 3), QStringLiteral("Beef"));
        QCOMPARE(g1->rows(), 22); // heading and 21 rows: 4 sections, 17 groups
        for (int r = 1; r < g1->rows(); ++r)
            QCOMPARE(g1->textMatrix(r, 0), QStringLiteral("1"));

        const ui::FlexGrid* g2 = form->Grid2;
        QCOMPARE(column(g2, 2).mid(1, 3), (QStringList{"apple soup", "Stew", "Stew"}));
        QCOMPARE(column(g2, 3).mid(1, 3), (QStringList{"", "", "2"}));
        QCOMPARE(column(g2, 4).mid(1, 3), (QStringList{"17", "1", "1"}));
        QCOMPARE(g2->rows(), 4);
        // Growing two rows at a time leaves one empty row after an even number of recipes.
        QCOMPARE(SelectionGrids::grownRowCount(2, 2), 4);
        QCOMPARE(SelectionGrids::grownRowCount(2, 1), 2);
        QCOMPARE(SelectionGrids::grownRowCount(2, 0), 2);
    }

    void nothingToCopyGivesAnEmptyReport()
    {
        ReportKitchen k;
        k.open();
        auto empty = k.selection();
        QCOMPARE(empty->Grid2->rows(), 1); // a cookbook without recipes keeps only the heading
        empty->show();
        QTest::mouseClick(empty->Report_Option[5], Qt::LeftButton);
        k.display(*empty);
        empty.reset();

        k.addRecipe(1, QStringLiteral("Brisket"));
        auto form = k.selection(4);
        for (int option : {4, 5}) {
            QTest::mouseClick(form->Report_Option[size_t(option)], Qt::LeftButton);
            k.display(*form, [](ReportWindowForm& w) { QCOMPARE(w.VSPrinter1->pageCount(), 0); });
            QVERIFY(k.reportRows().isEmpty());
        }
        QVERIFY(k.dialogs.allAnswered());
    }

    void aSectionMarksItsGroupsAndAGroupUnmarksItsSection()
    {
        ReportKitchen k;
        k.addRecipe(2, QStringLiteral("Rye"));
        k.addRecipe(3, QStringLiteral("Sponge"));
        k.addRecipe(6, QStringLiteral("Shortbread"));
        k.addRecipe(1, QStringLiteral("Brisket"));
        k.open();
        auto form = k.selection(4);
        ui::FlexGrid* g = form->Grid1;

        clickRow(g, 0); // the heading changes nothing and the grid stays
        QVERIFY(g->isVisible());
        QVERIFY(!column(g, 0).contains(QStringLiteral("2")));

        clickRow(g, 1); // Baking & Desserts and its six groups
        QCOMPARE(column(g, 0).mid(1, 8), (QStringList{"2", "2", "2", "2", "2", "2", "2", "1"}));
        g->setRow(1);
        QVERIFY(g->hasCellPicture());
        clickRow(g, 3); // Cakes: unmarked, and its section with it
        QCOMPARE(column(g, 0).mid(1, 8), (QStringList{"1", "2", "1", "2", "2", "2", "2", "1"}));
        clickRow(g, 9); // Beef in Main Dishes
        QCOMPARE(g->textMatrix(9, 0), QStringLiteral("2"));
        QVERIFY(g->isVisible());

        k.display(*form);
        QVERIFY(k.dialogs.allAnswered());
        QCOMPARE(k.reportRows(),
                 (QStringList{"Rye|1|Baking & Desserts|Breads|", "Shortbread|1|Baking & Desserts|Cookies|",
                              "Brisket|1|Main Dishes|Beef|"}));
        // The marks outlast the report.
        QCOMPARE(g->textMatrix(2, 0), QStringLiteral("2"));
    }

    void aRecipeIsFoundByNameAndNumber()
    {
        ReportKitchen k;
        k.addRecipe(1, QStringLiteral("Chili"), 1);
        k.addRecipe(1, QStringLiteral("Chili"), 3);
        k.addRecipe(5, QStringLiteral("Bake"), 1);
        k.addRecipe(5, QStringLiteral("Bake"), 2);
        k.open();
        auto form = k.selection(0);

        k.showRecipe(QStringLiteral("Chili"), 1); // no number shown: number 1
        k.display(*form);
        QCOMPARE(k.reportRows(), (QStringList{"Chili|1|Main Dishes|Beef|"}));
        k.showRecipe(QStringLiteral("Chili"), 3); // "- 3"
        k.display(*form);
        QCOMPARE(k.reportRows(), (QStringList{"Chili|3|Main Dishes|Beef|3"}));
        // A name edited but not saved matches no stored recipe.
        k.window->Recipe_Name->setText(QStringLiteral("Chilli"));
        k.display(*form, [](ReportWindowForm& w) { QCOMPARE(w.VSPrinter1->pageCount(), 0); });
        QVERIFY(k.reportRows().isEmpty());

        // The second of two same-named recipes marked in the recipe grid is copied alone.
        QTest::mouseClick(form->Report_Option[5], Qt::LeftButton);
        QCOMPARE(form->Grid2->textMatrix(2, 3), QStringLiteral("2"));
        clickRow(form->Grid2, 2);
        QCOMPARE(form->Grid2->textMatrix(2, 0), QStringLiteral("2"));
        k.display(*form);
        QCOMPARE(k.reportRows(), (QStringList{"Bake|2|Main Dishes|Casseroles|2"}));
        clickRow(form->Grid2, 2); // a second click unmarks it
        QCOMPARE(form->Grid2->textMatrix(2, 0), QStringLiteral("1"));
        QVERIFY(k.dialogs.allAnswered());
    }

    void namesWithQuotesBracketsAndSemicolonsSelectExactlyTheirRows()
    {
        ReportKitchen k;
        const QString odd = QStringLiteral("Grandma's [best]; pie' or '1'='1");
        k.execute(QStringLiteral("insert into groups (groupnum, groupname, section) values (30, ?, 2)"),
                  {QStringLiteral("Mom's \"Own\"")});
        k.execute(QStringLiteral("update sections set sectionname = ? where section = 2"),
                  {QStringLiteral("Baker's; [Dozen]")});
        k.addRecipe(30, odd);
        k.addRecipe(30, QStringLiteral("Grandma"));
        k.addRecipe(1, odd);
        k.open();
        program().CurrentSection = 2;
        program().CurrentGroup = 30;
        auto form = k.selection(0);

        k.showRecipe(odd);
        k.display(*form);
        QCOMPARE(k.reportRows(), (QStringList{odd + QStringLiteral("|1|Baker's; [Dozen]|Mom's \"Own\"|")}));

        // The same recipe marked in the recipe grid.
        QTest::mouseClick(form->Report_Option[5], Qt::LeftButton);
        const QStringList names = column(form->Grid2, 2);
        const QStringList groups = column(form->Grid2, 4);
        for (int r = 1; r < names.size(); ++r)
            if (names[r] == odd && groups[r] == QStringLiteral("30"))
                clickRow(form->Grid2, r);
        k.display(*form);
        QCOMPARE(k.reportRows(), (QStringList{odd + QStringLiteral("|1|Baker's; [Dozen]|Mom's \"Own\"|")}));
        QVERIFY(k.dialogs.allAnswered());
    }

    void groupSectionAndCookbookScopesCopyInGroupOrder()
    {
        ReportKitchen k;
        k.addRecipe(1, QStringLiteral("Brisket"));
        k.addRecipe(1, QStringLiteral("Au jus"), 2);
        k.addRecipe(5, QStringLiteral("Tuna bake"));
        k.addRecipe(2, QStringLiteral("Rye"));
        k.open();
        auto form = k.selection(1);
        k.display(*form);
        QCOMPARE(k.reportRows(), (QStringList{"Au jus|2|Main Dishes|Beef|2", "Brisket|1|Main Dishes|Beef|"}));
        // Running it again gives the same table: it is emptied first.
        k.display(*form);
        QCOMPARE(k.reportRows(), (QStringList{"Au jus|2|Main Dishes|Beef|2", "Brisket|1|Main Dishes|Beef|"}));

        QTest::mouseClick(form->Report_Option[2], Qt::LeftButton);
        k.display(*form);
        QCOMPARE(k.reportRows(), (QStringList{"Au jus|2|Main Dishes|Beef|2", "Brisket|1|Main Dishes|Beef|",
                                              "Tuna bake|1|Main Dishes|Casseroles|"}));

        QTest::mouseClick(form->Report_Option[3], Qt::LeftButton);
        k.display(*form);
        QCOMPARE(k.reportRows(),
                 (QStringList{"Rye|1|Baking & Desserts|Breads|", "Au jus|2|Main Dishes|Beef|2",
                              "Brisket|1|Main Dishes|Beef|", "Tuna bake|1|Main Dishes|Casseroles|"}));
        QVERIFY(k.dialogs.allAnswered());
    }

    void theWindowHidesWhileTheReportIsUpAndComesBackAsLeftEvenAfterAFailure()
    {
        ReportKitchen k;
        k.addRecipe(1, QStringLiteral("Brisket"));
        k.open();
        auto form = k.selection(1);
        QTest::mouseClick(form->ServingInfo, Qt::LeftButton);
        bool hidden = false;
        k.display(*form, [&](ReportWindowForm& w) {
            hidden = !form->isVisible();
            QCOMPARE(w.VSPrinter1->pageCount(), 1);
        });
        QVERIFY(hidden);
        QVERIFY(form->isVisible());
        QVERIFY(form->Report_Option[1]->isChecked());
        QVERIFY(form->ServingInfo->isChecked());
        QCOMPARE(form->FormWidth(), 4470);
        QCOMPARE(k.reportRows().size(), 1);

        // A failed copy leaves the last report and the window usable.
        program().CurrentGroup = 99; // a group deleted meanwhile
        k.dialogs.expectMessageContaining(QStringLiteral("Preparing the report"));
        QTest::mouseClick(form->PrintButton, Qt::LeftButton);
        QVERIFY(k.dialogs.allAnswered());
        QVERIFY(k.dialogs.messagesAsked().constLast().text.contains(QStringLiteral("recipe group 99")));
        QCOMPARE(k.reportRows().size(), 1); // the previous report is untouched
        QVERIFY(form->isVisible());

        program().CurrentGroup = 1;
        k.display(*form);

        QTest::mouseClick(form->Report_Option[4], Qt::LeftButton);
        k.display(*form);
        QCOMPARE(form->FormWidth(), 9090);
        QVERIFY(k.dialogs.allAnswered());
    }

    void eachCopyStepLabelsOnlyTheRowsItAdded()
    {
        ReportKitchen k;
        k.addRecipe(1, QStringLiteral("Brisket"));
        k.addRecipe(1, QStringLiteral("Brisket"), 2);
        k.addRecipe(5, QStringLiteral("Tuna bake"));
        k.open();
        auto form = k.selection();
        form->AddToReport(QStringLiteral("where groupnum = 1"));
        form->LabelNewReportRows(QStringLiteral("Main Dishes"), QStringLiteral("Beef"));
        form->AddToReport(QStringLiteral("where groupnum = ?"), {5});
        form->LabelNewReportRows(QStringLiteral("Main"), QStringLiteral("Casseroles"));
        QCOMPARE(k.reportRows(), (QStringList{"Brisket|1|Main Dishes|Beef|", "Brisket|2|Main Dishes|Beef|2",
                                              "Tuna bake|1|Main|Casseroles|"}));
    }

    void aCookbookFileNamedWithBracketsAndQuotesStillCopies_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("bracket") << QStringLiteral("my ]cook[ book.mdb");
        QTest::newRow("apostrophe") << QStringLiteral("Mom's cookbook.mdb");
    }
    void aCookbookFileNamedWithBracketsAndQuotesStillCopies()
    {
        QFETCH(QString, file);
        ReportKitchen k;
        k.addRecipe(1, QStringLiteral("Brisket"));
        QVERIFY(QFile::copy(k.world.filePath(QStringLiteral("Recipe20.mdb")), k.world.filePath(file)));
        engine::Workspace ws;
        engine::Database db = ws.OpenDatabase(file);
        ReportTable table(db, file);
        ReportScope scope;
        scope.option = 1;
        scope.section = 1;
        scope.group = 1;
        table.Fill(scope);
        engine::Recordset rs = db.OpenRecordset(QStringLiteral("select * from report"));
        QCOMPARE(rs.RecordCount(), 1);
        QCOMPARE(rs.Text(QStringLiteral("extra3")), QStringLiteral("Beef"));
        db.Close();
    }

    void printRecipeSettlesTheTypingAndOpensTheSelectionFromButtonMenuAndKeys()
    {
        ReportKitchen k;
        k.addRecipe(1, QStringLiteral("Brisket"));
        RecipeNew& w = k.open();
        PrintCommand::attach(&w);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));

        // Cancel keeps the page as typed and prints nothing.
        w.Description->setFocus();
        QTest::keyClicks(w.Description, QStringLiteral("Slow"));
        const QString typed = w.Description->toPlainText();
        QVERIFY(typed.contains(QStringLiteral("Slow")));
        k.dialogs.expectMessage(QStringLiteral("Save changes to Brisket?"), ui::AnswerCancel);
        QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
        QVERIFY(k.dialogs.allAnswered());
        QCOMPARE(w.Description->toPlainText(), typed);

        // Yes stores the typing, so the report reads what the cook sees.
        QString stored;
        k.dialogs.expectMessage(QStringLiteral("Save changes to Brisket?"), ui::AnswerYes);
        k.dialogs.expectModal(QStringLiteral("Print_Form"), [&](QWidget&) {
            engine::Recordset rs =
                program().Cookbook.OpenRecordset(QStringLiteral("select Description from recipes"));
            stored = rs.Text(QStringLiteral("Description"));
            return 0;
        });
        QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
        QVERIFY(k.dialogs.allAnswered());
        QCOMPARE(stored, typed);

        // The toolbar button, the menu entry and Ctrl+P each open the selection window, loaded.
        QAction* entry = w.findChild<QAction*>(QStringLiteral("PrintMenu"));
        QVERIFY(entry);
        const QList<QAction*> file = w.File_Menu->actions();
        QCOMPARE(file.indexOf(entry), file.indexOf(w.Quit_Menu) - 2);

        int opened = 0;
        int loaded = 0; // the window is loaded before it shows
        const auto expectSelection = [&] {
            k.dialogs.expectModal(QStringLiteral("Print_Form"), [&](QWidget& form) {
                ++opened;
                if (form.windowTitle() == QStringLiteral("Report Type") &&
                    static_cast<Print_Form&>(form).Grid1->rows() > 1)
                    ++loaded;
                return 0;
            });
        };
        expectSelection();
        QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(opened, 1);
        expectSelection();
        QTest::mouseClick(w.Toolbar1->widgetForAction(w.Toolbar1Button(8)), Qt::LeftButton);
        QCOMPARE(opened, 2);
        expectSelection();
        entry->trigger();
        QCOMPARE(opened, 3);
        QCOMPARE(loaded, 3);
        QVERIFY(k.dialogs.allAnswered());

        // While a recipe is being added there is nothing to print, nor in an empty group.
        w.ToolBar_2();
        QVERIFY(!entry->isEnabled());
        QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(opened, 3);
        w.ToolBar_1();
        QVERIFY(entry->isEnabled());
        w.ToolBar_3();
        QVERIFY(!entry->isEnabled());
        // The recipe list reports its focus leaving as a choice; let that happen while the window is
        // whole, not while it is being destroyed.
        w.hide();
    }

    // The report window that "Display Report" opens.
    void pageButtonsKeepAValidPageAndTheListWinsOverTheCards()
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

        // With the list and the cards both ticked (which the window never allows), the list wins.
        auto list = k.report(1, [](Print_Form& form) {
            form.ListCheck->setChecked(true);
            form.CardPrint->setChecked(true);
        });
        QCOMPARE(list.window->VSPrinter1->document().title(), QStringLiteral("Recipe List"));
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
    }
};

int runSelectionTests(int argc, char** argv)
{
    TestSelection t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_selection.moc"
