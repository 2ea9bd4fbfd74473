#include "SharedRoutines.h"

#include "data/Recordset.h"
#include "ui/Dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QProcess>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace pantrova {

namespace {

QString& opener()
{
    static QString program = QStringLiteral("xdg-open");
    return program;
}

// How long the opener's answer is awaited; one still running then is taken to have opened it.
constexpr int kOpenerAnswerMs = 10000;

void sayOpeningFailed()
{
    ui::Dialogs::messageBox(QStringLiteral("error executing command!"));
}

} // namespace

void setShellOpener(const QString& program)
{
    opener() = program.isEmpty() ? QStringLiteral("xdg-open") : program;
}

void ShellOpen(QString& target)
{
    // A bare file name or path is opened as a local file; anything with a scheme as an address.
    QUrl url(target, QUrl::StrictMode);
    if (url.scheme().size() <= 1) // none, or a drive letter
        url = QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    if (!url.isValid()) {
        sayOpeningFailed();
        return;
    }
    // The desktop's opener is run and its exit status awaited in the background: the window goes
    // on at once, and a failure is said when the opener reports it.
    auto* process = new QProcess(qApp);
    auto answered = std::make_shared<bool>(false);
    QObject::connect(process, &QProcess::finished, process,
                     [process, answered](int code, QProcess::ExitStatus how) {
                         if (!*answered && (how != QProcess::NormalExit || code != 0))
                             sayOpeningFailed();
                         *answered = true;
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, answered](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         if (!*answered)
                             sayOpeningFailed();
                         *answered = true;
                         process->deleteLater();
                     });
    QTimer::singleShot(kOpenerAnswerMs, process, [answered] { *answered = true; });
    process->start(opener(), {url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded)});
}

QString sanitizeMessage()
{
    return QStringLiteral("The characters of  ' or ") + u'"' +
           QStringLiteral(" are not valid and have been removed from the name.");
}

QString SanitizeName(QString& name, qint16 showMessage)
{
    bool removed = false;
    if (name.contains(u'\'')) {
        name.remove(u'\'');
        removed = true;
    }
    if (name.contains(u'"')) {
        name.remove(u'"');
        removed = true;
    }
    if (showMessage != 0 && removed)
        ui::Dialogs::messageBox(sanitizeMessage(), ui::MsgButtons::OK, ui::MsgIcon::Information);
    return name;
}

void FillCookbookList(engine::Recordset& recipebooks, QListWidget& CB_List)
{
    CB_List.clear();
    if (recipebooks.RecordCount() > 0) {
        recipebooks.MoveFirst();
        while (!recipebooks.isEOF()) {
            CB_List.addItem(recipebooks.Text(QStringLiteral("cookbook")));
            recipebooks.MoveNext();
        }
    }
}

} // namespace pantrova
