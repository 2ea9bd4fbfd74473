#include "ReportKitchen.h"

#include "data/ProgramFolder.h"
#include "data/Settings.h"
#include "data/Workspace.h"
#include "recipes/RecipeNew.h"
#include "reports/Print_Form.h"
#include "startup/Program.h"
#include "startup/StartUp.h"
#include "ui/FlexGrid.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

using namespace pantrova;

ui::ScriptedDialogs::Failure failTest()
{
    return [](const QString& d) { QTest::qFail(qUtf8Printable(d), __FILE__, __LINE__); };
}

void clickRow(ui::FlexGrid* grid, int row)
{
    QTableWidget* t = grid->table();
    t->scrollTo(t->model()->index(row, 1));
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualRect(t->model()->index(row, 1)).center());
}

ReportKitchen::ReportKitchen()
{
    Settings::write(QStringLiteral("DH"), QStringLiteral("7.0")); // no what's-new page
    StartUp::Prepare(ProgramFolder(world.path()));
    program().SplashMode = false;
}

ReportKitchen::~ReportKitchen()
{
    window.reset();
    program().reset();
}

void ReportKitchen::execute(const QString& sql, const QList<engine::Value>& params)
{
    if (program().Cookbook.isOpen()) {
        program().Cookbook.Execute(sql, params);
        return;
    }
    engine::Workspace ws;
    engine::Database db = ws.OpenDatabase(QStringLiteral("Recipe20.mdb"));
    db.Execute(sql, params);
    db.Close();
}

void ReportKitchen::addRecipe(int group, const QString& name, int number, const QString& description,
                              const QList<std::pair<QString, engine::Value>>& fields)
{
    execute(QStringLiteral("insert into recipes (Name, category_code, groupnum, Description, Ingrediants, "
                           "Instructions) values (?, ?, ?, ?, ?, ?)"),
            {name, number, group, description, QString(QStringLiteral("ingredients of ") + name),
             QString(QStringLiteral("instructions of ") + name)});
    for (const auto& [field, value] : fields)
        execute(QStringLiteral("update recipes set ") + field +
                    QStringLiteral(" = ? where name = ? and category_code = ? and groupnum = ?"),
                {value, name, number, group});
}

void ReportKitchen::addSection(int section, const QString& name)
{
    execute(QStringLiteral("insert into sections (section, sectionname) values (?, ?)"), {section, name});
}

void ReportKitchen::addGroup(int group, const QString& name, int section)
{
    execute(QStringLiteral("insert into groups (groupnum, groupname, section) values (?, ?, ?)"),
            {group, name, section});
}

RecipeNew& ReportKitchen::open()
{
    window = std::make_unique<RecipeNew>();
    window->Form_Load();
    return *window;
}

void ReportKitchen::showRecipe(const QString& name, int number)
{
    // What the recipe page shows for it: the name, and "- n" for a number above 1.
    window->Recipe_Name->setText(name);
    window->Text1->setText(number > 1 ? QStringLiteral("- ") + QString::number(number) : QString());
}

std::unique_ptr<Print_Form> ReportKitchen::selection()
{
    auto form = std::make_unique<Print_Form>(*window);
    form->Form_Load();
    return form;
}

QStringList ReportKitchen::reportRows()
{
    QStringList rows;
    engine::Recordset rs = program().Cookbook.OpenRecordset(QStringLiteral("select * from report"));
    for (; !rs.isEOF(); rs.MoveNext())
        rows << QStringList{rs.Text(QStringLiteral("Name")), rs.Text(QStringLiteral("category_code")),
                            rs.Text(QStringLiteral("extra2")), rs.Text(QStringLiteral("extra3")),
                            rs.Text(QStringLiteral("extra5"))}
                    .join(u'|');
    return rows;
}
