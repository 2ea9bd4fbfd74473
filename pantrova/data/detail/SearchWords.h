#pragma once

#include <QString>

namespace engine::detail {

// The words a cook types into a search, as a query of the store's full-text module.
//
// Words are separated by blanks; each finds the words that begin with it ("tomat" finds
// "tomatoes"), except a single letter or digit, which finds only itself (as a beginning it would
// match nearly every recipe, and slowly). Text in double quotes is a phrase: exactly its words, in
// that order, one after the other (so "tomato" in quotes does not find "tomatoes"); a phrase still
// open at the end of the text (the cook is typing it) ends in a beginning as a word does. Every word and
// phrase must match. Punctuation inside a word splits it as the index splits stored text ("half-and-half" is
// the phrase "half and half"). Nothing typed can change the query's structure: every word reaches the module
// as a quoted string.
namespace SearchWords {

// The query, or empty text when nothing searchable was typed.
QString expression(const QString& typed);

} // namespace SearchWords

} // namespace engine::detail
