// Reading recipe files: MealMaster files in both header forms, saved recipe web pages, the numbers
// they write in words, their text encodings, and damaged input of every kind.
#include "importing/HtmlText.h"
#include "importing/MealMaster.h"
#include "importing/Quantities.h"
#include "importing/RecipeFile.h"
#include "importing/RecipePage.h"
#include "importing/TextDecoding.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using namespace pantrova::importing;

namespace {

QString sample(const QString& name)
{
    return QDir(QStringLiteral(IMPORT_SAMPLES_DIR)).filePath(name);
}

QByteArray sampleBytes(const QString& name)
{
    QFile f(sample(name));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing sample %s", qPrintable(name));
    return f.readAll();
}

// The line of a file that holds `text`, counted from 1.
int lineOf(const QString& file, const QString& text)
{
    const QStringList lines = recipeText(sampleBytes(file)).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (lines[i].contains(text))
            return int(i + 1);
    return -1;
}

QString col(const QString& amount, const QString& unit, const QString& text)
{
    return amount.rightJustified(7) + u' ' + unit.leftJustified(2) + u' ' + text;
}

void touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("picture");
}

} // namespace

class TestImporting : public QObject
{
    Q_OBJECT

private slots:
    // --- MealMaster ---------------------------------------------------------------------------

    void mealMasterFileWithThreeRecipesAmongGarbage()
    {
        RecipeFileKind kind = RecipeFileKind::WebPage;
        const ParsedFile file = readRecipeFile(sample(QStringLiteral("club.mmf")), &kind);
        QCOMPARE(kind, RecipeFileKind::MealMaster);
        QVERIFY2(file.skipped.isEmpty(), qPrintable(file.skipped.value(0).reason));
        QCOMPARE(file.recipes.size(), 3);

        const ImportedRecipe& pie = file.recipes[0];
        QCOMPARE(pie.name, QStringLiteral("Apple Crumb Pie"));
        QCOMPARE(pie.line, lineOf(QStringLiteral("club.mmf"), QStringLiteral("Meal-Master")));
        QCOMPARE(pie.categories, QStringList({QStringLiteral("Pies"), QStringLiteral("Desserts")}));
        QCOMPARE(pie.figures.value(QStringLiteral("S1")), 8.0);
        QVERIFY(pie.yield.isEmpty());
        QCOMPARE(pie.ingredients,
                 QStringList({QStringLiteral("1 Unbaked pie shell (9-inch)"),
                              QStringLiteral("6 cup Tart apples, peeled and thinly sliced"),
                              QStringLiteral("1/2 cup Sugar"), QStringLiteral("1 tsp Cinnamon"),
                              QStringLiteral("TOPPING"), QStringLiteral("1/2 cup Flour"),
                              QStringLiteral("1/3 cup Brown sugar"), QStringLiteral("3 tbsp Butter")}));
        QCOMPARE(
            pie.instructions,
            QStringLiteral("Heat the oven to 400 F. Arrange the apples in the pie shell and sprinkle them "
                           "with the sugar mixed with the cinnamon.\n\n"
                           "Rub the topping together until crumbly and scatter it over the apples. Bake "
                           "for 40 minutes."));

        // Two columns are read down the left column, then down the right one; a continuation
        // belongs to the ingredient above it in its own column.
        const ImportedRecipe& soup = file.recipes[1];
        QCOMPARE(soup.name, QStringLiteral("Chicken & Rice Soup"));
        QCOMPARE(soup.line, lineOf(QStringLiteral("club.mmf"), QStringLiteral("Chicken & Rice")) - 2);
        QCOMPARE(soup.ingredients,
                 QStringList({QStringLiteral("2 lb Chicken pieces"), QStringLiteral("2 quart Water"),
                              QStringLiteral("1 medium Onion, chopped"), QStringLiteral("2 Carrots, sliced"),
                              QStringLiteral("1 Celery stalk, sliced"),
                              QStringLiteral("1 cup Long-grain rice"), QStringLiteral("2 tsp Salt"),
                              QStringLiteral("1/4 tsp Black pepper, freshly ground")}));
        // Wrapped lines are joined; numbered steps and short lines keep their breaks.
        QCOMPARE(
            soup.instructions,
            QStringLiteral("Simmer the chicken in the water for an hour. Lift it out, take the meat from "
                           "the bones and return it to the pot.\n1. Add the vegetables and the rice.\n"
                           "2. Season and simmer 20 minutes more.\nSource: The club newsletter"));

        // The last recipe has no end mark: the end of the file ends it.
        const ImportedRecipe& bread = file.recipes[2];
        QCOMPARE(bread.name, QStringLiteral("Grandma's \"Best\" Oat Bread"));
        QCOMPARE(bread.categories, QStringList{QStringLiteral("Breads")});
        QCOMPARE(bread.yield, QStringLiteral("1 loaf"));
        QVERIFY(!bread.figures.contains(QStringLiteral("S1")));
        QCOMPARE(bread.ingredients.value(1), QStringLiteral("1 1/2 cup Boiling water"));
        QCOMPARE(bread.ingredients.value(2), QStringLiteral("1 package Dry yeast"));
        QVERIFY(bread.instructions.endsWith(QStringLiteral("bake at 375 F for 45 minutes.")));
        QCOMPARE(bread.storedDescription(), QStringLiteral("Yield: 1 loaf\nCategories: Breads"));
    }

