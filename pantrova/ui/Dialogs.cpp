#include "Dialogs.h"

#include "QtDialogs.h"

namespace ui {

namespace {
DialogAnswerer* s_installed = nullptr;
} // namespace

DialogAnswerer& Dialogs::answerer()
{
    static QtDialogs real;
    return s_installed ? *s_installed : real;
}

DialogAnswerer* Dialogs::install(DialogAnswerer* answerer)
{
    DialogAnswerer* previous = s_installed;
    s_installed = answerer;
    return previous;
}

int Dialogs::messageBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title)
{
    return answerer().messageBox({text, title.isEmpty() ? programTitle() : title, buttons, icon});
}

std::optional<QString> Dialogs::inputBox(const QString& prompt, const QString& title,
                                         const QString& defaultText)
{
    return answerer().inputBox({prompt, title.isEmpty() ? programTitle() : title, defaultText});
}

std::optional<QString> Dialogs::openFile(const FileQuestion& question)
{
    return answerer().openFile(question);
}

std::optional<QStringList> Dialogs::openFiles(const FileQuestion& question)
{
    return answerer().openFiles(question);
}

int Dialogs::runModal(QWidget& window)
{
    return answerer().runModal(window);
}

QString Dialogs::errorText(const QString& whatFailed, const QString& reason)
{
    return whatFailed + QStringLiteral(" failed.\n\n") + reason;
}

void Dialogs::showError(const QString& whatFailed, const QString& reason)
{
    messageBox(errorText(whatFailed, reason), MsgButtons::OK, MsgIcon::Critical);
}

} // namespace ui
