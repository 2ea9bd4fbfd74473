#pragma once

#include <QByteArray>
#include <QString>

// Writes MealMaster files of any size for tests and benchmarks: recipes of realistic size (a dozen
// ingredient lines, some in two columns, three paragraphs of directions), every tenth name used
// before, with a line of mail garbage between recipes.
inline QByteArray mealMasterRecipes(int count)
{
    static const char* const dishes[] = {"Chicken Soup", "Apple Pie",   "Beef Stew",    "Banana Bread",
                                         "Lentil Curry", "Oat Cookies", "Tomato Salad", "Fish Chowder",
                                         "Rice Pudding", "Pork Roast",  "Corn Muffins", "Pumpkin Pie"};
    auto column = [](const QString& amount, const QString& unit, const QString& text) -> QString {
        return amount.rightJustified(7) + u' ' + unit.leftJustified(2) + u' ' + text;
    };
    QString out;
    out.reserve(count * 1500);
    for (int i = 0; i < count; ++i) {
        const int n = i % 10 == 9 ? i - 9 : i; // every tenth name repeats one used before
        const QString name = QString::fromLatin1(dishes[n % 12]) + u' ' + QString::number(n / 12);
        out += QStringLiteral("MMMMM----- Recipe via Meal-Master (tm) v8.05\n \n      Title: ") + name +
               QStringLiteral("\n Categories: Main dish, Family\n      Yield: 6 servings\n \n");
        for (int k = 0; k < 8; ++k)
            out += column(QString::number(k + 1), QStringLiteral("c"),
                          QStringLiteral("Ingredient number ") + QString::number(k)) +
                   u'\n';
        for (int k = 0; k < 2; ++k)
            out += column(QStringLiteral("1/2"), QStringLiteral("ts"),
                          QStringLiteral("Spice ") + QString::number(k))
                       .leftJustified(40) +
                   column(QStringLiteral("2"), QStringLiteral("T"),
                          QStringLiteral("Herb ") + QString::number(k)) +
                   u'\n';
        out += QStringLiteral(" \n");
        for (int p = 0; p < 3; ++p)
            out += QStringLiteral("  Combine the ingredients in a large pot and bring them slowly to a boil\n"
                                  "  over medium heat, stirring now and then. Lower the heat and simmer\n"
                                  "  until everything is tender, about forty minutes.\n \n");
        out += QStringLiteral("MMMMM\n\nFrom the club mailing list\n\n");
    }
    return out.replace(u'\n', QStringLiteral("\r\n")).toUtf8();
}
