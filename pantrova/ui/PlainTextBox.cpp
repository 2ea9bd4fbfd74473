#include "PlainTextBox.h"

#include "TextLines.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <QTextLayout>

#include <algorithm>
#include <climits>

namespace ui {

namespace {

constexpr int kMargin = 4;
constexpr qsizetype kMaxTypingRun = 200; // typed characters one undo step takes back at most

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c.isMark();
}

} // namespace

PlainTextBox::PlainTextBox(QWidget* parent)
    : QAbstractScrollArea(parent), m_lines(std::make_unique<TextLines>(m_text))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setCursor(Qt::IBeamCursor);
    // The background is painted from the box's own palette: a colour set on the box while it sits
    // on a hidden tab must show when the tab does.
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(1);
    m_lines->setFont(font());
    updateLayoutWidth();
    installAccessibility();
}

PlainTextBox::~PlainTextBox() = default;

// ---------------------------------------------------------------------------------------------
// The text, the modified mark, undo.

void PlainTextBox::setPlainText(const QString& text)
{
    const bool wasModified = isModified();
    m_text = text;
    m_lines->reset();
    m_cursor = m_anchor = 0;
    m_goalX = -1;
    m_edits.clear();
    m_done = m_clean = 0;
    verticalScrollBar()->setValue(0);
    updateScrollBar();
    viewport()->update();
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent updated(this, 0, QString(), m_text);
        QAccessible::updateAccessibility(&updated);
    }
    emit textChanged();
    notifyModification(wasModified);
}

void PlainTextBox::notifyCaret()
{
    if (QAccessible::isActive()) {
        QAccessibleTextCursorEvent moved(this, int(m_cursor));
        QAccessible::updateAccessibility(&moved);
    }
}

void PlainTextBox::setModified(bool modified)
{
    const bool wasModified = isModified();
    m_clean = modified ? SIZE_MAX : m_done;
    notifyModification(wasModified);
}

void PlainTextBox::notifyModification(bool wasModified)
{
    if (isModified() != wasModified)
        emit modificationChanged(isModified());
}

void PlainTextBox::apply(qsizetype pos, qsizetype length, const QString& with)
{
    if (QAccessible::isActive() && length > 0) {
        QAccessibleTextRemoveEvent removed(this, int(pos), m_text.mid(pos, length));
        QAccessible::updateAccessibility(&removed);
    }
    m_text.replace(pos, length, with);
    if (QAccessible::isActive() && !with.isEmpty()) {
        QAccessibleTextInsertEvent inserted(this, int(pos), with);
        QAccessible::updateAccessibility(&inserted);
    }
    m_lines->edited(pos, length, with.size());
    updateScrollBar();
    viewport()->update();
}

void PlainTextBox::replace(qsizetype pos, qsizetype length, const QString& with, bool typing)
{
    if (length == 0 && with.isEmpty())
        return;
    const bool wasModified = isModified();
    const bool joinsTyping = typing && length == 0 && m_done > 0 && m_done == m_edits.size() &&
                             m_clean != m_done && m_edits.back().typing && m_edits.back().removed.isEmpty() &&
                             m_edits.back().pos + m_edits.back().inserted.size() == pos &&
                             m_edits.back().inserted.size() < kMaxTypingRun && with != QStringLiteral("\n");
    if (joinsTyping) {
        m_edits.back().inserted += with;
    } else {
        m_edits.resize(m_done);
        if (m_clean > m_done && m_clean != SIZE_MAX)
            m_clean = SIZE_MAX; // the unmodified text can no longer be reached by undo
        m_edits.push_back({pos, m_text.mid(pos, length), with, m_cursor, m_anchor, typing});
        ++m_done;
    }
    apply(pos, length, with);
    m_cursor = m_anchor = pos + with.size();
    m_goalX = -1;
    ensureCursorVisible();
    restartBlink();
    emit textChanged();
    notifyModification(wasModified);
}

void PlainTextBox::undo()
{
    if (m_done == 0)
        return;
    const bool wasModified = isModified();
    const Edit& e = m_edits[--m_done];
    apply(e.pos, e.inserted.size(), e.removed);
    m_cursor = std::min(e.cursorBefore, m_text.size());
    m_anchor = std::min(e.anchorBefore, m_text.size());
    m_goalX = -1;
    ensureCursorVisible();
    emit textChanged();
    notifyModification(wasModified);
}

