#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace pantrova::importing {

// One recipe as a file holds it, before it meets a cookbook: plain texts, already freed of the
// file's layout (columns, markup, entities). The parsers fill it; the importer cleans the name and
// numbers it as the editor does.
struct ImportedRecipe
{
    int line = 0; // where the recipe starts in its file, counted from 1
    QString name;
    QString description;
    QStringList categories;
    QString yield;           // the yield as written, when it is more than a number of servings
    QStringList ingredients; // one line each; a heading of a part of the list is a line of its own
    QString instructions;
    QString picture; // the picture as the page names it (an address or a relative path)
    // Serving and nutrition figures by the name of their field in the recipe tables ("S1", "c1",
    // "G1" ... "G12"), per serving, grams for the nutrients.
    QMap<QString, double> figures;

    // The description as the recipe page shows it: the file's own description followed by what
    // has no field of its own (the yield when it is not a number of servings, the categories).
    QString storedDescription() const;
    QString storedIngredients() const { return ingredients.join(u'\n'); }
};

// A recipe a file holds but that cannot be imported, or a file that holds none.
struct SkippedRecipe
{
    int line = 0; // 0 when the whole file is meant
    QString reason;
};

struct ParsedFile
{
    QList<ImportedRecipe> recipes;
    QList<SkippedRecipe> skipped;
};

} // namespace pantrova::importing
