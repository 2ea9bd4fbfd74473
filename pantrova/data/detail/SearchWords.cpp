#include "SearchWords.h"

#include <algorithm>

namespace engine::detail::SearchWords {

namespace {

// More words than this add nothing a cook would notice and only slow the search down.
constexpr int kMostParts = 32;

bool startsWord(QChar c)
{
    return c.isLetterOrNumber();
}

// Accents written as separate marks belong to the letter before them.
bool continuesWord(QChar c)
{
    return c.isLetterOrNumber() || c.isMark();
}

void add(QList<Part>& parts, const QString& text, bool open)
{
    if (parts.size() >= kMostParts)
        return;
    Part part;
    for (const Word& w : split(text))
        part.words.append(w.folded);
    if (part.words.isEmpty())
        return;
    // A beginning of one letter would stand for nearly every word there is.
    part.lastIsBeginning = open && part.words.last().size() >= 2;
    parts.append(part);
}

bool matchesAt(const Part& part, const QList<Word>& words, qsizetype at)
{
    if (at + part.words.size() > words.size())
        return false;
    for (qsizetype k = 0; k < part.words.size(); ++k) {
        const QString& have = words[at + k].folded;
        const QString& want = part.words[k];
        const bool last = k == part.words.size() - 1;
        if (last && part.lastIsBeginning ? !have.startsWith(want) : have != want)
            return false;
    }
    return true;
}

} // namespace

QString fold(const QString& word)
{
    // Most words of a recipe are plain letters and digits, with no accents to take off.
    if (std::all_of(word.begin(), word.end(), [](QChar c) { return c.unicode() < 0x80; }))
        return word.toLower();
    const QString decomposed = word.normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (!c.isMark())
            folded += c;
    return folded.toCaseFolded();
}

QList<Word> split(const QString& text)
{
    QList<Word> words;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        if (!startsWord(text[i])) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < n && continuesWord(text[i]))
            ++i;
        words.append({start, i - start, fold(text.mid(start, i - start))});
    }
    return words;
}

QList<Part> parse(const QString& typed)
{
    QList<Part> parts;
    QString word;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const QChar c = typed[i];
        if (c == u'"') {
            add(parts, word, true);
            word.clear();
            const qsizetype close = typed.indexOf(u'"', i + 1);
            const bool closed = close >= 0;
            add(parts, typed.mid(i + 1, closed ? close - i - 1 : -1), !closed);
            if (!closed)
                break;
            i = close;
        } else if (c.isSpace()) {
            add(parts, word, true);
            word.clear();
        } else {
            word += c;
        }
    }
    add(parts, word, true);
    return parts;
}

QString expression(const QList<Part>& parts)
{
    QStringList quoted;
    for (const Part& part : parts) {
        QString q = part.words.join(u' ');
        q.replace(u'"', QStringLiteral("\"\""));
        quoted.append(u'"' + q + u'"' + (part.lastIsBeginning ? QStringLiteral("*") : QString()));
    }
    return quoted.join(u' ');
}

QList<std::pair<qsizetype, qsizetype>> locate(const QList<Part>& parts, const QList<Word>& words)
{
    QList<std::pair<qsizetype, qsizetype>> spans;
    for (const Part& part : parts)
        for (qsizetype at = 0; at < words.size(); ++at)
            if (matchesAt(part, words, at)) {
                const Word& last = words[at + part.words.size() - 1];
                spans.append({words[at].start, last.start + last.length - words[at].start});
            }
    std::sort(spans.begin(), spans.end());
    QList<std::pair<qsizetype, qsizetype>> merged;
    for (const auto& span : spans) {
        if (!merged.isEmpty() && span.first <= merged.last().first + merged.last().second) {
            const qsizetype end =
                std::max(merged.last().first + merged.last().second, span.first + span.second);
            merged.last().second = end - merged.last().first;
        } else {
            merged.append(span);
        }
    }
    return merged;
}

} // namespace engine::detail::SearchWords