void PlainTextBox::redo()
{
    if (m_done >= m_edits.size())
        return;
    const bool wasModified = isModified();
    const Edit& e = m_edits[m_done++];
    apply(e.pos, e.removed.size(), e.inserted);
    m_cursor = m_anchor = e.pos + e.inserted.size();
    m_goalX = -1;
    ensureCursorVisible();
    emit textChanged();
    notifyModification(wasModified);
}

void PlainTextBox::replaceSelection(const QString& with, bool typing)
{
    const qsizetype from = std::min(m_cursor, m_anchor);
    const qsizetype to = std::max(m_cursor, m_anchor);
    replace(from, to - from, with, typing && from == to);
}

void PlainTextBox::removeSelection()
{
    replaceSelection(QString());
}

void PlainTextBox::insertPlainText(const QString& text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(u'\r', u'\n');
    replaceSelection(plain);
}

void PlainTextBox::appendPlainText(const QString& text)
{
    m_cursor = m_anchor = m_text.size();
    insertPlainText(m_text.isEmpty() ? text : QStringLiteral("\n") + text);
}

QString PlainTextBox::selectedText() const
{
    const qsizetype from = std::min(m_cursor, m_anchor);
    return m_text.mid(from, std::max(m_cursor, m_anchor) - from);
}

void PlainTextBox::selectAll()
{
    m_anchor = 0;
    m_cursor = m_text.size();
    viewport()->update();
}

void PlainTextBox::copy() const
{
    if (hasSelection())
        QGuiApplication::clipboard()->setText(selectedText());
}

void PlainTextBox::cut()
{
    if (!hasSelection())
        return;
    copy();
    removeSelection();
}

void PlainTextBox::paste()
{
    const QString pasted = QGuiApplication::clipboard()->text();
    if (!pasted.isEmpty())
        insertPlainText(pasted);
}

// ---------------------------------------------------------------------------------------------
// Lines, scrolling, the caret's place.

int PlainTextBox::lineHeight() const
{
    return std::max(1, QFontMetrics(font()).lineSpacing());
}

int PlainTextBox::visibleLines() const
{
    return std::max(1, (viewport()->height() - kMargin) / lineHeight());
}

qsizetype PlainTextBox::laidOutLines() const
{
    return m_lines->knownLines();
}

qsizetype PlainTextBox::topLine() const
{
    return verticalScrollBar()->value();
}

void PlainTextBox::updateLayoutWidth()
{
    m_lines->setWidth(std::max(1, viewport()->width() - 2 * kMargin));
}

void PlainTextBox::updateScrollBar()
{
    QScrollBar* bar = verticalScrollBar();
    const qsizetype lines = m_lines->lineCount();
    const int page = visibleLines();
    const qsizetype most = std::max<qsizetype>(0, lines - page);
    bar->setRange(0, int(std::min<qsizetype>(most, INT_MAX)));
    bar->setPageStep(page);
}

void PlainTextBox::scrollContentsBy(int, int)
{
    viewport()->update();
}

qsizetype PlainTextBox::lineDisplayEnd(qsizetype line) const
{
    const qsizetype end = m_lines->lineEnd(line);
    // A line wrapped inside its paragraph ends where the next begins; its caret stays on it.
    if (end < m_text.size() && m_text.at(end) != u'\n' && end > m_lines->lineStart(line))
        return end - 1;
    return end;
}

qreal PlainTextBox::xOf(qsizetype pos) const
{
    const qsizetype line = m_lines->lineOf(pos);
    QTextLayout layout;
    m_lines->layoutLine(line, layout);
    return layout.lineAt(0).cursorToX(int(pos - m_lines->lineStart(line)));
}

QRect PlainTextBox::cursorRect() const
{
    const qsizetype line = m_lines->lineOf(m_cursor);
    const int y = kMargin + int(line - topLine()) * lineHeight();
    return QRect(kMargin + int(xOf(m_cursor)), y, 1, lineHeight());
}

qsizetype PlainTextBox::positionAt(const QPoint& point) const
{
    const qsizetype wanted = topLine() + std::max(0, point.y() - kMargin) / lineHeight();
    m_lines->ensureLine(wanted);
    const qsizetype line = std::min(wanted, std::max<qsizetype>(m_lines->knownLines() - 1, 0));
    QTextLayout layout;
    m_lines->layoutLine(line, layout);
    const qsizetype start = m_lines->lineStart(line);
    const qsizetype pos = start + layout.lineAt(0).xToCursor(point.x() - kMargin);
    return std::min(pos, lineDisplayEnd(line));
}

