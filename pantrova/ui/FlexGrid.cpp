#include "FlexGrid.h"

#include "Twips.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ui {

QColor colorFromRgbNumber(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

namespace {

constexpr int kDefaultColWidth = 960;
constexpr int kPictureRole = Qt::UserRole + 1;

Qt::Alignment toQtAlignment(int code)
{
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (code >= 3 && code <= 5)
        horizontal = Qt::AlignHCenter;
    else if (code >= 6 && code <= 8)
        horizontal = Qt::AlignRight;
    Qt::Alignment vertical = Qt::AlignVCenter;
    if (code >= 0 && code <= 8) {
        if (code % 3 == 0)
            vertical = Qt::AlignTop;
        else if (code % 3 == 2)
            vertical = Qt::AlignBottom;
    }
    return horizontal | vertical;
}

int fromQtAlignment(Qt::Alignment a)
{
    const int column = a & Qt::AlignHCenter ? 1 : a & Qt::AlignRight ? 2 : 0;
    const int line = a & Qt::AlignTop ? 0 : a & Qt::AlignBottom ? 2 : 1;
    return column * 3 + line;
}

// Paints heading rows on the heading colour and keeps the selection highlight off them; draws a
// cell's picture centred when it has one.
class FlexDelegate : public QStyledItemDelegate
{
public:
    FlexDelegate(const FlexGrid* grid, QObject* parent) : QStyledItemDelegate(parent), m_grid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyleOptionViewItem opt = option;
        const bool heading = index.row() < m_grid->fixedRows();
        if (heading) {
            opt.state &= ~QStyle::State_Selected;
            opt.state &= ~QStyle::State_HasFocus;
            if (!index.data(Qt::BackgroundRole).isValid())
                painter->fillRect(opt.rect, opt.palette.color(QPalette::Button));
        }
        QStyledItemDelegate::paint(painter, opt, index);
        const QVariant picture = index.data(kPictureRole);
        if (picture.isValid()) {
            const QPixmap pixmap = picture.value<QPixmap>();
            const QSize size =
                pixmap.deviceIndependentSize().toSize().scaled(opt.rect.size(), Qt::KeepAspectRatio);
            QRect target(QPoint(), size);
            target.moveCenter(opt.rect.center());
            painter->drawPixmap(target, pixmap);
        }
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        m_editor = editor;
        return editor;
    }

    // The in-place editor while one is open.
    QWidget* editor() const { return m_editor; }

private:
    const FlexGrid* m_grid;
    mutable QPointer<QWidget> m_editor;
};

int shiftCode(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

int buttonCode(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton:
        return flexLeftButton;
    case Qt::RightButton:
        return flexRightButton;
    case Qt::MiddleButton:
        return flexMiddleButton;
    default:
        return 0;
    }
}

} // namespace

FlexGrid::FlexGrid(QWidget* parent) : QWidget(parent), m_table(new QTableWidget(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);
    setFocusProxy(m_table);

    m_table->horizontalHeader()->hide();
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setMinimumSectionSize(0);
    m_table->verticalHeader()->setMinimumSectionSize(0);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setWordWrap(true);
    m_table->setItemDelegate(new FlexDelegate(this, m_table));
    m_table->viewport()->installEventFilter(this);
    m_table->installEventFilter(this);

    // Only the cell being edited, while its editor is open, reports what was typed: formatting a
    // cell changes its item too.
    connect(m_table, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!isEditing() || item->row() != m_editRow || item->column() != m_editCol)
            return;
        m_editing = false;
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
        emit AfterEdit(item->row(), item->column());
    });
    connect(m_table->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this] { m_editing = false; });
    // Keys move the table's own current cell; the grid's current cell follows.
    connect(m_table, &QTableWidget::currentCellChanged, this, [this](int row, int col) {
        if (row < 0 || col < 0 || (row == m_row && col == m_col))
            return;
        m_row = row;
        m_col = col;
        emit RowColChange();
    });
}

int FlexGrid::rows() const
{
    return m_table->rowCount();
}

void FlexGrid::setRows(int count)
{
    count = std::max(0, count);
    m_table->setRowCount(count);
    m_rowHeights.resize(size_t(count), -1);
    for (int r = 0; r < count; ++r)
        applyRowHeight(r);
    if (m_row >= count)
        m_row = std::max(0, count - 1);
    showCurrent();
}

int FlexGrid::cols() const
{
    return m_table->columnCount();
}

