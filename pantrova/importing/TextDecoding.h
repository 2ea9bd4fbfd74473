#pragma once

#include <QByteArray>
#include <QString>

namespace pantrova::importing {

// The text of a recipe file. Files written today are UTF-8 (with or without a byte-order mark);
// old ones were written in the Windows code page of their day, so bytes that are not valid UTF-8
// are read as Windows-1252. A UTF-16 file is recognised by its byte-order mark. Line ends of every
// kind come out as "\n"; NUL characters and the old end-of-file mark (Ctrl+Z) are dropped.
QString recipeText(const QByteArray& bytes);

// Windows-1252: Latin-1 with printable characters (quotation marks, dashes, the euro sign) in
// 0x80-0x9F. The five codes the code page leaves unassigned keep their Latin-1 meaning.
QString fromWindows1252(const QByteArray& bytes);

} // namespace pantrova::importing
