#include "SectionNavigator.h"

#include "RecipeNew.h"
#include "data/SqlText.h"
#include "startup/Program.h"
#include "ui/FlexGrid.h"

namespace pantrova {

void SectionNavigator::ShowSection(quint8 section)
{
    Program& p = program();
    w.GroupGrid->clear();
    w.SectionGrid->clear();
    p.CurrentSection = section;

    const QString s = engine::sqlNumber(int(section));
    w.GroupSet = p.Cookbook.OpenRecordset(QStringLiteral("select * from groups where section = ") + s +
                                          QStringLiteral(" order by groupname"));
    w.SectionSet = p.Cookbook.OpenRecordset(QStringLiteral("select * from sections where section = ") + s +
                                            QStringLiteral(" order by sectionname"));
    engine::Recordset others =
        p.Cookbook.OpenRecordset(QStringLiteral("select * from sections where section <> ") + s +
                                 QStringLiteral(" order by sectionname"));
    for (engine::Recordset* rs : {&w.GroupSet, &w.SectionSet, &others})
        if (rs->RecordCount() > 0)
            rs->MoveFirst();

    ui::FlexGrid& groups = *w.GroupGrid;
    groups.setColWidth(0, 0);
    groups.setRow(0);
    groups.setCol(1);
    groups.setRowHeight(0, 480);
    const QString sectionName =
        w.SectionSet.RecordCount() > 0 ? w.SectionSet.Text(QStringLiteral("sectionname")) : QString();
    groups.setText(sectionName + QChar(10) + QStringLiteral("Recipes"));
    groups.setCellAlignment(ui::flexAlignCenterCenter);
    groups.setCellFontBold(true);
    groups.setCellFontSize(9);

    // One row per group under the heading, never fewer than the design's rows; a grid with more
    // rows than the design scrolls and gives its scroll bar room.
    const int count = w.GroupSet.RecordCount();
    const bool scrolls = count + 1 > DesignRows;
    const int nameWidth = scrolls ? NarrowColumn : WideColumn;
    groups.setRows(scrolls ? count + 1 : DesignRows);
    groups.setColWidth(1, nameWidth);
    w.SectionGrid->setColWidth(1, nameWidth);

    for (int i = 1; i <= count && !w.GroupSet.isEOF(); ++i) {
        groups.setRow(i);
        groups.setCellAlignment(ui::flexAlignCenterCenter);
        groups.setCellFontBold(true);
        groups.setText(w.GroupSet.Text(QStringLiteral("groupname")));
        w.GroupSet.MoveNext();
    }
    groups.setRow(1);
    p.RememberedGroupRow = 1;

    ui::FlexGrid& sections = *w.SectionGrid;
    sections.setColWidth(0, 0);
    sections.setRowHeight(0, 0);
    sections.setCol(1);
    for (int i = 1; i <= 3; ++i) {
        sections.setRow(i);
        sections.setCellAlignment(ui::flexAlignCenterCenter);
        sections.setCellFontBold(true);
        sections.setRowHeight(i, 245);
        // A cookbook with fewer than four sections leaves the remaining rows empty; clicking them
        // does nothing.
        sections.setText(others.isEOF() ? QString() : others.Text(QStringLiteral("sectionname")));
        if (!others.isEOF())
            others.MoveNext();
    }
    sections.setRow(0);

    w.GroupSet.Close();
    w.SectionSet.Close();
    others.Close();
}

void SectionNavigator::SelectGroup(qint16& button)
{
    if (button != 1)
        return;
    Program& p = program();
    ui::FlexGrid& groups = *w.GroupGrid;
    groups.setCol(1);
    if (groups.text().isEmpty() || groups.row() == 0) {
        groups.setRow(p.RememberedGroupRow);
        return;
    }
    p.RememberedGroupRow = quint16(groups.row());

    w.GroupSet = p.Cookbook.OpenRecordset(QStringLiteral("select * from groups where groupname = ") +
                                          engine::sqlText(groups.text()) + QStringLiteral(" and section = ") +
                                          engine::sqlNumber(int(p.CurrentSection)));
    if (w.GroupSet.RecordCount() == 0) {
        w.GroupSet.Close();
        return;
    }
    w.GroupSet.MoveFirst();
    p.CurrentGroup = qint16(w.GroupSet.Fields(QStringLiteral("groupnum")).toLong());
    w.CurrentGroupName = w.GroupSet.Text(QStringLiteral("groupname"));
    w.GroupSet.Close();
    w.LoadGroupRecipes();
}

void SectionNavigator::SectionGrid_Click()
{
    ui::FlexGrid& sections = *w.SectionGrid;
    sections.setCol(1);
    if (sections.text().isEmpty())
        return;
    Program& p = program();
    w.SectionSet = p.Cookbook.OpenRecordset(QStringLiteral("select * from sections where sectionname = ") +
                                            engine::sqlText(sections.text()));
    if (w.SectionSet.RecordCount() == 0)
        return;
    w.SectionSet.MoveFirst();
    const auto section = quint8(w.SectionSet.Fields(QStringLiteral("section")).toLong());
    w.ShowSection(section);
    w.GroupGrid->setRow(1);
    qint16 left = 1;
    w.SelectGroup(left);
}

} // namespace pantrova
