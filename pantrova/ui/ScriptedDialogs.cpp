#include "ScriptedDialogs.h"

#include "Dialogs.h"

#include <QWidget>
#include <QtDebug>

namespace ui {

ScriptedDialogs::ScriptedDialogs(Failure onUnexpected)
    : m_onUnexpected(std::move(onUnexpected)), m_previous(Dialogs::install(this))
{}

ScriptedDialogs::~ScriptedDialogs()
{
    Dialogs::install(m_previous);
}

QString ScriptedDialogs::Step::describe() const
{
    switch (kind) {
    case Kind::Message:
        return QStringLiteral("message \"") + match + u'"';
    case Kind::MessagePart:
        return QStringLiteral("message containing \"") + match + u'"';
    case Kind::Input:
        return QStringLiteral("input box \"") + match + u'"';
    case Kind::File:
        return QStringLiteral("file dialog");
    case Kind::Modal:
        return QStringLiteral("modal window ") + match;
    }
    return {};
}

ScriptedDialogs& ScriptedDialogs::expectMessage(const QString& text, int answer)
{
    m_script.push_back({Kind::Message, text, answer, {}, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectMessageContaining(const QString& part, int answer)
{
    m_script.push_back({Kind::MessagePart, part, answer, {}, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectInput(const QString& prompt, std::optional<QString> answer)
{
    m_script.push_back({Kind::Input, prompt, 0, std::move(answer), {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectFile(std::optional<QString> answer)
{
    m_script.push_back({Kind::File, {}, 0, std::move(answer), {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::expectModal(const QString& objectName, ModalAction action)
{
    m_script.push_back({Kind::Modal, objectName, 0, {}, std::move(action)});
    return *this;
}

QStringList ScriptedDialogs::pending() const
{
    QStringList list;
    for (const Step& step : m_script)
        list << step.describe();
    return list;
}

void ScriptedDialogs::fail(const QString& description)
{
    m_unexpected << description;
    qWarning("Unexpected question: %s", qUtf8Printable(description));
    if (m_onUnexpected)
        m_onUnexpected(description);
}

bool ScriptedDialogs::takeFront(Kind kind, const QString& asked, Step& step)
{
    if (!m_script.empty()) {
        const Step& front = m_script.front();
        bool matches = false;
        if (kind == Kind::Message)
            matches = (front.kind == Kind::Message && front.match == asked) ||
                      (front.kind == Kind::MessagePart && asked.contains(front.match));
        else
            matches = front.kind == kind && (kind == Kind::File || front.match == asked);
        if (matches) {
            step = front;
            m_script.pop_front();
            return true;
        }
    }
    const QString expected = m_script.empty() ? QStringLiteral("nothing") : m_script.front().describe();
    const QString what = kind == Kind::Message ? QStringLiteral("message \"")
                         : kind == Kind::Input ? QStringLiteral("input box \"")
                         : kind == Kind::File  ? QStringLiteral("file dialog \"")
                                               : QStringLiteral("modal window \"");
    fail(what + asked + QStringLiteral("\" while expecting ") + expected);
    return false;
}

int ScriptedDialogs::messageBox(const MessageQuestion& question)
{
    m_messages << question;
    Step step;
    if (takeFront(Kind::Message, question.text, step))
        return step.answer;
    switch (question.buttons) {
    case MsgButtons::OK:
        return AnswerOK;
    case MsgButtons::YesNo:
        return AnswerNo;
    default:
        return AnswerCancel;
    }
}

std::optional<QString> ScriptedDialogs::inputBox(const InputQuestion& question)
{
    Step step;
    if (takeFront(Kind::Input, question.prompt, step))
        return step.text;
    return std::nullopt;
}

std::optional<QString> ScriptedDialogs::openFile(const FileQuestion& question)
{
    m_files << question;
    Step step;
    if (takeFront(Kind::File, question.title, step))
        return step.text;
    return std::nullopt;
}

void ScriptedDialogs::errorBox(const ErrorQuestion& question)
{
    m_errors << question;
    DialogAnswerer::errorBox(question);
}

int ScriptedDialogs::runModal(QWidget& window)
{
    Step step;
    if (takeFront(Kind::Modal, window.objectName(), step))
        return step.action ? step.action(window) : 0;
    window.close();
    return 0;
}

} // namespace ui
