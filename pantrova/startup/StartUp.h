#pragma once

namespace pantrova {

class ProgramFolder;

// The start-up routine: prepares the program folder, makes sure every data file exists (copying
// the shipped templates), settles the current cookbook from the settings and reads its display
// name from the catalogue, then shows the about window as the splash, which opens the main window.
//
// Prepare throws std::exception (an engine error or a failed copy) when the data files cannot be
// found or made; the program then says why and ends, since it never runs without its data files.
class StartUp
{
public:
    static void Prepare(const ProgramFolder& folder);
    static void ShowSplash();
    static void Run(const ProgramFolder& folder);
};

} // namespace pantrova
