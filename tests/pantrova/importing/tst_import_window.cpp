// Importing recipe files through the main window's "Import Recipes..." command: numbering beside
// recipes already there, cleaned names, figures and pictures, the summary, Cancel and failures
// that leave the cookbook as it was.
#include "MealMasterSample.h"
#include "TestWorld.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "importing/ImportRecipes.h"
#include "recipes/RecipeEditor.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "ui/PlainTextBox.h"
#include "ui/ScriptedDialogs.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

using namespace pantrova;
using ui::ScriptedDialogs;

namespace {

ScriptedDialogs::Failure failTest()
{
    return [](const QString& d) { QTest::qFail(qUtf8Printable(d), __FILE__, __LINE__); };
}

QString sample(const QString& name)
{
    return QDir(QStringLiteral(IMPORT_SAMPLES_DIR)).filePath(name);
}

// A main window over a fresh copy of the template cookbook with the import command attached, as
// the program attaches it, and a folder of recipe files to import.
struct Window
{
    TestWorld world;
    QTemporaryDir files;
    ScriptedDialogs dialogs{failTest()};
    RecipeNew* w = nullptr;

    Window()
    {
        program().reset();
        world.copyShipped(QStringLiteral("Recipe70e.mdb"), QStringLiteral("recipe20.mdb"));
        program().folder = world.path();
        program().CurrentCookbookFile = QStringLiteral("recipe20.mdb");
        program().CurrentCookbookName = QStringLiteral("My CookBook");
        program().mainWindowCreated.push_back(&ImportRecipes::attachTo);
        w = new RecipeNew;
        w->Form_Load();
    }
    ~Window() { program().reset(); }

    QAction* importCommand() const
    {
        for (QAction* a : w->File_Menu->actions())
            if (a->text() == u"Import Recipes...")
                return a;
        return nullptr;
    }
    void add(const QString& name)
    {
        w->editor().AddRecipe();
        w->Recipe_Name->setText(name);
        w->editor().SaveRecipeCommand();
    }
    int count(const QString& where = QStringLiteral("1 = 1"))
    {
        return program()
            .Cookbook.OpenRecordset(QStringLiteral("select * from recipes where ") + where)
            .RecordCount();
    }
    engine::Recordset row(const QString& name, int number = 1)
    {
        return program().Cookbook.OpenRecordset(
            QStringLiteral("select * from recipes where name = ? and category_code = ?"),
            {engine::Value(name), engine::Value(number)});
    }
    // A copy of a sample in the folder of files to import.
    QString copy(const QString& name)
    {
        const QString to = files.filePath(name);
        QFile::copy(sample(name), to);
        return to;
    }
    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile f(files.filePath(name));
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(name));
        f.write(bytes);
        return f.fileName();
    }
    // The apple pie page saved with its picture, as a browser saves a page with its files.
    QString pageWithPicture()
    {
        const QString page = copy(QStringLiteral("apple-pie.html"));
        QDir(files.path()).mkdir(QStringLiteral("apple-pie_files"));
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        picture.save(files.filePath(QStringLiteral("apple-pie_files/apple-pie.jpg")), "PNG");
        return page;
    }
    QStringList pictures() const
    {
        return QDir(world.filePath(QStringLiteral("PICS"))).entryList(QDir::Files);
    }
};

} // namespace

