#include "RecipeImporter.h"

#include "RecipeFile.h"
#include "RecipePage.h"
#include "recipes/PictureStore.h"
#include "recipes/RecipeStore.h"
#include "startup/SharedRoutines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <optional>

namespace pantrova {

namespace {

// The files the pictures folder holds, so that files an import copied in can be told apart.
class NewPictures
{
public:
    explicit NewPictures(QString programFolder) : m_folder(std::move(programFolder)) {}

    // Call before the first picture is brought in.
    void noteBefore()
    {
        if (m_before)
            return;
        m_before = QSet<QString>();
        const QStringList entries = picturesDir().entryList(QDir::Files | QDir::Hidden);
        for (const QString& e : entries)
            m_before->insert(e);
    }
    void removeAgain() const
    {
        if (!m_before)
            return;
        const QDir dir = picturesDir();
        const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden);
        for (const QString& e : entries)
            if (!m_before->contains(e))
                QFile::remove(dir.filePath(e));
    }

private:
    QDir picturesDir() const
    {
        const QDir folder(m_folder);
        const QStringList entries = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString& e : entries)
            if (e.compare(u"PICS", Qt::CaseInsensitive) == 0)
                return QDir(folder.filePath(e));
        return QDir(folder.filePath(QStringLiteral("PICS")));
    }

    QString m_folder;
    std::optional<QSet<QString>> m_before;
};

// The numbers every name already carries in the target group, read once. Asked of the database
// for each imported recipe, the group would be read through every time: names compare without
// regard to case (accents count), which no index stored in the file can answer, and an import of
// thousands into a large group would slow down with every recipe.
class GroupNumbers
{
public:
    GroupNumbers(engine::Database& db, qint16 group)
    {
        engine::Recordset taken =
            db.OpenRecordset(QStringLiteral("select Name, category_code from recipes where groupnum = ?"),
                             {engine::Value(int(group))});
        for (; !taken.isEOF(); taken.MoveNext())
            m_used[key(taken.Text(QStringLiteral("Name")))].insert(
                taken.Fields(QStringLiteral("category_code")).toLong());
        taken.Close();
    }

    // The first free number for the stored name, from 1 upward, now taken.
    qint32 take(const QString& name)
    {
        QSet<qint64>& used = m_used[key(name)];
        qint32 number = 1;
        while (used.contains(number))
            ++number;
        used.insert(number);
        return number;
    }

private:
    // Equal keys for names the database calls equal in a WHERE clause: decomposed and case folded,
    // accents kept.
    static QString key(const QString& name)
    {
        return name.normalized(QString::NormalizationForm_D).toCaseFolded();
    }

    QHash<QString, QSet<qint64>> m_used;
};

QString cleanedName(const QString& name)
{
    QString cleaned = RecipeStore::storedName(name);
    SanitizeName(cleaned, 0);
    return RecipeStore::storedName(cleaned);
}

} // namespace

QList<RecipeImporter::Source> RecipeImporter::read(const QStringList& files, const Progress& progress,
                                                   bool* cancelled)
{
    QList<Source> sources;
    if (cancelled)
        *cancelled = false;
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (!progress(QStringLiteral("Reading %1...").arg(QFileInfo(files[i]).fileName()), int(i),
                      int(files.size()))) {
            if (cancelled)
                *cancelled = true;
            return {};
        }
        Source s;
        s.file = files[i];
        importing::RecipeFileKind kind = importing::RecipeFileKind::MealMaster;
        s.parsed = importing::readRecipeFile(files[i], &kind);
        s.webPage = kind == importing::RecipeFileKind::WebPage;
        sources.append(std::move(s));
    }
    return sources;
}

RecipeImporter::Result RecipeImporter::write(engine::Database& db, const QString& programFolder, qint16 group,
                                             const QList<Source>& sources, const Progress& progress)
{
    Result result;
    int total = 0;
    for (const Source& s : sources) {
        total += int(s.parsed.recipes.size());
        for (const importing::SkippedRecipe& skip : s.parsed.skipped)
            result.skipped.append({s.file, skip.line, skip.reason});
    }

    const PictureStore pictures(programFolder);
    NewPictures newPictures(programFolder);
    GroupNumbers numbers(db, group);
    engine::Recordset rows = db.OpenRecordset(QStringLiteral("select * from recipes where groupnum = ?"),
                                              {engine::Value(int(group))});
    try {
        engine::Transaction transaction(db);
        int done = 0;
        for (const Source& s : sources) {
            for (const importing::ImportedRecipe& recipe : s.parsed.recipes) {
                if (!progress(QStringLiteral("Importing recipes..."), done++, total)) {
                    result.cancelled = true;
                    break;
                }
                RecipeText text;
                text.name = cleanedName(recipe.name);
                if (text.name.isEmpty()) {
                    result.skipped.append({s.file, recipe.line, QStringLiteral("The recipe has no name.")});
                    continue;
                }
                text.description = recipe.storedDescription();
                text.ingrediants = recipe.storedIngredients();
                text.instructions = recipe.instructions;
                for (auto it = recipe.figures.cbegin(); it != recipe.figures.cend(); ++it)
                    if (rows.HasField(it.key()))
                        text.figures.append({it.key(), engine::Value(it.value())});

                QString picture;
                if (s.webPage && !recipe.picture.isEmpty()) {
                    const QString file = importing::pictureBesidePage(s.file, recipe.picture);
                    // The stored path must fit its field; a name that long is left behind.
                    const bool fits = PictureStore::storedPathFor(QFileInfo(file).fileName()).size() <= 255;
                    if (!file.isEmpty() && fits && PictureStore::isReadablePicture(file)) {
                        newPictures.noteBefore();
                        picture = pictures.bringIn(file);
                    }
                }
                const qint32 number = numbers.take(text.name);
                RecipeStore::addNumberedInTransaction(rows, text, group, picture, number);
                if (result.imported++ == 0) {
                    result.firstName = text.name;
                    result.firstNumber = number;
                }
            }
            if (result.cancelled)
                break;
        }
        if (result.cancelled) {
            rows.Close();
            // The transaction's guard rolls back; what was counted never went in.
            result.imported = 0;
            result.firstName.clear();
            result.firstNumber = 0;
            newPictures.removeAgain();
            return result;
        }
        transaction.commit();
    } catch (...) {
        rows.Close();
        newPictures.removeAgain();
        throw;
    }
    rows.Close();
    return result;
}

} // namespace pantrova
