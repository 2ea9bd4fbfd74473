// The program folder's case-blind lookups, template copies, the choice of the program folder for
// a build folder, a read-only medium and an installation, and the settings store.
#include "DataKit.h"
#include "data/ProgramFolder.h"
#include "data/ProgramLocation.h"
#include "data/Settings.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

using pantrova::ProgramFolder;
using pantrova::ProgramLocation;
using pantrova::Settings;

namespace {
// Names and sizes of a folder's entries, to see that nothing was written there.
QStringList contentsOf(const QString& folder)
{
    QStringList list;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& e : entries)
        list << e.fileName() + u' ' + QString::number(e.size());
    return list;
}

void setReadOnly(const QString& folder, bool readOnly)
{
    const QFile::Permissions files = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const QFile::Permissions dirs = files | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        QFile::setPermissions(QDir(folder).filePath(name), readOnly ? files : files | QFile::WriteOwner);
    QFile::setPermissions(folder, readOnly ? dirs : dirs | QFile::WriteOwner);
}
} // namespace

class ProgramFolderTest : public QObject
{
    Q_OBJECT

private slots:
    void findsFilesWithoutRegardToCaseAndCopiesTemplates()
    {
        TestWorld world;
        ProgramFolder folder(world.path());
        QFile::rename(world.filePath(QStringLiteral("UtilityE.mdb")),
                      world.filePath(QStringLiteral("utility.MDB")));
        QCOMPARE(folder.findFile(QStringLiteral("*.mdb"), QStringLiteral("UTILITY.MDB")),
                 QStringLiteral("utility.MDB"));
        QVERIFY(!folder.hasFile(QStringLiteral("*.sys"), QStringLiteral("UTILITY.MDB"))); // wrong wildcard
        QVERIFY(folder.hasFile(QStringLiteral("*.sys"), QStringLiteral("adminE.SYS")));
        QVERIFY(!folder.hasFile(QStringLiteral("*.mdb"), QStringLiteral("RECIPE20.MDB")));

        // A file named PICS is no picture folder.
        QVERIFY(writeFile(world.filePath(QStringLiteral("PICS")), {}));
        QVERIFY(!folder.hasPicsDirectory());
        QFile::remove(world.filePath(QStringLiteral("PICS")));
        QDir(world.path()).mkdir(QStringLiteral("pics"));
        QVERIFY(folder.hasPicsDirectory());
        QCOMPARE(folder.ensurePicsDirectory(), QStringLiteral("pics"));

        folder.copyTemplate(QStringLiteral("Recipe70e.mdb"), QStringLiteral("Recipe20.mdb"));
        QCOMPARE(readFile(world.filePath(QStringLiteral("Recipe20.mdb"))),
                 readFile(world.filePath(QStringLiteral("Recipe70e.mdb"))));
    }

    // A folder of its own keeps the data while it is writable; an installed program never does.
    void theProgramFolderIsChosenForWhereTheProgramLives()
    {
        TestWorld exe;
        QTemporaryDir home;
        const QString data = QDir(home.path()).filePath(QStringLiteral(".local/share/Pantrova"));
        const QString exeDir = QDir::cleanPath(exe.path());

        const ProgramLocation writable = ProgramLocation::choose(exe.path(), true, data);
        QCOMPARE(writable.programFolder, exeDir);
        QCOMPARE(writable.shippedFolder, exeDir);
        QCOMPARE(writable.libraryFolder, exeDir);

        // A read-only medium: the data moves to the user's folder, the rest stays beside the program.
        const ProgramLocation readOnly = ProgramLocation::choose(exe.path(), false, data);
        QCOMPARE(readOnly.programFolder, data);
        QCOMPARE(readOnly.shippedFolder, exeDir);
        QCOMPARE(readOnly.libraryFolder, exeDir);

        // An installed program keeps each user's data in their own folder.
        QTemporaryDir prefix;
        const QString bin = QDir(prefix.path()).filePath(QStringLiteral("bin"));
        const QString shipped = ProgramLocation::installedShippedFolder(bin);
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(shipped));
        QVERIFY(shipped.startsWith(QDir::cleanPath(prefix.path()) + u'/') && !shipped.startsWith(bin));
        for (const QString& name : TestWorld::defaultTemplates())
            QVERIFY(QFile::copy(exe.filePath(name), QDir(shipped).filePath(name)));
        const QString userData = QDir(prefix.path()).filePath(QStringLiteral("home/Pantrova"));

