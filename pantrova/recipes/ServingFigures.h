#pragma once

#include "data/Value.h"

#include <QList>
#include <QLocale>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

namespace engine {
class Recordset;
}

namespace ui {
class FlexGrid;
}

namespace pantrova {

// The serving and nutrition figures of a recipe as they travel between the two grids of the
// "Serving Info" tab and the 28 numeric fields of `recipes`.
//
// A cell counts as a number when it reads as one in the person's locale (sign, digits, the locale's
// decimal separator, surrounding blanks; no thousands separators, so "1,5" can never be read as
// fifteen). Numbers are shown without thousands separators for the same reason: whatever the grid
// shows must read back as the same number when the recipe is saved again. Anything else is stored
// as Null; the figures are never checked against each other.
class ServingFigures
{
public:
    // The fields in the order they are saved: S1, S2, c1, c2, then G1, P1, G2, P2, ... G12, P12.
    static const QStringList& fieldNames();

    // The number a cell's text stands for, or nothing.
    static std::optional<double> numberOf(const QString& text, const QLocale& locale = QLocale());
    static bool isNumberText(const QString& text, const QLocale& locale = QLocale())
    {
        return numberOf(text, locale).has_value();
    }
    // A stored value as a cell shows it; empty unless the value is a number.
    static QString cellText(const engine::Value& value, const QLocale& locale = QLocale());

    // Fills the value cells from the recipe's current row (cells of non-numbers stay as they are).
    static void load(const engine::Recordset& recipe, ui::FlexGrid& SMGrid, ui::FlexGrid& ServingGrid,
                     const QLocale& locale = QLocale());
    // The value cells as field values: a number (Double) or Null, in fieldNames() order.
    static QList<QPair<QString, engine::Value>>
    read(const ui::FlexGrid& SMGrid, const ui::FlexGrid& ServingGrid, const QLocale& locale = QLocale());
    static void clear(ui::FlexGrid& SMGrid, ui::FlexGrid& ServingGrid);

    // Where a field's value cell is: SMGrid row 1 for S1-c2, ServingGrid row n for Gn and Pn.
    struct Cell
    {
        bool servingGrid = false;
        int row = 0;
        int col = 0;
    };
    static Cell cellOf(const QString& field);

    // Whether a click on a cell opens its editor: only value cells are typed into.
    static bool isSMValueCell(int row, int col) { return row == 1 && col >= 0 && col < 4; }
    static bool isServingValueCell(int row, int col)
    {
        return row >= 1 && row <= 12 && (col == 1 || col == 2);
    }
};

} // namespace pantrova
