#pragma once

#include <QString>

#include <functional>

namespace ui {

// The one guard every event handler runs inside: a failure nothing else traps shows an error box
// naming what failed and why, and the window goes on. Returns false when the work failed.
bool guarded(const QString& whatFailed, const std::function<void()>& work);

} // namespace ui
