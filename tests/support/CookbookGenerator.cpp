#include "CookbookGenerator.h"

#include "data/Database.h"
#include "data/Workspace.h"

#include <QFile>
#include <QRandomGenerator>

using namespace engine;

namespace CookbookGenerator {

namespace {

const char* const kStyles[] = {"Classic", "Easy",   "Spicy",  "Grandma's", "Creamy",      "Rustic", "Quick",
                               "Smoky",   "Lemon",  "Garlic", "Honey",     "Slow-Cooked", "Baked",  "Grilled",
                               "Roasted", "Crispy", "Summer", "Winter",    "Holiday",     "Country"};
const char* const kDishes[] = {"Chicken Soup", "Beef Stew", "Apple Pie",    "Banana Bread", "Pot Roast",
                               "Meatloaf",     "Lasagna",   "Chili",        "Cornbread",    "Pancakes",
                               "Pork Chops",   "Salmon",    "Potato Salad", "Coleslaw",     "Brownies",
                               "Cheesecake",   "Muffins",   "Casserole",    "Fried Rice",   "Tacos",
                               "Meatballs",    "Risotto",   "Gumbo",        "Shortbread",   "Fudge",
                               "Quiche",       "Pot Pie",   "Chowder",      "Biscuits",     "Scones"};
const char* const kExtras[] = {"",
                               " with Herbs",
                               " with Cheese",
                               " for Two",
                               " Deluxe",
                               " with Rice",
                               " with Nuts",
                               " Supreme",
                               " with Bacon",
                               " Light",
                               " with Greens",
                               " Bake",
                               " with Gravy",
                               " Skillet",
                               " with Mushrooms"};
constexpr int kStyleCount = int(std::size(kStyles));
constexpr int kDishCount = int(std::size(kDishes));
constexpr int kExtraCount = int(std::size(kExtras));

QString paragraph(QRandomGenerator& rng, int words)
{
    static const QStringList vocabulary =
        QStringLiteral(
            "stir the mixture gently until smooth then add butter flour sugar and eggs bake in a preheated "
            "oven for "
            "twenty minutes or until golden brown let it cool on a rack before slicing season with salt and "
            "pepper to "
            "taste simmer over low heat cover and cook whisk in the cream serve warm with fresh bread")
            .split(u' ');
    QString text;
    for (int i = 0; i < words; ++i) {
        if (i)
            text += u' ';
        text += vocabulary[int(rng.bounded(vocabulary.size()))];
    }
    return text + u'.';
}

QString ingredients(QRandomGenerator& rng)
{
    static const QStringList lines = {QStringLiteral("2 cups all-purpose flour"),
                                      QStringLiteral("1 1/2 teaspoons baking powder"),
                                      QStringLiteral("3/4 cup sugar"),
                                      QStringLiteral("2 large eggs"),
                                      QStringLiteral("1 pound ground beef"),
                                      QStringLiteral("1 medium onion, chopped"),
                                      QStringLiteral("2 cloves garlic"),
                                      QStringLiteral("1 can diced tomatoes"),
                                      QStringLiteral("1/2 cup milk"),
                                      QStringLiteral("1 teaspoon salt"),
                                      QStringLiteral("4 tablespoons butter"),
                                      QStringLiteral("1 cup chicken broth")};
    QString text;
    const int count = 8 + int(rng.bounded(8));
    for (int i = 0; i < count; ++i)
        text += lines[int(rng.bounded(lines.size()))] + QStringLiteral("\r\n");
    return text;
}

} // namespace

QString recipeName(int i)
{
    return QStringLiteral("%1 %2%3").arg(
        QString::fromLatin1(kStyles[(i / kDishCount) % kStyleCount]),
        QString::fromLatin1(kDishes[i % kDishCount]),
        QString::fromLatin1(kExtras[(i / (kDishCount * kStyleCount)) % kExtraCount]));
}

int writeCookbook(const QString& templatePath, const QString& path, const CookbookShape& shape)
{
    QFile::remove(path);
    if (!QFile::copy(templatePath, path))
        qFatal("CookbookGenerator: cannot copy %s", qPrintable(templatePath));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);

