#pragma once

#include <QFont>
#include <QString>
#include <QTextOption>

#include <vector>

class QTextLayout;

namespace ui {

// Where the lines of a plain text start when it is wrapped to a width: the line index of a text
// box that lays out only what it shows.
//
// A text is a run of paragraphs separated by '\n'; each paragraph is wrapped at word boundaries
// (or anywhere, for a word wider than the box). The index is built lazily from the top: lines
// [0, knownLines()) are exact and the rest of the text is not looked at until something asks for
// a line or a position past them. Asking for the first screenful of a 10 MB paragraph therefore
// costs one screenful, not 10 MB.
//
// A long paragraph is laid out in windows of a few thousand characters. Each window keeps all of
// its lines but the last, which may go on past the window; the next window starts where that last
// line starts. Wrapping from a line start depends only on the text after it, so the lines are the
// ones laying out the whole paragraph at once would give, while each layout stays small.
//
// After an edit the lines from the one before the edit are laid out again; the old lines after
// the edit are kept, shifted, and taken over as soon as a new line starts where one of them does
// (the text after that point is unchanged, so its wrapping is too). Typing in a huge paragraph
// therefore lays out a line or two.
//
// Costs: memory is one offset per known line; finding the line of a known position is a binary
// search. Reaching a position far into the text lays out everything before it once (about
// 0.15 s per megabyte of one paragraph).
class TextLines
{
public:
    // `text` must outlive the index and be reported through edited() whenever it changes.
    explicit TextLines(const QString& text);

    void setFont(const QFont& font);
    const QFont& font() const { return m_font; }
    void setWidth(qreal width);
    qreal width() const { return m_width; }
    const QTextOption& option() const { return m_option; }

    // Forget every line (a new text, font or width).
    void reset();
    // The text's [pos, pos + removed) was replaced by `added` characters.
    void edited(qsizetype pos, qsizetype removed, qsizetype added);

    // The number of lines: exact once the whole text is laid out, an estimate before.
    qsizetype lineCount() const;
    bool isComplete() const { return m_complete; }
    qsizetype knownLines() const { return qsizetype(m_starts.size()); }

    // Line `line` (laid out if needed; clamped to the last line).
    qsizetype lineStart(qsizetype line);
    // Where the line's characters end: before its paragraph's '\n', or where the next line starts.
    qsizetype lineEnd(qsizetype line);
    // The line that shows position `pos` (0 ... text length).
    qsizetype lineOf(qsizetype pos);
    // Lays out until line `line` is known or the text is done.
    void ensureLine(qsizetype line);

    // A one-line layout of the line's characters, for drawing and for cursor positions.
    void layoutLine(qsizetype line, QTextLayout& layout);

private:
    bool layOutMore();          // one window of the text; false when the text is done
    bool push(qsizetype start); // true when the old lines were taken over from here
    qreal averageCharsPerLine() const;

    const QString& m_text;
    QFont m_font;
    QTextOption m_option;
    qreal m_width = 200;
    std::vector<qsizetype> m_starts; // exact line starts, ascending
    qsizetype m_next = 0;            // where the next unknown line starts
    bool m_complete = false;
    qsizetype m_window = 4096;

    // Lines kept from before an edit, in the text's present coordinates, and where the old layout
    // had got to; taken over when a new line starts at one of them.
    std::vector<qsizetype> m_kept;
    size_t m_keptAt = 0;
    qsizetype m_keptNext = 0;
    bool m_keptComplete = false;
};

} // namespace ui
