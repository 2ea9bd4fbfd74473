// The program folder's case-blind lookups, template copies and the settings store.
#include "TestWorld.h"
#include "data/ProgramFolder.h"
#include "data/Settings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTest>

using pantrova::ProgramFolder;
using pantrova::Settings;

class ProgramFolderTest : public QObject
{
    Q_OBJECT

private slots:
    void findsFilesWithoutRegardToCase()
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
    }

    void picsMustBeADirectory()
    {
        TestWorld world;
        ProgramFolder folder(world.path());
        QFile file(world.filePath(QStringLiteral("PICS")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(!folder.hasPicsDirectory());
        QFile::remove(world.filePath(QStringLiteral("PICS")));
        QDir(world.path()).mkdir(QStringLiteral("pics"));
        QVERIFY(folder.hasPicsDirectory());
        QCOMPARE(folder.ensurePicsDirectory(), QStringLiteral("pics"));
    }

    void templatesCopyByteForByte()
    {
        TestWorld world;
        ProgramFolder folder(world.path());
        folder.copyTemplate(QStringLiteral("Recipe70e.mdb"), QStringLiteral("Recipe20.mdb"));
        QFile a(world.filePath(QStringLiteral("Recipe70e.mdb")));
        QFile b(world.filePath(QStringLiteral("Recipe20.mdb")));
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        QCOMPARE(a.readAll(), b.readAll());
        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 folder.copyTemplate(QStringLiteral("Missing.mdb"), QStringLiteral("x.mdb")));
    }

    void settingsHaveTheirDefaultsAndPersist()
    {
        TestWorld world;
        QCOMPARE(Settings::read(QStringLiteral("CurDB")), QString());
        QCOMPARE(Settings::read(QStringLiteral("DH")), QStringLiteral("6"));
        QCOMPARE(Settings::read(QStringLiteral("SPic")), QStringLiteral("1"));
        QCOMPARE(Settings::read(QStringLiteral("Scrn")), QStringLiteral("False"));
        QCOMPARE(Settings::read(QStringLiteral("Height")), QStringLiteral("7515"));
        QCOMPARE(Settings::read(QStringLiteral("Width")), QStringLiteral("9555"));
        Settings::write(QStringLiteral("CurDB"), QStringLiteral("Aunt May.mdb"));
        QCOMPARE(Settings::read(QStringLiteral("CurDB")), QStringLiteral("Aunt May.mdb"));
        QSettings raw(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Pantrova"),
                      QStringLiteral("Pantrova"));
        QCOMPARE(raw.value(QStringLiteral("Startup/CurDB")).toString(), QStringLiteral("Aunt May.mdb"));
        QVERIFY(raw.fileName().startsWith(QDir::tempPath()) ||
                !raw.fileName().contains(QDir::homePath() + u"/.config"));
    }
};

int runProgramFolderTests(int argc, char** argv)
{
    ProgramFolderTest t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_programfolder.moc"