class TestImportWindow : public QObject
{
    Q_OBJECT

private slots:
    void importBesideARecipeOfTheSameName()
    {
        Window t;
        t.add(QStringLiteral("Apple Crumb Pie"));
        QAction* command = t.importCommand();
        QVERIFY(command);
        QCOMPARE(t.w->File_Menu->actions().indexOf(command) + 2,
                 t.w->File_Menu->actions().indexOf(t.w->Quit_Menu));

        const QStringList chosen = {
            t.copy(QStringLiteral("club.mmf")), t.pageWithPicture(), t.copy(QStringLiteral("weeknight.html")),
            t.write(QStringLiteral("notes.txt"), "Buy milk.\n"),
            t.write(QStringLiteral("quotes.mmf"), "MMMMM----- Recipe via Meal-Master (tm) v8.05\n"
                                                  "      Title: \"''\"\n      1 c  Water\nMMMMM\n")};
        t.dialogs.expectFiles(chosen);
        t.dialogs.expectMessageContaining(QStringLiteral("6 recipes were imported into the group ") +
                                          t.w->CurrentGroupName + QStringLiteral(".\n\nNot imported:\n"));
        command->trigger();
        QVERIFY(t.dialogs.allAnswered());
        const QString summary = t.dialogs.messagesAsked().constLast().text;
        QVERIFY2(
            summary.contains(QStringLiteral("\nweeknight.html, line 19: The recipe data cannot be read (")),
            qPrintable(summary));
        QVERIFY(summary.contains(QStringLiteral("\nnotes.txt: The file holds no MealMaster recipe.\n")));
        QVERIFY(summary.endsWith(QStringLiteral("\nquotes.mmf, line 1: The recipe has no name.")));

        // Numbered after the recipe that was there; quotation marks gone from the names.
        QCOMPARE(t.count(), 7);
        QCOMPARE(t.row(QStringLiteral("Apple Crumb Pie"), 2).RecordCount(), 1);
        engine::Recordset bread = t.row(QStringLiteral("Grandmas Best Oat Bread"));
        QCOMPARE(bread.RecordCount(), 1);
        QCOMPARE(bread.Text(QStringLiteral("Description")),
                 QStringLiteral("Yield: 1 loaf\nCategories: Breads"));
        QVERIFY(bread.Fields(QStringLiteral("S1")).isNull());
        QCOMPARE(bread.Text(QStringLiteral("Picture")), QString());

        engine::Recordset pie = t.row(QStringLiteral("Moms Apple Pie"));
        QCOMPARE(pie.Fields(QStringLiteral("S1")).toDouble(), 8.0);
        QCOMPARE(pie.Fields(QStringLiteral("c1")).toDouble(), 240.0);
        QCOMPARE(pie.Fields(QStringLiteral("G6")).toDouble(), 0.18);
        QVERIFY(pie.Fields(QStringLiteral("G3")).isNull());
        QCOMPARE(pie.Text(QStringLiteral("Ingrediants")).count(u'\n'), 3);
        QCOMPARE(pie.Text(QStringLiteral("Picture")), QStringLiteral("pics\\apple-pie.jpg"));
        QCOMPARE(t.pictures(), QStringList{QStringLiteral("apple-pie.jpg")});
        QCOMPARE(t.row(QStringLiteral("Lentil Soup")).Text(QStringLiteral("Picture")), QString());

        // The window shows the group again, on the first recipe imported.
        QCOMPARE(t.w->Recipe_Name->text(), QStringLiteral("Apple Crumb Pie"));
        QCOMPARE(t.w->Text1->text(), QStringLiteral("- 2"));
        QVERIFY(t.w->Ingrediants->toPlainText().startsWith(QStringLiteral("1 Unbaked pie shell (9-inch)\n")));
        QVERIFY(t.w->Recipe_List->findText(QStringLiteral("Apple Crumb Pie - 2")) >= 0);
        QCOMPARE(t.w->CurrentLetter, QStringLiteral("A"));

        // The same files again: every recipe takes the next free number.
        t.dialogs.expectFiles(QStringList{chosen[0]});
        t.dialogs.expectMessage(QStringLiteral("3 recipes were imported into the group ") +
                                t.w->CurrentGroupName + u'.');
        command->trigger();
        QCOMPARE(t.row(QStringLiteral("Apple Crumb Pie"), 3).RecordCount(), 1);
        QCOMPARE(t.row(QStringLiteral("Grandmas Best Oat Bread"), 2).RecordCount(), 1);
        QCOMPARE(t.w->Text1->text(), QStringLiteral("- 3"));
    }

