#include "Dialogs.h"

#include "QtDialogs.h"

#include <QDir>
#include <QFileInfo>

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

int Dialogs::runModal(QWidget& window)
{
    return answerer().runModal(window);
}

QString Dialogs::errorText(const QString& whatFailed, const QString& reason)
{
    return errorText(ErrorQuestion{whatFailed, {}, reason, {}, {}});
}

void Dialogs::showError(const QString& whatFailed, const QString& reason)
{
    showError(ErrorQuestion{whatFailed, {}, reason, {}, {}});
}

QString Dialogs::errorText(const ErrorQuestion& question)
{
    QString text = question.whatFailed + QStringLiteral(" failed.\n\n");
    if (!question.file.isEmpty()) {
        const QFileInfo file(question.file);
        text += QStringLiteral("File: ") + file.fileName();
        if (file.isAbsolute())
            text += QStringLiteral(" (in ") + QDir::toNativeSeparators(file.absolutePath()) + u')';
        text += u'\n';
    }
    return text + question.cause;
}

void Dialogs::showError(const ErrorQuestion& question)
{
    ErrorQuestion q = question;
    if (q.title.isEmpty())
        q.title = programTitle();
    answerer().errorBox(q);
}

void DialogAnswerer::errorBox(const ErrorQuestion& question)
{
    messageBox({Dialogs::errorText(question), question.title, MsgButtons::OK, MsgIcon::Critical});
}

} // namespace ui
