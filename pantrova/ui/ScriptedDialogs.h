#pragma once

#include "DialogAnswerer.h"

#include <QList>
#include <QStringList>

#include <deque>
#include <functional>

namespace ui {

// The answerer tests install: a script of the questions a test expects, in order, with the answer
// to give to each. Constructing it installs it; destroying it puts the previous answerer back.
//
// It never waits. A question that is not the next one in the script (or comes when the script is
// used up) is recorded in unexpected(), reported to the failure callback (tests pass one that marks
// the test failed), and answered in the most cautious way: Cancel or No, no text, no file, and a
// modal window is closed unrun. Questions still in the script are listed by pending().
class ScriptedDialogs : public DialogAnswerer
{
public:
    using Failure = std::function<void(const QString& description)>;
    using ModalAction = std::function<int(QWidget& window)>;

    explicit ScriptedDialogs(Failure onUnexpected = {});
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    ScriptedDialogs& expectMessage(const QString& text, int answer = AnswerOK);
    ScriptedDialogs& expectMessageContaining(const QString& part, int answer = AnswerOK);
    ScriptedDialogs& expectInput(const QString& prompt, std::optional<QString> answer);
    ScriptedDialogs& expectFile(std::optional<QString> answer);
    // `objectName` names the window; `action` may work the window's controls and returns its result.
    ScriptedDialogs& expectModal(const QString& objectName, ModalAction action = {});

    QStringList unexpected() const { return m_unexpected; }
    QStringList pending() const;
    bool allAnswered() const { return m_unexpected.isEmpty() && m_script.empty(); }
    // Every message box asked, expected or not, in order.
    QList<MessageQuestion> messagesAsked() const { return m_messages; }
    QList<FileQuestion> filesAsked() const { return m_files; }
    // Every error box shown, in order; each is also matched as a message of its plain text.
    QList<ErrorQuestion> errorsShown() const { return m_errors; }

    int messageBox(const MessageQuestion& question) override;
    std::optional<QString> inputBox(const InputQuestion& question) override;
    std::optional<QString> openFile(const FileQuestion& question) override;
    int runModal(QWidget& window) override;
    void errorBox(const ErrorQuestion& question) override;

private:
    enum class Kind { Message, MessagePart, Input, File, Modal };
    struct Step
    {
        Kind kind;
        QString match;
        int answer = 0;
        std::optional<QString> text;
        ModalAction action;
        QString describe() const;
    };

    bool takeFront(Kind kind, const QString& asked, Step& step);
    void fail(const QString& description);

    std::deque<Step> m_script;
    QStringList m_unexpected;
    QList<MessageQuestion> m_messages;
    QList<FileQuestion> m_files;
    QList<ErrorQuestion> m_errors;
    Failure m_onUnexpected;
    DialogAnswerer* m_previous;
};

} // namespace ui