    void dashFormInWindowsCodePage()
    {
        const ParsedFile file = readRecipeFile(sample(QStringLiteral("dessert.mmf")));
        QCOMPARE(file.recipes.size(), 1);
        const ImportedRecipe& r = file.recipes[0];
        QCOMPARE(r.name, QStringLiteral("Cr\u00e8me Br\u00fbl\u00e9e"));
        QCOMPARE(r.figures.value(QStringLiteral("S1")), 4.0);
        QCOMPARE(r.ingredients.size(), 4);
        QCOMPARE(r.ingredients[1], QStringLiteral("5 Egg yolks"));
        QVERIFY(r.instructions.contains(QStringLiteral("sugar\u2014then pour")));
        QVERIFY(r.instructions.contains(QStringLiteral("325\u00b0F")));
    }

    void damagedMealMasterRecipesAreSkippedOrClosedByTheNext()
    {
        const QStringList lines = {
            QStringLiteral("MMMMM----- Recipe via Meal-Master (tm) v8.05"), // 1: no title
            QStringLiteral(" Categories: Soups"),
            col(QStringLiteral("1"), QStringLiteral("c"), QStringLiteral("Water")),
            QStringLiteral("MMMMM"),
            QString(),
            QStringLiteral("MMMMM----- Recipe via Meal-Master (tm) v8.05"), // 6: no end mark
            QStringLiteral("      Title: Toast"),
            col(QStringLiteral("2"), QStringLiteral("sl"), QStringLiteral("Bread")),
            QStringLiteral("---------- Recipe via Meal-Master (tm) v8.02"), // 9: the dash form
            QStringLiteral("      Title:"),
            QStringLiteral("   Servings: 2"),
            col(QString(), QString(), QStringLiteral("-a continuation with nothing above")),
            col(QStringLiteral("1"), QStringLiteral("XY"), QStringLiteral("Odd unit")),
            QStringLiteral("-----"),
            QStringLiteral("MMMMM"),
        };
        const ParsedFile file = parseMealMaster(lines.join(u'\n'));
        QCOMPARE(file.skipped.size(), 1);
        QCOMPARE(file.skipped[0].line, 1);
        QCOMPARE(file.recipes.size(), 2);
        QCOMPARE(file.recipes[0].name, QStringLiteral("Toast"));
        QCOMPARE(file.recipes[0].line, 6);
        QCOMPARE(file.recipes[0].ingredients, QStringList{QStringLiteral("2 slice Bread")});
        QCOMPARE(file.recipes[1].line, 9);
        QVERIFY(file.recipes[1].name.isEmpty()); // the importer refuses it by name
        QCOMPARE(file.recipes[1].ingredients,
                 QStringList(
                     {QStringLiteral("a continuation with nothing above"), QStringLiteral("1 XY Odd unit")}));

        QCOMPARE(parseMealMaster(u"just some notes\nabout cooking\n").skipped.size(), 1);
        QVERIFY(parseMealMaster(u"").recipes.isEmpty());
    }

    // --- web pages ------------------------------------------------------------------------------

