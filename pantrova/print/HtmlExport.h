#pragma once

#include <QString>

class QTextStream;

namespace print {

class Document;

// Writes a document as an HTML5 page: its paragraphs and pictures in the order they were written,
// each paragraph with its font, size, weight, colour, alignment and indent, page breaks as print
// page breaks. Pictures go into a folder beside the file named after it ("recipe.htm" keeps them
// in "recipe_files"), each distinct picture once.
//
// A picture drawn at the left edge of the text stands to the left of the indented paragraphs that
// follow it, as on paper; a paragraph without indent starts below it.
class HtmlExport
{
public:
    // Throws std::runtime_error naming the file when it cannot be written.
    static void write(const Document& document, const QString& path);

    // The page itself; pictures are referred to as `pictureFolder`/name and listed in `pictures`
    // (name and picture index) for the caller to write. Exposed for tests.
    static void writePage(const Document& document, QTextStream& out, const QString& pictureFolder,
                          QList<std::pair<QString, int>>* pictures);

    static QString pictureFolderFor(const QString& path);
};

} // namespace print
