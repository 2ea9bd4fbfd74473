#include "SharedRoutines.h"

#include "data/Recordset.h"
#include "ui/Dialogs.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QUrl>

namespace pantrova {

void ShellOpen(QString& target)
{
    // A bare file name or path is opened as a local file; anything with a scheme as an address.
    QUrl url(target, QUrl::StrictMode);
    if (url.scheme().size() <= 1) // none, or a drive letter
        url = QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    if (!url.isValid() || !QDesktopServices::openUrl(url))
        ui::Dialogs::messageBox(QStringLiteral("error executing command!"));
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
