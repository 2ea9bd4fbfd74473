#include "RecipeFile.h"

#include "MealMaster.h"
#include "RecipePage.h"
#include "TextDecoding.h"

#include <QFile>
#include <QFileInfo>

namespace pantrova::importing {

ParsedFile readRecipeFile(const QString& path, RecipeFileKind* kind)
{
    ParsedFile result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.skipped.append({0, QStringLiteral("The file cannot be read: %1.").arg(file.errorString())});
        return result;
    }
    if (file.size() > MaxRecipeFileSize) {
        result.skipped.append({0, QStringLiteral("The file is too large to be a recipe file.")});
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.skipped.append({0, QStringLiteral("The file cannot be read: %1.").arg(file.errorString())});
        return result;
    }
    const QString text = recipeText(bytes);

    const QString suffix = QFileInfo(path).suffix().toLower();
    RecipeFileKind chosen = RecipeFileKind::MealMaster;
    if (suffix == u"html" || suffix == u"htm" || suffix == u"xhtml")
        chosen = RecipeFileKind::WebPage;
    else if (suffix != u"mmf" && suffix != u"mm" && suffix != u"txt" && !looksLikeMealMaster(text) &&
             looksLikeWebPage(text))
        chosen = RecipeFileKind::WebPage;
    if (kind)
        *kind = chosen;
    return chosen == RecipeFileKind::WebPage ? parseRecipePage(text) : parseMealMaster(text);
}

} // namespace pantrova::importing
