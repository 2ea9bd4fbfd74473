#include "Program.h"

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
