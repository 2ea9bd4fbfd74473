#include "ImportedRecipe.h"

namespace pantrova::importing {

QString ImportedRecipe::storedDescription() const
{
    QStringList parts;
    if (!description.trimmed().isEmpty())
        parts << description.trimmed();
    QStringList facts;
    if (!yield.isEmpty())
        facts << QStringLiteral("Yield: ") + yield;
    if (!categories.isEmpty())
        facts << QStringLiteral("Categories: ") + categories.join(QStringLiteral(", "));
    if (!facts.isEmpty())
        parts << facts.join(u'\n');
    return parts.join(QStringLiteral("\n\n"));
}

} // namespace pantrova::importing
