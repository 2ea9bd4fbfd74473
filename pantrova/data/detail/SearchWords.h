#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

namespace engine::detail {

// The words a cook types into a search: as a query of the store's full-text module, and where they
// stand in a recipe's text.
//
// Words are separated by blanks; each finds the words that begin with it ("tomat" finds
// "tomatoes"), except a single letter or digit, which finds only itself (as a beginning it would
// match nearly every recipe, and slowly). Text in double quotes is a phrase: exactly its words, in
// that order, one after the other (so "tomato" in quotes does not find "tomatoes"); a phrase still
// open at the end of the text (the cook is typing it) ends in a beginning as a word does. Every
// word and phrase must match. Punctuation splits words as the index splits stored text
// ("half-and-half" is the phrase "half and half"). Nothing typed can change the query's structure:
// every word reaches the module as a quoted string of letters and digits.
namespace SearchWords {

// One thing to find: its words (folded), one after the other; the last may be a beginning.
struct Part
{
    QStringList words;
    bool lastIsBeginning = false;
};

// A word of a text as the index splits and folds it, and where it stands.
struct Word
{
    qsizetype start = 0;
    qsizetype length = 0;
    QString folded;
};

// A word as the index compares it: case folded and accents removed.
QString fold(const QString& word);

// The words of a text: runs of letters and digits (with their accents).
QList<Word> split(const QString& text);

QList<Part> parse(const QString& typed);

// The query for the module, or empty text when nothing searchable was typed.
QString expression(const QList<Part>& parts);
inline QString expression(const QString& typed)
{
    return expression(parse(typed));
}

// Where the parts stand among a text's words: spans (start, length) of the text, in order and not
// overlapping; a phrase is one span.
QList<std::pair<qsizetype, qsizetype>> locate(const QList<Part>& parts, const QList<Word>& words);

} // namespace SearchWords

} // namespace engine::detail
