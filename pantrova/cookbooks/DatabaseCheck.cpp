#include "DatabaseCheck.h"

#include "data/Database.h"
#include "data/DatabaseFiles.h"
#include "data/EngineError.h"
#include "data/Workspace.h"

#include <QFileInfo>

namespace pantrova::DatabaseCheck {

void foldLeftoverLog(const QString& path)
{
    if (!engine::DatabaseFiles::hasLeftoverLog(path))
        return;
    // Opening and closing through the engine brings the log into the file and removes it.
    engine::Workspace workspace;
    workspace.OpenDatabase(path).Close();
    workspace.Close();
}

void verify(const QString& path)
{
    engine::Workspace workspace;
    engine::Database db = workspace.OpenDatabase(path);
    // Reading through a memory map keeps the check close to the speed of reading the file.
    db.Execute(QStringLiteral("PRAGMA mmap_size = 1073741824"));
    QString verdict;
    {
        engine::Recordset check = db.OpenRecordset(QStringLiteral("PRAGMA quick_check"));
        verdict = check.isEOF() ? QString() : check.Fields(check.FieldNames().value(0)).toText();
        check.Close();
    }
    db.Close();
    workspace.Close();
    if (verdict != u"ok")
        throw engine::EngineError(path, QStringLiteral("Checking %1").arg(QFileInfo(path).fileName()),
                                  QStringLiteral("The file is damaged: %1")
                                      .arg(verdict.isEmpty() ? QStringLiteral("no answer") : verdict),
                                  engine::EngineError::Cause::Damaged);
}

} // namespace pantrova::DatabaseCheck