        // Even a writable bin folder never holds a user's cookbooks.
        const ProgramLocation where = ProgramLocation::choose(bin, true, userData);
        QCOMPARE(where.programFolder, userData);
        QCOMPARE(where.shippedFolder, shipped);
        QCOMPARE(where.libraryFolder, ProgramLocation::installedLibraryFolder(bin));
        QVERIFY(where.libraryFolder.startsWith(QDir::cleanPath(prefix.path()) + u'/'));
    }

    void theUsersFolderIsMadeAndFilledFromReadOnlyTemplates()
    {
        TestWorld installed;
        setReadOnly(installed.path(), true);
        const QStringList installedBefore = contentsOf(installed.path());
        QTemporaryDir home;
        const QString data = QDir(home.path()).filePath(QStringLiteral(".local/share/Pantrova"));
        ProgramFolder folder(data, installed.path());

        QVERIFY(folder.makeCurrent());
        QCOMPARE(QDir::cleanPath(QDir::currentPath()), QDir::cleanPath(data));
        QVERIFY(!folder.hasFile(QStringLiteral("*.mdb"), QStringLiteral("RECIPE70E.MDB")));
        folder.copyTemplate(QStringLiteral("UtilityE.mdb"), QStringLiteral("Utility.mdb"));
        QVERIFY(QFileInfo::exists(QDir(data).filePath(QStringLiteral("Utility.mdb"))));
        QVERIFY(!QFileInfo::exists(QDir(data).filePath(QStringLiteral("UtilityE.mdb"))));

        // The copy of a read-only template is a working file.
        OpenBook(QStringLiteral("Utility.mdb"))
            .db.Execute(QStringLiteral("insert into Measure (Measure) values ('pinch')"));
        // Lookups in the user's folder still ignore letter case.
        QVERIFY(QFile::rename(folder.filePath(QStringLiteral("Utility.mdb")),
                              folder.filePath(QStringLiteral("uTILITY.mdb"))));
        QCOMPARE(folder.findFile(QStringLiteral("*.mdb"), QStringLiteral("UTILITY.MDB")),
                 QStringLiteral("uTILITY.mdb"));
        QCOMPARE(folder.ensurePicsDirectory(), QStringLiteral("PICS"));

        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 folder.copyTemplate(QStringLiteral("Missing.mdb"), QStringLiteral("x.mdb")));
        QCOMPARE(contentsOf(installed.path()), installedBefore);
        setReadOnly(installed.path(), false);
    }

    void writableMeansAFileCanBeMadeThere()
    {
        QTemporaryDir dir;
        QVERIFY(ProgramLocation::isWritableFolder(dir.path()));
        QVERIFY(!ProgramLocation::isWritableFolder(QDir(dir.path()).filePath(QStringLiteral("missing"))));
        QFile file(QDir(dir.path()).filePath(QStringLiteral("a file")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(!ProgramLocation::isWritableFolder(file.fileName()));

        // Root may write a folder without write permission; the answer must follow what can be done.
        setReadOnly(dir.path(), true);
        QFile probe(QDir(dir.path()).filePath(QStringLiteral("probe")));
        const bool canWrite = probe.open(QIODevice::WriteOnly);
        probe.close();
        probe.remove();
        QCOMPARE(ProgramLocation::isWritableFolder(dir.path()), canWrite);
        setReadOnly(dir.path(), false);
    }

    void settingsHaveTheirDefaultsAndPersist()
    {
        TestWorld world;
        // What the first start reads: no cookbook yet, and the window and page as they first appear.
        const char* const defaults[][2] = {{"CurDB", ""},     {"DH", "6"},        {"SPic", "1"},
                                           {"Scrn", "False"}, {"Height", "7515"}, {"Width", "9555"}};
        for (const auto& [key, value] : defaults)
            QCOMPARE(Settings::read(QString::fromLatin1(key)), QString::fromLatin1(value));
        Settings::write(QStringLiteral("CurDB"), QStringLiteral("Aunt May.mdb"));
        QCOMPARE(Settings::read(QStringLiteral("CurDB")), QStringLiteral("Aunt May.mdb"));
        QSettings raw(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Pantrova"),
                      QStringLiteral("Pantrova"));
        QCOMPARE(raw.value(QStringLiteral("Startup/CurDB")).toString(), QStringLiteral("Aunt May.mdb"));
    }
};

static const bool added = addDataTest<ProgramFolderTest>();

#include "tst_programfolder.moc"
