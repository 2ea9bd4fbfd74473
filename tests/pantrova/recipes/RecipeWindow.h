#pragma once

// The main window over a fresh copy of the template cookbook, for the tests of the recipe page:
// a temporary program folder, a scripted answerer that fails the test on any unexpected question,
// and the window loaded on its first group (empty in the template).
#include "TestWorld.h"
#include "data/Database.h"
#include "data/Recordset.h"
#include "data/Settings.h"
#include "recipes/RecipeEditor.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "ui/FlexGrid.h"
#include "ui/PlainTextBox.h"
#include "ui/ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>

inline ui::ScriptedDialogs::Failure failTest()
{
    return [](const QString& d) { QTest::qFail(qUtf8Printable(d), __FILE__, __LINE__); };
}

inline QStringList listEntries(const pantrova::RecipeNew& w)
{
    QStringList entries;
    for (int i = 0; i < w.Recipe_List->count(); ++i)
        entries << w.Recipe_List->itemText(i);
    return entries;
}

inline void clickGridRow(ui::FlexGrid* grid, int row, int col = 1, Qt::MouseButton button = Qt::LeftButton)
{
    QTableWidget* t = grid->table();
    QTest::mouseClick(t->viewport(), button, {}, t->visualRect(t->model()->index(row, col)).center());
}

struct Window
{
    TestWorld world{TestWorld::defaultTemplates() << QStringLiteral("fruits.gif")};
    ui::ScriptedDialogs dialogs{failTest()};
    pantrova::RecipeNew* w = nullptr;

    Window()
    {
        using pantrova::program;
        program().reset();
        // The what's-new page of a first start would take the activation from the window.
        pantrova::Settings::write(QStringLiteral("DH"), QStringLiteral("7.0"));
        world.copyShipped(QStringLiteral("Recipe70e.mdb"), QStringLiteral("recipe20.mdb"));
        program().folder = world.path();
        program().CurrentCookbookFile = QStringLiteral("recipe20.mdb");
        program().CurrentCookbookName = QStringLiteral("My CookBook");
        load();
    }
    ~Window() { pantrova::program().reset(); }

    void load()
    {
        w = new pantrova::RecipeNew;
        pantrova::program().mainWindow = w;
        w->Form_Load();
    }

    pantrova::RecipeEditor& editor() { return w->editor(); }

    void add(const QString& name, const QString& description = {})
    {
        editor().AddRecipe();
        w->Recipe_Name->setText(name);
        w->Description->setPlainText(description);
        editor().SaveRecipeCommand();
    }
    // Shows the recipe of that name and number, as choosing it in the list does.
    void show(const QString& name, qint32 number = 1)
    {
        w->FindRecipe(number, name);
        w->ShowCurrentRecipe();
    }
    int count(const QString& where = QStringLiteral("1 = 1"))
    {
        return pantrova::program()
            .Cookbook.OpenRecordset(QStringLiteral("select * from recipes where ") + where)
            .RecordCount();
    }
    engine::Recordset row(const QString& name)
    {
        return pantrova::program().Cookbook.OpenRecordset(
            QStringLiteral("select * from recipes where name = ? order by category_code"),
            {engine::Value(name)});
    }
    bool buttonShown(int n) const { return w->Toolbar1Button(n)->isVisible(); }
    QString pics() const { return world.filePath(QStringLiteral("PICS")); }

    // On screen and active, so that clicks, keys and shortcuts reach it as a person's would.
    bool showActive()
    {
        w->show();
        QApplication::setActiveWindow(w);
        return QTest::qWaitForWindowActive(w);
    }
    QWidget* toolbarButton(int n) const { return w->Toolbar1->widgetForAction(w->Toolbar1Button(n)); }
    void clickToolbar(int n) { QTest::mouseClick(toolbarButton(n), Qt::LeftButton); }
};
