#include "SelectionGrids.h"

#include "data/Database.h"
#include "data/SqlText.h"
#include "ui/FlexGrid.h"
#include "ui/Twips.h"

#include <QHeaderView>
#include <QLocale>
#include <QScrollBar>
#include <QTableWidget>

namespace pantrova {

namespace {

constexpr int kStartRows = 2; // the heading and one data row, as the grids are designed
constexpr int kRowHeight = 300;

const QString kUnselected = QStringLiteral("1");
const QString kSelected = QStringLiteral("2");

void heading(ui::FlexGrid& grid, int col, const QString& caption)
{
    grid.setRow(0);
    grid.setCol(col);
    grid.setText(caption);
    grid.setCellFontBold(true);
}

// Marks rows through the grid's current cell, then puts the current cell and the scrolled
// position back, so the rows the person sees stay where they are.
class KeepView
{
public:
    explicit KeepView(ui::FlexGrid& grid)
        : m_grid(grid), m_row(grid.row()), m_scroll(grid.table()->verticalScrollBar()->value())
    {
        m_grid.setUpdatesEnabled(false);
    }
    ~KeepView()
    {
        m_grid.setRow(m_row);
        m_grid.table()->verticalScrollBar()->setValue(m_scroll);
        m_grid.setUpdatesEnabled(true);
    }
    KeepView(const KeepView&) = delete;
    KeepView& operator=(const KeepView&) = delete;

private:
    ui::FlexGrid& m_grid;
    int m_row;
    int m_scroll;
};

} // namespace

double numberOr(const QString& text, double fallback)
{
    QString compact = text;
    compact.remove(u' ');
    bool ok = false;
    const double value = QLocale::c().toDouble(compact, &ok);
    return ok ? value : fallback;
}

SelectionGrids::SelectionGrids(ui::FlexGrid& sections, ui::FlexGrid& recipes, QPixmap unmarked,
                               QPixmap marked)
    : m_sections(sections), m_recipes(recipes), m_unmarked(std::move(unmarked)), m_marked(std::move(marked))
{}

int SelectionGrids::grownRowCount(int startRows, int dataRows)
{
    int rows = startRows;
    while (dataRows >= rows)
        rows += 2;
    return rows;
}

void SelectionGrids::SetUpGrids()
{
    for (ui::FlexGrid* grid : {&m_sections, &m_recipes}) {
        // New rows come at the data rows' height, so sizing them costs nothing however many.
        grid->table()->verticalHeader()->setDefaultSectionSize(ui::Twips::toPixelsY(kRowHeight));
        grid->setCols(7);
        grid->setRows(kStartRows);
        grid->setFixedRows(1);
        grid->setDefaultRowHeight(kRowHeight);
    }
    const int sectionWidths[] = {0, 400, 1900, 1900, 0, 0, 0};
    const int recipeWidths[] = {0, 400, 3300, 500, 0, 0, 0};
    for (int c = 0; c < 7; ++c) {
        m_sections.setColWidth(c, sectionWidths[c]);
        m_recipes.setColWidth(c, recipeWidths[c]);
    }
    heading(m_sections, 2, QStringLiteral("Recipe Sections"));
    heading(m_sections, 3, QStringLiteral("Recipe Groups"));
    heading(m_recipes, 2, QStringLiteral("Recipes"));
}

void SelectionGrids::setState(ui::FlexGrid& grid, int row, bool selected)
{
    grid.setTextMatrix(row, 0, selected ? kSelected : kUnselected);
    grid.setRow(row);
    grid.setCol(1);
    grid.setCellPicture(selected ? m_marked : m_unmarked);
    grid.setCellAlignment(ui::flexAlignCenterCenter);
}

void SelectionGrids::FillSections(engine::Database& cookbook)
{
    struct Row
    {
        bool section;
        QString name;
        QString number;
        QString sectionNumber;
    };
    std::vector<Row> rows;
    engine::Recordset sections =
        cookbook.OpenRecordset(QStringLiteral("select * from sections order by sectionname"));
    for (; !sections.isEOF(); sections.MoveNext()) {
        const QString section = engine::sqlNumber(sections.Fields(QStringLiteral("section")).toLong());
        rows.push_back({true, sections.Text(QStringLiteral("sectionname")), section, section});
        engine::Recordset groups =
            cookbook.OpenRecordset(QStringLiteral("select * from groups where section = ") + section +
                                   QStringLiteral(" order by groupname"));
        for (; !groups.isEOF(); groups.MoveNext())
            rows.push_back({false, groups.Text(QStringLiteral("groupname")),
                            engine::sqlNumber(groups.Fields(QStringLiteral("groupnum")).toLong()), section});
    }

    ui::FlexGrid& g = m_sections;
    g.setRows(grownRowCount(g.rows(), int(rows.size())));
    for (int n = 1; n <= int(rows.size()); ++n) {
        const Row& r = rows[size_t(n - 1)];
        if (r.section) {
            g.setTextMatrix(n, 2, r.name);
            g.setRow(n);
            g.setCol(2);
            g.setCellFontBold(true);
            g.setTextMatrix(n, 4, r.number);
        } else {
            g.setTextMatrix(n, 3, r.name);
            g.setTextMatrix(n, 5, r.number);
        }
        g.setTextMatrix(n, 6, r.sectionNumber);
        setState(g, n, false);
    }
    for (int n = 1; n < g.rows(); ++n)
        g.setTextMatrix(n, 0, kUnselected);
    g.setRow(0);
    g.table()->scrollToTop();
}

void SelectionGrids::FillRecipes(engine::Database& cookbook)
{
    // The number comes as text, ready for the grid; a computed column also lets the engine read the
    // whole list in one pass instead of row by row.
    engine::Recordset recipes = cookbook.OpenRecordset(
        QStringLiteral("select name, groupnum, trim(str(category_code)) as number from recipes "
                       "order by name + trim(str(category_code))"));
    ui::FlexGrid& g = m_recipes;
    const int count = recipes.RecordCount();
    if (count == 0) {
        g.setRows(1); // only the heading
        return;
    }
    g.setRows(grownRowCount(g.rows(), count));
    int n = 0;
    for (; !recipes.isEOF(); recipes.MoveNext()) {
        ++n;
        g.setTextMatrix(n, 2, recipes.Text(QStringLiteral("name")));
        const QString number = recipes.Text(QStringLiteral("number"));
        g.setTextMatrix(n, 3, numberOr(number, 1) > 1 ? number : QString());
        g.setTextMatrix(n, 4, engine::sqlNumber(recipes.Fields(QStringLiteral("groupnum")).toLong()));
        setState(g, n, false);
    }
    for (int r = 1; r < g.rows(); ++r)
        g.setTextMatrix(r, 0, kUnselected);
    g.setRow(0);
    g.table()->scrollToTop();
}

void SelectionGrids::SectionGridClick()
{
    ui::FlexGrid& g = m_sections;
    const int row = g.row();
    const QString section = g.textMatrix(row, 6);
    if (row == 0 || section.isEmpty())
        return;
    const bool select = g.textMatrix(row, 0) == kUnselected;
    const KeepView keep(g); // and one repaint for the whole change
    if (!g.textMatrix(row, 2).isEmpty()) {
        for (int r = 1; r < g.rows(); ++r)
            if (g.textMatrix(r, 6) == section)
                setState(g, r, select);
    } else {
        setState(g, row, select);
        for (int r = 1; r < g.rows(); ++r)
            if (g.textMatrix(r, 4) == section)
                setState(g, r, false);
    }
}

void SelectionGrids::RecipeGridClick()
{
    ui::FlexGrid& g = m_recipes;
    const int row = g.row();
    if (row == 0 || g.textMatrix(row, 2).isEmpty())
        return;
    const KeepView keep(g);
    setState(g, row, g.textMatrix(row, 0) == kUnselected);
}

std::vector<ReportScope::Group> SelectionGrids::MarkedGroups() const
{
    std::vector<ReportScope::Group> groups;
    QString sectionName;
    for (int r = 1; r < m_sections.rows(); ++r) {
        if (m_sections.textMatrix(r, 6).isEmpty())
            break;
        if (!m_sections.textMatrix(r, 2).isEmpty())
            sectionName = m_sections.textMatrix(r, 2);
        else if (m_sections.textMatrix(r, 0) == kSelected)
            groups.push_back(
                {sectionName, m_sections.textMatrix(r, 3), m_sections.textMatrix(r, 5).toLongLong()});
    }
    return groups;
}

std::vector<ReportScope::Recipe> SelectionGrids::MarkedRecipes() const
{
    std::vector<ReportScope::Recipe> recipes;
    for (int r = 1; r < m_recipes.rows(); ++r) {
        if (m_recipes.textMatrix(r, 0) == kUnselected)
            continue;
        const QString name = m_recipes.textMatrix(r, 2);
        if (name.isEmpty())
            break;
        recipes.push_back(
            {name, numberOr(m_recipes.textMatrix(r, 3), 1), m_recipes.textMatrix(r, 4).toLongLong()});
    }
    return recipes;
}

} // namespace pantrova
