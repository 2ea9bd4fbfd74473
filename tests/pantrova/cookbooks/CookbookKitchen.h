#pragma once

// The world the cookbook tests share: a started program in a temporary folder, with the cookbook
// checks and the cookbook menus attached as the real program attaches them.

#include "TestWorld.h"

#include "cookbooks/CookbookChecks.h"
#include "cookbooks/CookbookMenus.h"
#include "data/Database.h"
#include "data/ProgramFolder.h"
#include "data/Settings.h"
#include "data/Workspace.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "startup/StartUp.h"
#include "ui/ScriptedDialogs.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTest>

#include <memory>

inline ui::ScriptedDialogs::Failure failTest()
{
    return [](const QString& d) { QTest::qFail(qUtf8Printable(d), __FILE__, __LINE__); };
}

struct CookbookKitchen
{
    TestWorld world;
    std::unique_ptr<pantrova::RecipeNew> window;

    CookbookKitchen()
    {
        using namespace pantrova;
        Settings::write(QStringLiteral("DH"), QStringLiteral("7.0"));
        Program& p = program();
        p.checkCookbookFormat = [](engine::Database& db) { CookbookChecks::run(db); };
        p.mainWindowCreated.push_back(attachCookbookMenus);
        StartUp::Prepare(ProgramFolder(world.path()));
        p.SplashMode = false;
    }

    pantrova::RecipeNew& open()
    {
        window = std::make_unique<pantrova::RecipeNew>();
        window->Form_Load();
        return *window;
    }

    QString path(const QString& name) const { return world.filePath(name); }

    // Runs statements on a closed database file of the folder.
    void execute(const QString& file, const QString& sql, const QList<engine::Value>& params = {}) const
    {
        engine::Workspace ws;
        engine::Database db = ws.OpenDatabase(path(file));
        db.Execute(sql, params);
        db.Close();
    }

    // Runs a script of statements on a closed database file of the folder.
    void script(const QString& file, const QString& sql) const
    {
        engine::Workspace ws;
        engine::Database db = ws.OpenDatabase(path(file));
        db.ExecuteScript(sql);
        db.Close();
    }

    QStringList column(const QString& file, const QString& sql, const QString& field) const
    {
        engine::Workspace ws;
        engine::Database db = ws.OpenDatabase(path(file));
        QStringList values;
        engine::Recordset rs = db.OpenRecordset(sql);
        for (; !rs.isEOF(); rs.MoveNext())
            values << rs.Text(field);
        rs.Close();
        db.Close();
        return values;
    }

    int count(const QString& file, const QString& table) const
    {
        return int(column(file, QStringLiteral("select count(*) as n from ") + table, QStringLiteral("n"))
                       .value(0)
                       .toInt());
    }

    QStringList files() const { return QDir(world.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
};

inline QByteArray fileHash(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// Puts a plain file (a damaged database, a stale log, a stray program file) in place.
inline void writeFile(const QString& path, const QByteArray& bytes = "not a database")
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
