#include "TextLines.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

constexpr qsizetype kWindow = 4096;

// Where a line may break before or after the character: blanks, hyphens, and the scripts that
// break between any two characters. Used only to find how far back an edit can change the lines.
bool mayBreakAt(QChar c)
{
    return c.isSpace() || c == u'-' || c.unicode() >= 0x2E80;
}

} // namespace

TextLines::TextLines(const QString& text) : m_text(text)
{
    m_option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_option.setTextDirection(Qt::LeftToRight);
}

void TextLines::setFont(const QFont& font)
{
    // Text in the simple scripts is laid out without shaping, three times as fast; the lines are
    // drawn in the same font, so what is drawn is what was measured.
    QFont unshaped = font;
    unshaped.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
    if (unshaped == m_font)
        return;
    m_font = unshaped;
    reset();
}

void TextLines::setWidth(qreal width)
{
    width = std::max<qreal>(width, 1);
    if (qFuzzyCompare(width, m_width))
        return;
    m_width = width;
    reset();
}

void TextLines::reset()
{
    m_starts.clear();
    m_next = 0;
    m_complete = false;
    m_window = kWindow;
    m_kept.clear();
    m_keptAt = 0;
}

void TextLines::edited(qsizetype pos, qsizetype removed, qsizetype added)
{
    const qsizetype delta = added - removed;
    const qsizetype changedEnd = pos + removed; // in the old text

    // Old lines kept from an earlier edit stay usable only where the text after them is unchanged.
    std::vector<qsizetype> kept;
    for (size_t i = m_keptAt; i < m_kept.size(); ++i)
        if (m_kept[i] > changedEnd)
            kept.push_back(m_kept[i] + delta);
    if (m_keptNext > changedEnd)
        m_keptNext += delta;

    // The word the edit is in may now fit at the end of the line before the one it starts on.
    qsizetype wordStart = std::min(pos, m_text.size());
    while (wordStart > 0 && !mayBreakAt(m_text.at(wordStart - 1)))
        --wordStart;

    if (!m_complete && wordStart > m_next) {
        // Beyond what is laid out: the known lines stay as they are.
        m_kept = std::move(kept);
        m_keptAt = 0;
        return;
    }

    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), wordStart);
    const qsizetype restart = std::max<qsizetype>(qsizetype(after - m_starts.begin()) - 2, 0);
    if (restart >= knownLines()) { // nothing known yet
        m_kept = std::move(kept);
        m_keptAt = 0;
        return;
    }
    // The known lines after the edit become the kept ones; older kept lines would leave a gap.
    std::vector<qsizetype> fromKnown;
    for (auto it = m_starts.begin() + restart; it != m_starts.end(); ++it)
        if (*it > changedEnd)
            fromKnown.push_back(*it + delta);
    m_keptNext = m_complete ? m_text.size() : m_next + delta;
    m_keptComplete = m_complete;
    m_kept = std::move(fromKnown);
    m_keptAt = 0;

    m_next = m_starts[size_t(restart)];
    m_starts.resize(size_t(restart));
    m_complete = false;
}

bool TextLines::push(qsizetype start)
{
    m_starts.push_back(start);
    while (m_keptAt < m_kept.size() && m_kept[m_keptAt] < start)
        ++m_keptAt;
    if (m_keptAt >= m_kept.size() || m_kept[m_keptAt] != start)
        return false;
    // The new layout meets an old line: from here on the old lines hold.
    m_starts.insert(m_starts.end(), m_kept.begin() + qsizetype(m_keptAt) + 1, m_kept.end());
    m_next = m_keptNext;
    m_complete = m_keptComplete;
    m_kept.clear();
    m_keptAt = 0;
    return true;
}

bool TextLines::layOutMore()
{
    if (m_complete)
        return false;
    const qsizetype length = m_text.size();
    const qsizetype from = m_next;
    const QStringView rest = QStringView(m_text).mid(from, std::min(m_window, length - from));
    const qsizetype newline = rest.indexOf(u'\n');
    const bool paragraphEnds = newline >= 0 || from + rest.size() >= length;
    qsizetype end = newline >= 0 ? from + newline : from + rest.size();
    if (!paragraphEnds && end > from + 1 && m_text.at(end - 1).isHighSurrogate())
        --end; // never split a character in two

    std::vector<qsizetype> starts{0}; // an empty paragraph is one empty line
    if (end > from) {
        starts.clear();
        QTextLayout layout(m_text.mid(from, end - from), m_font);
        layout.setTextOption(m_option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(m_width);
            starts.push_back(line.textStart());
        }
        layout.endLayout();
    }

    if (!paragraphEnds) {
        if (starts.size() < 2) { // a line longer than the window: look further
            m_window *= 2;
            return true;
        }
        // The last line may go on past the window: the next window starts with it.
        for (size_t i = 0; i + 1 < starts.size(); ++i)
            if (push(from + starts[i]))
                return !m_complete;
        m_next = from + starts.back();
        return true;
    }
    for (qsizetype s : starts)
        if (push(from + s))
            return !m_complete;
    m_window = kWindow;
    if (end >= length) {
        m_next = length;
        m_complete = true;
        return false;
    }
    m_next = end + 1; // past the '\n'; a text ending in '\n' ends with an empty line
    return true;
}

void TextLines::ensureLine(qsizetype line)
{
    while (knownLines() <= line && layOutMore()) {
    }
}

qreal TextLines::averageCharsPerLine() const
{
    if (knownLines() > 0 && m_next > 0)
        return std::max<qreal>(1, qreal(m_next) / qreal(knownLines()));
    const qreal charWidth = std::max<qreal>(1, QFontMetricsF(m_font).averageCharWidth());
    return std::max<qreal>(1, m_width / charWidth);
}

qsizetype TextLines::lineCount() const
{
    if (m_complete)
        return knownLines();
    const qreal rest = qreal(m_text.size() - m_next);
    return knownLines() + std::max<qsizetype>(1, qsizetype(std::ceil(rest / averageCharsPerLine())));
}

qsizetype TextLines::lineStart(qsizetype line)
{
    ensureLine(line);
    if (knownLines() == 0)
        return 0;
    return m_starts[size_t(std::clamp<qsizetype>(line, 0, knownLines() - 1))];
}

qsizetype TextLines::lineEnd(qsizetype line)
{
    ensureLine(line + 1);
    line = std::clamp<qsizetype>(line, 0, std::max<qsizetype>(knownLines() - 1, 0));
    if (line + 1 >= knownLines())
        return m_text.size();
    const qsizetype next = m_starts[size_t(line + 1)];
    return next > 0 && m_text.at(next - 1) == u'\n' ? next - 1 : next;
}

qsizetype TextLines::lineOf(qsizetype pos)
{
    pos = std::clamp<qsizetype>(pos, 0, m_text.size());
    while (!m_complete && pos >= m_next && layOutMore()) {
    }
    const auto after = std::upper_bound(m_starts.begin(), m_starts.end(), pos);
    return std::max<qsizetype>(qsizetype(after - m_starts.begin()) - 1, 0);
}

void TextLines::layoutLine(qsizetype line, QTextLayout& layout)
{
    const qsizetype start = lineStart(line);
    const qsizetype end = std::max(start, lineEnd(line));
    QTextOption option = m_option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setText(m_text.mid(start, end - start));
    layout.setFont(m_font);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine l = layout.createLine();
    if (l.isValid())
        l.setLineWidth(m_width);
    layout.endLayout();
}

} // namespace ui