    void webPageWithGraphSectionsAndNutrition()
    {
        RecipeFileKind kind = RecipeFileKind::MealMaster;
        const ParsedFile file = readRecipeFile(sample(QStringLiteral("apple-pie.html")), &kind);
        QCOMPARE(kind, RecipeFileKind::WebPage);
        QVERIFY(file.skipped.isEmpty());
        QCOMPARE(file.recipes.size(), 1);
        const ImportedRecipe& r = file.recipes[0];
        QCOMPARE(r.name, QStringLiteral("Mom's Apple Pie"));
        QCOMPARE(r.line,
                 lineOf(QStringLiteral("apple-pie.html"), QStringLiteral("<script type='application")));
        QCOMPARE(r.description, QStringLiteral("A classic double-crust pie & a family favourite."));
        QCOMPARE(r.ingredients.size(), 4);
        QCOMPARE(r.ingredients[2], QStringLiteral("3/4 cup sugar"));
        QCOMPARE(r.instructions, QStringLiteral("Filling\n1. Toss the apples with the sugar and cinnamon.\n"
                                                "2. Let stand for 10 minutes.\n\n"
                                                "Baking\nFill the crust, cover it and bake at 425\u00b0F for "
                                                "45 minutes."));
        QCOMPARE(r.picture, QStringLiteral("https://example.com/images/apple-pie.jpg?w=1200"));
        QCOMPARE(r.storedDescription(), QStringLiteral("A classic double-crust pie & a family favourite.\n\n"
                                                       "Yield: 8 slices\nCategories: Dessert"));

        const QMap<QString, double> expected = {
            {QStringLiteral("S1"), 8},   {QStringLiteral("c1"), 240},   {QStringLiteral("G1"), 12},
            {QStringLiteral("G2"), 4.5}, {QStringLiteral("G5"), 0.035}, {QStringLiteral("G6"), 0.18},
            {QStringLiteral("G7"), 32},  {QStringLiteral("G8"), 2},     {QStringLiteral("G10"), 18},
            {QStringLiteral("G12"), 2},
        };
        QCOMPARE(r.figures.keys(), expected.keys());
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QVERIFY2(qFuzzyCompare(r.figures.value(it.key()), it.value()), qPrintable(it.key()));
    }

    void webPageWithListOfRecipesAndDamagedBlocks()
    {
        const ParsedFile file = readRecipeFile(sample(QStringLiteral("weeknight.html")));
        // The second copy of the soup is the same recipe; the broken block is reported.
        QCOMPARE(file.recipes.size(), 2);
        const ImportedRecipe& soup = file.recipes[0];
        QCOMPARE(soup.name, QStringLiteral("Lentil Soup"));
        QCOMPARE(soup.line, 2);
        QCOMPARE(soup.figures.value(QStringLiteral("S1")), 4.0);
        QCOMPARE(soup.ingredients.size(), 3);
        QCOMPARE(
            soup.instructions,
            QStringLiteral("Soften the onion.\nAdd the lentils and the stock\nand simmer for 25 minutes."));
        QCOMPARE(soup.figures.value(QStringLiteral("c1")), 310.0);
        QCOMPARE(soup.figures.value(QStringLiteral("G1")), 12.5);
        QCOMPARE(soup.figures.value(QStringLiteral("G6")), 1.2);
        QCOMPARE(soup.figures.value(QStringLiteral("G12")), 18.0);

        // A line break inside a string is read as a blank; a lone ingredient text is a list of one.
        const ImportedRecipe& bread = file.recipes[1];
        QCOMPARE(bread.name, QStringLiteral("Garlic Bread"));
        QCOMPARE(bread.ingredients, QStringList{QStringLiteral("1 baguette")});
        QCOMPARE(bread.instructions, QStringLiteral("1. Slice the bread.\n2. Spread with garlic butter.\n"
                                                    "3. Toast until golden."));

        QCOMPARE(file.skipped.size(), 1);
        QCOMPARE(file.skipped[0].line, 19);

        QCOMPARE(parseRecipePage(u"<html><body>No data</body></html>").skipped.size(), 1);
    }

    void picturesAreTakenOnlyFromBesideThePage()
    {
        QTemporaryDir dir;
        const QString page = dir.filePath(QStringLiteral("site/Pie.html"));
        touch(page);
        touch(dir.filePath(QStringLiteral("site/Pie_files/apple-pie.JPG")));
        touch(dir.filePath(QStringLiteral("site/images/crust.png")));
        touch(dir.filePath(QStringLiteral("secret.png")));

        QCOMPARE(pictureBesidePage(page, QStringLiteral("https://example.com/img/apple-pie.jpg?w=200")),
                 dir.filePath(QStringLiteral("site/Pie_files/apple-pie.JPG")));
        QCOMPARE(pictureBesidePage(page, QStringLiteral("images/crust.png")),
                 dir.filePath(QStringLiteral("site/images/crust.png")));
        QVERIFY(pictureBesidePage(page, QStringLiteral("../secret.png")).isEmpty());
        QVERIFY(
            pictureBesidePage(page, QStringLiteral("file://") + dir.filePath(QStringLiteral("secret.png")))
                .isEmpty());
        QVERIFY(pictureBesidePage(page, QStringLiteral("https://example.com/missing.jpg")).isEmpty());
        QVERIFY(pictureBesidePage(page, QStringLiteral("https://example.com/")).isEmpty());
        QVERIFY(pictureBesidePage(page, QStringLiteral("data:image/png;base64,AAAA")).isEmpty());
    }

    void markupInTexts()
    {
        QCOMPARE(decodeEntities(u"Fish &amp; chips &#8211; &#x2019;s &nope; & more &#0; &#99999999;"),
                 QStringLiteral("Fish & chips \u2013 \u2019s &nope; & more \ufffd \ufffd"));
        QCOMPARE(plainTextOfHtml(u"<ol><li>Mix</li><li>Bake &lt;20 min</li></ol> 3 < 4"),
                 QStringLiteral("Mix\nBake <20 min\n3 < 4"));
        QCOMPARE(plainTextOfHtml(u"a <b unclosed"), QStringLiteral("a <b unclosed"));
    }

