#pragma once

#include <QString>
#include <QStringView>

namespace pantrova::importing {

// Texts that recipe pages hand over with markup left in: entities ("&amp;", "&#39;", "&#x2019;")
// and tags ("<p>", "<br>", "<li>").

// Replaces character references and the named entities recipe pages use; an unknown name stays as
// written.
QString decodeEntities(QStringView text);

// The text a person reads: tags removed, paragraph and line tags ("<p>", "<br>", "<li>", "<div>")
// turned into line breaks, entities decoded, blanks inside each line collapsed, empty lines dropped.
// A "<" that opens no tag stays as it is.
QString plainTextOfHtml(QStringView html);

} // namespace pantrova::importing
