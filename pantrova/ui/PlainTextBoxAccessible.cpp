// What a screen reader learns of a PlainTextBox: an editable, multi-line text whose characters,
// caret and selection it can read and move, as it could in the toolkit's own text boxes.
#include "PlainTextBox.h"

#include <QAccessibleWidget>

#include <algorithm>

namespace ui {

namespace {

class PlainTextBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit PlainTextBoxAccessible(PlainTextBox* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this)
                                                  : QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = true;
        s.multiLine = true;
        s.selectableText = true;
        return s;
    }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? box()->toPlainText() : QAccessibleWidget::text(t);
    }

    // QAccessibleTextInterface
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }
    int cursorPosition() const override { return int(box()->cursorPosition()); }
    QRect characterRect(int offset) const override
    {
        if (offset != cursorPosition())
            return {};
        const QRect caret = box()->cursorRect();
        return QRect(box()->viewport()->mapToGlobal(caret.topLeft()), caret.size());
    }
    int selectionCount() const override { return box()->hasSelection() ? 1 : 0; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (selectionIndex != 0 || !box()->hasSelection())
            return;
        *startOffset = int(std::min(box()->cursorPosition(), box()->anchorPosition()));
        *endOffset = int(std::max(box()->cursorPosition(), box()->anchorPosition()));
    }
    void removeSelection(int) override { box()->setCursorPosition(box()->cursorPosition()); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    void setSelection(int, int startOffset, int endOffset) override
    {
        box()->setCursorPosition(startOffset);
        box()->setCursorPosition(endOffset, true);
    }
    QString text(int startOffset, int endOffset) const override
    {
        return box()->toPlainText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(box()->toPlainText().size()); }
    void scrollToSubstring(int startIndex, int) override { box()->setCursorPosition(startIndex); }

private:
    PlainTextBox* box() const { return static_cast<PlainTextBox*>(widget()); }
};

QAccessibleInterface* makeAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("ui::PlainTextBox") && object && object->isWidgetType())
        return new PlainTextBoxAccessible(static_cast<PlainTextBox*>(object));
    return nullptr;
}

} // namespace

void PlainTextBox::installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(makeAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace ui
