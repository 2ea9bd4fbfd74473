// Fuzz entry: any bytes read as a MealMaster file, as the import reads one from disk.
#include "importing/MealMaster.h"
#include "importing/TextDecoding.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace pantrova::importing;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = recipeText(bytes);
    looksLikeMealMaster(text);
    const ParsedFile file = parseMealMaster(text);
    for (const ImportedRecipe& recipe : file.recipes) {
        recipe.storedDescription();
        recipe.storedIngredients();
    }
    return 0;
}
