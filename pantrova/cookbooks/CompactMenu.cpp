#include "CompactMenu.h"

#include "Compaction.h"
#include "WorkProgress.h"
#include "data/ProgramFolder.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "ui/Dialogs.h"
#include "ui/FlexGrid.h"

#include <QDir>
#include <QFileInfo>

namespace pantrova {

namespace {

const QString kFailed = QStringLiteral("There was an error compacting Database");
// Files of this size take more than a moment to compact.
constexpr qint64 kLongWorkBytes = 8 * 1024 * 1024;

QString shownName(const QString& file)
{
    return QFileInfo(file).fileName().toUpper();
}

QString shownNames(const QStringList& files)
{
    QStringList names;
    for (const QString& f : files)
        names.append(shownName(f));
    return names.join(QStringLiteral(", "));
}

// What the cook needs to know after a failure: which files are compacted, which are as they were,
// and why it stopped.
QString failureText(const Compaction& compaction, const QString& stoppedAt, const QString& reason)
{
    const QStringList done = compaction.compacted();
    QStringList untouched = compaction.files();
    for (const QString& f : done)
        untouched.removeAll(f);
    QString text = kFailed + QStringLiteral("\n\n");
    text += done.isEmpty() ? QStringLiteral("No file was compacted.")
                           : QStringLiteral("Compacted: ") + shownNames(done) + u'.';
    if (!untouched.isEmpty())
        text += QStringLiteral("\nLeft as they were: ") + shownNames(untouched) + u'.';
    text += QStringLiteral("\n\n") + shownName(stoppedAt) + QStringLiteral(": ") + reason;
    return text;
}

QString stepLabel(const QString& file, Compaction::Step step)
{
    switch (step) {
    case Compaction::Step::Compacting:
        return QStringLiteral("Compacting ") + shownName(file) + QStringLiteral("...");
    case Compaction::Step::Checking:
        return QStringLiteral("Checking the compacted ") + shownName(file) + QStringLiteral("...");
    case Compaction::Step::Replacing:
        return QStringLiteral("Putting the compacted ") + shownName(file) + QStringLiteral(" in place...");
    }
    return {};
}

// The main window is enabled again however the work ends.
struct DisabledWhileWorking
{
    explicit DisabledWhileWorking(RecipeNew& w) : window(w) { window.setEnabled(false); }
    ~DisabledWhileWorking() { window.setEnabled(true); }
    RecipeNew& window;
};

void unloadPlanner(Program& p)
{
    // With the main window marked inactive the planner really unloads instead of hiding.
    p.MainWindowActive = false;
    if (p.unloadPlanner)
        p.unloadPlanner();
    p.MainWindowActive = true;
}

void closeEverything(RecipeNew& w, Program& p)
{
    w.RecipeSet.Close();
    w.RecipeDetail.Close();
    w.GroupSet.Close();
    w.SectionSet.Close();
    if (p.Cookbook.isOpen())
        p.Cookbook.Close();
    p.Workspace().Close();
}

} // namespace

QString compactWarning(const QString& cookbookFile)
{
    return QStringLiteral("WARNING: You should make a copy of the files \n") + cookbookFile.toUpper() +
           QStringLiteral(
               "\nUTILITY.MDB\nMENUS.MDB\nbefore running this option.\nRefer to help on Compacting Files.");
}

void Compact_Menu_Click(RecipeNew& w)
{
    Program& p = program();
    if (ui::Dialogs::messageBox(compactWarning(p.CurrentCookbookFile), ui::MsgButtons::OKCancel) !=
        ui::AnswerOK)
        return;

    const QString folder = p.programDir();
    Compaction compaction(
        folder, {p.CurrentCookbookFile, QStringLiteral("Utility.mdb"), QStringLiteral("menus.mdb")});
    QString failure;
    {
        const int steps = int(compaction.files().size()) * 3 + 1;
        WorkProgress progress(&w, QStringLiteral("Compacting"), steps,
                              compaction.totalBytes() > kLongWorkBytes);
        progress.show(0, QStringLiteral("Closing the databases..."));
        unloadPlanner(p);
        DisabledWhileWorking disabled(w);
        closeEverything(w, p);
        ProgramFolder(folder).makeCurrent();

        int done = 0;
        compaction.onStep = [&](const QString& file, Compaction::Step step) {
            progress.show(done++, stepLabel(file, step));
        };
        try {
            compaction.run();
        } catch (const Compaction::Failed& e) {
            failure = failureText(compaction, e.file(), e.reason());
        }
        progress.show(steps - 1,
                      QStringLiteral("Opening ") + shownName(p.CurrentCookbookFile) + QStringLiteral("..."));
        try {
            p.Cookbook = p.Workspace().OpenDatabase(QDir(folder).filePath(p.CurrentCookbookFile));
        } catch (const std::exception& e) {
            failure = (failure.isEmpty() ? kFailed : failure) +
                      QStringLiteral("\n\nThe cookbook could not be opened again: ") +
                      QString::fromUtf8(e.what());
        }
    }
    if (p.loadPlanner)
        p.loadPlanner();
    if (p.Cookbook.isOpen()) {
        w.ShowSection(1);
        w.GroupGrid->setRow(1);
        qint16 left = 1;
        w.SelectGroup(left);
    }
    if (!failure.isEmpty())
        ui::Dialogs::messageBox(failure);
}

} // namespace pantrova
