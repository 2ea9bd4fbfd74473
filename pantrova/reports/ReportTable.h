#pragma once

#include "data/Database.h"

#include <QList>
#include <QString>

#include <vector>

namespace pantrova {

// What "Display Report" is asked to gather: the scope chosen (0 the displayed recipe, 1 the current
// group, 2 the current section, 3 the whole cookbook, 4 the groups marked, 5 the recipes marked) and
// what each scope needs.
struct ReportScope
{
    struct Group
    {
        QString sectionName;
        QString groupName;
        qint64 groupnum = 0;
    };
    struct Recipe
    {
        QString name;
        double number = 1;
        qint64 groupnum = 0;
    };

    int option = 0;
    quint8 section = 0;          // the main window's current section
    qint16 group = 0;            // and group
    QString recipeName;          // scope 0: the name box of the main window
    double recipeNumber = 1;     // scope 0: its number
    std::vector<Group> groups;   // scope 4, in the grid's order
    std::vector<Recipe> recipes; // scope 5, in the grid's order
};

// The cookbook's scratch table `report`: emptied and filled with copies of `recipes` rows for one
// report, every copied row labelled with the names of its section and group, and its number when
// it is above 1.
//
// A fill is one transaction: it either replaces the table's rows completely or leaves the previous
// report's rows as they were. Names are always bound as values, never pasted into the statements,
// so a name with an apostrophe, a bracket or a semicolon selects exactly its own rows. Used from the
// user-interface thread only.
class ReportTable
{
public:
    ReportTable(engine::Database& cookbook, QString cookbookFile);

    void Fill(const ReportScope& scope);

    // Deletes every row of `report`.
    void Empty();
    // Copies the recipes `where` selects (a "where ..." clause, "?" for each of `params`) into
    // `report`, ordered by name and number.
    void AddToReport(const QString& where, const QList<engine::Value>& params = {});
    // Labels the rows the preceding AddToReport added (those with no section name yet).
    void LabelNewReportRows(const QString& sectionName, const QString& groupName);
    // Both steps at once: the rows are copied with their labels. What fills use.
    void CopyLabelled(const QString& where, QList<engine::Value> params, const QString& sectionName,
                      const QString& groupName);

    QString SectionName(qint64 section);
    QString GroupName(qint64 groupnum);
    qint64 SectionOfGroup(qint64 groupnum);

    // The INSERT statement AddToReport runs for `where`. The cookbook is named as the target where
    // its file name can stand between brackets; a name holding "]" cannot, and the target is then
    // the open cookbook itself, which is the same table.
    QString insertStatement(const QString& where, const QString& selectList = QStringLiteral("*")) const;

private:
    void copyGroup(qint64 groupnum, const QString& sectionName, const QString& groupName);
    void copySection(qint64 section, const QString& sectionName);

    engine::Database& m_db;
    QString m_file;
};

} // namespace pantrova
