#include "ErrorGuard.h"

#include "Dialogs.h"

#include <vector>

namespace ui {

namespace {
std::vector<ErrorExplainer>& explainers()
{
    static std::vector<ErrorExplainer> all;
    return all;
}
} // namespace

void addErrorExplainer(ErrorExplainer explainer)
{
    explainers().push_back(std::move(explainer));
}

void reportFailure(const QString& whatFailed, const std::exception& failure, const QString& consequence)
{
    ErrorQuestion question{whatFailed, {}, QString::fromUtf8(failure.what()), {}, {}};
    for (const ErrorExplainer& explain : explainers()) {
        if (std::optional<ErrorQuestion> explained = explain(whatFailed, failure)) {
            question = *explained;
            break;
        }
    }
    if (!consequence.isEmpty())
        question.cause += QStringLiteral("\n\n") + consequence;
    Dialogs::showError(question);
}

bool guarded(const QString& whatFailed, const std::function<void()>& work)
{
    try {
        work();
        return true;
    } catch (const Reported&) {
        // Already told.
    } catch (const std::exception& e) {
        reportFailure(whatFailed, e);
    } catch (...) {
        Dialogs::showError(whatFailed, QStringLiteral("An unknown error occurred."));
    }
    return false;
}

} // namespace ui
