#pragma once

#include "ui/DialogAnswerer.h"

#include <exception>
#include <optional>

namespace engine {
class EngineError;
}

namespace pantrova {

// Puts the database engine's failures in a cook's words for the error box: the file, the cause
// (no write permission, disk full, file damaged, file missing, file in use, a value that does not
// fit), and the engine's own message and statement as the details. Other failures are left alone.
std::optional<ui::ErrorQuestion> explainEngineError(const QString& whatFailed, const std::exception& failure);

// The cause of an engine failure in plain words.
QString plainCause(const engine::EngineError& error);

} // namespace pantrova
