#include "StartedProgram.h"
#include "recipes/LetterIndex.h"
#include "startup/About_Form.h"
#include "startup/Help.h"
#include "startup/HelpViewer.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

using namespace pantrova;

class TestRecipes : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        program().reset();
        ui::Twips::setDpiOverride(96);
    }
    void cleanup()
    {
        Help::CloseHelp();
        program().reset();
        ui::Twips::setDpiOverride(0);
    }

    // ---- The window, its load and its settings ----------------------------------------------

    void firstRunOpensTheDefaultCookbookAtItsDesignSize()
    {
        Kitchen k;
        RecipeNew& w = k.open();
        QCOMPARE(w.windowTitle(), QStringLiteral("Pantrova - My CookBook"));
        QCOMPARE(w.accessibleName(), w.windowTitle()); // screen readers announce the cookbook
        QVERIFY(program().MainWindowActive);
        QCOMPARE(w.LoadedCookbookFile, QStringLiteral("recipe20.mdb"));
        QCOMPARE(w.size(), QSize(637, 501)); // 9555 x 7515 twips
        QVERIFY(!w.SetSizeMenu->isChecked());
        QVERIFY(w.DisplayPic->isChecked());
        QVERIFY(!w.DisplayPic->isVisibleTo(&w));
        QVERIFY(w.PicDisplayMenu->isChecked());
        QCOMPARE(w.DefaultPictureFile, QStringLiteral("fruits.gif"));
        QCOMPARE(Settings::read(QStringLiteral("SPic")), QStringLiteral("1")); // applied, not written back
        QVERIFY(w.FirstActivation);
        QVERIFY(w.MealDay->text().startsWith(QStringLiteral("Current day: ")));
    }

    void aRecipeIsShownAndASavedChoiceOfNoDefaultPictureIsAppliedWithoutWritingIt()
    {
        Kitchen k;
        Settings::write(QStringLiteral("SPic"), QStringLiteral("0"));
        k.execute(QStringLiteral(
            "insert into recipes (Name, category_code, groupnum, Description, Instructions, S1, G1, P12) "
            "values ('Goulash', 1, 1, null, 'Simmer.', 4, 12.5, 30)"));
        RecipeNew& w = k.open();
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Goulash"));
        QCOMPARE(w.Description->toPlainText(), QString()); // Null reads as empty
        QCOMPARE(w.Instructions->toPlainText(), QStringLiteral("Simmer."));
        QCOMPARE(w.SMGrid->textMatrix(1, 0), QStringLiteral("4"));
        QCOMPARE(w.SMGrid->textMatrix(1, 1), QString());
        QCOMPARE(w.ServingGrid->textMatrix(1, 1), QStringLiteral("12.5"));
        QCOMPARE(w.ServingGrid->textMatrix(12, 2), QStringLiteral("30"));
        QCOMPARE(w.SSTab1->currentIndex(), 0);
        QVERIFY(!w.DisplayPic->isChecked());
        QVERIFY(w.DisplayPic->isVisibleTo(&w));
        QVERIFY(!w.PicDisplayMenu->isChecked());
        QCOMPARE(w.DefaultPictureFile, QString());
        QVERIFY(w.Pic_Image->pixmap().isNull()); // no default picture either

        w.Form_Activate(); // the window is loaded: from now on the choice is saved
        w.DisplayPic->click();
        QCOMPARE(Settings::read(QStringLiteral("SPic")), QStringLiteral("1"));
        QCOMPARE(w.DefaultPictureFile, QStringLiteral("fruits.gif"));
        QVERIFY(!w.DisplayPic->isVisibleTo(&w));
    }

    void controlsAndMenusAreNamedAndCaptioned()
    {
        Kitchen k;
        RecipeNew& w = k.open();
        QCOMPARE(actionTexts(w.File_Menu), (QStringList{"Add Recipe", "Save Recipe", "Quit"}));
        QCOMPARE(actionTexts(w.u_Menu),
                 (QStringList{"Add/Change CookBooks", "-", "Open Daily Menu Planner", "-",
                              "Move displayed recipe to another recipe group", "-", "Add a new Recipe Group",
                              "Change Recipe Group name", "Delete Recipe Group", "Change Recipe Section Name",
                              "-", "Use BOLD fonts", "Display system default pic when Recipe has no picture",
                              "-", "Compact active database", "-", "Remember screen size"}));
        QCOMPARE(actionTexts(w.Help_Menu),
                 (QStringList{"About Pantrova", "Help", "Pantrova Homepage", "Email Corvell Software"}));
        QCOMPARE(w.menuBar()->actions().size(), 3);

        const QStringList tips{"Add a new Recipe", "Save Recipe", "Cancel recipe add", "Delete recipe",
                               "Previous recipe",  "Next Recipe", QString(),           "Print Recipe"};
        for (int n = 1; n <= 8; ++n) {
            QVERIFY(w.Toolbar1Button(n));
            QCOMPARE(w.Toolbar1Button(n)->isSeparator(), n == 7);
            // The tooltip may add the command's keyboard shortcut after the caption.
            if (n != 7)
                QVERIFY2(w.Toolbar1Button(n)->toolTip() == tips[n - 1] ||
                             w.Toolbar1Button(n)->toolTip().startsWith(tips[n - 1] + QStringLiteral(" (")),
                         qPrintable(w.Toolbar1Button(n)->toolTip()));
        }
        // The shortcuts come with the window; the captions and names stay without them.
        QCOMPARE(w.Quit_Menu->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
        QVERIFY(w.Toolbar1Button(8)->toolTip().contains(
            QKeySequence(Qt::CTRL | Qt::Key_P).toString(QKeySequence::NativeText)));
        QCOMPARE(w.Toolbar1->widgetForAction(w.Toolbar1Button(2))->accessibleName(),
                 QStringLiteral("Save Recipe"));
        QCOMPARE(w.SSTab1->count(), 4);
        QCOMPARE(w.SSTab1->tabText(3), QStringLiteral("Serving Info"));
        for (const char* name :
             {"Recipe_Name",    "Text1",         "Description", "Pic_Image",    "DisplayPic", "Add_Pic",
              "Delete_Pic",     "I_Button",      "MenuFrame",   "MealDay",      "IncludeIng", "MenuAddButton",
              "OpenMenuButton", "Show_Calendar", "Ingrediants", "Instructions", "SMGrid",     "ServingGrid",
              "GroupGrid",      "SectionGrid",   "Recipe_List", "Toolbar1",     "Frame2"}) {
            auto* control = w.findChild<QWidget*>(QString::fromLatin1(name));
            QVERIFY2(control, name);
            QVERIFY2(!control->accessibleName().isEmpty() || QByteArray(name) == "Frame2", name);
        }
        QCOMPARE(w.ServingGrid->textMatrix(9, 0), QStringLiteral("          Soluble Fiber"));
        QCOMPARE(w.SMGrid->textMatrix(0, 3), QStringLiteral("Calories from Fat"));
    }

    void closingWritesTheDesignSizeUnlessAskedToRemember()
    {
        {
            Kitchen k;
            RecipeNew& w = k.open(true);
            w.resize(800, 600);
            w.close();
            QVERIFY(!program().MainWindowActive);
            QCOMPARE(Settings::read(QStringLiteral("Height")), QStringLiteral("7515"));
            QCOMPARE(Settings::read(QStringLiteral("Width")), QStringLiteral("9555"));
            QCOMPARE(Settings::read(QStringLiteral("Scrn")), QStringLiteral("False"));
        }
        program().reset();
        {
            Kitchen k;
            RecipeNew& w = k.open(true);
            w.SetSizeMenu->trigger();
            QVERIFY(w.SetSizeMenu->isChecked());
            w.resize(800, 600);
            w.close();
            QCOMPARE(Settings::read(QStringLiteral("Height")), QStringLiteral("9000"));
            QCOMPARE(Settings::read(QStringLiteral("Width")), QStringLiteral("12000"));
            QCOMPARE(Settings::read(QStringLiteral("Scrn")), QStringLiteral("True"));

            program().reset();
            StartUp::Prepare(ProgramFolder(k.world.path()));
            RecipeNew& again = k.open();
            QVERIFY(again.SetSizeMenu->isChecked());
            QCOMPARE(again.size(), QSize(800, 600));
        }
    }

    void aDamagedRememberedSizeGivesTheDesignSize()
    {
        Kitchen k;
        Settings::write(QStringLiteral("Scrn"), QStringLiteral("True"));
        Settings::write(QStringLiteral("Height"), QStringLiteral("0"));
        Settings::write(QStringLiteral("Width"), QStringLiteral("wide"));
        RecipeNew& w = k.open();
        QVERIFY(w.SetSizeMenu->isChecked());
        QCOMPARE(w.size(), QSize(637, 501));
    }

    void resizingKeepsTheLayoutRules()
    {
        Kitchen k;
        RecipeNew& w = k.open(true);
        w.resize(500, 200);
        QCOMPARE(ui::Twips::fromPixelsY(w.GroupGrid->height()), 5145);
        QCOMPARE(w.GroupGrid->y(), ui::Twips::toPixelsY(840));
        QCOMPARE(w.SSTab1->y(), ui::Twips::toPixelsY(840));
        QCOMPARE(w.SectionGrid->y(), ui::Twips::toPixelsY(5145 + 840 + 15));
        w.resize(1000, 800);
        QVERIFY(w.GroupGrid->height() > ui::Twips::toPixelsY(5145));
        QCOMPARE(w.Frame2->height(), ui::Twips::toPixelsY(ui::Twips::fromPixelsY(800) - 740));
        QVERIFY(w.SSTab1->geometry().right() < w.centralWidget()->width());
    }

    void firstActivationClosesTheSplashAndShowsWhatsNewOnce()
    {
        Kitchen k;
        k.world.copyShipped(QStringLiteral("recipe.HLP"));
        Settings::write(QStringLiteral("DH"), QStringLiteral("6"));
        program().SplashMode = false;
        auto* about = new About_Form;
        about->setAttribute(Qt::WA_DeleteOnClose);
        program().aboutForm = about;
        about->show();

        RecipeNew& w = k.open();
        w.Form_Activate();
        QVERIFY(!w.FirstActivation);
        QTRY_VERIFY(!program().aboutForm);
        QCOMPARE(Settings::read(QStringLiteral("DH")), QStringLiteral("7.0"));
        QVERIFY(Help::viewer());
        QCOMPARE(Help::viewer()->currentTopic(), 210);
        Help::CloseHelp();

        w.Form_Activate();
        QVERIFY(!Help::viewer());
        w.close();
        QVERIFY(!Help::viewer());
    }

    void helpMenuOpensTheAboutBoxAndTheHelpContents()
    {
        Kitchen k;
        k.world.copyShipped(QStringLiteral("recipe.HLP"));
        RecipeNew& w = k.open();
        ui::ScriptedDialogs script(failTest());
        bool returnShown = false;
        script.expectModal(QStringLiteral("About_Form"), [&](QWidget& box) {
            auto* about = qobject_cast<About_Form*>(&box);
            returnShown = about && about->Return_Button->isVisibleTo(about);
            return 0;
        });
        w.About_Menu->trigger();
        QVERIFY(script.allAnswered());
        QVERIFY(returnShown);

        w.Contents->trigger();
        QVERIFY(Help::viewer());
        QCOMPARE(Help::viewer()->currentTopic(), Help::viewer()->helpFile().contentsId());
        w.Quit_Menu->trigger();
        QVERIFY(!Help::viewer());
        QCOMPARE(Settings::read(QStringLiteral("Scrn")), QStringLiteral("False"));
    }

    void aCookbookSwitchReloadsAtTheNextActivation()
    {
        Kitchen k;
        RecipeNew& w = k.open();
        w.Form_Activate();
        k.world.copyShipped(QStringLiteral("Recipe70e.mdb"), QStringLiteral("Family.mdb"));
        k.addRecipe(1, QStringLiteral("Grandma Stew"), 1);
        k.execute(
            QStringLiteral("insert into recipes (Name, category_code, groupnum) values ('Pot Roast', 1, 1)"),
            {}, QStringLiteral("Family.mdb"));
        w.SectionGrid->setRow(1);
        w.SectionGrid_Click();
        QVERIFY(program().CurrentSection != 1);

        program().CurrentCookbookFile = QStringLiteral("Family.mdb");
        program().CurrentCookbookName = QStringLiteral("Family");
        w.Form_Activate();
        QCOMPARE(w.windowTitle(), QStringLiteral("Pantrova - Family"));
        QCOMPARE(w.accessibleName(), QStringLiteral("Pantrova - Family"));
        QCOMPARE(w.LoadedCookbookFile, QStringLiteral("Family.mdb"));
        QCOMPARE(program().CurrentSection, quint8(1));
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Pot Roast"));
    }

    void startingWithAVanishedOrUnlistedCookbook()
    {
        {
            Kitchen k;
            Settings::write(QStringLiteral("CurDB"), QStringLiteral("Gone.mdb"));
            program().reset();
            StartUp::Prepare(ProgramFolder(k.world.path()));
            RecipeNew& w = k.open();
            QCOMPARE(w.windowTitle(), QStringLiteral("Pantrova - My CookBook"));
            QCOMPARE(Settings::read(QStringLiteral("CurDB")), QStringLiteral("recipe20.mdb"));
        }
        program().reset();
        {
            Kitchen k;
            k.world.copyShipped(QStringLiteral("Recipe70e.mdb"), QStringLiteral("Unlisted.mdb"));
            Settings::write(QStringLiteral("CurDB"), QStringLiteral("Unlisted.mdb"));
            program().reset();
            StartUp::Prepare(ProgramFolder(k.world.path()));
            RecipeNew& w = k.open();
            QCOMPARE(w.windowTitle(), QStringLiteral("Pantrova - "));
            QCOMPARE(w.LoadedCookbookFile, QStringLiteral("Unlisted.mdb"));
        }
    }

    // A window without a cookbook could only lose what the cook types: it closes unseen instead.
    void aCookbookThatCannotBeOpenedIsReportedAndTheWindowCloses()
    {
        Kitchen k;
        QVERIFY(QFile::remove(k.world.filePath(QStringLiteral("Recipe20.mdb"))));
        ui::ScriptedDialogs script(failTest());
        QWidget* attached = nullptr;
        program().mainWindowCreated.push_back([&](QWidget* window) { attached = window; });
        script.expectMessageContaining(QStringLiteral("Opening the cookbook recipe20.mdb failed."));
        QPointer<RecipeNew> w = RecipeNew::Open();
        QCOMPARE(attached, static_cast<QWidget*>(w.data()));
        QVERIFY(script.allAnswered());
        QVERIFY(!w->isVisible());
        QCOMPARE(script.messagesAsked().at(0).icon, ui::MsgIcon::Critical);
        QVERIFY(script.messagesAsked().at(0).text.contains(QStringLiteral("The file is missing")));
        QTRY_VERIFY(!w);
    }

    // ---- Sections and groups ---------------------------------------------------------------------

    void digitsAndSmallLettersAreFiledUnderTheirLetter()
    {
        Kitchen k;
        k.addRecipe(1, QStringLiteral("apple pie"));
        k.addRecipe(1, QStringLiteral("Apricot"));
        k.addRecipe(1, QStringLiteral("7 Layer Dip"));
        RecipeNew& w = k.open();
        QCOMPARE(listEntries(w), (QStringList{"7 Layer Dip", "apple pie", "Apricot"}));
        QCOMPARE(w.Recipe_List->currentText(), QStringLiteral("7 Layer Dip"));
        QCOMPARE(w.CurrentLetter, QStringLiteral("A"));
        QCOMPARE(w.ActiveLetterButton, qint16(1));
        QCOMPARE(lettersWithLook(w, Look::Active), QList<int>{letter('A')});
        QCOMPARE(lettersWithLook(w, Look::NoData).size(), 25);
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("7 Layer Dip"));
        QCOMPARE(w.Toolbar2->buttonToolTip(2), QStringLiteral("Active Recipe list for Beef"));
        QCOMPARE(w.Toolbar2->buttonToolTip(75),
                 QStringLiteral("No data for Beef with Recipes beginning with Y"));
        QCOMPARE(LetterIndex::letterOf(QStringLiteral("éclair")), QStringLiteral("A"));
    }

    void sameNamedRecipesAreNumberedAndChosenExactly()
    {
        Kitchen k;
        k.addRecipe(1, QStringLiteral("Soup"), 2, QStringLiteral("the second"));
        k.addRecipe(1, QStringLiteral("Soup"), 1, QStringLiteral("the first"));
        k.addRecipe(1, QStringLiteral("Sou"), 1, QStringLiteral("short"));
        RecipeNew& w = k.open();
        w.Toolbar2_ButtonClick(LetterIndex::baseButtonOf(QStringLiteral("S")));
        QCOMPARE(listEntries(w), (QStringList{"Sou", "Soup", "Soup - 2"}));
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Sou"));

        w.Recipe_List_Click(2);
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Soup"));
        QCOMPARE(w.Text1->text(), QStringLiteral("- 2"));
        QCOMPARE(w.Description->toPlainText(), QStringLiteral("the second"));
        w.Recipe_List_Click(1);
        QCOMPARE(w.Text1->text(), QString());
        QCOMPARE(w.Description->toPlainText(), QStringLiteral("the first"));
    }

    void nextAndPreviousStepThroughTheGroupAcrossLetters()
    {
        Kitchen k;
        for (const char* name : {"Apple Crumble", "Bread", "Buns", "Cake"})
            k.addRecipe(1, QString::fromLatin1(name));
        RecipeNew& w = k.open();
        QAction* next = w.Toolbar1Button(6);
        QAction* previous = w.Toolbar1Button(5);

        w.Toolbar2_ButtonClick(LetterIndex::baseButtonOf(QStringLiteral("B")));
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Bread"));
        QCOMPARE(lettersWithLook(w, Look::Active), QList<int>{letter('B')});
        QVERIFY(w.Toolbar2->visibleLook(letter('A')) == Look::Normal);

        next->trigger();
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Buns"));
        QCOMPARE(w.CurrentLetter, QStringLiteral("B"));
        QCOMPARE(w.Recipe_List->currentText(), QStringLiteral("Buns")); // the list follows the page
        next->trigger();
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Cake"));
        QCOMPARE(w.CurrentLetter, QStringLiteral("C"));
        QCOMPARE(lettersWithLook(w, Look::Active), QList<int>{letter('C')});
        QVERIFY(w.Toolbar2->visibleLook(letter('B')) == Look::Normal);
        QCOMPARE(listEntries(w), QStringList{"Cake"});

        next->trigger(); // the last recipe: nothing changes
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Cake"));
        QCOMPARE(lettersWithLook(w, Look::Active), QList<int>{letter('C')});

        previous->trigger();
        QCOMPARE(w.Recipe_List->currentText(), QStringLiteral("Buns"));
        previous->trigger();
        QCOMPARE(w.Recipe_List->currentText(), QStringLiteral("Bread"));
        previous->trigger();
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Apple Crumble"));
        previous->trigger(); // the first recipe: nothing changes
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Apple Crumble"));
        QCOMPARE(lettersWithLook(w, Look::Active), QList<int>{letter('A')});
        QCOMPARE(lettersWithLook(w, Look::Normal), (QList<int>{letter('B'), letter('C')}));
    }

    void noDataLettersIgnoreClicksAndLeavingTheListChoosesNothing()
    {
        Kitchen k;
        for (const char* name : {"Meatloaf", "Brisket", "Muffins", "Mussels"})
            k.addRecipe(1, QString::fromLatin1(name));
        RecipeNew& w = k.open(true);
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Brisket"));
        const int q = LetterIndex::baseButtonOf(QStringLiteral("Q"));
        QVERIFY(w.Toolbar2->isButtonVisible(q + 2));
        QVERIFY(!w.Toolbar2->isButtonVisible(q));
        QTest::mouseClick(w.Toolbar2->button(q + 2), Qt::LeftButton);
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Brisket"));
        QCOMPARE(w.CurrentLetter, QStringLiteral("B"));
        QCOMPARE(listEntries(w), QStringList{"Brisket"});

        const int m = LetterIndex::baseButtonOf(QStringLiteral("M"));
        QTest::mouseClick(w.Toolbar2->button(m), Qt::LeftButton);
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Meatloaf"));
        QCOMPARE(w.Ingrediants->toPlainText(), QStringLiteral("ingredients of Meatloaf"));
        // Clicking the active letter again shows its first recipe again.
        QTest::mouseClick(w.Toolbar2->button(m + 1), Qt::LeftButton);
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Meatloaf"));
        QCOMPARE(lettersWithLook(w, Look::Active), QList<int>{letter('M')});

        // The person clicks into the list's text, then steps on with Next: the focus leaves the
        // list, which must not take that as choosing the entry its text shows.
        w.Recipe_List->setFocus();
        QApplication::processEvents();
        w.Toolbar1Button(6)->trigger();
        QApplication::processEvents();
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Muffins"));
        w.Toolbar1Button(6)->trigger();
        QApplication::processEvents();
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Mussels"));
    }

    void tiedListKeysStillShowTheChosenRecipe()
    {
        Kitchen k;
        k.addRecipe(1, QStringLiteral("Soup"), 11, QStringLiteral("eleven"));
        k.addRecipe(1, QStringLiteral("Soup1"), 1, QStringLiteral("soup one"));
        k.addRecipe(1, QStringLiteral("Soup"), 1, QStringLiteral("plain"));
        RecipeNew& w = k.open();
        w.Toolbar2_ButtonClick(LetterIndex::baseButtonOf(QStringLiteral("S")));
        // "Soup" 11 and "Soup1" 1 both sort as Soup11; name and number settle the order.
        QCOMPARE(listEntries(w), (QStringList{"Soup", "Soup - 11", "Soup1"}));
        const QStringList expected{"plain", "eleven", "soup one"};
        for (int i = 0; i < 3; ++i) {
            w.Recipe_List_Click(i);
            QCOMPARE(w.Description->toPlainText(), expected[i]);
        }
        w.Recipe_List_Click(0);
        w.Toolbar1Button(6)->trigger();
        QCOMPARE(w.Description->toPlainText(), QStringLiteral("eleven"));
        w.Toolbar1Button(6)->trigger();
        QCOMPARE(w.Description->toPlainText(), QStringLiteral("soup one"));
    }

    void recipesAddedOrRenamedInTheOpenSetAreIndexed()
    {
        Kitchen k;
        k.addRecipe(1, QStringLiteral("Bread"));
        k.addRecipe(1, QStringLiteral("Cake"));
        RecipeNew& w = k.open();
        QVERIFY(w.Toolbar2->visibleLook(letter('A')) == Look::NoData);

        // What saving does to the open set: a new row joins at its end, a renamed row keeps its place.
        w.RecipeSet.AddNew();
        w.RecipeSet.SetField(QStringLiteral("Name"), QStringLiteral("Apple Tart"));
        w.RecipeSet.SetField(QStringLiteral("category_code"), 1);
        w.RecipeSet.SetField(QStringLiteral("groupnum"), 1);
        w.RecipeSet.Update();
        w.FindRecipe(1, QStringLiteral("Cake"));
        w.RecipeSet.Edit();
        w.RecipeSet.SetField(QStringLiteral("Name"), QStringLiteral("Zebra Cake"));
        w.RecipeSet.Update();
        w.MarkLettersWithRecipes();

        QCOMPARE(lettersWithLook(w, Look::Normal), (QList<int>{letter('A'), letter('B'), letter('Z')}));
        QString z = QStringLiteral("Z");
        w.FillLetterList(z);
        QCOMPARE(listEntries(w), QStringList{"Zebra Cake"});
        QVERIFY(w.RecipeSet.isEOF()); // left past its end, as the callers expect
        QString a = QStringLiteral("A");
        w.FillLetterList(a);
        QCOMPARE(listEntries(w), QStringList{"Apple Tart"});
        w.FindRecipe(w.ListCodes.at(0), w.ListNames.at(0));
        w.ShowCurrentRecipe();
        QCOMPARE(w.Recipe_Name->text(), QStringLiteral("Apple Tart"));
        QCOMPARE(w.CurrentLetter, QStringLiteral("A"));

        w.FindRecipe(1, QStringLiteral("No Such Recipe"));
        QVERIFY(w.RecipeSet.isEOF());
    }

    void anEmptyGroupGreysThePage()
    {
        Kitchen k;
        RecipeNew& w = k.open(true);
        QCOMPARE(w.RecipeSet.RecordCount(), 0);
        QCOMPARE(lettersWithLook(w, Look::NoData).size(), 26);
        QCOMPARE(w.Recipe_List->count(), 0);
        QVERIFY(!w.Recipe_Name->isEnabled());
        QVERIFY(!w.SMGrid->isEnabled());
        QVERIFY(w.Toolbar1Button(1)->isVisible());
        QVERIFY(!w.Toolbar1Button(6)->isVisible());
        QVERIFY(!w.I_Button->isVisibleTo(&w));
        QVERIFY(!w.saverecipemenu->isVisible());

        k.addRecipe(5, QStringLiteral("Tuna Bake"));
        w.GroupGrid->setRow(2);
        qint16 left = 1;
        w.SelectGroup(left);
        QVERIFY(w.Recipe_Name->isEnabled());
        QVERIFY(w.Toolbar1Button(6)->isVisible());
        QVERIFY(!w.Toolbar1Button(3)->isVisible());
        QVERIFY(w.saverecipemenu->isVisible());

        // The boxes on the other tabs are white again too, as their tab shows them.
        for (int tab : {1, 2}) {
            w.SSTab1->setCurrentIndex(tab);
            ui::PlainTextBox* box = tab == 1 ? w.Ingrediants : w.Instructions;
            const QImage shown = box->viewport()->grab().toImage();
            QCOMPARE(shown.pixelColor(shown.width() / 2, shown.height() - 3), QColor(Qt::white));
        }
    }
};

QTEST_MAIN(TestRecipes)
#include "tst_recipes.moc"
