#pragma once

#include <QString>

class QListWidget;

namespace engine {
class Recordset;
}

namespace pantrova {

// Routines several windows share.

// Asks the desktop to open a file, web address or mail address with its default handler: runs the
// desktop's opener and, without holding up the window, awaits its exit status for a few seconds.
// When the opener cannot start or reports a failure, says "error executing command!".
void ShellOpen(QString& target);

// The opener program ShellOpen runs with the target ("xdg-open" unless set; empty sets it back).
void setShellOpener(const QString& program);

// Removes every ' and " from a name (stored names never hold them, so they can sit between
// apostrophes in SQL). With showMessage non-zero and something removed, tells the person once.
// Nothing else changes: no trimming, no case change. `name` holds the result too.
QString SanitizeName(QString& name, qint16 showMessage);

// The message SanitizeName shows.
QString sanitizeMessage();

// Fills the cookbook manager's list with the display names of the catalogue's rows, in the
// recordset's order.
void FillCookbookList(engine::Recordset& recipebooks, QListWidget& CB_List);

} // namespace pantrova
