#include "Program.h"

#include "ErrorExplainer.h"
#include "ui/ErrorGuard.h"

#include <QDir>

namespace pantrova {

Program& program()
{
    // Every window reaches the program's values through here, so this is where the error boxes
    // learn to put the engine's failures in plain words.
    static Program theProgram = [] {
        ui::addErrorExplainer(explainEngineError);
        return Program();
    }();
    return theProgram;
}

engine::Workspace& Program::Workspace()
{
    if (!workspace)
        workspace = std::make_unique<engine::Workspace>();
    return *workspace;
}

QString Program::programDir() const
{
    return folder.isEmpty() ? QDir::currentPath() : folder;
}

QString Program::shippedDir() const
{
    return shippedFolder.isEmpty() ? programDir() : shippedFolder;
}

void Program::reset()
{
    if (aboutForm)
        delete aboutForm.data();
    if (mainWindow)
        delete mainWindow.data();
    if (menuForm)
        delete menuForm.data();
    if (Cookbook.isOpen())
        Cookbook.Close();
    if (workspace)
        workspace->Close();
    *this = Program();
}

} // namespace pantrova
