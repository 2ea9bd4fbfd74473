#pragma once

#include <functional>

class QDialog;

namespace vorrin {

// Runs the calendar library's modal dialogs (about box, property pages, the colour chooser).
// The product runs them with exec(); a test installs a runner that inspects the dialog and
// answers it without entering a modal loop. Used from the user-interface thread only.
class ModalSeam
{
public:
    using Runner = std::function<int(QDialog& dialog)>;

    static int run(QDialog& dialog);
    // An empty runner restores exec().
    static void setRunner(Runner runner);
};

} // namespace vorrin