void PlainTextBox::ensureCursorVisible()
{
    const qsizetype line = m_lines->lineOf(m_cursor);
    updateScrollBar();
    QScrollBar* bar = verticalScrollBar();
    const int page = visibleLines();
    if (line < bar->value())
        bar->setValue(int(line));
    else if (line >= bar->value() + page)
        bar->setValue(int(line - page + 1));
}

void PlainTextBox::moveCaret(qsizetype position, bool select, bool keepGoalX)
{
    m_cursor = std::clamp<qsizetype>(position, 0, m_text.size());
    if (!select)
        m_anchor = m_cursor;
    if (!keepGoalX)
        m_goalX = -1;
    ensureCursorVisible();
    restartBlink();
    viewport()->update();
    notifyCaret();
}

void PlainTextBox::setCursorPosition(qsizetype position, bool select)
{
    moveCaret(position, select);
}

// ---------------------------------------------------------------------------------------------
// Moving the caret.

qsizetype PlainTextBox::nextPosition(qsizetype pos)
{
    if (pos >= m_text.size())
        return m_text.size();
    const qsizetype line = m_lines->lineOf(pos);
    const qsizetype start = m_lines->lineStart(line);
    const qsizetype end = m_lines->lineEnd(line);
    if (pos >= end)
        return pos + 1; // over the paragraph's end
    QTextLayout layout;
    m_lines->layoutLine(line, layout);
    return start + layout.nextCursorPosition(int(pos - start));
}

qsizetype PlainTextBox::previousPosition(qsizetype pos)
{
    if (pos <= 0)
        return 0;
    const qsizetype line = m_lines->lineOf(pos);
    const qsizetype start = m_lines->lineStart(line);
    if (pos <= start) {
        const qsizetype back = pos - 1;
        return back > 0 && m_text.at(back).isLowSurrogate() && m_text.at(back - 1).isHighSurrogate()
                   ? back - 1
                   : back;
    }
    QTextLayout layout;
    m_lines->layoutLine(line, layout);
    return start + layout.previousCursorPosition(int(pos - start));
}

qsizetype PlainTextBox::moved(qsizetype from, Move move)
{
    const qsizetype length = m_text.size();
    switch (move) {
    case Move::NextChar:
        return nextPosition(from);
    case Move::PreviousChar:
        return previousPosition(from);
    case Move::NextWord: {
        qsizetype p = from;
        while (p < length && isWordChar(m_text.at(p)))
            ++p;
        while (p < length && !isWordChar(m_text.at(p)))
            ++p;
        return p;
    }
    case Move::PreviousWord: {
        qsizetype p = from;
        while (p > 0 && !isWordChar(m_text.at(p - 1)))
            --p;
        while (p > 0 && isWordChar(m_text.at(p - 1)))
            --p;
        return p;
    }
    case Move::StartOfLine:
        return m_lines->lineStart(m_lines->lineOf(from));
    case Move::EndOfLine:
        return lineDisplayEnd(m_lines->lineOf(from));
    case Move::StartOfText:
        return 0;
    case Move::EndOfText:
        return length;
    case Move::NextLine:
    case Move::PreviousLine:
    case Move::NextPage:
    case Move::PreviousPage: {
        const qsizetype line = m_lines->lineOf(from);
        const qsizetype step = move == Move::NextLine || move == Move::PreviousLine ? 1 : visibleLines();
        const bool down = move == Move::NextLine || move == Move::NextPage;
        if (m_goalX < 0)
            m_goalX = xOf(from);
        qsizetype target = down ? line + step : line - step;
        if (target < 0)
            return 0;
        m_lines->ensureLine(target);
        if (target >= m_lines->knownLines())
            return length;
        if (move == Move::NextPage || move == Move::PreviousPage) {
            QScrollBar* bar = verticalScrollBar();
            bar->setValue(int(bar->value() + (down ? step : -step)));
        }
        QTextLayout layout;
        m_lines->layoutLine(target, layout);
        const qsizetype pos = m_lines->lineStart(target) + layout.lineAt(0).xToCursor(m_goalX);
        return std::min(pos, lineDisplayEnd(target));
    }
    }
    return from;
}

