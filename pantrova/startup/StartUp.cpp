#include "StartUp.h"

#include "About_Form.h"
#include "DamagedFiles.h"
#include "Help.h"
#include "Program.h"
#include "data/ProgramFolder.h"
#include "data/Settings.h"

#include <stdexcept>

namespace pantrova {

namespace {
const QString kDefaultCookbook = QStringLiteral("recipe20.mdb");

void useDefaultCookbook()
{
    program().CurrentCookbookFile = kDefaultCookbook;
    Settings::write(QStringLiteral("CurDB"), kDefaultCookbook);
}
} // namespace

void StartUp::Prepare(const ProgramFolder& folder)
{
    Program& p = program();
    p.folder = folder.path();
    Help::SetHelpFile(nullptr);

    if (!folder.makeCurrent())
        throw std::runtime_error(QString(QStringLiteral("The program folder ") + folder.path() +
                                         QStringLiteral(" cannot be opened."))
                                     .toStdString());
    p.SplashMode = true;
    p.Workspace();

    p.CurrentCookbookFile = Settings::read(QStringLiteral("CurDB"));
    if (p.CurrentCookbookFile.isEmpty())
        useDefaultCookbook();
    // A cookbook whose file has vanished falls back to the default cookbook.
    if (p.CurrentCookbookFile != kDefaultCookbook &&
        !folder.hasFile(QStringLiteral("*.mdb"), p.CurrentCookbookFile))
        useDefaultCookbook();

    if (!folder.hasPicsDirectory())
        folder.ensurePicsDirectory();
    if (!folder.hasFile(QStringLiteral("*.mdb"), QStringLiteral("UTILITY.MDB")))
        folder.copyTemplate(QStringLiteral("UtilityE.mdb"), QStringLiteral("Utility.mdb"));
    if (!folder.hasFile(QStringLiteral("*.sys"), QStringLiteral("ADMIN.SYS")))
        folder.copyTemplate(QStringLiteral("AdminE.sys"), QStringLiteral("Admin.sys"));
    if (!folder.hasFile(QStringLiteral("*.mdb"), QStringLiteral("MENUS.MDB")))
        folder.copyTemplate(QStringLiteral("MenusE.mdb"), QStringLiteral("Menus.mdb"));

    // The calendar control the planner hosts is made known to the component registry here.
    if (p.registerCalendarControl)
        p.registerCalendarControl();

    const bool haveDefault = folder.hasFile(QStringLiteral("*.mdb"), QStringLiteral("RECIPE20.MDB"));
    if (p.Cookbook.isOpen())
        p.Cookbook.Close();
    if (!haveDefault)
        folder.copyTemplate(QStringLiteral("Recipe70e.mdb"), QStringLiteral("Recipe20.mdb"));

    // Files the program cannot use are never written to: each is checked before its first use.
    DamagedFiles::checkDataFile(folder, QStringLiteral("Admin.sys"), QStringLiteral("AdminE.sys"),
                                QStringLiteral("list of cookbooks"));
    DamagedFiles::checkDataFile(folder, QStringLiteral("Utility.mdb"), QStringLiteral("UtilityE.mdb"),
                                QStringLiteral("word lists"));
    DamagedFiles::checkDataFile(folder, QStringLiteral("Menus.mdb"), QStringLiteral("MenusE.mdb"),
                                QStringLiteral("meal plans"));

    engine::Database admin = p.Workspace().OpenDatabase(QStringLiteral("admin.sys"));
    engine::Recordset books = admin.OpenRecordset(QStringLiteral("recipebooks"));
    books.Index(QStringLiteral("dbname"));
    books.Seek(QStringLiteral("="), p.CurrentCookbookFile);
    p.CurrentCookbookName = books.NoMatch() ? QString() : books.Text(QStringLiteral("cookbook"));
    books.Close();
    admin.Close();
}

void StartUp::ShowSplash()
{
    auto* splash = new About_Form;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    program().aboutForm = splash;
    splash->show();
}

void StartUp::Run(const ProgramFolder& folder)
{
    Prepare(folder);
    ShowSplash();
}

} // namespace pantrova
