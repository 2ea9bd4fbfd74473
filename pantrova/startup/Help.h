#pragma once

#include <QString>

class QWidget;

namespace pantrova {

class HelpViewer;

// The program's help calls. SetHelpFile names the help file ("recipe.HLP" where the shipped files are)
// and the window that owns help; the other calls open our help viewer on a topic or on the
// contents, or close it. The viewer is one window for the whole run, opened on demand.
class Help
{
public:
    static void SetHelpFile(QWidget* owner);
    static QString HelpFilePath() { return s_helpFile; }
    // The help file of a folder: the folder's path, a separator unless it ends in one, "recipe.HLP".
    static QString helpFileFor(const QString& folder);

    static void ShowHelpTopic(qint32 contextId);
    static void ShowHelpContents();
    static void CloseHelp();

    // The open viewer, or nullptr.
    static HelpViewer* viewer();

private:
    static HelpViewer* ensureViewer();
    static QString s_helpFile;
};

} // namespace pantrova