bool PlainTextBox::handleMove(QKeyEvent* e)
{
    struct Binding
    {
        QKeySequence::StandardKey key;
        Move move;
        bool select;
    };
    static const Binding bindings[] = {
        {QKeySequence::MoveToNextChar, Move::NextChar, false},
        {QKeySequence::MoveToPreviousChar, Move::PreviousChar, false},
        {QKeySequence::MoveToNextWord, Move::NextWord, false},
        {QKeySequence::MoveToPreviousWord, Move::PreviousWord, false},
        {QKeySequence::MoveToNextLine, Move::NextLine, false},
        {QKeySequence::MoveToPreviousLine, Move::PreviousLine, false},
        {QKeySequence::MoveToStartOfLine, Move::StartOfLine, false},
        {QKeySequence::MoveToEndOfLine, Move::EndOfLine, false},
        {QKeySequence::MoveToNextPage, Move::NextPage, false},
        {QKeySequence::MoveToPreviousPage, Move::PreviousPage, false},
        {QKeySequence::MoveToStartOfDocument, Move::StartOfText, false},
        {QKeySequence::MoveToEndOfDocument, Move::EndOfText, false},
        {QKeySequence::SelectNextChar, Move::NextChar, true},
        {QKeySequence::SelectPreviousChar, Move::PreviousChar, true},
        {QKeySequence::SelectNextWord, Move::NextWord, true},
        {QKeySequence::SelectPreviousWord, Move::PreviousWord, true},
        {QKeySequence::SelectNextLine, Move::NextLine, true},
        {QKeySequence::SelectPreviousLine, Move::PreviousLine, true},
        {QKeySequence::SelectStartOfLine, Move::StartOfLine, true},
        {QKeySequence::SelectEndOfLine, Move::EndOfLine, true},
        {QKeySequence::SelectNextPage, Move::NextPage, true},
        {QKeySequence::SelectPreviousPage, Move::PreviousPage, true},
        {QKeySequence::SelectStartOfDocument, Move::StartOfText, true},
        {QKeySequence::SelectEndOfDocument, Move::EndOfText, true},
    };
    for (const Binding& b : bindings) {
        if (!e->matches(b.key))
            continue;
        const bool vertical = b.move == Move::NextLine || b.move == Move::PreviousLine ||
                              b.move == Move::NextPage || b.move == Move::PreviousPage;
        qsizetype target = moved(m_cursor, b.move);
        // Without Shift, Left and Right first collapse a selection to its edge.
        if (!b.select && hasSelection() && (b.move == Move::NextChar || b.move == Move::PreviousChar))
            target = b.move == Move::NextChar ? std::max(m_cursor, m_anchor) : std::min(m_cursor, m_anchor);
        moveCaret(target, b.select, vertical);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Keys, mouse, focus, input methods.

bool PlainTextBox::handleEditKey(QKeyEvent* e)
{
    if (e->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (e->matches(QKeySequence::Copy)) {
        copy();
    } else if (e->matches(QKeySequence::Cut)) {
        cut();
    } else if (e->matches(QKeySequence::Paste)) {
        paste();
    } else if (e->matches(QKeySequence::Undo)) {
        undo();
    } else if (e->matches(QKeySequence::Redo)) {
        redo();
    } else if (e->matches(QKeySequence::DeleteStartOfWord)) {
        if (!hasSelection())
            m_anchor = moved(m_cursor, Move::PreviousWord);
        removeSelection();
    } else if (e->matches(QKeySequence::DeleteEndOfWord)) {
        if (!hasSelection())
            m_anchor = moved(m_cursor, Move::NextWord);
        removeSelection();
    } else if (e->key() == Qt::Key_Backspace && !(e->modifiers() & ~Qt::ShiftModifier)) {
        if (!hasSelection())
            m_anchor = previousPosition(m_cursor);
        removeSelection();
    } else if (e->matches(QKeySequence::Delete)) {
        if (!hasSelection())
            m_anchor = nextPosition(m_cursor);
        removeSelection();
    } else if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        replaceSelection(QStringLiteral("\n"), true);
    } else {
        const QString typed = e->text();
        const bool command = e->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
        if (command || typed.isEmpty() || !typed.at(0).isPrint())
            return false;
        replaceSelection(typed, true);
    }
    return true;
}

bool PlainTextBox::event(QEvent* e)
{
    if (e->type() == QEvent::ShortcutOverride) {
        // Editing keys belong to the box; the window's own shortcuts (Ctrl+S and the like) do not.
        auto* key = static_cast<QKeyEvent*>(e);
        const bool editing = key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut) ||
                             key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Undo) ||
                             key->matches(QKeySequence::Redo) || key->matches(QKeySequence::SelectAll) ||
                             key->matches(QKeySequence::Delete) ||
                             key->matches(QKeySequence::DeleteStartOfWord) ||
                             key->matches(QKeySequence::DeleteEndOfWord) || key->key() == Qt::Key_Backspace ||
                             key->key() == Qt::Key_Home || key->key() == Qt::Key_End ||
                             (!key->text().isEmpty() && key->text().at(0).isPrint() &&
                              !(key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)));
        if (editing) {
            key->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}

void PlainTextBox::keyPressEvent(QKeyEvent* e)
{
    if (handleMove(e) || handleEditKey(e)) {
        e->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(e);
}

void PlainTextBox::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(e);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    moveCaret(positionAt(e->position().toPoint()), e->modifiers() & Qt::ShiftModifier);
    m_selecting = true;
}

void PlainTextBox::mouseMoveEvent(QMouseEvent* e)
{
    if (!m_selecting)
        return;
    QPoint at = e->position().toPoint();
    QScrollBar* bar = verticalScrollBar();
    if (at.y() < 0)
        bar->setValue(bar->value() - 1);
    else if (at.y() > viewport()->height())
        bar->setValue(bar->value() + 1);
    at.setY(std::clamp(at.y(), 0, viewport()->height() - 1));
    moveCaret(positionAt(at), true);
}

void PlainTextBox::mouseReleaseEvent(QMouseEvent* e)
{
    m_selecting = false;
    if (e->button() == Qt::LeftButton && hasSelection() && QGuiApplication::clipboard()->supportsSelection())
        QGuiApplication::clipboard()->setText(selectedText(), QClipboard::Selection);
}

void PlainTextBox::mouseDoubleClickEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton)
        return;
    const qsizetype at = positionAt(e->position().toPoint());
    qsizetype from = at;
    qsizetype to = at;
    while (from > 0 && isWordChar(m_text.at(from - 1)))
        --from;
    while (to < m_text.size() && isWordChar(m_text.at(to)))
        ++to;
    m_anchor = from;
    moveCaret(to, true);
}

