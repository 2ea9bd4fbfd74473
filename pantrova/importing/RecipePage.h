#pragma once

#include "ImportedRecipe.h"

#include <QStringView>

namespace pantrova::importing {

// Reads a saved recipe web page: the recipes it describes in schema.org terms inside
// <script type="application/ld+json"> blocks (see SchemaRecipe). A recipe's line is the line of its
// block. The same recipe given twice on one page is taken once. A block that cannot be read is
// reported only when it speaks of a recipe; pages carry other blocks too (breadcrumbs, the site).
//
// The page is scanned once from start to end; markup without its closing ">" ends the scan.
ParsedFile parseRecipePage(QStringView html);

// Whether the text is a web page rather than plain text.
bool looksLikeWebPage(QStringView text);

// The picture file that `reference` (an address or a relative path from the page) names, when it
// was saved with the page: in the page's folder or a folder below it, or in the folder a browser
// saves a page's files into ("Pie_files" beside "Pie.html"), matched by file name without regard to
// case. Empty when there is no such file; a picture elsewhere on the disk is never taken.
QString pictureBesidePage(const QString& pageFile, const QString& reference);

} // namespace pantrova::importing
