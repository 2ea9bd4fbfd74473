#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QString>

#include <memory>
#include <vector>

class QTextLayout;

namespace ui {

class TextLines;

// A multi-line box of plain text that stays quick whatever the text holds: a recipe's
// instructions may be one paragraph of megabytes. It lays out only the lines it shows (TextLines
// keeps where lines start, worked out lazily from the top), so showing a text costs one screenful
// and typing costs a line or two.
//
// It offers what a person expects of a text box: the caret and the selection moved with the mouse
// and the usual keys, cut, copy and paste, undo and redo, a context menu, input methods, Tab
// moving to the next control, and word wrap at the box's width (lines are all one height, in the
// box's font). Setting the text is not an edit: it leaves the box unmodified with nothing to undo;
// every change made through the box or through insertPlainText() marks it modified until
// setModified(false), and undoing back to that point clears the mark again. Screen readers read
// its text, caret and selection (PlainTextBoxAccessible.cpp).
class PlainTextBox : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit PlainTextBox(QWidget* parent = nullptr);
    ~PlainTextBox() override;

    QString toPlainText() const { return m_text; }
    void setPlainText(const QString& text);
    void clear() { setPlainText(QString()); }
    // Inserts at the caret, replacing the selection, as typing it would.
    void insertPlainText(const QString& text);
    // Adds the text as a new paragraph at the end, as typing it there would.
    void appendPlainText(const QString& text);

    bool isModified() const { return m_done != m_clean; }
    void setModified(bool modified);

    qsizetype cursorPosition() const { return m_cursor; }
    qsizetype anchorPosition() const { return m_anchor; } // where the selection started
    // Moves the caret; with `select` the selection stretches from where it was anchored.
    void setCursorPosition(qsizetype position, bool select = false);
    bool hasSelection() const { return m_cursor != m_anchor; }
    QString selectedText() const;
    void selectAll();

    void undo();
    void redo();
    bool isUndoAvailable() const { return m_done > 0; }
    bool isRedoAvailable() const { return m_done < m_edits.size(); }
    void cut();
    void copy() const;
    void paste();

    // How many lines have been laid out so far.
    qsizetype laidOutLines() const;
    // The caret's rectangle in the viewport.
    QRect cursorRect() const;
    // The first line shown.
    qsizetype topLine() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    void textChanged();
    void modificationChanged(bool modified);

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void timerEvent(QTimerEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Edit
    {
        qsizetype pos = 0;
        QString removed;
        QString inserted;
        qsizetype cursorBefore = 0;
        qsizetype anchorBefore = 0;
        bool typing = false;
    };
    enum class Move {
        NextChar,
        PreviousChar,
        NextWord,
        PreviousWord,
        NextLine,
        PreviousLine,
        StartOfLine,
        EndOfLine,
        NextPage,
        PreviousPage,
        StartOfText,
        EndOfText
    };

    static void installAccessibility(); // what screen readers learn of the box
    void notifyCaret();

    // The one way the text changes by editing: recorded for undo, marks the box modified.
    void replace(qsizetype pos, qsizetype length, const QString& with, bool typing = false);
    void apply(qsizetype pos, qsizetype length, const QString& with);
    void replaceSelection(const QString& with, bool typing = false);
    void removeSelection();
    bool handleMove(QKeyEvent* e);
    bool handleEditKey(QKeyEvent* e);
    qsizetype moved(qsizetype from, Move move);
    qsizetype nextPosition(qsizetype pos);
    qsizetype previousPosition(qsizetype pos);
    qsizetype lineDisplayEnd(qsizetype line) const;
    qsizetype positionAt(const QPoint& viewportPoint) const;
    qreal xOf(qsizetype pos) const;
    void moveCaret(qsizetype position, bool select, bool keepGoalX = false);
    void ensureCursorVisible();
    void updateScrollBar();
    void updateLayoutWidth();
    int lineHeight() const;
    int visibleLines() const;
    void restartBlink();
    void notifyModification(bool wasModified);

    QString m_text;
    std::unique_ptr<TextLines> m_lines;
    qsizetype m_cursor = 0;
    qsizetype m_anchor = 0;
    qreal m_goalX = -1; // where Up and Down aim, kept while they repeat
    std::vector<Edit> m_edits;
    size_t m_done = 0;  // edits applied; the rest can be redone
    size_t m_clean = 0; // m_done when the text was last unmodified; SIZE_MAX when never again
    QBasicTimer m_blink;
    bool m_caretOn = false;
    bool m_selecting = false;
};

} // namespace ui
