#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace ui {

// Buttons, icons and answers of a message box, numbered as the window code has always used them
// (answer 6 is Yes, 7 is No), because some windows keep the answer's number as text.
enum class MsgButtons { OK = 0, OKCancel = 1, YesNoCancel = 3, YesNo = 4 };
enum class MsgIcon { None = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };
enum MsgAnswer { AnswerOK = 1, AnswerCancel = 2, AnswerYes = 6, AnswerNo = 7 };

struct MessageQuestion
{
    QString text;
    QString title;
    MsgButtons buttons = MsgButtons::OK;
    MsgIcon icon = MsgIcon::None;
};

struct InputQuestion
{
    QString prompt;
    QString title;
    QString defaultText;
};

struct FileQuestion
{
    QString title;
    QString directory;
    QString filter;      // "BMP (*.bmp)|*.bmp|JPG (*.jpg)|*.jpg" as the windows write it
    int filterIndex = 1; // 1-based, as the windows count
    QString fileName;
};

// An error box: what the person was doing, the file it concerned, the cause in plain words, and
// the technical details (statement, engine message) shown only on request.
struct ErrorQuestion
{
    QString whatFailed; // "Saving the recipe"
    QString file;       // full path, or empty
    QString cause;      // plain words: "The disk is full. ..."
    QString details;    // for whoever repairs things; empty when there are none
    QString title;
};

// Whoever answers the program's questions: real dialogs for a person, a script in tests.
// Every message box, input box, file dialog and modal window of the program goes through one.
class DialogAnswerer
{
public:
    virtual ~DialogAnswerer() = default;

    virtual int messageBox(const MessageQuestion& question) = 0;
    // Empty optional when the person cancelled.
    virtual std::optional<QString> inputBox(const InputQuestion& question) = 0;
    virtual std::optional<QString> openFile(const FileQuestion& question) = 0;
    // Runs a window modally and returns its result (QDialog's, or 0 for a plain window).
    virtual int runModal(QWidget& window) = 0;
    // Shows an error box. By default a message box of the box's plain text (Dialogs::errorText).
    virtual void errorBox(const ErrorQuestion& question);
};

} // namespace ui