void FlexGrid::setCols(int count)
{
    count = std::max(0, count);
    m_table->setColumnCount(count);
    m_colWidths.resize(size_t(count), -1);
    for (int c = 0; c < count; ++c)
        applyColWidth(c);
    if (m_col >= count)
        m_col = std::max(0, count - 1);
    showCurrent();
}

void FlexGrid::setFixedRows(int count)
{
    m_fixedRows = std::max(0, count);
    m_table->viewport()->update();
}

void FlexGrid::setRow(int row)
{
    if (row < 0 || row >= rows())
        return;
    m_row = row;
    showCurrent();
}

void FlexGrid::setCol(int col)
{
    if (col < 0 || col >= cols())
        return;
    m_col = col;
    showCurrent();
}

void FlexGrid::showCurrent()
{
    const QSignalBlocker block(m_table);
    if (m_row < m_fixedRows || m_row >= rows() || m_col >= cols()) {
        m_table->clearSelection();
        return;
    }
    m_table->setCurrentCell(m_row, m_col);
}

QTableWidgetItem* FlexGrid::existingCell(int row, int col) const
{
    if (row < 0 || col < 0 || row >= rows() || col >= cols())
        return nullptr;
    return m_table->item(row, col);
}

QTableWidgetItem* FlexGrid::cell(int row, int col) const
{
    if (row < 0 || col < 0 || row >= rows() || col >= cols())
        return nullptr;
    QTableWidgetItem* item = m_table->item(row, col);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        const QSignalBlocker block(m_table);
        m_table->setItem(row, col, item);
    }
    return item;
}

QString FlexGrid::text() const
{
    return textMatrix(m_row, m_col);
}

void FlexGrid::setText(const QString& text)
{
    setTextMatrix(m_row, m_col, text);
}

QString FlexGrid::textMatrix(int row, int col) const
{
    const QTableWidgetItem* item = existingCell(row, col);
    return item ? item->text() : QString();
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text)
{
    if (QTableWidgetItem* item = cell(row, col)) {
        const QSignalBlocker block(m_table);
        item->setText(text);
    }
}

int FlexGrid::cellAlignment() const
{
    const QTableWidgetItem* item = existingCell(m_row, m_col);
    return item ? fromQtAlignment(Qt::Alignment(item->textAlignment())) : flexAlignLeftCenter;
}

void FlexGrid::setCellAlignment(int alignment)
{
    if (QTableWidgetItem* item = cell(m_row, m_col))
        item->setTextAlignment(toQtAlignment(alignment));
}

bool FlexGrid::cellFontBold() const
{
    const QTableWidgetItem* item = existingCell(m_row, m_col);
    return item && item->font().bold();
}

void FlexGrid::setCellFontBold(bool bold)
{
    if (QTableWidgetItem* item = cell(m_row, m_col)) {
        QFont f = item->font();
        f.setBold(bold);
        item->setFont(f);
    }
}

double FlexGrid::cellFontSize() const
{
    const QTableWidgetItem* item = existingCell(m_row, m_col);
    const QFont f = item ? item->font() : m_table->font();
    return f.pointSizeF() > 0 ? f.pointSizeF() : m_table->font().pointSizeF();
}

void FlexGrid::setCellFontSize(double points)
{
    if (QTableWidgetItem* item = cell(m_row, m_col)) {
        QFont f = item->font();
        f.setPointSizeF(points);
        item->setFont(f);
    }
}

QColor FlexGrid::cellBackColor() const
{
    const QTableWidgetItem* item = existingCell(m_row, m_col);
    if (item && item->background().style() != Qt::NoBrush)
        return item->background().color();
    return m_table->palette().color(QPalette::Base);
}

void FlexGrid::setCellBackColor(const QColor& color)
{
    if (QTableWidgetItem* item = cell(m_row, m_col))
        item->setBackground(color);
}

void FlexGrid::setCellPicture(const QPixmap& picture)
{
    if (QTableWidgetItem* item = cell(m_row, m_col))
        item->setData(kPictureRole, picture.isNull() ? QVariant() : QVariant(picture));
}

bool FlexGrid::hasCellPicture() const
{
    const QTableWidgetItem* item = existingCell(m_row, m_col);
    return item && item->data(kPictureRole).isValid();
}

int FlexGrid::rowHeight(int row) const
{
    if (row < 0 || row >= rows())
        return 0;
    const int h = m_rowHeights[size_t(row)];
    return h < 0 ? m_defaultRowHeight : h;
}

void FlexGrid::setRowHeight(int row, int twips)
{
    if (row < 0 || row >= rows())
        return;
    m_rowHeights[size_t(row)] = std::max(0, twips);
    applyRowHeight(row);
}