void PlainTextBox::focusInEvent(QFocusEvent* e)
{
    restartBlink();
    QAbstractScrollArea::focusInEvent(e);
}

void PlainTextBox::focusOutEvent(QFocusEvent* e)
{
    m_blink.stop();
    m_caretOn = false;
    viewport()->update();
    QAbstractScrollArea::focusOutEvent(e);
}

void PlainTextBox::restartBlink()
{
    m_caretOn = hasFocus();
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (hasFocus() && flash > 0)
        m_blink.start(flash / 2, this);
    else
        m_blink.stop();
    viewport()->update();
}

void PlainTextBox::timerEvent(QTimerEvent* e)
{
    if (e->timerId() != m_blink.timerId()) {
        QAbstractScrollArea::timerEvent(e);
        return;
    }
    m_caretOn = !m_caretOn;
    viewport()->update(cursorRect().adjusted(-2, 0, 2, 0));
}

void PlainTextBox::inputMethodEvent(QInputMethodEvent* e)
{
    if (!e->commitString().isEmpty() || e->replacementLength() > 0) {
        if (e->replacementLength() > 0 && !hasSelection()) {
            m_anchor = std::clamp<qsizetype>(m_cursor + e->replacementStart(), 0, m_text.size());
            m_cursor = std::clamp<qsizetype>(m_anchor + e->replacementLength(), 0, m_text.size());
        }
        replaceSelection(e->commitString(), true);
    }
    e->accept();
}

