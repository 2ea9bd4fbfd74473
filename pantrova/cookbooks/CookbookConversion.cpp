#include "CookbookConversion.h"

#include "CookbookLibrary.h"
#include "DatabaseCheck.h"
#include "WorkProgress.h"
#include "data/Database.h"
#include "data/DatabaseFiles.h"
#include "data/EngineError.h"
#include "data/ProgramFolder.h"
#include "data/Workspace.h"
#include "startup/Program.h"
#include "startup/SharedRoutines.h"
#include "ui/Dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <stdexcept>

namespace pantrova {

namespace {

// The scratch file the new cookbook is built in. Cookbook names never begin with a dot, so no
// cookbook can be called this.
const QString kScratch = QStringLiteral(".Converting.mdb");
constexpr int kFirstPersonalGroup = 10;
constexpr int kMostGroupNameCharacters = 20;
// Old cookbooks of this size (some thousands of recipes) take more than a moment to convert.
constexpr qint64 kLongWorkBytes = 4 * 1024 * 1024;

QString realTableName(const QStringList& tables, const QString& wanted)
{
    for (const QString& t : tables)
        if (t.compare(wanted, Qt::CaseInsensitive) == 0)
            return t;
    return {};
}

// Bare names in the copy statement refer to the current directory; the conversion works in the
// cookbook's folder and gives the previous one back.
class InFolder
{
public:
    explicit InFolder(const QString& folder) : m_previous(QDir::currentPath()) { QDir::setCurrent(folder); }
    ~InFolder() { QDir::setCurrent(m_previous); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    QString m_previous;
};

QStringList personalNames(engine::Database& oldDb)
{
    QStringList names(3);
    const QString table = realTableName(oldDb.TableNames(), QStringLiteral("pnames"));
    if (table.isEmpty())
        return names;
    engine::Recordset pnames = oldDb.OpenRecordset(table);
    if (pnames.RecordCount() > 0) {
        pnames.MoveFirst();
        for (int k = 1; k <= 3; ++k) {
            const QString field = QStringLiteral("personal%1").arg(k);
            if (pnames.HasField(field))
                names[k - 1] = pnames.Text(field);
        }
    }
    pnames.Close();
    return names;
}

} // namespace

QStringList oldCategoryTables()
{
    return {QStringLiteral("Beef"),      QStringLiteral("Breads"),     QStringLiteral("Cakes"),
            QStringLiteral("Candies"),   QStringLiteral("Casseroles"), QStringLiteral("Cookies"),
            QStringLiteral("Fish"),      QStringLiteral("DessertO"),   QStringLiteral("MeatsO"),
            QStringLiteral("Personal1"), QStringLiteral("Personal2"),  QStringLiteral("Personal3"),
            QStringLiteral("Pies"),      QStringLiteral("Pork"),       QStringLiteral("Poultry"),
            QStringLiteral("Salads"),    QStringLiteral("Soup"),       QStringLiteral("Stews"),
            QStringLiteral("Veggies"),   QStringLiteral("Misc")};
}

bool isOldFormat(const engine::Database& db)
{
    const QStringList tables = db.TableNames();
    if (!realTableName(tables, QStringLiteral("pnames")).isEmpty())
        return true;
    for (const QString& t : oldCategoryTables())
        if (!realTableName(tables, t).isEmpty())
            return true;
    return false;
}

QString backupNameFor(const QString& folder, const QString& cookbookFile)
{
    // The whole name before the extension, so "Mrs. Smith.mdb" and "Mrs. Jones.mdb" keep apart.
    const QString base = QFileInfo(cookbookFile).completeBaseName();
    const ProgramFolder place(folder);
    QString name = base + QStringLiteral(".70");
    for (int n = 2; place.hasFile(QStringLiteral("*"), name) ||
                    place.hasFile(QStringLiteral("*"), name + QStringLiteral("-wal"));
         ++n)
        name = base + QStringLiteral("-%1.70").arg(n);
    return name;
}

void AddPersonalGroup(const QString& name, engine::Recordset& groups, int groupNumber)
{
    QString groupName = name;
    SanitizeName(groupName, 0);
    groupName = groupName.trimmed().left(kMostGroupNameCharacters).trimmed();
    if (groupName.isEmpty())
        groupName = QStringLiteral("Group %1").arg(groupNumber);

    // Group names are unique within their section, or the group could never be chosen by name.
    QSet<QString> taken;
    if (groups.RecordCount() > 0)
        for (groups.MoveFirst(); !groups.isEOF(); groups.MoveNext())
            if (groups.Fields(QStringLiteral("section")).toLong() == 1)
                taken.insert(groups.Text(QStringLiteral("groupname")).toLower());
    if (taken.contains(groupName.toLower())) {
        const QString suffix = QStringLiteral(" %1").arg(groupNumber);
        groupName = groupName.left(kMostGroupNameCharacters - suffix.size()).trimmed() + suffix;
    }

    groups.AddNew();
    groups.SetField(QStringLiteral("groupnum"), groupNumber);
    groups.SetField(QStringLiteral("groupname"), groupName);
    groups.SetField(QStringLiteral("section"), 1);
    groups.Update();
}

void ImportCategory(engine::Database& oldDb, const QString& baseName, const QString& table)
{
    oldDb.Execute(QStringLiteral(" INSERT INTO [") + baseName + QStringLiteral("].Recipes ") +
                  QStringLiteral("SELECT * FROM ") + table + u';');
}

void AssignImportedRecipes(engine::Database& newDb, int groupNumber)
{
    engine::Transaction transaction(newDb);
    engine::Recordset rows =
        newDb.OpenRecordset(QStringLiteral("select * from Recipes where not isnumeric(groupnum)"));
    // Removing quotation marks can make two names alike ("Mom's Pie", "Moms Pie"): the later one
    // takes the next free number, so every recipe of the group stays distinct.
    QHash<QString, QSet<qint64>> numbers;
    for (; !rows.isEOF(); rows.MoveNext()) {
        const engine::Value stored = rows.Fields(QStringLiteral("Name"));
        QString name = stored.toText();
        SanitizeName(name, 0);
        const engine::Value code = rows.Fields(QStringLiteral("category_code"));
        QSet<qint64>& used = numbers[name.toLower()];
        qint64 number = code.isNull() ? 0 : code.toLong();
        const bool renumber = !code.isNull() && used.contains(number);
        if (renumber)
            number = *std::max_element(used.cbegin(), used.cend()) + 1;
        used.insert(number);

        rows.Edit();
        if (!stored.isNull())
            rows.SetField(QStringLiteral("Name"), name);
        if (renumber)
            rows.SetField(QStringLiteral("category_code"), number);
        rows.SetField(QStringLiteral("groupnum"), groupNumber);
        rows.Update();
    }
    rows.Close();
    transaction.commit();
}

void convertCookbookFile(const QString& cookbookPath, const QString& backupPath,
                         const std::function<void(int done, const QString& table)>& progress)
{
    const QString folder = QFileInfo(cookbookPath).absolutePath();
    const ProgramFolder place(folder);
    const QString templateName = place.findFile(QStringLiteral("*"), CookbookLibrary::templateFile());
    if (templateName.isEmpty())
        throw std::runtime_error(
            QStringLiteral("File not found: the template cookbook \"%1\" is missing from %2")
                .arg(CookbookLibrary::templateFile(), folder)
                .toStdString());
    const QString scratch = place.filePath(kScratch);
    const InFolder inFolder(folder);

    DatabaseCheck::foldLeftoverLog(cookbookPath);
    engine::DatabaseFiles::copy(cookbookPath, backupPath);
    try {
        engine::DatabaseFiles::remove(scratch);
        engine::DatabaseFiles::copy(place.filePath(templateName), scratch);
        {
            engine::Workspace workspace;
            engine::Database oldDb = workspace.OpenDatabase(cookbookPath);
            engine::Database newDb = workspace.OpenDatabase(scratch);

            const QStringList names = personalNames(oldDb);
            engine::Recordset groups = newDb.OpenRecordset(QStringLiteral("groups"));
            for (int k = 0; k < 3; ++k)
                AddPersonalGroup(names[k], groups, kFirstPersonalGroup + k);
            groups.Close();

            // Tables the old cookbook lacks are skipped: it converts with the ones it has.
            const QStringList present = oldDb.TableNames();
            const QStringList categories = oldCategoryTables();
            for (int i = 0; i < categories.size(); ++i) {
                if (progress)
                    progress(i, categories[i]);
                const QString table = realTableName(present, categories[i]);
                if (table.isEmpty())
                    continue;
                ImportCategory(oldDb, kScratch, table);
                AssignImportedRecipes(newDb, i + 1);
            }
            oldDb.Close();
            newDb.Close();
            workspace.Close();
        }
        DatabaseCheck::verify(scratch);
        engine::DatabaseFiles::replace(scratch, cookbookPath);
    } catch (...) {
        // The old file was never touched: the scratch file and this run's backup go.
        for (const QString& made : {scratch, backupPath}) {
            try {
                engine::DatabaseFiles::remove(made);
            } catch (const engine::EngineError&) {
                // Left behind, but the cookbook itself is as it was.
            }
        }
        throw;
    }
}

void ConvertOldCookbook(engine::Database& cookbook)
{
    const QString path = cookbook.fileName();
    const QFileInfo info(path);
    if (!isOldFormat(cookbook))
        throw std::runtime_error(
            QStringLiteral("The cookbook \"%1\" cannot be used: it has neither the recipe "
                           "groups of this version nor the recipe tables of an older one. "
                           "The file has been left as it was.")
                .arg(info.fileName())
                .toStdString());
    cookbook.Close();

    // The file as the program names it ("recipe20.mdb" for "Recipe20.mdb"), so the backup's name
    // reads as the cook knows the cookbook.
    const QString known = program().CurrentCookbookFile;
    const QString file = known.compare(info.fileName(), Qt::CaseInsensitive) == 0 ? known : info.fileName();
    const QString backup = backupNameFor(info.absolutePath(), file);
    ui::Dialogs::messageBox(
        QStringLiteral("The Cookbook being opened has not been converted\nto version 7.x. The "
                       "Cookbook will now be converetd.\n\nThe old version file will be saved as: ") +
            backup,
        ui::MsgButtons::OK, ui::MsgIcon::Information);
    try {
        const int steps = int(oldCategoryTables().size());
        WorkProgress progress(program().mainWindow, QStringLiteral("Converting the Cookbook"), steps,
                              info.size() > kLongWorkBytes);
        convertCookbookFile(path, QDir(info.absolutePath()).filePath(backup),
                            [&](int done, const QString& table) {
                                progress.show(done, QStringLiteral("Converting the recipes of ") + table +
                                                        QStringLiteral("..."));
                            });
    } catch (const std::exception& e) {
        const QString why = QStringLiteral("The Cookbook could not be converted to version 7.x: ") +
                            QString::fromUtf8(e.what()) + QStringLiteral("\n\nNothing was lost: \"") +
                            info.fileName() + QStringLiteral("\" is as it was.");
        throw std::runtime_error(why.toStdString());
    }
    cookbook = program().Workspace().OpenDatabase(path);
    ui::Dialogs::messageBox(QStringLiteral("The Cookbook has been converted to version 7.x."),
                            ui::MsgButtons::OK, ui::MsgIcon::Information);
}

} // namespace pantrova
