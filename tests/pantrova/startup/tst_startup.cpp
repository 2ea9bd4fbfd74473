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
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace pantrova;

namespace {
ui::ScriptedDialogs::Failure failTest()
{
    return [](const QString& d) { QTest::qFail(qUtf8Printable(d), __FILE__, __LINE__); };
}

QString in(const QString& folder, const char* name)
{
    return QDir(folder).filePath(QString::fromLatin1(name));
}

// What every start leaves in the data folder: each data file made from its template, and PICS.
void verifyDataFilesIn(const QString& folder)
{
    for (const char* name : {"Utility.mdb", "Admin.sys", "Menus.mdb", "Recipe20.mdb"})
        QVERIFY2(QFileInfo::exists(in(folder, name)), name);
    QVERIFY(QFileInfo(in(folder, "PICS")).isDir());
}

void addCatalogueRow(const QString& cookbook, const QString& file)
{
    engine::Workspace ws;
    engine::Database admin = ws.OpenDatabase(QStringLiteral("Admin.sys"));
    admin.Execute(QStringLiteral("insert into recipebooks (cookbook, dbname) values (?, ?)"),
                  {cookbook, file});
    admin.Close();
}

// A program folder after its first start, still in splash mode; the main window is counted, not made.
struct Started
{
    TestWorld world;
    int opened = 0;
    Started()
    {
        StartUp::Prepare(ProgramFolder(world.path()));
        program().showMainWindow = [this] { ++opened; };
    }
};

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
        int registered = 0;
        program().registerCalendarControl = [&] { ++registered; };
        StartUp::Prepare(ProgramFolder(world.path()));
        verifyDataFilesIn(world.path());
        QCOMPARE(Settings::read(QStringLiteral("CurDB")), QStringLiteral("recipe20.mdb"));
        QCOMPARE(program().CurrentCookbookFile, QStringLiteral("recipe20.mdb"));
        QCOMPARE(program().CurrentCookbookName, QStringLiteral("My CookBook"));
        QVERIFY(program().SplashMode);
        QCOMPARE(QDir::cleanPath(QDir::currentPath()), QDir::cleanPath(world.path()));
        QCOMPARE(Help::HelpFilePath(), Help::helpFileFor(QDir::cleanPath(world.path())));
        QCOMPARE(registered, 1);
    }

    void aUsersFolderIsFilledFromTheInstalledFilesWhichStayAsTheyWere()
    {
        TestWorld installed(TestWorld::defaultTemplates() << QStringLiteral("recipe.HLP"));
        const QStringList installedBefore =
            QDir(installed.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QTemporaryDir home;
        const QString data =
            QDir::cleanPath(QDir(home.path()).filePath(QStringLiteral(".local/share/Pantrova")));

        StartUp::Prepare(ProgramFolder(data, installed.path()));
        verifyDataFilesIn(data);
        QCOMPARE(QDir::cleanPath(QDir::currentPath()), data);
        QCOMPARE(program().folder, data);
        QCOMPARE(program().CurrentCookbookName, QStringLiteral("My CookBook"));
        // Help and artwork are read where they were installed.
        QCOMPARE(Help::HelpFilePath(), Help::helpFileFor(QDir::cleanPath(installed.path())));
        QCOMPARE(program().shippedDir(), QDir::cleanPath(installed.path()));
        QCOMPARE(QDir(installed.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), installedBefore);

        // The next start finds the files, in whatever letter case, and copies nothing.
        program().reset();
        QVERIFY(QFile::rename(in(data, "Utility.mdb"), in(data, "utility.MDB")));
        QVERIFY(QDir(data).rename(QStringLiteral("PICS"), QStringLiteral("pics")));
        StartUp::Prepare(ProgramFolder(data, installed.path()));
        QVERIFY(!QFileInfo::exists(in(data, "Utility.mdb")));
        QVERIFY(!QFileInfo::exists(in(data, "PICS")));
    }

    // The cookbook named in the settings: one without a catalogue row opens without a name; one whose
    // file is gone gives way to the default, its row kept.
    void theSettingsCookbookIsOpenedOrTheDefaultIfItsFileIsGone()
    {
        Started s;
        s.world.copyShipped(QStringLiteral("Recipe70e.mdb"), QStringLiteral("Family.mdb"));
        Settings::write(QStringLiteral("CurDB"), QStringLiteral("Family.mdb"));
        program().reset();
        StartUp::Prepare(ProgramFolder(s.world.path()));
        QCOMPARE(program().CurrentCookbookFile, QStringLiteral("Family.mdb"));
        QCOMPARE(program().CurrentCookbookName, QString());

        addCatalogueRow(QStringLiteral("Holidays"), QStringLiteral("Holidays.mdb"));
        Settings::write(QStringLiteral("CurDB"), QStringLiteral("Holidays.mdb"));
        program().reset();
        StartUp::Prepare(ProgramFolder(s.world.path()));
        QCOMPARE(program().CurrentCookbookFile, QStringLiteral("recipe20.mdb"));
        QCOMPARE(Settings::read(QStringLiteral("CurDB")), QStringLiteral("recipe20.mdb"));
        QCOMPARE(program().CurrentCookbookName, QStringLiteral("My CookBook"));

        engine::Workspace ws;
        engine::Database admin = ws.OpenDatabase(QStringLiteral("admin.sys"));
        engine::Recordset rs =
            admin.OpenRecordset(QStringLiteral("select * from recipebooks where dbname = 'Holidays.mdb'"));
        QCOMPARE(rs.RecordCount(), 1); // the missing file's row stays
    }

    void aMissingTemplateStopsTheStartUp()
    {
        TestWorld world(QStringList{QStringLiteral("Recipe70e.mdb")});
        QVERIFY_THROWS_EXCEPTION(std::exception, StartUp::Prepare(ProgramFolder(world.path())));
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
        QString mail = QStringLiteral("mailto:help@example.invalid");
        ShellOpen(mail);
        QVERIFY(dialogs.messagesAsked().isEmpty()); // did not wait for the opener
        QTRY_VERIFY(dialogs.allAnswered());

        dialogs.expectMessage(QStringLiteral("error executing command!"));
        setShellOpener(world.filePath(QStringLiteral("no-such-opener")));
        ShellOpen(web);
        QTRY_VERIFY(dialogs.allAnswered());
        setShellOpener({});
    }

    void cookbookListFollowsTheCatalogue()
    {
        Started s;
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
        Started s;
        About_Form splash;
        QVERIFY(!splash.Return_Button->isVisibleTo(&splash));
        QVERIFY(QRegularExpression(QStringLiteral("^Version: \\d+\\.\\d+\\.\\d+$"))
                    .match(splash.VersionLabel->text())
                    .hasMatch());
        QVERIFY(!splash.Timer1->isActive());

        splash.Form_Activate();
        QVERIFY(splash.Timer1->isActive());
        splash.Timer1_Timer();
        QCOMPARE(s.opened, 0);
        QVERIFY(program().SplashMode);
        splash.Timer1_Timer();
        QCOMPARE(s.opened, 1);
        QVERIFY(!program().SplashMode);
        splash.Timer1_Timer(); // later ticks change nothing
        QCOMPARE(s.opened, 1);
    }

    void splashTimerRunsOnItsOwnWhenShown()
    {
        Started s;
        StartUp::ShowSplash();
        QVERIFY(program().aboutForm);
        QTRY_COMPARE_WITH_TIMEOUT(s.opened, 1, 5000);
    }

    void closingTheSplashByHandGoesOnToTheMainWindow()
    {
        Started s;
        StartUp::ShowSplash();
        QVERIFY(program().aboutForm);
        program().aboutForm->close();
        QCOMPARE(s.opened, 1);
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

    // The help file is found whatever the case of its name.
    void helpViewerShowsTopicsByContextId()
    {
        TestWorld world;
        world.copyShipped(QStringLiteral("recipe.HLP"), QStringLiteral("RECIPE.hlp"));
        StartUp::Prepare(ProgramFolder(world.path()));
        Help::CloseHelp(); // never opened: nothing happens
        QVERIFY(!Help::viewer());

        Help::ShowHelpTopic(210);
        QVERIFY(Help::viewer());
        QCOMPARE(Help::viewer()->currentTopic(), 210);
        QVERIFY(Help::viewer()->currentText().contains(QStringLiteral("What's new")));
        QVERIFY(!Help::viewer()->currentText().contains(QStringLiteral("could not be read")));
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
