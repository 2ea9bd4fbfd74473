#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

#include <vector>

class QTableWidget;
class QTableWidgetItem;

namespace ui {

// Cell alignment codes of a flex grid (4 centres a cell both ways, 1 is left and centred vertically).
enum FlexAlignment {
    flexAlignLeftTop = 0,
    flexAlignLeftCenter = 1,
    flexAlignLeftBottom = 2,
    flexAlignCenterTop = 3,
    flexAlignCenterCenter = 4,
    flexAlignCenterBottom = 5,
    flexAlignRightTop = 6,
    flexAlignRightCenter = 7,
    flexAlignRightBottom = 8,
};

// Mouse button codes of the MouseDown/MouseUp signals.
enum FlexButton { flexLeftButton = 1, flexRightButton = 2, flexMiddleButton = 4 };

// A colour written as the legacy 0x00BBGGRR number (white 16777215, light grey 14737632).
QColor colorFromRgbNumber(quint32 bgr);

// The grid the windows use: a thin layer over QTableWidget with the flex-grid way of working.
//
// There is always a current cell (row(), col()); the cell properties (text, alignment, bold, font
// size, background, picture) act on it, as the window code expects. Row heights and column widths
// are given in twips and read back exactly as given, whatever the screen resolution; a size of 0
// hides the row or column. The first fixedRows() rows are headings: drawn on the heading colour and
// never given the selection highlight, but a click on them still makes them current, because
// window code decides what a heading click means.
//
// A left click moves the current cell to the clicked cell and then emits MouseDown; a right or
// middle click emits MouseDown without moving it. Click follows the release of a left click. A
// click below the last row or beside the last column hits no cell: it moves nothing, and
// mouseRow() and mouseCol() are -1 (they name the cell under the last click otherwise).
// Moving the current cell with the keys emits RowColChange; every key pressed in the grid is
// reported by KeyDown before the grid acts on it.
// Cells are read-only to the user except through editCell(), which opens an in-place editor on the
// current cell; AfterEdit reports the committed text, when it differs from what the cell held.
class FlexGrid : public QWidget
{
    Q_OBJECT

public:
    explicit FlexGrid(QWidget* parent = nullptr);

    int rows() const;
    void setRows(int count);
    int cols() const;
    void setCols(int count);
    int fixedRows() const { return m_fixedRows; }
    void setFixedRows(int count);

    int row() const { return m_row; }
    void setRow(int row);
    int col() const { return m_col; }
    void setCol(int col);

    // The current cell.
    QString text() const;
    void setText(const QString& text);
    int cellAlignment() const;
    void setCellAlignment(int alignment);
    bool cellFontBold() const;
    void setCellFontBold(bool bold);
    double cellFontSize() const;
    void setCellFontSize(double points);
    QColor cellBackColor() const;
    void setCellBackColor(const QColor& color);
    void setCellPicture(const QPixmap& picture);
    bool hasCellPicture() const;

    // Any cell.
    QString textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    // Sizes in twips.
    int rowHeight(int row) const;
    void setRowHeight(int row, int twips);
    int colWidth(int col) const;
    void setColWidth(int col, int twips);
    void setDefaultRowHeight(int twips);

    // Removes every cell's text, picture and formatting; counts and sizes stay.
    void clear();

    // Opens the in-place editor on the current cell.
    void editCell();
    bool isEditing() const;
    // Ends an open in-place edit keeping what was typed, as leaving the cell would (AfterEdit follows).
    void commitEdit();
    // Ends an open in-place edit throwing away what was typed; the cell keeps its text.
    void cancelEdit();

    // The cell under the mouse at the last click; -1 when the click hit no row or column.
    int mouseRow() const { return m_mouseRow; }
    int mouseCol() const { return m_mouseCol; }

    // The rectangle of a cell in this widget's coordinates (for tests driving the mouse).
    QRect cellRect(int row, int col) const;
    QTableWidget* table() const { return m_table; }

signals:
    void MouseDown(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);
    void Click();
    void AfterEdit(int row, int col);
    void RowColChange();
    void KeyDown(int key, int shift);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTableWidgetItem* cell(int row, int col) const; // created on demand
    QTableWidgetItem* existingCell(int row, int col) const;
    void applyRowHeight(int row);
    void applyColWidth(int col);
    void showCurrent();
    void endEdit();

    QTableWidget* m_table;
    int m_row = 0;
    int m_col = 0;
    int m_fixedRows = 0;
    int m_defaultRowHeight = 240;
    std::vector<int> m_rowHeights; // twips, -1 for the default
    std::vector<int> m_colWidths;  // twips, -1 for the default
    bool m_editing = false;
    int m_editRow = -1;
    int m_editCol = -1;
    int m_mouseRow = -1;
    int m_mouseCol = -1;
};

} // namespace ui