int FlexGrid::colWidth(int col) const
{
    if (col < 0 || col >= cols())
        return 0;
    const int w = m_colWidths[size_t(col)];
    return w < 0 ? kDefaultColWidth : w;
}

void FlexGrid::setColWidth(int col, int twips)
{
    if (col < 0 || col >= cols())
        return;
    m_colWidths[size_t(col)] = std::max(0, twips);
    applyColWidth(col);
}

void FlexGrid::setDefaultRowHeight(int twips)
{
    m_defaultRowHeight = std::max(0, twips);
    for (int r = 0; r < rows(); ++r)
        applyRowHeight(r);
}

void FlexGrid::applyRowHeight(int row)
{
    const int twips = rowHeight(row);
    m_table->setRowHidden(row, twips == 0);
    if (twips > 0)
        m_table->setRowHeight(row, Twips::toPixelsY(twips));
}

void FlexGrid::applyColWidth(int col)
{
    const int twips = colWidth(col);
    m_table->setColumnHidden(col, twips == 0);
    if (twips > 0)
        m_table->setColumnWidth(col, Twips::toPixelsX(twips));
}

void FlexGrid::clear()
{
    const QSignalBlocker block(m_table);
    m_table->clearContents();
}

void FlexGrid::editCell()
{
    QTableWidgetItem* item = cell(m_row, m_col);
    if (!item)
        return;
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    m_editing = true;
    m_editRow = m_row;
    m_editCol = m_col;
    m_table->setCurrentItem(item);
    m_table->editItem(item);
}

bool FlexGrid::isEditing() const
{
    // The table may have closed the editor by itself (the cell left with the keys): the editor it
    // holds for the cell is what counts.
    const QWidget* editor = static_cast<FlexDelegate*>(m_table->itemDelegate())->editor();
    return m_editing && editor &&
           m_table->indexWidget(m_table->model()->index(m_editRow, m_editCol)) == editor;
}

void FlexGrid::endEdit()
{
    m_editing = false;
    if (QTableWidgetItem* item = existingCell(m_editRow, m_editCol))
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
}

void FlexGrid::commitEdit()
{
    if (isEditing()) {
        // Leaving the cell is how the table commits its editor; the current cell is then put back.
        const int row = m_row;
        const int col = m_col;
        m_table->setCurrentIndex(QModelIndex());
        setRow(row);
        setCol(col);
    }
    endEdit();
}

void FlexGrid::cancelEdit()
{
    if (isEditing()) {
        auto* delegate = static_cast<FlexDelegate*>(m_table->itemDelegate());
        m_editing = false; // nothing the closing editor hands over is taken
        emit delegate->closeEditor(delegate->editor(), QAbstractItemDelegate::RevertModelCache);
    }
    endEdit();
}

QRect FlexGrid::cellRect(int row, int col) const
{
    const QModelIndex index = m_table->model()->index(row, col);
    const QRect inViewport = m_table->visualRect(index);
    return QRect(m_table->viewport()->mapTo(this, inViewport.topLeft()), inViewport.size());
}

bool FlexGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        emit KeyDown(key->key(), shiftCode(key->modifiers()));
        return false;
    }
    if (watched != m_table->viewport())
        return QWidget::eventFilter(watched, event);
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease &&
        event->type() != QEvent::MouseButtonDblClick)
        return false;

    auto* mouse = static_cast<QMouseEvent*>(event);
    const int button = buttonCode(mouse->button());
    const QPoint at = m_table->viewport()->mapTo(this, mouse->position().toPoint());
    const int x = Twips::fromPixelsX(at.x());
    const int y = Twips::fromPixelsY(at.y());
    const int shift = shiftCode(mouse->modifiers());

    if (event->type() == QEvent::MouseButtonRelease) {
        emit MouseUp(button, shift, x, y);
        if (button == flexLeftButton)
            emit Click();
        return button != flexLeftButton;
    }
    const QModelIndex hit = m_table->indexAt(mouse->position().toPoint());
    m_mouseRow = hit.isValid() ? hit.row() : -1;
    m_mouseCol = hit.isValid() ? hit.column() : -1;
    if (button == flexLeftButton) {
        if (hit.isValid()) {
            m_row = hit.row();
            m_col = hit.column();
            showCurrent();
        }
    }
    if (event->type() == QEvent::MouseButtonPress)
        emit MouseDown(button, shift, x, y);
    // Only the left button may move the table's own selection; the current cell is ours to keep.
    return true;
}

} // namespace ui
