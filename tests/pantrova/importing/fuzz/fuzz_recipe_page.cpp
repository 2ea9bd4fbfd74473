// Fuzz entry: any bytes read as a saved recipe web page, as the import reads one from disk.
#include "importing/HtmlText.h"
#include "importing/RecipePage.h"
#include "importing/TextDecoding.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace pantrova::importing;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = recipeText(bytes);
    looksLikeWebPage(text);
    const ParsedFile file = parseRecipePage(text);
    for (const ImportedRecipe& recipe : file.recipes)
        recipe.storedDescription();
    plainTextOfHtml(text);
    return 0;
}
