#include "ImportRecipes.h"

#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "ui/BusyCursor.h"
#include "ui/Dialogs.h"
#include "ui/ErrorGuard.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMenu>
#include <QProgressDialog>

namespace pantrova {

namespace {

constexpr int kListedSkips = 12;
constexpr int kProgressStepMs = 50;

} // namespace

void ImportRecipes::attachTo(QWidget* mainWindow)
{
    if (auto* window = qobject_cast<RecipeNew*>(mainWindow))
        new ImportRecipes(*window);
}

ImportRecipes::ImportRecipes(RecipeNew& window) : QObject(&window), ImportMenu(nullptr), w(window)
{
    setObjectName(QStringLiteral("ImportRecipes"));
    ImportMenu = new QAction(QStringLiteral("Import Recipes..."), w.File_Menu);
    ImportMenu->setObjectName(QStringLiteral("ImportMenu"));
    w.File_Menu->insertAction(w.Quit_Menu, ImportMenu);
    w.File_Menu->insertSeparator(w.Quit_Menu);
    connect(ImportMenu, &QAction::triggered, this,
            [this] { ui::guarded(QStringLiteral("Importing recipes"), [this] { ImportMenu_Click(); }); });
}

QString ImportRecipes::fileFilter()
{
    return QStringLiteral("Recipe files (*.mmf *.mm *.txt *.html *.htm)|*.mmf;*.mm;*.txt;*.html;*.htm|"
                          "MealMaster files (*.mmf *.mm *.txt)|*.mmf;*.mm;*.txt|"
                          "Saved web pages (*.html *.htm)|*.html;*.htm|All files (*)|*");
}

QString ImportRecipes::cancelledText()
{
    return QStringLiteral("The import was cancelled. No recipes were imported.");
}

QString ImportRecipes::summaryText(const RecipeImporter::Result& result, const QString& groupName)
{
    QString text;
    if (result.imported == 0)
        text = QStringLiteral("No recipes were imported.");
    else if (result.imported == 1)
        text = QStringLiteral("1 recipe was imported into the group %1.").arg(groupName);
    else
        text =
            QStringLiteral("%1 recipes were imported into the group %2.").arg(result.imported).arg(groupName);
    if (result.skipped.isEmpty())
        return text;

    text += QStringLiteral("\n\nNot imported:");
    for (qsizetype i = 0; i < result.skipped.size() && i < kListedSkips; ++i) {
        const RecipeImporter::Skipped& s = result.skipped[i];
        text += u'\n' + QFileInfo(s.file).fileName();
        if (s.line > 0)
            text += QStringLiteral(", line ") + QString::number(s.line);
        text += QStringLiteral(": ") + s.reason;
    }
    if (result.skipped.size() > kListedSkips)
        text += QStringLiteral("\n...and %1 more.").arg(result.skipped.size() - kListedSkips);
    return text;
}

void ImportRecipes::ImportMenu_Click()
{
    Program& p = program();
    if (!p.Cookbook.isOpen())
        return;
    // The imported recipes are shown afterwards in place of the page.
    if (!w.SettlePendingEdits())
        return;
    ui::FileQuestion question;
    question.title = QStringLiteral("Import Recipes");
    question.directory = QDir::homePath();
    question.filter = fileFilter();
    const std::optional<QStringList> files = ui::Dialogs::openFiles(question);
    if (!files || files->isEmpty())
        return;

    // Only the progress dialog takes the person's input while the import runs: until it shows,
    // clicks and keys wait, and once it shows it is modal.
    QProgressDialog progress(QStringLiteral("Reading recipes..."), QStringLiteral("Cancel"), 0,
                             int(files->size()), &w);
    progress.setObjectName(QStringLiteral("ImportProgress"));
    progress.setWindowTitle(QStringLiteral("Import Recipes"));
    progress.setAccessibleName(QStringLiteral("Import Recipes"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    progress.setMinimumWidth(360); // room for the file names being read
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    QElapsedTimer clock;
    clock.start();
    qint64 shownAt = -kProgressStepMs;
    const RecipeImporter::Progress report = [&](const QString& label, int done, int total) {
        if (done == 0 || clock.elapsed() - shownAt >= kProgressStepMs) {
            shownAt = clock.elapsed();
            if (progress.labelText() != label)
                progress.setLabelText(label);
            progress.setMaximum(std::max(total, 1));
            progress.setValue(std::min(done, std::max(total, 1)));
            QApplication::processEvents(progress.isVisible() ? QEventLoop::AllEvents
                                                             : QEventLoop::ExcludeUserInputEvents);
        }
        return !progress.wasCanceled();
    };

    RecipeImporter::Result result;
    {
        ui::BusyCursor busy(Qt::BusyCursor);
        bool cancelled = false;
        const QList<RecipeImporter::Source> sources = RecipeImporter::read(*files, report, &cancelled);
        if (!cancelled)
            result = RecipeImporter::write(p.Cookbook, p.programDir(), p.CurrentGroup, sources, report);
        result.cancelled = result.cancelled || cancelled;
        progress.close();
    }
    if (result.cancelled) {
        ui::Dialogs::messageBox(cancelledText(), ui::MsgButtons::OK, ui::MsgIcon::Information);
        return;
    }
    if (result.imported > 0) {
        // The group is read again; the first imported recipe is shown with its letter.
        w.LoadGroupRecipes();
        w.FindRecipe(result.firstNumber, result.firstName);
        w.ShowCurrentRecipe();
    }
    ui::Dialogs::messageBox(summaryText(result, w.CurrentGroupName), ui::MsgButtons::OK,
                            ui::MsgIcon::Information);
}

} // namespace pantrova
