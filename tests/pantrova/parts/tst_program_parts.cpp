// The main window with every part attached as the program attaches them: no menu entry may be one
// that does nothing when the cook chooses it.
#include "ProgramParts.h"
#include "TestWorld.h"
#include "data/Database.h"
#include "data/ProgramFolder.h"
#include "data/Recordset.h"
#include "data/Settings.h"
#include "data/Workspace.h"
#include "planner/CalendarHost.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "startup/SharedRoutines.h"
#include "startup/StartUp.h"
#include "ui/PlainTextBox.h"
#include "ui/ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace pantrova;

namespace {

QList<QAction*> entriesOf(QMenu* menu)
{
    QList<QAction*> entries;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        if (a->menu())
            entries += entriesOf(a->menu());
        else
            entries += a;
    }
    return entries;
}

QSet<QWidget*> visibleWindows()
{
    QSet<QWidget*> shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            shown.insert(w);
    return shown;
}

} // namespace

class TestProgramParts : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;

private slots:
    void initTestCase()
    {
        // The component registry lives in the user's configuration folder: one of our own.
        qputenv("HOME", m_home.path().toLocal8Bit());
        QStandardPaths::setTestModeEnabled(true);
        QString why;
        QVERIFY2(ensureCalendarControlRegistered(TestWorld::builtProgramDir(), &why), qPrintable(why));
    }

    void everyMenuEntryDoesSomething()
    {
        TestWorld world;
        Program& p = program();
        p.reset();
        Settings::write(QStringLiteral("DH"), QStringLiteral("7.0"));
        attachProgramParts(p);
        p.registerCalendarControl = {}; // done once for the whole test
        StartUp::Prepare(ProgramFolder(world.path()));
        p.SplashMode = false;

        // The desktop's opener, standing in for the browser and the mail program.
        const QString opened = world.filePath(QStringLiteral("opened.txt"));
        const QString opener = world.filePath(QStringLiteral("opener.sh"));
        {
            QFile script(opener);
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write(QStringLiteral("#!/bin/sh\necho \"$@\" >> '%1'\n").arg(opened).toUtf8());
        }
        QVERIFY(QFile::setPermissions(opener, QFile::permissions(opener) | QFileDevice::ExeOwner));
        setShellOpener(opener);

        {
            // A recipe on show, so the commands that work on one are offered.
            engine::Workspace ws;
            engine::Database db = ws.OpenDatabase(world.filePath(QStringLiteral("Recipe20.mdb")));
            db.Execute(QStringLiteral("insert into recipes (Name, category_code, groupnum, Description, "
                                      "Ingrediants, Instructions, Picture) values (?, 1, 1, '', ?, '', '')"),
                       {QStringLiteral("Brisket"), QStringLiteral("1 brisket")});
            ws.Close();
        }
        QPointer<RecipeNew> w = new RecipeNew;
        p.mainWindow = w;
        w->Form_Load();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));

        QList<QAction*> entries;
        for (QAction* top : w->menuBar()->actions())
            if (top->menu())
                entries += entriesOf(top->menu());
        QVERIFY(entries.size() >= 20);

        QStringList silent;
        for (QAction* entry : entries) {
            if (entry == w->Quit_Menu)
                continue;
            const QString name = entry->text();
            QVERIFY2(entry->isEnabled(), qPrintable(name + QStringLiteral(" is disabled")));
            const QSet<QWidget*> before = visibleWindows();
            const bool checked = entry->isChecked();
            const qint64 openedBefore = QFileInfo(opened).size();
            ui::ScriptedDialogs dialogs; // every question answered in the most cautious way
            if (entry == w->saverecipemenu)
                QTest::keyClicks(w->Description, QStringLiteral("Slow"));
            entry->trigger();
            QTest::qWait(50);

            bool happened = !dialogs.unexpected().isEmpty() || entry->isChecked() != checked ||
                            QFileInfo(opened).size() != openedBefore;
            if (entry == w->saverecipemenu) { // typing on the page is stored
                engine::Recordset rs = p.Cookbook.OpenRecordset(
                    QStringLiteral("select Description from recipes where Name = 'Brisket'"));
                happened = rs.Text(QStringLiteral("Description")).contains(QStringLiteral("Slow"));
            }
            QVERIFY2(dialogs.errorsShown().isEmpty(),
                     qPrintable(name + QStringLiteral(": ") + dialogs.errorsShown().value(0).whatFailed));
            for (QWidget* shown : visibleWindows() - before) {
                happened = true;
                shown->close();
            }
            if (w->AddingRecipe) { // an empty page for a new recipe
                happened = true;
                w->CancelRecipeAdd();
            }
            if (entry->isCheckable() && entry->isChecked() != checked)
                entry->trigger(); // back as it was
            if (!happened)
                silent += name;
        }
        QVERIFY2(silent.isEmpty(),
                 qPrintable(QStringLiteral("No effect: ") + silent.join(QStringLiteral(", "))));

        // Quit closes the main window.
        {
            ui::ScriptedDialogs dialogs;
            w->Quit_Menu->trigger();
        }
        QTRY_VERIFY(!w || !w->isVisible());
        delete w.data();
        setShellOpener({});
        p.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

QTEST_MAIN(TestProgramParts)
#include "tst_program_parts.moc"
