// A writer for the crash tests: adds committed recipes to a cookbook through the engine layer,
// then either stays in the middle of a transaction ("mid") or idles after its last commit
// ("after"), says "ready" and waits to be killed.
//   crash_writer <cookbook> <committed recipes> mid|after
#include "data/Database.h"
#include "data/Workspace.h"

#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    engine::Workspace ws;
    engine::Database db = ws.OpenDatabase(args[1]);
    // A small page cache makes the unfinished transaction spill into the log, as a large one does.
    db.ExecuteScript(QStringLiteral("PRAGMA cache_size = 8"));
    const QString insert = QStringLiteral(
        "INSERT INTO recipes (Name, category_code, groupnum, Instructions) VALUES (?, 1, 1, ?)");
    const QString text = QString(2000, u'x');
    for (int i = 1; i <= args[2].toInt(); ++i) {
        engine::Transaction t(db);
        db.Execute(insert, {QStringLiteral("Committed %1").arg(i), text});
        t.commit();
    }
    if (args[3] == u"mid") {
        db.BeginTrans();
        for (int i = 1; i <= 300; ++i)
            db.Execute(insert, {QStringLiteral("Uncommitted %1").arg(i), text});
    }
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;)
        ::pause();
}
