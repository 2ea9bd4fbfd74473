#pragma once

#include "ImportedRecipe.h"
#include "data/Database.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace pantrova {

// Brings the recipes of recipe files into the open cookbook.
//
// Reading parses every file first (nothing is written then). Writing puts the recipes into one
// group as the editor saves a new recipe: the name trimmed, cut to 50 characters and freed of
// quotation marks, the first free number for that name in the group, the serving and nutrition
// figures the file gives. A web page's picture is taken only when it was saved with the page and
// is a picture the program can show; it is brought into the pictures folder as the picture
// commands do.
//
// All recipes of one import are one transaction: when the person cancels or anything fails, the
// cookbook is as it was and pictures copied for the import are removed again. Recipes that cannot
// be imported (no name, no title, a file that holds none) are listed with their file and line.
// Used from the user-interface thread only.
class RecipeImporter
{
public:
    struct Source
    {
        QString file;
        bool webPage = false;
        importing::ParsedFile parsed;
    };
    struct Skipped
    {
        QString file;
        int line = 0; // 0: the whole file
        QString reason;
    };
    struct Result
    {
        int imported = 0;
        QList<Skipped> skipped;
        bool cancelled = false;
        QString firstName; // the first recipe imported, to show it
        qint32 firstNumber = 0;
    };
    // Told how far the work is; returns false to cancel it.
    using Progress = std::function<bool(const QString& label, int done, int total)>;

    // Parses the files; empty when cancelled.
    static QList<Source> read(const QStringList& files, const Progress& progress, bool* cancelled = nullptr);

    static Result write(engine::Database& db, const QString& programFolder, qint16 group,
                        const QList<Source>& sources, const Progress& progress);
};

} // namespace pantrova
