#include "Help.h"

#include "HelpViewer.h"
#include "Program.h"

#include <QPointer>
#include <QWidget>

namespace pantrova {

QString Help::s_helpFile;

namespace {
QPointer<HelpViewer> s_viewer;
QPointer<QWidget> s_owner;
} // namespace

QString Help::helpFileFor(const QString& folder)
{
    const QString name = QStringLiteral("recipe.HLP");
    if (folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder + name;
    return folder + u'/' + name;
}

void Help::SetHelpFile(QWidget* owner)
{
    s_owner = owner;
    s_helpFile = helpFileFor(program().shippedDir());
}

HelpViewer* Help::viewer()
{
    return s_viewer.data();
}

HelpViewer* Help::ensureViewer()
{
    if (s_viewer && s_viewer->helpFile().isEmpty() == false)
        return s_viewer;
    delete s_viewer.data();
    if (s_helpFile.isEmpty())
        SetHelpFile(s_owner);
    s_viewer = new HelpViewer(s_helpFile);
    s_viewer->setAttribute(Qt::WA_DeleteOnClose);
    // Opened beside the window that asked, so the help does not hide what it explains.
    if (s_owner && s_owner->isVisible())
        s_viewer->move(s_owner->frameGeometry().topLeft() + QPoint(80, 60));
    return s_viewer;
}

void Help::ShowHelpTopic(qint32 contextId)
{
    HelpViewer* v = ensureViewer();
    v->showTopic(contextId);
    v->show();
    v->raise();
}

void Help::ShowHelpContents()
{
    HelpViewer* v = ensureViewer();
    v->showContents();
    v->show();
    v->raise();
}

void Help::CloseHelp()
{
    // Deleted at once, so nothing of the viewer outlives the main window that closes it.
    delete s_viewer.data();
}

} // namespace pantrova
