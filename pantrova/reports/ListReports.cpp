#include "ListReports.h"

#include "data/Database.h"
#include "data/Recordset.h"
#include "print/Document.h"

namespace pantrova {

namespace {

void blank(print::Document& doc, int count = 1)
{
    for (int i = 0; i < count; ++i)
        doc.paragraph(QStringLiteral("\n"));
}

engine::Recordset byName(engine::Database& cookbook)
{
    return cookbook.OpenRecordset(QStringLiteral("select * from Report order by name"));
}

} // namespace

bool ListReports::PrintNameList(print::Document& doc, engine::Database& cookbook)
{
    engine::Recordset row = byName(cookbook);
    if (row.RecordCount() == 0)
        return false;
    doc.clear();
    doc.setTitle(QStringLiteral("Recipe List"));
    doc.setExportFile({});
    doc.setColumns(2);
    doc.setMarginLeft(770);
    doc.setMarginRight(770);
    doc.setMarginTop(770);
    doc.setMarginBottom(770);
    doc.start();
    for (; !row.isEOF(); row.MoveNext()) {
        doc.setTextAlign(print::AlignLeft);
        doc.setFontName(QStringLiteral("arial"));
        doc.paragraph(row.Text(QStringLiteral("Name")));
        blank(doc, 2);
    }
    doc.end();
    return true;
}

bool ListReports::PrintRecipeCards(print::Document& doc, engine::Database& cookbook)
{
    engine::Recordset row = byName(cookbook);
    if (row.RecordCount() == 0)
        return false;
    doc.clear();
    doc.setTitle(QStringLiteral("Recipe Cards"));
    doc.setExportFile({});
    constexpr double kInch = print::Document::TwipsPerInch;
    doc.setMarginTop(kInch / 2);
    doc.setMarginLeft(kInch / 2);
    doc.setMarginRight(doc.pageWidth() - kInch / 2 - 6 * kInch);
    doc.setMarginBottom(doc.pageHeight() - kInch / 2 - 5 * kInch);
    doc.start();
    bool first = true;
    for (; !row.isEOF(); row.MoveNext()) {
        if (!first)
            doc.newPage();
        first = false;
        doc.setTextAlign(print::AlignLeft);
        doc.setFontName(QStringLiteral("arial"));
        doc.setFontSize(12);
        doc.setFontBold(true);
        doc.setTextColor(QColor(128, 0, 0));
        doc.paragraph(row.Text(QStringLiteral("Name")));
        blank(doc);

        doc.setTextColor(Qt::black);
        doc.setFontSize(10);
        doc.setLeftIndent(0);
        blank(doc);
        doc.paragraph(QStringLiteral("INGREDIENTS"));
        doc.setLeftIndent(335);
        blank(doc, 2);
        doc.setFontSize(8);
        doc.setFontBold(false);
        doc.paragraph(row.Text(QStringLiteral("Ingrediants")));
        blank(doc);
        doc.setLeftIndent(0);
        blank(doc);

        doc.setFontSize(10);
        doc.setFontBold(true);
        doc.paragraph(QStringLiteral("INSTRUCTIONS"));
        blank(doc);
        doc.setFontSize(8);
        doc.setFontBold(false);
        doc.setLeftIndent(335);
        blank(doc);
        doc.paragraph(row.Text(QStringLiteral("Instructions")));
        blank(doc);
        doc.setLeftIndent(0);
        blank(doc);
    }
    doc.end();
    return true;
}

} // namespace pantrova