    QRandomGenerator rng(shape.seed);
    Workspace ws;
    Database db = ws.OpenDatabase(path);
    QList<int> otherGroups;
    for (Recordset g = db.OpenRecordset(QStringLiteral("select * from groups order by groupnum")); !g.isEOF();
         g.MoveNext()) {
        const int n = int(g.Fields(QStringLiteral("groupnum")).toLong());
        if (n != 1)
            otherGroups.append(n);
    }
    // Names repeat within a group (about one in ten), so each (name, group) pair counts its own codes.
    QHash<QString, int> codes;
    Transaction t(db);
    const QString insert = QStringLiteral("INSERT INTO recipes (Name, category_code, groupnum, Description, "
                                          "Ingrediants, Instructions, Picture, "
                                          "S1, S2, c1, G1, P1) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    for (int i = 0; i < shape.recipeCount; ++i) {
        const bool first = i < shape.firstGroupCount;
        const int group = first ? 1 : otherGroups[i % otherGroups.size()];
        QString name = recipeName(int(rng.bounded(kStyleCount * kDishCount * kExtraCount)));
        if (first && i < shape.sameNameInFirstGroup)
            name = QStringLiteral("Chicken Soup");
        name = name.left(50);
        const int code = ++codes[name.toLower() + u'\x1f' + QString::number(group)];
        const QString picture = i % 5 == 0 ? QStringLiteral("pics\\dish%1.jpg").arg(i % 50) : QString();
        db.Execute(insert, {Value(name), Value(code), Value(group), Value(paragraph(rng, 30)),
                            Value(ingredients(rng)), Value(paragraph(rng, 180)), Value(picture),
                            Value(double(2 + i % 6)), Value(1.0), Value(double(150 + i % 400)),
                            Value(double(i % 30)), Value(double(i % 40))});
    }
    t.commit();
    ws.Close();
    return shape.recipeCount;
}

QStringList oldCategoryTables()
{
    return {QStringLiteral("Beef"),      QStringLiteral("Breads"),     QStringLiteral("Cakes"),
            QStringLiteral("Candies"),   QStringLiteral("Casseroles"), QStringLiteral("Cookies"),
            QStringLiteral("Fish"),      QStringLiteral("DessertO"),   QStringLiteral("MeatsO"),
            QStringLiteral("Personal1"), QStringLiteral("Personal2"),  QStringLiteral("Personal3"),
            QStringLiteral("Pies"),      QStringLiteral("Pork"),       QStringLiteral("Poultry"),
            QStringLiteral("Salads"),    QStringLiteral("Soup"),       QStringLiteral("Stews"),
            QStringLiteral("Veggies"),   QStringLiteral("Misc")};
}

void writeOldFormatCookbook(const QString& path, int perTable, const QStringList& personalNames,
                            const QStringList& tables)
{
    QFile::remove(path);
    Workspace ws;
    Database db = ws.CreateDatabase(path);
    // The old recipe tables had the recipe fields but no group; their field order differs from
    // today's table, which the import must not depend on.
    QString fields = QStringLiteral(
        "Instructions LONGTEXT COLLATE UNICASE, Name TEXT(50) COLLATE UNICASE, category_code INTEGER, "
        "Description LONGTEXT COLLATE UNICASE, Ingrediants LONGTEXT COLLATE UNICASE, Picture TEXT(255) "
        "COLLATE "
        "UNICASE, S1 DOUBLE, S2 DOUBLE, c1 DOUBLE, c2 DOUBLE");
    for (int i = 1; i <= 12; ++i)
        fields += QStringLiteral(", G%1 DOUBLE, P%1 DOUBLE").arg(i);
    QString script = QStringLiteral("BEGIN;\n");
    const QStringList wanted = tables.isEmpty() ? oldCategoryTables() : tables;
    for (const QString& table : wanted) {
        script += QStringLiteral("CREATE TABLE %1 (%2, groupnum SMALLINT);\n").arg(table, fields);
        for (int k = 0; k < perTable; ++k)
            script +=
                QStringLiteral("INSERT INTO %1 (Name, category_code, Description, Instructions, S1) VALUES "
                               "('%1 \"No.\" %2''s', 1, 'From the old book', 'Mix well.', %2);\n")
                    .arg(table)
                    .arg(k + 1);
    }
    script += QStringLiteral(
        "CREATE TABLE pnames (personal1 TEXT(255), personal2 TEXT(255), personal3 TEXT(255));\n");
    QStringList quoted;
    for (int k = 0; k < 3; ++k) {
        QString name = personalNames.value(k);
        name.replace(u'\'', QStringLiteral("''"));
        quoted.append(u'\'' + name + u'\'');
    }
    script += QStringLiteral("INSERT INTO pnames VALUES (%1);\nCOMMIT;\n").arg(quoted.join(u", "));
    db.ExecuteScript(script);
    ws.Close();
}

} // namespace CookbookGenerator
