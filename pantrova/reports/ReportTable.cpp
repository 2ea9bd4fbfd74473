#include "ReportTable.h"

#include "data/SqlText.h"

#include <stdexcept>

namespace pantrova {

namespace {

QString text(engine::Recordset& rs, const char* field)
{
    return rs.Text(QString::fromLatin1(field));
}

} // namespace

ReportTable::ReportTable(engine::Database& cookbook, QString cookbookFile)
    : m_db(cookbook), m_file(std::move(cookbookFile))
{}

QString ReportTable::insertStatement(const QString& where, const QString& selectList) const
{
    const QString target =
        m_file.contains(u']') ? QStringLiteral("report") : u'[' + m_file + QStringLiteral("].report");
    return QStringLiteral(" INSERT INTO ") + target + QStringLiteral(" SELECT ") + selectList +
           QStringLiteral(" FROM Recipes ") + where +
           QStringLiteral(" order by name + trim(str(category_code)) ;");
}

void ReportTable::Empty()
{
    m_db.Execute(QStringLiteral("delete from report"));
}

void ReportTable::AddToReport(const QString& where, const QList<engine::Value>& params)
{
    m_db.Execute(insertStatement(where), params);
}

void ReportTable::LabelNewReportRows(const QString& sectionName, const QString& groupName)
{
    m_db.Execute(
        QStringLiteral("update report set extra2 = ?, extra3 = ?, "
                       "extra5 = case when category_code > 1 then trim(str(category_code)) else extra5 end "
                       "where extra2 = '' or isnull(extra2)"),
        {sectionName, groupName});
}

QString ReportTable::SectionName(qint64 section)
{
    engine::Recordset rs = m_db.OpenRecordset(QStringLiteral("select * from sections where section = ") +
                                              engine::sqlNumber(section));
    if (rs.RecordCount() == 0)
        throw std::runtime_error(QStringLiteral("The recipe section %1 is no longer in this cookbook.")
                                     .arg(section)
                                     .toStdString());
    return text(rs, "sectionname");
}

QString ReportTable::GroupName(qint64 groupnum)
{
    engine::Recordset rs = m_db.OpenRecordset(QStringLiteral("select * from groups where groupnum = ") +
                                              engine::sqlNumber(groupnum));
    if (rs.RecordCount() == 0)
        throw std::runtime_error(
            QStringLiteral("The recipe group %1 is no longer in this cookbook.").arg(groupnum).toStdString());
    return text(rs, "groupname");
}

qint64 ReportTable::SectionOfGroup(qint64 groupnum)
{
    engine::Recordset rs = m_db.OpenRecordset(QStringLiteral("select * from groups where groupnum = ") +
                                              engine::sqlNumber(groupnum));
    if (rs.RecordCount() == 0)
        throw std::runtime_error(
            QStringLiteral("The recipe group %1 is no longer in this cookbook.").arg(groupnum).toStdString());
    return rs.Fields(QStringLiteral("section")).toLong();
}

void ReportTable::CopyLabelled(const QString& where, QList<engine::Value> params, const QString& sectionName,
                               const QString& groupName)
{
    // The copy and its labels in one statement: labelling afterwards would rewrite every copied
    // row, texts and all, a second time.
    params.prepend(groupName);
    params.prepend(sectionName);
    m_db.Execute(
        insertStatement(where, QStringLiteral("*, ? as extra2, ? as extra3, case when category_code > 1 "
                                              "then trim(str(category_code)) end as extra5")),
        params);
}

void ReportTable::copyGroup(qint64 groupnum, const QString& sectionName, const QString& groupName)
{
    CopyLabelled(QStringLiteral("where groupnum = ?"), {groupnum}, sectionName, groupName);
}

void ReportTable::copySection(qint64 section, const QString& sectionName)
{
    engine::Recordset groups =
        m_db.OpenRecordset(QStringLiteral("select * from groups where section = ") +
                           engine::sqlNumber(section) + QStringLiteral(" order by groupname"));
    for (; !groups.isEOF(); groups.MoveNext())
        copyGroup(groups.Fields(QStringLiteral("groupnum")).toLong(), sectionName, text(groups, "groupname"));
}

void ReportTable::Fill(const ReportScope& scope)
{
    engine::Transaction transaction(m_db);
    Empty();
    switch (scope.option) {
    case 0:
        CopyLabelled(QStringLiteral("where groupnum = ? and name = ? and Category_Code = ?"),
                     {qint64(scope.group), scope.recipeName, scope.recipeNumber}, SectionName(scope.section),
                     GroupName(scope.group));
        break;
    case 1:
        copyGroup(scope.group, SectionName(scope.section), GroupName(scope.group));
        break;
    case 2:
        copySection(scope.section, SectionName(scope.section));
        break;
    case 3: {
        engine::Recordset sections =
            m_db.OpenRecordset(QStringLiteral("select * from sections order by sectionname"));
        for (; !sections.isEOF(); sections.MoveNext())
            copySection(sections.Fields(QStringLiteral("section")).toLong(), text(sections, "sectionname"));
        break;
    }
    case 4:
        for (const ReportScope::Group& g : scope.groups)
            copyGroup(g.groupnum, g.sectionName, g.groupName);
        break;
    case 5:
        for (const ReportScope::Recipe& r : scope.recipes) {
            const QString groupName = GroupName(r.groupnum);
            const QString sectionName = SectionName(SectionOfGroup(r.groupnum));
            CopyLabelled(QStringLiteral("where name = ? and category_code = ? and groupnum = ?"),
                         {r.name, r.number, r.groupnum}, sectionName, groupName);
        }
        break;
    default:
        break;
    }
    transaction.commit();
}

} // namespace pantrova
