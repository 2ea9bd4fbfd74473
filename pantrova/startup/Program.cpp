#include "Program.h"

#include <QDir>

namespace pantrova {

Program& program()
{
    static Program theProgram;
    return theProgram;
}

engine::Workspace& Program::Workspace()
{
    if (!workspace)
        workspace = std::make_unique<engine::Workspace>();
    return *workspace;
}

QString Program::shippedDir() const
{
    if (!shippedFolder.isEmpty())
        return shippedFolder;
    return folder.isEmpty() ? QDir::currentPath() : folder;
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