    void namesThatDifferOnlyInCaseShareTheirNumbersAccentsDoNot()
    {
        Window t;
        t.add(QStringLiteral("Crème Brûlée"));
        QByteArray file;
        for (const char* title : {"CRÈME BRÛLÉE", "creme brulee", "crème brûlée", "Creme Brulee"})
            file += QByteArray("MMMMM----- Recipe via Meal-Master (tm) v8.05\n      Title: ") + title +
                    "\n      1 c  Cream\nMMMMM\n\n";
        t.dialogs.expectFiles(QStringList{t.write(QStringLiteral("custard.mmf"), file)});
        t.dialogs.expectMessage(QStringLiteral("4 recipes were imported into the group ") +
                                t.w->CurrentGroupName + u'.');
        t.importCommand()->trigger();
        QVERIFY(t.dialogs.allAnswered());
        // Numbered as a save numbers them: the database's comparison decides which names are one.
        const QList<std::pair<QString, int>> numbered = {{QStringLiteral("CRÈME BRÛLÉE"), 2},
                                                         {QStringLiteral("crème brûlée"), 3},
                                                         {QStringLiteral("creme brulee"), 1},
                                                         {QStringLiteral("Creme Brulee"), 2}};
        for (const auto& [name, number] : numbered)
            QCOMPARE(t.row(name, number).Text(QStringLiteral("Name")), name);
        // And a recipe added afterwards takes the next number after all of them.
        t.add(QStringLiteral("crème BRÛLÉE"));
        QCOMPARE(t.row(QStringLiteral("crème BRÛLÉE"), 4).RecordCount(), 1);
    }

    void cancelWhileWritingLeavesTheCookbookAsItWas()
    {
        Window t;
        t.add(QStringLiteral("Kept"));
        const QStringList chosen = {t.pageWithPicture(),
                                    t.write(QStringLiteral("big.mmf"), mealMasterRecipes(1500))};
        // Cancel is pressed once some recipes are written: the picture was copied by then.
        QTimer presser;
        int writtenWhenCancelled = -1;
        QObject::connect(&presser, &QTimer::timeout, [&] {
            auto* progress = t.w->findChild<QProgressDialog*>(QStringLiteral("ImportProgress"));
            if (progress && progress->labelText().startsWith(u"Importing") && progress->value() > 0 &&
                writtenWhenCancelled < 0) {
                writtenWhenCancelled = progress->value();
                progress->cancel();
            }
        });
        presser.start(0);
        t.dialogs.expectFiles(chosen);
        t.dialogs.expectMessage(ImportRecipes::cancelledText());
        t.importCommand()->trigger();
        QVERIFY(t.dialogs.allAnswered());
        QVERIFY(writtenWhenCancelled > 0);
        QCOMPARE(t.count(), 1);
        QCOMPARE(t.pictures(), QStringList());
        QCOMPARE(t.w->Recipe_Name->text(), QStringLiteral("Kept"));

        // Choosing no file does nothing at all.
        t.dialogs.expectFiles(std::nullopt);
        t.importCommand()->trigger();
        QVERIFY(t.dialogs.allAnswered());
    }

    void failureImportsNothing()
    {
        Window t;
        // A file where the pictures folder belongs: the page's picture cannot be brought in.
        QFile blocker(t.world.filePath(QStringLiteral("PICS")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        t.dialogs.expectFiles(QStringList{t.copy(QStringLiteral("club.mmf")), t.pageWithPicture()});
        t.dialogs.expectMessageContaining(
            QStringLiteral("Importing recipes failed.\n\nCannot create the folder"));
        t.importCommand()->trigger();
        QVERIFY(t.dialogs.allAnswered());
        QCOMPARE(t.count(), 0);

        // The window goes on: the same import without the page works.
        t.dialogs.expectFiles(QStringList{t.files.filePath(QStringLiteral("club.mmf"))});
        t.dialogs.expectMessageContaining(QStringLiteral("3 recipes were imported"));
        t.importCommand()->trigger();
        QCOMPARE(t.count(), 3);
    }
};

QTEST_MAIN(TestImportWindow)
#include "tst_import_window.moc"
