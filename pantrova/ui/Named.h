#pragma once

#include <QString>

namespace ui {

// Gives a new control the name the program and its tests find it by and, when there is one, the
// name a screen reader announces (its caption, or its tooltip for an icon-only button).
template <class W> W* named(W* w, const QString& name, const QString& accessible = {})
{
    w->setObjectName(name);
    if (!accessible.isEmpty())
        w->setAccessibleName(accessible);
    return w;
}

template <class W> W* named(W* w, const char* name, const QString& accessible = {})
{
    return named(w, QString::fromLatin1(name), accessible);
}

} // namespace ui
