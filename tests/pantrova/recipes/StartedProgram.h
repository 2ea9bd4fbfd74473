#pragma once

// A started program for the main window's tests: a temporary program folder with its data files
// made by the start-up routine, settings of its own, the splash over; and small readers of what
// the window shows.
#include "RecipeWindow.h"
#include "data/ProgramFolder.h"
#include "data/Workspace.h"
#include "startup/StartUp.h"
#include "ui/LetterStrip.h"

#include <QMenu>

#include <memory>

namespace pantrova {

using Look = ui::LetterArt::Look;

// A started program in a temporary folder: data files made, settings isolated, splash over.
struct Kitchen
{
    TestWorld world;
    std::unique_ptr<RecipeNew> window;

    Kitchen()
    {
        Settings::write(QStringLiteral("DH"), QStringLiteral("7.0")); // no what's-new page unless asked for
        StartUp::Prepare(ProgramFolder(world.path()));
        program().SplashMode = false;
    }

    void execute(const QString& sql, const QList<engine::Value>& params = {},
                 const QString& file = QStringLiteral("Recipe20.mdb"))
    {
        engine::Workspace ws;
        engine::Database db = ws.OpenDatabase(file);
        db.Execute(sql, params);
        db.Close();
    }

    void addRecipe(int group, const QString& name, int number = 1, const QString& description = {})
    {
        execute(
            QStringLiteral("insert into recipes (Name, category_code, groupnum, Description, Ingrediants) "
                           "values (?, ?, ?, ?, ?)"),
            QList<engine::Value>{name, number, group,
                                 description.isNull() ? engine::Value() : engine::Value(description),
                                 QString(QStringLiteral("ingredients of ") + name)});
    }

    RecipeNew& open(bool show = false)
    {
        window = std::make_unique<RecipeNew>();
        window->Form_Load();
        if (show) {
            window->show();
            if (!QTest::qWaitForWindowExposed(window.get()))
                qWarning("main window not exposed");
        }
        return *window;
    }
};

inline QList<int> lettersWithLook(const RecipeNew& w, Look look)
{
    QList<int> letters;
    for (int k = 0; k < 26; ++k)
        if (w.Toolbar2->visibleLook(k) == look)
            letters << k;
    return letters;
}

inline int letter(char c)
{
    return c - 'A';
}

inline QStringList actionTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* a : menu->actions())
        texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return texts;
}

} // namespace pantrova
