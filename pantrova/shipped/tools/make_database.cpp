// Builds a template database from checked-in SQL scripts:
//   make_database <output file> <schema version> <script.sql>...
// The scripts run in one transaction; the schema version is recorded in the file.
#include "data/Database.h"
#include "data/EngineError.h"
#include "data/Workspace.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: make_database <output> <schema version> <script.sql>...\n");
        return 2;
    }
    const QString output = args[1];
    bool versionOk = false;
    const int version = args[2].toInt(&versionOk);
    if (!versionOk) {
        std::fprintf(stderr, "make_database: the schema version must be a whole number\n");
        return 2;
    }
    QFile::remove(output);
    try {
        engine::Workspace ws;
        engine::Database db = ws.CreateDatabase(output);
        QString script = QStringLiteral("BEGIN;\n");
        for (int i = 3; i < args.size(); ++i) {
            QFile file(args[i]);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "make_database: cannot read %s\n", qPrintable(args[i]));
                return 1;
            }
            script += QString::fromUtf8(file.readAll()) + u'\n';
        }
        script += QStringLiteral("PRAGMA user_version = %1;\nCOMMIT;\n").arg(version);
        db.ExecuteScript(script);
        db.ExecuteScript(QStringLiteral("VACUUM;"));
        ws.Close();
    } catch (const engine::EngineError& e) {
        QFile::remove(output);
        std::fprintf(stderr, "make_database: %s\n", e.what());
        return 1;
    }
    return 0;
}
