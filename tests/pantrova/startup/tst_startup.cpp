#include "TestWorld.h"

#include "data/ProgramFolder.h"
#include "data/Settings.h"
#include "data/Workspace.h"
#include "startup/About_Form.h"
#include "startup/Help.h"
#include "startup/HelpFile.h"
#include "startup/HelpViewer.h"
#include "startup/Program.h"
#include "startup/SharedRoutines.h"
#include "startup/StartUp.h"
#include "ui/ScriptedDialogs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

using namespace pantrova;

namespace {
ui::ScriptedDialogs::Failure failTest()
{
    return [](const QString& d) { QTest::qFail(qUtf8Printable(d), __FILE__, __LINE__); };
}

bool exists(const TestWorld& world, const QString& name)
{
    return QFileInfo::exists(world.filePath(name));
}

void addCatalogueRow(const QString& cookbook, const QString& file)
{
    engine::Workspace ws;
    engine::Database admin = ws.OpenDatabase(QStringLiteral("Admin.sys"));
    admin.Execute(QStringLiteral("insert into recipebooks (cookbook, dbname) values (?, ?)"),
                  {cookbook, file});
    admin.Close();
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void init() { program().reset(); }
    void cleanup()
    {
        Help::CloseHelp();
        program().reset();
    }

    void firstRunMakesEveryDataFileFromTheTemplates()
    {
        TestWorld world;
        StartUp::Prepare(ProgramFolder(world.path()));
        for (const char* name : {"Utility.mdb", "Admin.sys", "Menus.mdb", "Recipe20.mdb"})
            QVERIFY2(exists(world, QString::fromLatin1(name)), name);
        QVERIFY(QFileInfo(world.filePath(QStringLiteral("PICS"))).isDir());
        QCOMPARE(Settings::read(QStringLiteral("CurDB")), QStringLiteral("recipe20.mdb"));
        QCOMPARE(program().CurrentCookbookFile, QStringLiteral("recipe20.mdb"));
        QCOMPARE(program().CurrentCookbookName, QStringLiteral("My CookBook"));
        QVERIFY(program().SplashMode);
        QCOMPARE(QDir::cleanPath(QDir::currentPath()), QDir::cleanPath(world.path()));
        QCOMPARE(Help::HelpFilePath(), Help::helpFileFor(QDir::cleanPath(world.path())));
    }

    void filesPresentInAnyLetterCaseAreKept()
    {
        TestWorld world;
        world.copyShipped(QStringLiteral("UtilityE.mdb"), QStringLiteral("utility.MDB"));
        QDir(world.path()).mkdir(QStringLiteral("pics"));
        StartUp::Prepare(ProgramFolder(world.path()));
        QVERIFY(!exists(world, QStringLiteral("Utility.mdb")));
        QVERIFY(!exists(world, QStringLiteral("PICS")));
    }

    void aVanishedCookbookFallsBackToTheDefault()
    {
        TestWorld world;
        StartUp::Prepare(ProgramFolder(world.path()));
        addCatalogueRow(QStringLiteral("Holidays"), QStringLiteral("Holidays.mdb"));
        Settings::write(QStringLiteral("CurDB"), QStringLiteral("Holidays.mdb"));
        program().reset();

        StartUp::Prepare(ProgramFolder(world.path()));
        QCOMPARE(program().CurrentCookbookFile, QStringLiteral("recipe20.mdb"));
        QCOMPARE(Settings::read(QStringLiteral("CurDB")), QStringLiteral("recipe20.mdb"));
        QCOMPARE(program().CurrentCookbookName, QStringLiteral("My CookBook"));

        engine::Workspace ws;
        engine::Database admin = ws.OpenDatabase(QStringLiteral("admin.sys"));
        engine::Recordset rs =
            admin.OpenRecordset(QStringLiteral("select * from recipebooks where dbname = 'Holidays.mdb'"));
        QCOMPARE(rs.RecordCount(), 1); // the missing file's row stays
    }

    void aCookbookWithoutACatalogueRowHasNoName()
    {
        TestWorld world;
        world.copyShipped(QStringLiteral("Recipe70e.mdb"), QStringLiteral("Family.mdb"));
        Settings::write(QStringLiteral("CurDB"), QStringLiteral("Family.mdb"));
        StartUp::Prepare(ProgramFolder(world.path()));
        QCOMPARE(program().CurrentCookbookFile, QStringLiteral("Family.mdb"));
        QCOMPARE(program().CurrentCookbookName, QString());
    }

    void aMissingTemplateStopsTheStartUp()
    {
        TestWorld world(QStringList{QStringLiteral("Recipe70e.mdb")});
        QVERIFY_THROWS_EXCEPTION(std::exception, StartUp::Prepare(ProgramFolder(world.path())));
    }

    void startUpHooksAreCalled()
    {
        TestWorld world;
        int registered = 0;
        program().registerCalendarControl = [&] { ++registered; };
        StartUp::Prepare(ProgramFolder(world.path()));
        QCOMPARE(registered, 1);
    }

    void helpFileSitsInTheProgramFolder()
    {
        QCOMPARE(Help::helpFileFor(QStringLiteral("/")), QStringLiteral("/recipe.HLP"));
        QCOMPARE(Help::helpFileFor(QStringLiteral("/opt/pantrova")),
                 QStringLiteral("/opt/pantrova/recipe.HLP"));
    }

    void sanitizeNameRemovesQuotationMarksOnly()
    {
        ui::ScriptedDialogs script(failTest());
        QString plain = QStringLiteral("  Aunt Mary's? no: Aunt Mary ");
        plain.remove(u'\'');
        const QString before = plain;
        QCOMPARE(SanitizeName(plain, 1), before);
        QCOMPARE(plain, before); // no trimming, no case change

        script.expectMessage(sanitizeMessage());
        QString quoted = QStringLiteral("Mom's \"Best\" Pie");
        QCOMPARE(SanitizeName(quoted, 1), QStringLiteral("Moms Best Pie"));
        QCOMPARE(quoted, QStringLiteral("Moms Best Pie"));
        QCOMPARE(script.messagesAsked().size(), 1);
        QCOMPARE(script.messagesAsked().at(0).icon, ui::MsgIcon::Information);

        QString silent = QStringLiteral("Joe's");
        QCOMPARE(SanitizeName(silent, 0), QStringLiteral("Joes"));
        QVERIFY(script.allAnswered());
        QCOMPARE(
            sanitizeMessage(),
            QStringLiteral("The characters of  ' or \" are not valid and have been removed from the name."));
    }

    // The opener's exit status is awaited without holding up the window: ShellOpen returns at
    // once, and a failure is said when the opener reports it.
    void shellOpenSaysSoWhenTheDesktopCannotOpen()
    {
        TestWorld world;
        const QString slowFailure = world.filePath(QStringLiteral("opener.sh"));
        QFile script(slowFailure);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nsleep 0.5\nexit 4\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        ui::ScriptedDialogs dialogs(failTest());
        setShellOpener(QStringLiteral("true"));
        QString web = QStringLiteral("https://example.invalid/recipes");
        ShellOpen(web);
        QTest::qWait(300);
        QVERIFY(dialogs.messagesAsked().isEmpty());

        dialogs.expectMessage(QStringLiteral("error executing command!"));
        setShellOpener(slowFailure);
        QElapsedTimer timer;
        timer.start();
        QString mail = QStringLiteral("mailto:help@example.invalid");
        ShellOpen(mail);
        QVERIFY(timer.elapsed() < 400); // did not wait for the opener
        QVERIFY(dialogs.messagesAsked().isEmpty());
        QTRY_VERIFY(dialogs.allAnswered());

        dialogs.expectMessage(QStringLiteral("error executing command!"));
        setShellOpener(world.filePath(QStringLiteral("no-such-opener")));
        ShellOpen(web);
        QTRY_VERIFY(dialogs.allAnswered());
        setShellOpener({});
    }

    void cookbookListFollowsTheCatalogue()
    {
        TestWorld world;
        StartUp::Prepare(ProgramFolder(world.path()));
        addCatalogueRow(QStringLiteral("Baking"), QStringLiteral("Baking.mdb"));
        engine::Workspace ws;
        engine::Database admin = ws.OpenDatabase(QStringLiteral("admin.sys"));
        engine::Recordset books = admin.OpenRecordset(QStringLiteral("recipebooks"));
        books.Index(QStringLiteral("master"));
        QListWidget list;
        list.addItem(QStringLiteral("stale"));
        FillCookbookList(books, list);
        QCOMPARE(list.count(), 2);
        QCOMPARE(list.item(0)->text(), QStringLiteral("Baking"));
        QCOMPARE(list.item(1)->text(), QStringLiteral("My CookBook"));

        admin.Execute(QStringLiteral("delete from recipebooks"));
        engine::Recordset none = admin.OpenRecordset(QStringLiteral("recipebooks"));
        FillCookbookList(none, list);
        QCOMPARE(list.count(), 0);
    }

    void splashOpensTheMainWindowOnTheSecondTick()
    {
        TestWorld world;
        StartUp::Prepare(ProgramFolder(world.path()));
        int opened = 0;
        program().showMainWindow = [&] { ++opened; };
        About_Form splash;
        QVERIFY(!splash.Return_Button->isVisibleTo(&splash));
        QCOMPARE(splash.VersionLabel->text(), About_Form::versionText());
        QVERIFY(QRegularExpression(QStringLiteral("^Version: \\d+\\.\\d+\\.\\d+$"))
                    .match(splash.VersionLabel->text())
                    .hasMatch());
        QVERIFY(!splash.Timer1->isActive());
        QCOMPARE(splash.Timer1->interval(), 1000);

        splash.Form_Activate();
        QVERIFY(splash.Timer1->isActive());
        splash.Timer1_Timer();
        QCOMPARE(opened, 0);
        QVERIFY(program().SplashMode);
        splash.Timer1_Timer();
        QCOMPARE(opened, 1);
        QVERIFY(!program().SplashMode);
        splash.Timer1_Timer(); // later ticks change nothing
        QCOMPARE(opened, 1);
    }

    void splashTimerRunsOnItsOwnWhenShown()
    {
        TestWorld world;
        StartUp::Prepare(ProgramFolder(world.path()));
        int opened = 0;
        program().showMainWindow = [&] { ++opened; };
        StartUp::ShowSplash();
        QVERIFY(program().aboutForm);
        QTRY_COMPARE_WITH_TIMEOUT(opened, 1, 5000);
    }

    void closingTheSplashByHandGoesOnToTheMainWindow()
    {
        TestWorld world;
        StartUp::Prepare(ProgramFolder(world.path()));
        int opened = 0;
        program().showMainWindow = [&] { ++opened; };
        StartUp::ShowSplash();
        QVERIFY(program().aboutForm);
        program().aboutForm->close();
        QCOMPARE(opened, 1);
        QVERIFY(!program().SplashMode);
        QTRY_VERIFY(!program().aboutForm);
    }

    void aboutBoxClosesWithReturn()
    {
        program().SplashMode = false;
        About_Form box;
        QVERIFY(box.Return_Button->isVisibleTo(&box));
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        QTest::mouseClick(box.Return_Button, Qt::LeftButton);
        QVERIFY(!box.isVisible());
        QVERIFY(!box.Timer1->isActive());
    }

    void helpFileTopicsAreParsed()
    {
        const HelpFile file = HelpFile::parse(QStringLiteral("@@ a remark\n"
                                                             "@topic 1 Contents\r\n"
                                                             "See [news](topic:210).\n"
                                                             "@topic 210 What's new\n"
                                                             "Line one\n\nLine two\n"
                                                             "@topic x Broken\n"));
        QCOMPARE(file.topics().size(), 2);
        QCOMPARE(file.contentsId(), 1);
        QCOMPARE(file.topic(210)->title, QStringLiteral("What's new"));
        QCOMPARE(file.topic(210)->body, QStringLiteral("Line one\n\nLine two"));
        QCOMPARE(file.topic(1)->body, QStringLiteral("See [news](topic:210)."));
        QVERIFY(!file.topic(2));
    }

    void shippedHelpFileIsCompleteAndItsLinksLead_somewhere()
    {
        const HelpFile file =
            HelpFile::load(QDir(TestWorld::builtProgramDir()).filePath(QStringLiteral("recipe.HLP")));
        QVERIFY(!file.isEmpty());
        QVERIFY(file.topic(210));
        QVERIFY(file.topic(210)->title.contains(QStringLiteral("What's new")));
        const QRegularExpression link(QStringLiteral("\\(topic:(\\d+)\\)"));
        for (const HelpFile::Topic& t : file.topics()) {
            QVERIFY2(!t.body.isEmpty(), qPrintable(t.title));
            for (const QRegularExpressionMatch& m : link.globalMatch(t.body))
                QVERIFY2(file.topic(m.captured(1).toInt()),
                         qPrintable(t.title + QStringLiteral(" -> ") + m.captured(1)));
        }
    }

    void helpFileIsFoundWhateverTheCaseOfItsName()
    {
        TestWorld world;
        world.copyShipped(QStringLiteral("recipe.HLP"), QStringLiteral("RECIPE.hlp"));
        StartUp::Prepare(ProgramFolder(world.path()));
        Help::ShowHelpTopic(210);
        QCOMPARE(Help::viewer()->currentTopic(), 210);
        QVERIFY(!Help::viewer()->currentText().contains(QStringLiteral("could not be read")));
        Help::CloseHelp();
    }

    void helpViewerShowsTopicsByContextId()
    {
        TestWorld world;
        world.copyShipped(QStringLiteral("recipe.HLP"));
        StartUp::Prepare(ProgramFolder(world.path()));
        Help::CloseHelp(); // never opened: nothing happens
        QVERIFY(!Help::viewer());

        Help::ShowHelpTopic(210);
        QVERIFY(Help::viewer());
        QCOMPARE(Help::viewer()->currentTopic(), 210);
        QVERIFY(Help::viewer()->currentText().contains(QStringLiteral("What's new")));
        QVERIFY(Help::viewer()->isVisible());

        Help::ShowHelpContents();
        QCOMPARE(Help::viewer()->currentTopic(), Help::viewer()->helpFile().contentsId());
        auto* back = Help::viewer()->findChild<QPushButton*>(QStringLiteral("BackButton"));
        QVERIFY(back && back->isEnabled());
        back->click();
        QCOMPARE(Help::viewer()->currentTopic(), 210);

        QVERIFY(!Help::viewer()->showTopic(99999));
        QVERIFY(Help::viewer()->currentText().contains(QStringLiteral("99999")));
        Help::CloseHelp();
        QVERIFY(!Help::viewer());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
