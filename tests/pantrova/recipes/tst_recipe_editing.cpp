// Adding, saving, cancelling and deleting recipes, pictures, serving figures and display options,
// driven headless through the main window's routines.
#include "RecipeWindow.h"
#include "recipes/LetterIndex.h"
#include "recipes/PictureStore.h"
#include "recipes/RecipeStore.h"
#include "recipes/ScaledPicture.h"
#include "recipes/ServingFigures.h"
#include "startup/SharedRoutines.h"
#include "ui/LetterStrip.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPushButton>
#include <QtTest>

using namespace pantrova;
using ui::AnswerNo;
using ui::AnswerYes;
using ui::ScriptedDialogs;

namespace {

QImage solidPicture(QColor colour, QSize size = {40, 30})
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

void writePicture(const QString& file, QColor colour, QSize size = {40, 30})
{
    QDir().mkpath(QFileInfo(file).absolutePath());
    QVERIFY(solidPicture(colour, size).save(file, "PNG"));
}

} // namespace

class TestRecipeEditing : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    // --- numbering, names, saving ------------------------------------------------------------

    void sameNamesAreNumberedRegardlessOfCaseAndRenamesKeepOrTakeANumber()
    {
        Window t;
        t.add(QStringLiteral("soup"));
        t.add(QStringLiteral("Soup"));
        QVERIFY(t.dialogs.allAnswered());
        engine::Recordset rs = t.row(QStringLiteral("soup"));
        QCOMPARE(rs.RecordCount(), 2);
        rs.MoveLast();
        QCOMPARE(rs.Text(QStringLiteral("Name")), QStringLiteral("Soup"));
        QCOMPARE(rs.Fields(QStringLiteral("category_code")).toLong(), 2);
        QCOMPARE(t.w->Text1->text(), QStringLiteral("- 2"));
        QCOMPARE(listEntries(*t.w), QStringList({QStringLiteral("soup"), QStringLiteral("Soup - 2")}));
        QVERIFY(!t.w->AddingRecipe);
        QVERIFY(t.buttonShown(1) && t.buttonShown(4) && !t.buttonShown(3));

        // A third one takes the first free number above the highest.
        t.add(QStringLiteral("SOUP"));
        QCOMPARE(t.w->Text1->text(), QStringLiteral("- 3"));

        // A rename keeps the recipe's number; one in letter case only keeps the strip as it is.
        for (int i = 0; i < 3; ++i)
            t.add(QStringLiteral("Stew"));
        t.show(QStringLiteral("Stew"), 3);
        QCOMPARE(t.w->Text1->text(), QStringLiteral("- 3"));

        t.w->Recipe_Name->setText(QStringLiteral("Chili"));
        t.editor().SaveRecipeCommand();
        engine::Recordset chili = t.row(QStringLiteral("Chili"));
        QCOMPARE(chili.RecordCount(), 1);
        QCOMPARE(chili.Fields(QStringLiteral("category_code")).toLong(), 3);
        QCOMPARE(t.w->CurrentLetter, QStringLiteral("C"));
        QCOMPARE(listEntries(*t.w), QStringList{QStringLiteral("Chili - 3")});
        QVERIFY(t.w->Toolbar2->isButtonVisible(LetterIndex::baseButtonOf(QStringLiteral("C")) + 1));

        // Mark a letter by hand: a rebuilt strip would put it back to its no-data look.
        const int q = LetterIndex::baseButtonOf(QStringLiteral("Q"));
        t.w->Toolbar2->setButtonVisible(q, true);
        t.w->Toolbar2->setButtonVisible(q + 2, false);
        t.w->Recipe_Name->setText(QStringLiteral("CHILI"));
        t.editor().SaveRecipeCommand();
        QCOMPARE(t.row(QStringLiteral("chili")).Fields(QStringLiteral("category_code")).toLong(), 3);
        QCOMPARE(t.row(QStringLiteral("chili")).Text(QStringLiteral("Name")), QStringLiteral("CHILI"));
        QVERIFY(t.w->Toolbar2->isButtonVisible(q));
        QCOMPARE(listEntries(*t.w), QStringList{QStringLiteral("CHILI - 3")});
        QCOMPARE(t.w->Text1->text(), QStringLiteral("- 3"));

        // Back to a name that is taken at its number: the next free number upward.
        t.w->Recipe_Name->setText(QStringLiteral("stew"));
        t.editor().SaveRecipeCommand();
        QCOMPARE(t.row(QStringLiteral("stew")).RecordCount(), 3);
        QCOMPARE(t.w->Text1->text(), QStringLiteral("- 3"));

        // Renamed within its letter, the recipe is shown in its sorted place.
        t.add(QStringLiteral("Apple pie"));
        t.add(QStringLiteral("Apricot jam"));
        t.add(QStringLiteral("Banana bread"));
        t.show(QStringLiteral("Apple pie"));
        t.w->Recipe_Name->setText(QStringLiteral("Apricot tart"));
        t.editor().SaveRecipeCommand();
        QCOMPARE(t.w->CurrentLetter, QStringLiteral("A"));
        QCOMPARE(listEntries(*t.w),
                 QStringList({QStringLiteral("Apricot jam"), QStringLiteral("Apricot tart")}));
        QCOMPARE(t.w->Recipe_Name->text(), QStringLiteral("Apricot tart"));
        QCOMPARE(t.w->RecipeSet.Text(QStringLiteral("Name")), QStringLiteral("Apricot tart"));
        // Next Recipe goes on in sorted order from the renamed recipe.
        t.w->StepRecipe(1);
        t.w->ShowCurrentRecipe();
        QCOMPARE(t.w->Recipe_Name->text(), QStringLiteral("Banana bread"));
        QCOMPARE(t.w->CurrentLetter, QStringLiteral("B"));
    }

    void longNameIsCutAndQuotesAreRemoved()
    {
        Window t;
        const QString sixty = QString(60, u'x');
        t.add(sixty);
        QCOMPARE(t.w->Recipe_Name->text(), QString(50, u'x'));
        // Empty boxes are stored as empty text, never as Null.
        engine::Recordset cut = t.row(QString(50, u'x'));
        QVERIFY(!cut.Fields(QStringLiteral("Description")).isNull());
        QVERIFY(!cut.Fields(QStringLiteral("Picture")).isNull());
        QCOMPARE(t.count(QStringLiteral("name = '") + QString(50, u'x') + u'\''), 1);

        t.dialogs.expectMessage(sanitizeMessage());
        t.add(QStringLiteral("Mom's \"Best\" Pie"));
        QVERIFY(t.dialogs.allAnswered());
        QCOMPARE(t.w->Recipe_Name->text(), QStringLiteral("Moms Best Pie"));
        QCOMPARE(t.row(QStringLiteral("Moms Best Pie")).RecordCount(), 1);
    }

    void emptyOrBlankNameIsRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("quotesOnly");
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("blanks") << QStringLiteral("    ") << false;
        QTest::newRow("quotes only") << QStringLiteral(" '\" ") << true;
    }
    void emptyOrBlankNameIsRefused()
    {
        QFETCH(QString, typed);
        QFETCH(bool, quotesOnly);
        Window t;
        if (quotesOnly)
            t.dialogs.expectMessage(sanitizeMessage());
        t.dialogs.expectMessage(QStringLiteral("Please enter a name for the recipe."));
        t.add(typed);
        QVERIFY(t.dialogs.allAnswered());
        QCOMPARE(t.count(), 0);
        QVERIFY(t.w->AddingRecipe);
        QVERIFY(t.buttonShown(3));
    }

    void cancelReturnsToTheRecipeShownBeforeAdd()
    {
        Window t;
        t.add(QStringLiteral("Apple"), QStringLiteral("red"));
        t.add(QStringLiteral("Cherry"), QStringLiteral("dark"));
        t.show(QStringLiteral("Apple"));
        t.editor().AddRecipe();
        QVERIFY(t.w->Recipe_Name->text().isEmpty());
        QVERIFY(t.buttonShown(3) && !t.buttonShown(1) && !t.buttonShown(4));
        QVERIFY(!t.w->Add_Pic->isEnabled());
        t.w->Recipe_Name->setText(QStringLiteral("Never saved"));
        t.editor().CancelAdd();
        QCOMPARE(t.w->Recipe_Name->text(), QStringLiteral("Apple"));
        QVERIFY(t.w->Add_Pic->isEnabled());
        QVERIFY(!t.buttonShown(3) && t.buttonShown(1));

        // A later Save updates the recipe shown, never adds a copy.
        t.w->Description->setPlainText(QStringLiteral("crisp"));
        t.editor().SaveRecipeCommand();
        QCOMPARE(t.count(), 2);
        QCOMPARE(t.row(QStringLiteral("Apple")).Text(QStringLiteral("Description")), QStringLiteral("crisp"));
    }

    void addGivenUpOrEveryRecipeDeletedLeavesTheGroupGreyWithOnlyAdd()
    {
        Window t;
        QVERIFY(!t.w->Recipe_Name->isEnabled());
        t.editor().AddRecipe();
        QVERIFY(t.w->Recipe_Name->isEnabled());
        t.editor().CancelAdd();
        QVERIFY(!t.w->Recipe_Name->isEnabled());
        QVERIFY(t.buttonShown(1) && !t.buttonShown(2) && !t.buttonShown(3));

        t.add(QStringLiteral("Apple"));
        t.add(QStringLiteral("Banana"));
        t.add(QStringLiteral("Cherry"));
        t.show(QStringLiteral("Banana"));

        t.dialogs.expectMessage(QStringLiteral("Are you sure you want to delete this recipe"), AnswerNo);
        t.editor().DeleteRecipe();
        QCOMPARE(t.w->LastAnswer, QStringLiteral("7"));
        QCOMPARE(t.count(), 3);

        t.dialogs.expectMessage(QStringLiteral("Are you sure you want to delete this recipe"), AnswerYes);
        t.editor().DeleteRecipe();
        QVERIFY(t.dialogs.allAnswered());
        QCOMPARE(t.w->LastAnswer, QStringLiteral("6"));
        QCOMPARE(t.count(), 2);
        QCOMPARE(t.w->Recipe_Name->text(), QStringLiteral("Apple"));
        const int b = LetterIndex::baseButtonOf(QStringLiteral("B"));
        QVERIFY(t.w->Toolbar2->isButtonVisible(b + 2)); // B has no recipes left
        QVERIFY(t.w->Toolbar2->isButtonVisible(LetterIndex::baseButtonOf(QStringLiteral("A")) + 1));

        for (int left = 2; left > 0; --left) {
            t.dialogs.expectMessage(QStringLiteral("Are you sure you want to delete this recipe"), AnswerYes);
            t.editor().DeleteRecipe();
        }
        QCOMPARE(t.count(), 0);
        QVERIFY(t.w->Recipe_Name->text().isEmpty());
        QVERIFY(!t.w->Recipe_Name->isEnabled());
        QVERIFY(t.buttonShown(1));
        for (int n : {2, 3, 4, 5, 6, 8})
            QVERIFY2(!t.buttonShown(n), qPrintable(QString::number(n)));
        QCOMPARE(t.w->Recipe_List->count(), 0);
        QVERIFY(!t.w->Add_Pic->isEnabled());
    }

    void failedSaveLeavesCookbookAndPageAsTheyWere()
    {
        Window t;
        t.add(QStringLiteral("Apple"), QStringLiteral("red"));
        program().Cookbook.ExecuteScript(
            QStringLiteral("CREATE TRIGGER refuse_boom BEFORE INSERT ON recipes WHEN NEW.Name = 'Boom' "
                           "BEGIN SELECT RAISE(ABORT, 'refused by test'); END;"
                           "CREATE TRIGGER refuse_boom2 BEFORE UPDATE ON recipes WHEN NEW.Name = 'Boom' "
                           "BEGIN SELECT RAISE(ABORT, 'refused by test'); END;"));

        t.editor().AddRecipe();
        t.w->Recipe_Name->setText(QStringLiteral("Boom"));
        t.w->Instructions->setPlainText(QStringLiteral("typed text"));
        QVERIFY_THROWS_EXCEPTION(std::exception, t.editor().SaveRecipeCommand());
        QCOMPARE(t.count(), 1);
        QVERIFY(t.w->AddingRecipe);
        QVERIFY(t.buttonShown(3));
        QCOMPARE(t.w->Recipe_Name->text(), QStringLiteral("Boom"));
        QCOMPARE(t.w->Instructions->toPlainText(), QStringLiteral("typed text"));
        QVERIFY(!t.w->RecipeSet.isEditing());

        // Cancel still finds the recipe shown before, and a rename that fails changes nothing.
        t.editor().CancelAdd();
        QCOMPARE(t.w->Recipe_Name->text(), QStringLiteral("Apple"));
        t.w->Recipe_Name->setText(QStringLiteral("Boom"));
        QVERIFY_THROWS_EXCEPTION(std::exception, t.editor().SaveRecipeCommand());
        QCOMPARE(t.row(QStringLiteral("Apple")).RecordCount(), 1);
        QCOMPARE(t.w->RecipeSet.Text(QStringLiteral("Name")), QStringLiteral("Apple"));
    }

    // --- serving figures ---------------------------------------------------------------------

    void numberTest_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");
        QTest::newRow("2 cups") << QStringLiteral("en_US") << QStringLiteral("2 cups") << false << 0.0;
        QTest::newRow("12.5") << QStringLiteral("en_US") << QStringLiteral("12.5") << true << 12.5;
        QTest::newRow("blanks around") << QStringLiteral("en_US") << QStringLiteral("  3 ") << true << 3.0;
        QTest::newRow("negative") << QStringLiteral("en_US") << QStringLiteral("-2") << true << -2.0;
        QTest::newRow("empty") << QStringLiteral("en_US") << QStringLiteral("") << false << 0.0;
        QTest::newRow("thousands separator")
            << QStringLiteral("en_US") << QStringLiteral("1,500") << false << 0.0;
        QTest::newRow("infinity") << QStringLiteral("en_US") << QStringLiteral("inf") << false << 0.0;
        QTest::newRow("German comma") << QStringLiteral("de_DE") << QStringLiteral("12,5") << true << 12.5;
        QTest::newRow("German point") << QStringLiteral("de_DE") << QStringLiteral("1.500") << false << 0.0;
    }
    void numberTest()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(double, value);
        const std::optional<double> n = ServingFigures::numberOf(text, QLocale(locale));
        QCOMPARE(n.has_value(), isNumber);
        if (isNumber)
            QCOMPARE(*n, value);
    }

    void shownFiguresReadBackAsTheSameNumber()
    {
        for (const char* name : {"en_US", "de_DE", "fr_FR"}) {
            const QLocale locale{QString::fromLatin1(name)};
            for (double v : {1234.5, 0.25, 1e6, -3.0}) {
                const QString shown = ServingFigures::cellText(engine::Value(v), locale);
                QCOMPARE(ServingFigures::numberOf(shown, locale), std::optional<double>(v));
            }
        }
    }

    void servingFiguresAreSavedShownAndCleared()
    {
        Window t;
        t.editor().AddRecipe();
        t.w->Recipe_Name->setText(QStringLiteral("Figures"));
        t.w->SMGrid->setTextMatrix(1, 0, QStringLiteral("4"));
        t.w->SMGrid->setTextMatrix(1, 1, QStringLiteral("2 cups"));
        t.w->ServingGrid->setTextMatrix(1, 1, QStringLiteral("12.5"));
        t.w->ServingGrid->setTextMatrix(12, 2, QStringLiteral("30"));
        t.editor().SaveRecipeCommand();
        engine::Recordset r = t.row(QStringLiteral("Figures"));
        QCOMPARE(r.Fields(QStringLiteral("S1")).toDouble(), 4.0);
        QVERIFY(r.Fields(QStringLiteral("S2")).isNull());
        QCOMPARE(r.Fields(QStringLiteral("G1")).toDouble(), 12.5);
        QCOMPARE(r.Fields(QStringLiteral("P12")).toDouble(), 30.0);
        QVERIFY(r.Fields(QStringLiteral("c1")).isNull());

        t.show(QStringLiteral("Figures"));
        QCOMPARE(t.w->SMGrid->textMatrix(1, 1), QString());
        QCOMPARE(t.w->ServingGrid->textMatrix(1, 1), QStringLiteral("12.5"));
        QCOMPARE(t.w->ServingGrid->textMatrix(12, 2), QStringLiteral("30"));

        t.editor().AddRecipe();
        for (int c = 0; c < 4; ++c)
            QVERIFY(t.w->SMGrid->textMatrix(1, c).isEmpty());
        QVERIFY(t.w->ServingGrid->textMatrix(1, 1).isEmpty());
        QCOMPARE(t.w->ServingGrid->textMatrix(1, 0), QStringLiteral("Total Fat"));

        // A figure still being typed when Save is chosen is saved too.
        t.w->Recipe_Name->setText(QStringLiteral("Typed"));
        t.w->SMGrid->setRow(1);
        t.w->SMGrid->setCol(2);
        t.w->SMGrid->editCell();
        QVERIFY(t.w->SMGrid->isEditing());
        auto* editor = t.w->SMGrid->table()->viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->setText(QStringLiteral("250"));
        t.editor().SaveRecipeCommand();
        QCOMPARE(t.row(QStringLiteral("Typed")).Fields(QStringLiteral("c1")).toDouble(), 250.0);
    }

    // --- pictures ----------------------------------------------------------------------------

    void pictureStoreBringsFilesInWithoutReplacingOthers()
    {
        TestWorld world;
        const PictureStore store(world.path());
        const QString elsewhere = world.filePath(QStringLiteral("elsewhere/Cake.JPG"));
        writePicture(elsewhere, Qt::red);

        QVERIFY(!store.isInPicturesFolder(elsewhere));
        QCOMPARE(store.bringIn(elsewhere), QStringLiteral("pics\\Cake.JPG"));
        QVERIFY(QFile::exists(world.filePath(QStringLiteral("PICS/Cake.JPG"))));
        // The very same picture again: reused, not copied.
        QCOMPARE(store.bringIn(elsewhere), QStringLiteral("pics\\Cake.JPG"));

        // Another picture of the same name (in another case) keeps the first one intact.
        const QString other = world.filePath(QStringLiteral("other/cake.jpg"));
        writePicture(other, Qt::blue);
        QCOMPARE(store.bringIn(other), QStringLiteral("pics\\cake2.jpg"));
        QCOMPARE(store.load(QStringLiteral("pics\\Cake.JPG")).pixelColor(1, 1), QColor(Qt::red));
        QCOMPARE(store.load(QStringLiteral("PICS\\CAKE2.JPG")).pixelColor(1, 1), QColor(Qt::blue));
        QCOMPARE(store.bringIn(other), QStringLiteral("pics\\cake2.jpg"));
        QCOMPARE(QDir(world.filePath(QStringLiteral("PICS"))).entryList(QDir::Files).size(), 2);
    }

    void aPictureInsidePicsInAnyCaseIsTakenUncopiedAndRemovedWithoutDeletingIt()
    {
        Window t;
        t.add(QStringLiteral("Cake"));
        const QString inside = t.world.filePath(QStringLiteral("Pics/Cake.JPG"));
        writePicture(inside, Qt::green);
        t.dialogs.expectFile(inside);
        t.editor().Add_Pic_Click();
        QVERIFY(t.dialogs.allAnswered());
        QCOMPARE(t.dialogs.filesAsked().constFirst().filterIndex, 2);
        QCOMPARE(t.row(QStringLiteral("Cake")).Text(QStringLiteral("Picture")),
                 QStringLiteral("pics\\Cake.JPG"));
        QCOMPARE(QDir(t.world.filePath(QStringLiteral("Pics"))).entryList(QDir::Files).size(), 1);
        auto* box = qobject_cast<ScaledPicture*>(t.w->Pic_Image);
        if (box)
            QCOMPARE(box->picture().pixelColor(1, 1), QColor(Qt::green));

        t.dialogs.expectMessage(
            QStringLiteral(
                "Are you sure you want to remove this picture\nand return to the system picture??"),
            AnswerYes);
        t.editor().Delete_Pic_Click();
        QVERIFY(t.dialogs.allAnswered());
        QCOMPARE(t.row(QStringLiteral("Cake")).Text(QStringLiteral("Picture")), QString());
        QVERIFY(!t.row(QStringLiteral("Cake")).Fields(QStringLiteral("Picture")).isNull());
        QVERIFY(QFile::exists(inside)); // other recipes may use it
    }

    void aPictureFromElsewhereIsTakenOnlyWhenWholeAndCopiedAfterAsking()
    {
        Window t;
        t.add(QStringLiteral("Cake"));
        const auto stored = [&] { return t.row(QStringLiteral("Cake")).Text(QStringLiteral("Picture")); };

        // A cancelled dialog, or a file that is no picture, changes nothing.
        t.dialogs.expectFile(std::nullopt);
        t.editor().Add_Pic_Click();
        QVERIFY(t.dialogs.allAnswered());
        QCOMPARE(stored(), QString());
        const QString fake = t.world.filePath(QStringLiteral("notes/Cake.jpg"));
        QDir().mkpath(QFileInfo(fake).absolutePath());
        QFile f(fake);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("this is a shopping list, not a picture");
        f.close();
        t.dialogs.expectFile(fake).expectMessage(RecipeEditor::refusedPictureMessage(fake));
        t.editor().Add_Pic_Click();
        QVERIFY(t.dialogs.allAnswered());
        QCOMPARE(stored(), QString());
        QVERIFY(!QFile::exists(t.world.filePath(QStringLiteral("PICS/Cake.jpg"))));

        const QString elsewhere = t.world.filePath(QStringLiteral("photos/Cake.JPG"));
        writePicture(elsewhere, Qt::red);
        t.dialogs.expectFile(elsewhere).expectMessage(t.editor().copyQuestion(), AnswerNo);
        t.editor().Add_Pic_Click();
        QCOMPARE(t.w->LastAnswer, QStringLiteral("7"));
        QCOMPARE(stored(), QString());
        QVERIFY(!QFile::exists(t.world.filePath(QStringLiteral("PICS/Cake.JPG"))));

        t.dialogs.expectFile(elsewhere).expectMessage(t.editor().copyQuestion(), AnswerYes);
        t.editor().Add_Pic_Click();
        QVERIFY(t.dialogs.allAnswered());
        QCOMPARE(stored(), QStringLiteral("pics\\Cake.JPG"));
        QVERIFY(QFile::exists(t.world.filePath(QStringLiteral("PICS/Cake.JPG"))));
        QVERIFY(t.editor().copyQuestion().contains(
            QDir::toNativeSeparators(t.world.path() + QStringLiteral("/pics"))));

        // Same name, different picture, for another recipe: the first recipe's picture survives.
        t.add(QStringLiteral("Other cake"));
        const QString second = t.world.filePath(QStringLiteral("more/Cake.JPG"));
        writePicture(second, Qt::blue);
        t.dialogs.expectFile(second).expectMessage(t.editor().copyQuestion(), AnswerYes);
        t.editor().Add_Pic_Click();
        QCOMPARE(t.row(QStringLiteral("Other cake")).Text(QStringLiteral("Picture")),
                 QStringLiteral("pics\\Cake2.JPG"));
        QCOMPARE(QImage(t.world.filePath(QStringLiteral("PICS/Cake.JPG"))).pixelColor(1, 1), QColor(Qt::red));
    }

    void pictureIsScaledWithoutDistortion()
    {
        ScaledPicture box;
        box.resize(300, 100);
        box.setPicture(solidPicture(Qt::red, {400, 200}));
        const QRect r = box.pictureRect();
        QVERIFY(box.contentsRect().contains(r));
        QCOMPARE(double(r.width()) / r.height(), 2.0);
        QCOMPARE(r.height(), box.contentsRect().height() - 4);
        box.resize(100, 300);
        QCOMPARE(double(box.pictureRect().width()) / box.pictureRect().height(), 2.0);
        QVERIFY(box.sizeHint().width() < 400); // a big photo does not push the page apart
    }

    // --- display options ---------------------------------------------------------------------

    void menusSwitchBoldAndTheDefaultPicture()
    {
        Window t;
        t.w->FirstActivation = false;
        t.add(QStringLiteral("Bold soup"));
        t.w->Ingrediants->setPlainText(QStringLiteral("1 cup water\n2 carrots"));
        const QList<QWidget*> boxes{t.w->Recipe_Name, t.w->Text1, t.w->Description, t.w->Ingrediants,
                                    t.w->Instructions};
        t.w->Bold_Menu->trigger();
        QVERIFY(t.w->Bold_Menu->isChecked());
        for (QWidget* box : boxes)
            QVERIFY2(box->font().bold(), qPrintable(box->objectName()));
        // Text shown later keeps the weight: the boxes hold plain text in one font.
        t.show(QStringLiteral("Bold soup"));
        QVERIFY(t.w->Ingrediants->font().bold());
        t.w->Bold_Menu->trigger();
        for (QWidget* box : boxes)
            QVERIFY2(!box->font().bold(), qPrintable(box->objectName()));

        t.w->PicDisplayMenu->trigger();
        QVERIFY(!t.w->PicDisplayMenu->isChecked());
        QVERIFY(!t.w->DisplayPic->isChecked());
        QVERIFY(!t.w->DisplayPic->isHidden());
        QVERIFY(t.w->DefaultPictureFile.isEmpty());
        QCOMPARE(Settings::read(QStringLiteral("SPic")), QStringLiteral("0"));
        t.w->PicDisplayMenu->trigger();
        QVERIFY(t.w->DisplayPic->isHidden());
        QCOMPARE(Settings::read(QStringLiteral("SPic")), QStringLiteral("1"));

        const bool remember = t.w->SetSizeMenu->isChecked();
        t.w->SetSizeMenu->trigger();
        QCOMPARE(t.w->SetSizeMenu->isChecked(), !remember);
    }

    // --- the window's commands ---------------------------------------------------------------

    // Add and Cancel through the toolbar, and the menu entries, are worked by the tests of unsaved edits.
    void toolbarSavesAndDeletes()
    {
        Window t;
        t.w->Toolbar1Button(1)->trigger();
        QVERIFY(t.w->AddingRecipe);
        t.w->Recipe_Name->setText(QStringLiteral("Pancakes"));
        t.w->Toolbar1Button(2)->trigger();
        QCOMPARE(t.count(), 1);
        t.dialogs.expectMessage(QStringLiteral("Are you sure you want to delete this recipe"), AnswerYes);
        t.w->Toolbar1Button(4)->trigger();
        QCOMPARE(t.count(), 0);
        QVERIFY(t.dialogs.allAnswered());
    }

    void choosingAnotherRecipeOrGroupEndsAdding()
    {
        Window t;
        t.add(QStringLiteral("Apple"));
        t.add(QStringLiteral("Banana"));
        t.w->AddRecipe();
        t.w->Recipe_List_Click(0);
        QVERIFY(!t.w->AddingRecipe);
        QVERIFY(t.buttonShown(1) && t.buttonShown(4) && !t.buttonShown(3));
        QVERIFY(t.w->Add_Pic->isEnabled());
        // A Save now changes the recipe shown; it never stores a copy.
        t.w->SaveRecipeCommand();
        QCOMPARE(t.count(), 2);

        // A no-data letter changes nothing, so the new recipe stays open.
        t.w->AddRecipe();
        t.w->Toolbar2_ButtonClick(LetterIndex::baseButtonOf(QStringLiteral("Z")) + 2);
        QVERIFY(t.w->AddingRecipe);

        t.w->GroupGrid->setRow(2);
        qint16 left = 1;
        t.w->SelectGroup(left);
        QVERIFY(!t.w->AddingRecipe);
        QVERIFY(t.buttonShown(1) && !t.buttonShown(3));
    }

    void aClickOnAValueCellStartsEditingIt()
    {
        Window t;
        t.add(QStringLiteral("Figures"));
        t.w->show();
        t.w->SSTab1->setCurrentIndex(3);
        QVERIFY(QTest::qWaitForWindowExposed(t.w));
        auto click = [](ui::FlexGrid* grid, int row, int col) {
            if (grid->isEditing())
                grid->table()->setCurrentIndex(QModelIndex());
            clickGridRow(grid, row, col);
            return grid->isEditing();
        };
        QVERIFY(!click(t.w->SMGrid, 0, 1));
        QVERIFY(click(t.w->SMGrid, 1, 1));
        QVERIFY(!click(t.w->ServingGrid, 3, 0));
        QVERIFY(!click(t.w->ServingGrid, 0, 2));
        QVERIFY(click(t.w->ServingGrid, 3, 2));
    }

    void aMissingPictureIsDroppedAndAFailingDropStillShowsTheRecipe()
    {
        Window t;
        t.add(QStringLiteral("Cake"));
        const auto pointAtAMissingPicture = [&] {
            t.w->RecipeSet.Edit();
            t.w->RecipeSet.SetField(QStringLiteral("Picture"), QStringLiteral("pics\\gone.jpg"));
            t.w->RecipeSet.SetField(QStringLiteral("S1"), 6.0);
            t.w->RecipeSet.Update();
        };
        pointAtAMissingPicture();
        t.show(QStringLiteral("Cake"));
        QCOMPARE(t.row(QStringLiteral("Cake")).Text(QStringLiteral("Picture")), QString());
        QCOMPARE(t.w->SMGrid->textMatrix(1, 0), QStringLiteral("6"));
        auto* box = qobject_cast<ScaledPicture*>(t.w->Pic_Image);
        QVERIFY(box);
        QVERIFY(box->hasPicture()); // the default picture

        pointAtAMissingPicture();
        program().Cookbook.ExecuteScript(
            QStringLiteral("CREATE TRIGGER keep_picture BEFORE UPDATE ON recipes WHEN NEW.Picture = '' "
                           "BEGIN SELECT RAISE(ABORT, 'refused by test'); END;"));
        t.w->SSTab1->setCurrentIndex(2);
        t.show(QStringLiteral("Cake"));
        QCOMPARE(t.w->SMGrid->textMatrix(1, 0), QStringLiteral("6"));
        QCOMPARE(t.w->SSTab1->currentIndex(), 0);
    }

    void aCookbookBuiltByHandIsAllThereAfterARestart()
    {
        Window t;
        t.add(QStringLiteral("Soup"), QStringLiteral("first"));
        t.add(QStringLiteral("soup"), QStringLiteral("second"));
        t.add(QStringLiteral("Stew"));
        t.show(QStringLiteral("Stew"));
        t.w->Recipe_Name->setText(QStringLiteral("Goulash"));
        t.w->ServingGrid->setTextMatrix(1, 1, QStringLiteral("12.5"));
        t.w->SaveRecipeCommand();
        const QString photo = t.world.filePath(QStringLiteral("PICS/goulash.png"));
        writePicture(photo, Qt::darkRed);
        t.dialogs.expectFile(photo);
        t.w->Add_Pic_Click();

        t.w->close();
        program().reset();
        program().folder = t.world.path();
        program().CurrentCookbookFile = QStringLiteral("recipe20.mdb");
        t.load();
        QCOMPARE(t.w->RecipeSet.RecordCount(), 3);
        t.show(QStringLiteral("soup"), 2);
        QCOMPARE(t.w->Description->toPlainText(), QStringLiteral("second"));
        QCOMPARE(t.w->Text1->text(), QStringLiteral("- 2"));
        t.show(QStringLiteral("Goulash"));
        QCOMPARE(t.w->ServingGrid->textMatrix(1, 1), QStringLiteral("12.5"));
        auto* box = qobject_cast<ScaledPicture*>(t.w->Pic_Image);
        QVERIFY(box && box->hasPicture());
        QCOMPARE(box->picture().pixelColor(1, 1), QColor(Qt::darkRed));
    }
};

QTEST_MAIN(TestRecipeEditing)
#include "tst_recipe_editing.moc"
