#include "SearchWords.h"

#include <QStringList>

#include <algorithm>

namespace engine::detail::SearchWords {

namespace {

// More words than this add nothing a cook would notice and only slow the search down.
constexpr int kMostParts = 32;

// The characters the index keeps as parts of words; everything else separates words.
bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c.isMark();
}

// The length of the last word inside `text`, as the index would split it.
int lastWordLength(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && !isWordCharacter(text[end - 1]))
        --end;
    qsizetype start = end;
    while (start > 0 && isWordCharacter(text[start - 1]))
        --start;
    return int(end - start);
}

bool hasWordCharacter(const QString& text)
{
    return std::any_of(text.begin(), text.end(), isWordCharacter);
}

// One word or phrase as a quoted string of the module; `open` adds the beginning-of-word match.
QString part(const QString& text, bool open)
{
    QString quoted = text.simplified();
    quoted.replace(u'"', QStringLiteral("\"\""));
    quoted = u'"' + quoted + u'"';
    if (open && lastWordLength(text) >= 2)
        quoted += u'*';
    return quoted;
}

} // namespace

QString expression(const QString& typed)
{
    QStringList parts;
    auto add = [&](const QString& text, bool open) {
        if (parts.size() < kMostParts && hasWordCharacter(text))
            parts.append(part(text, open));
    };
    QString word;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const QChar c = typed[i];
        if (c == u'"') {
            add(word, true);
            word.clear();
            const qsizetype close = typed.indexOf(u'"', i + 1);
            const bool closed = close >= 0;
            const QString phrase = typed.mid(i + 1, closed ? close - i - 1 : -1);
            add(phrase, !closed);
            if (!closed)
                break;
            i = close;
        } else if (c.isSpace()) {
            add(word, true);
            word.clear();
        } else {
            word += c;
        }
    }
    add(word, true);
    return parts.join(u' ');
}

} // namespace engine::detail::SearchWords
