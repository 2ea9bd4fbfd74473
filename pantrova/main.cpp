// Pantrova: the program's entry. Installs the real dialogs, runs the start-up routine, and hands
// over to the splash, which opens the main window. Closing the main window ends the program.

#include "ProgramParts.h"
#include "data/ProgramFolder.h"
#include "recipes/RecipeNew.h"
#include "startup/Program.h"
#include "startup/StartUp.h"
#include "ui/Dialogs.h"
#include "ui/ErrorGuard.h"

#include <QApplication>

#include <exception>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pantrova"));
    QApplication::setQuitOnLastWindowClosed(false);

    pantrova::Program& p = pantrova::program();
    p.showMainWindow = [] {
        pantrova::RecipeNew* window = pantrova::RecipeNew::Open();
        QObject::connect(window, &QObject::destroyed, qApp, &QCoreApplication::quit);
    };
    pantrova::attachProgramParts(p);

    try {
        pantrova::StartUp::Run(pantrova::ProgramFolder::ofExecutable());
    } catch (const ui::Reported&) {
        return 1; // the cook has been told why already
    } catch (const std::exception& e) {
        // The one failure that ends the program: it cannot run without its data files.
        ui::reportFailure(QStringLiteral("Starting Pantrova"), e,
                          QStringLiteral("Pantrova cannot run without its data files and will close."));
        return 1;
    }
    const int result = QApplication::exec();
    p.reset();
    return result;
}
