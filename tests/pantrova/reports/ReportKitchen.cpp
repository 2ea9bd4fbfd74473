#include "ReportKitchen.h"

#include "data/ProgramFolder.h"
#include "data/Settings.h"
#include "data/Workspace.h"
#include "print/VSPrinter.h"
#include "recipes/RecipeNew.h"
#include "reports/Print_Form.h"
#include "reports/ReportTable.h"
#include "reports/ReportWindowForm.h"
#include "startup/Program.h"
#include "startup/StartUp.h"
#include "ui/FlexGrid.h"
#include "ui/Twips.h"

#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

using namespace pantrova;
using print::Document;

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

QStringList column(const ui::FlexGrid* grid, int col)
{
    QStringList values;
    for (int r = 0; r < grid->rows(); ++r)
        values << grid->textMatrix(r, col);
    return values;
}

ReportKitchen::ReportKitchen()
{
    program().reset();
    ui::Twips::setDpiOverride(96);
    print::VSPrinter::defaultPrinter = [] { return QPrinterInfo(); }; // never a real printer
    Settings::write(QStringLiteral("DH"), QStringLiteral("7.0"));     // no what's-new page
    StartUp::Prepare(ProgramFolder(world.path()));
    program().SplashMode = false;
}

ReportKitchen::~ReportKitchen()
{
    window.reset();
    program().reset();
    ui::Twips::setDpiOverride(0);
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

std::unique_ptr<Print_Form> ReportKitchen::selection(int scope)
{
    auto form = std::make_unique<Print_Form>(*window);
    form->Form_Load();
    if (scope >= 0) {
        form->show();
        QTest::mouseClick(form->Report_Option[size_t(scope)], Qt::LeftButton);
    }
    return form;
}

void ReportKitchen::display(Print_Form& form, const std::function<void(ReportWindowForm&)>& look)
{
    dialogs.expectModal(QStringLiteral("ReportWindowForm"), [look](QWidget& w) -> int {
        if (look)
            look(static_cast<ReportWindowForm&>(w));
        return 0;
    });
    QTest::mouseClick(form.PrintButton, Qt::LeftButton);
}

ReportKitchen::Report ReportKitchen::report(int scope, const std::function<void(Print_Form&)>& tick)
{
    Report r;
    r.form = selection();
    r.form->Report_Option[size_t(scope)]->setChecked(true);
    if (tick)
        tick(*r.form);
    r.form->PrintButton->setEnabled(true);
    ReportTable(program().Cookbook, program().CurrentCookbookFile).Fill(r.form->CurrentScope());
    r.window = std::make_unique<ReportWindowForm>(*r.form);
    r.window->Form_Load();
    return r;
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

QStringList texts(const Document& doc)
{
    QStringList out;
    for (const Document::Paragraph& p : doc.paragraphs())
        if (p.text != QStringLiteral("\n"))
            out << p.text;
    return out;
}

int paragraphIndex(const Document& doc, const QString& text, int from)
{
    for (int i = from; i < int(doc.paragraphs().size()); ++i)
        if (doc.paragraphs()[size_t(i)].text == text)
            return i;
    return -1;
}

const Document::Paragraph& paragraph(const Document& doc, const QString& text)
{
    const int i = paragraphIndex(doc, text);
    if (i < 0)
        qFatal("no paragraph %s", qPrintable(text));
    return doc.paragraphs()[size_t(i)];
}

const Document::Line& firstLine(const Document& doc, const QString& text)
{
    return doc.lines()[size_t(paragraph(doc, text).firstLine)];
}

const Document::Style& styleOf(const Document& doc, const QString& text)
{
    return doc.style(paragraph(doc, text).style);
}
