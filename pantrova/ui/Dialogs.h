#pragma once

#include "DialogAnswerer.h"

#include <memory>

namespace ui {

// The one seam through which the program asks a person anything. Windows call these functions;
// the installed answerer decides how the question is put. The program installs QtDialogs at
// start; tests install a ScriptedDialogs. With nothing installed the real dialogs are used.
class Dialogs
{
public:
    static int messageBox(const QString& text, MsgButtons buttons = MsgButtons::OK,
                          MsgIcon icon = MsgIcon::None, const QString& title = {});
    static std::optional<QString> inputBox(const QString& prompt, const QString& title = {},
                                           const QString& defaultText = {});
    static std::optional<QString> openFile(const FileQuestion& question);
    static int runModal(QWidget& window);

    // The error box of a failure nothing else traps: names what failed and why.
    static void showError(const QString& whatFailed, const QString& reason);
    static QString errorText(const QString& whatFailed, const QString& reason);
    // The full error box: what failed, the file, the cause in plain words, details on request.
    static void showError(const ErrorQuestion& question);
    // Its text as the person reads it first (without the details):
    //   "<what> failed.\n\nFile: <name> (in <folder>)\n<cause>"
    static QString errorText(const ErrorQuestion& question);

    // Installs an answerer and returns the previous one (nullptr for the default).
    static DialogAnswerer* install(DialogAnswerer* answerer);
    static DialogAnswerer& answerer();

    // Title of message boxes that have none of their own.
    static QString programTitle() { return QStringLiteral("Pantrova"); }
};

} // namespace ui