    // --- numbers and text -----------------------------------------------------------------------

    void quantities_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value"); // -1 for none
        const auto row = [](const char* name, const char* kind, const QString& text, double value) {
            QTest::newRow(name) << QString::fromLatin1(kind) << text << value;
        };
        row("servings bare", "servings", "4", 4.0);
        row("servings word", "servings", "6 servings", 6.0);
        row("servings range", "servings", "6-8 portions", 6.0);
        row("serves", "servings", "Serves 4", 4.0);
        row("loaf", "servings", "1 loaf", -1.0);
        row("dozen", "servings", "2 dozen", -1.0);
        row("words only", "servings", "several", -1.0);
        row("kcal", "calories", "240 kcal", 240.0);
        row("calories", "calories", "240 calories", 240.0);
        row("kJ", "calories", "1004.16 kJ", 240.0);
        row("no number", "calories", "lots", -1.0);
        row("grams", "grams", "12 g", 12.0);
        row("decimal comma", "grams", "12,5 g", 12.5);
        row("thousands", "grams", "1,200 mg", 1.2);
        row("mcg", "grams", "15 mcg", 0.000015);
        row("point first", "grams", ".5 g", 0.5);
        row("bare number", "grams", "7", 7.0);
        row("unknown unit", "grams", "3 cups", -1.0);
        row("endless digits", "grams", QString(400, u'9'), -1.0);
    }

    void quantities()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(double, value);
        const std::optional<double> got = kind == u"servings"   ? servingsIn(text)
                                          : kind == u"calories" ? caloriesIn(text)
                                                                : gramsIn(text, u"g");
        if (value < 0) {
            QVERIFY(!got);
        } else {
            QVERIFY(got);
            QVERIFY2(qAbs(*got - value) < 1e-9 * qMax(1.0, value), qPrintable(QString::number(*got)));
        }
    }

    void textEncodings()
    {
        QCOMPARE(recipeText("\xEF\xBB\xBF"
                            "caf\xC3\xA9\r\nline\rend\x1A"),
                 QStringLiteral("caf\u00e9\nline\nend"));
        QCOMPARE(recipeText("caf\xE9 \x93quoted\x94 \x80"),
                 QStringLiteral("caf\u00e9 \u201cquoted\u201d \u20ac"));
        QCOMPARE(recipeText(QByteArray("\xFF\xFE"
                                       "a\0b\0",
                                       6)),
                 QStringLiteral("ab"));
        QCOMPARE(recipeText(QByteArray("a\0b", 3)), QStringLiteral("ab"));
    }

    // --- damaged input --------------------------------------------------------------------------

    // Cut and scrambled files and hostile shapes: every one is read to its end without a fault.
    void damagedInputIsReadWithoutFault()
    {
        QList<QByteArray> inputs;
        for (const char* name : {"club.mmf", "dessert.mmf", "apple-pie.html", "weeknight.html"}) {
            const QByteArray bytes = sampleBytes(QString::fromLatin1(name));
            for (qsizetype cut = 0; cut < bytes.size(); cut += 37)
                inputs << bytes.left(cut);
            QRandomGenerator random(42);
            for (int n = 0; n < 200; ++n) {
                QByteArray scrambled = bytes;
                for (int k = 0; k < 8; ++k)
                    scrambled[random.bounded(int(scrambled.size()))] = char(random.bounded(256));
                inputs << scrambled;
            }
        }
        inputs << QByteArray(200000, '<') << QByteArray("<script").repeated(30000)
               << QByteArray("<script type=application/ld+json>") + QByteArray(100000, '[')
               << QByteArray(
                      "<script type=application/ld+json>{\"@type\":\"Recipe\",\"recipeInstructions\":") +
                      QByteArray("{\"itemListElement\":").repeated(5000)
               << QByteArray("MMMMM----- Meal-Master\n").repeated(20000)
               << QByteArray("MMMMM----- Meal-Master\n      Title: x\n") + QByteArray(300000, ' ')
               << QByteArray("&#").repeated(50000) << QByteArray("\xC3").repeated(1000);
        int recipes = 0;
        for (const QByteArray& bytes : inputs) {
            const QString text = recipeText(bytes);
            recipes += int(parseMealMaster(text).recipes.size());
            recipes += int(parseRecipePage(text).recipes.size());
            plainTextOfHtml(text);
        }
        QVERIFY(recipes > 0);
    }
};

QTEST_GUILESS_MAIN(TestImporting)
#include "tst_importing.moc"
