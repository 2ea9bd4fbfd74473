// A second process working on a cookbook through the engine layer, for the tests that kill a
// writer or run it under another locale.
//   engine_writer <cookbook> crash <committed recipes> mid|after
//       adds committed recipes, then stays inside a transaction ("mid") or idles after its last
//       commit ("after"), says "ready" and waits to be killed;
//   engine_writer <cookbook> add <name>...
//       adds recipes of those names to group 1, one commit each;
//   engine_writer <cookbook> list
//       prints group 1's names in list order, one a line.
#include "data/Database.h"
#include "data/Workspace.h"

#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

namespace {

const QString kInsert =
    QStringLiteral("INSERT INTO recipes (Name, category_code, groupnum, Instructions) VALUES (?, 1, 1, ?)");

int crash(engine::Database& db, int committed, bool midTransaction)
{
    // A small page cache makes the unfinished transaction spill into the log, as a large one does.
    db.ExecuteScript(QStringLiteral("PRAGMA cache_size = 8"));
    const QString text = QString(2000, u'x');
    for (int i = 1; i <= committed; ++i) {
        engine::Transaction t(db);
        db.Execute(kInsert, {QStringLiteral("Committed %1").arg(i), text});
        t.commit();
    }
    if (midTransaction) {
        db.BeginTrans();
        for (int i = 1; i <= 300; ++i)
            db.Execute(kInsert, {QStringLiteral("Uncommitted %1").arg(i), text});
    }
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;)
        ::pause();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    engine::Workspace ws;
    engine::Database db = ws.OpenDatabase(args[1]);
    if (args[2] == u"crash" && args.size() == 5)
        return crash(db, args[3].toInt(), args[4] == u"mid");
    if (args[2] == u"add") {
        for (const QString& name : args.mid(3))
            db.Execute(kInsert, {name, QStringLiteral("Stir.")});
        return 0;
    }
    if (args[2] == u"list") {
        engine::Recordset rs = db.OpenRecordset(QStringLiteral(
            "select * from recipes where groupnum = 1 order by name + trim(str(category_code))"));
        for (; !rs.isEOF(); rs.MoveNext())
            std::printf("%s\n", rs.Text(QStringLiteral("Name")).toUtf8().constData());
        return 0;
    }
    return 2;
}
