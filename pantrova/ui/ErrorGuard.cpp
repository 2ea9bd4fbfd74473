#include "ErrorGuard.h"

#include "Dialogs.h"

#include <exception>

namespace ui {

bool guarded(const QString& whatFailed, const std::function<void()>& work)
{
    try {
        work();
        return true;
    } catch (const std::exception& e) {
        Dialogs::showError(whatFailed, QString::fromUtf8(e.what()));
    } catch (...) {
        Dialogs::showError(whatFailed, QStringLiteral("An unknown error occurred."));
    }
    return false;
}

} // namespace ui