QVariant PlainTextBox::inputMethodQuery(Qt::InputMethodQuery query) const
{
    const qsizetype line = m_lines->lineOf(m_cursor);
    const qsizetype start = m_lines->lineStart(line);
    switch (query) {
    case Qt::ImEnabled:
        return isEnabled();
    case Qt::ImHints:
        return int(Qt::ImhMultiLine);
    case Qt::ImCursorRectangle:
        return cursorRect();
    case Qt::ImFont:
        return font();
    case Qt::ImCursorPosition:
        return int(m_cursor - start);
    case Qt::ImAnchorPosition:
        return int(std::clamp(m_anchor, start, m_lines->lineEnd(line)) - start);
    case Qt::ImSurroundingText:
        return m_text.mid(start, m_lines->lineEnd(line) - start);
    case Qt::ImCurrentSelection:
        return selectedText();
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

void PlainTextBox::contextMenuEvent(QContextMenuEvent* e)
{
    QMenu menu(this);
    const bool canEdit = isEnabled();
    menu.addAction(tr("&Undo"), this, &PlainTextBox::undo)->setEnabled(canEdit && isUndoAvailable());
    menu.addAction(tr("&Redo"), this, &PlainTextBox::redo)->setEnabled(canEdit && isRedoAvailable());
    menu.addSeparator();
    menu.addAction(tr("Cu&t"), this, &PlainTextBox::cut)->setEnabled(canEdit && hasSelection());
    menu.addAction(tr("&Copy"), this, &PlainTextBox::copy)->setEnabled(hasSelection());
    menu.addAction(tr("&Paste"), this, &PlainTextBox::paste)
        ->setEnabled(canEdit && !QGuiApplication::clipboard()->text().isEmpty());
    menu.addAction(tr("Delete"), this, &PlainTextBox::removeSelection)->setEnabled(canEdit && hasSelection());
    menu.addSeparator();
    menu.addAction(tr("Select All"), this, &PlainTextBox::selectAll)->setEnabled(!m_text.isEmpty());
    menu.exec(e->globalPos());
}

// ---------------------------------------------------------------------------------------------
// Size, font, painting.

QSize PlainTextBox::sizeHint() const
{
    return QSize(256, 192);
}

QSize PlainTextBox::minimumSizeHint() const
{
    return QSize(4 * kMargin + 40, 2 * kMargin + 2 * lineHeight());
}

void PlainTextBox::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    // A new width wraps the text anew; the line at the top stays at the top.
    const qsizetype topPos = m_lines->knownLines() > 0 ? m_lines->lineStart(topLine()) : 0;
    const qreal before = m_lines->width();
    updateLayoutWidth();
    if (!qFuzzyCompare(before, m_lines->width()) && topPos > 0) {
        const qsizetype line = m_lines->lineOf(topPos);
        updateScrollBar();
        verticalScrollBar()->setValue(int(line));
    }
    updateScrollBar();
}

void PlainTextBox::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::FontChange) {
        m_lines->setFont(font());
        updateScrollBar();
        viewport()->update();
    }
    QAbstractScrollArea::changeEvent(e);
}

void PlainTextBox::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const int height = lineHeight();
    const qsizetype top = topLine();
    const qsizetype count = visibleLines() + 1;
    m_lines->ensureLine(top + count);
    const qsizetype known = m_lines->knownLines();

    const QPalette::ColorGroup group = isEnabled() ? QPalette::Normal : QPalette::Disabled;
    painter.fillRect(viewport()->rect(), palette().brush(group, QPalette::Base));
    painter.setPen(palette().color(group, QPalette::Text));
    const qsizetype selFrom = std::min(m_cursor, m_anchor);
    const qsizetype selTo = std::max(m_cursor, m_anchor);
    QTextCharFormat selected;
    selected.setBackground(palette().brush(group, QPalette::Highlight));
    selected.setForeground(palette().brush(group, QPalette::HighlightedText));
    const qsizetype caretLine = m_caretOn && hasFocus() ? m_lines->lineOf(m_cursor) : -1;

    for (qsizetype line = top; line < top + count && line < known; ++line) {
        const qsizetype start = m_lines->lineStart(line);
        const qsizetype end = m_lines->lineEnd(line);
        QTextLayout layout;
        m_lines->layoutLine(line, layout);
        QList<QTextLayout::FormatRange> selections;
        if (selFrom < selTo && selFrom <= end && selTo > start) {
            const qsizetype from = std::max(selFrom, start);
            const qsizetype to = std::min(selTo, end);
            selections.append({int(from - start), int(to - from), selected});
        }
        const QPointF at(kMargin, kMargin + (line - top) * height);
        layout.draw(&painter, at, selections);
        if (line == caretLine)
            layout.drawCursor(&painter, at, int(m_cursor - start), 1);
    }
    updateScrollBar(); // the estimate of the lines below sharpens as more are laid out
}

} // namespace ui
