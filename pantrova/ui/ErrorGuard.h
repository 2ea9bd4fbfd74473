#pragma once

#include "DialogAnswerer.h"

#include <QString>

#include <exception>
#include <functional>
#include <optional>
#include <stdexcept>

namespace ui {

// The one guard every event handler runs inside: a failure nothing else traps shows an error box
// naming what failed and why, and the window goes on. Returns false when the work failed.
bool guarded(const QString& whatFailed, const std::function<void()>& work);

// Shows the error box for a failure: the first explainer that knows the failure puts it in plain
// words (the file, the cause, the details); otherwise the failure's own text is the cause.
// `consequence`, when given, closes the box's text ("Pantrova will close.").
void reportFailure(const QString& whatFailed, const std::exception& failure, const QString& consequence = {});

// Turns a kind of failure this layer does not know (the database engine's, say) into an error box's
// words. Returns nothing for failures it does not know. Installed once by the program.
using ErrorExplainer =
    std::function<std::optional<ErrorQuestion>(const QString& whatFailed, const std::exception&)>;
void addErrorExplainer(ErrorExplainer explainer);

// A failure the person has already been told about: the guard shows nothing more.
class Reported : public std::runtime_error
{
public:
    explicit Reported(const QString& what) : std::runtime_error(what.toStdString()) {}
};

} // namespace ui
