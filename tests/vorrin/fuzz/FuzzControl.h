#pragma once

// What the calendar control's fuzz targets share: a headless application, a widget to show
// controls in, fresh control objects, and a check that stops the run with a message.
#include "component/MemoryStream.h"
#include "component/Persist.h"
#include "component/Site.h"
#include "vorrin/server/VorrinObject.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline void initialiseApplication()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
}

// The widget controls are shown in; never shown itself, so nothing paints.
inline QWidget& hostWidget()
{
    static QWidget* widget = [] {
        auto* w = new QWidget;
        w->resize(400, 300);
        return w;
    }();
    return *widget;
}

// A control as a host creates it: fresh, without a site, optionally shown in the host widget.
inline component::Ref<component::IUnknown> newControl(bool shown)
{
    component::Ref<component::IUnknown> object = vorrin::VorrinObject::create();
    if (shown)
        object.query<component::IInPlaceWidget>()->InPlaceActivate(&hostWidget(), QRect(0, 0, 250, 190));
    return object;
}

// Closes a control and lets go of the windows it left for the event loop.
inline void closeControl(component::Ref<component::IUnknown>& object)
{
    object.query<component::IControlObject>()->Close();
    object.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::sendPostedEvents();
}

inline QByteArray savedStream(const component::Ref<component::IUnknown>& object)
{
    component::Ref<component::MemoryStream> stream = component::MemoryStream::create();
    if (component::failed(object.query<component::IPersistStreamInit>()->Save(stream.get(), false)))
        return {};
    return stream->data();
}

inline component::HResult loadStream(const component::Ref<component::IUnknown>& object,
                                     const QByteArray& bytes)
{
    component::Ref<component::MemoryStream> stream = component::MemoryStream::create(bytes);
    return object.query<component::IPersistStreamInit>()->Load(stream.get());
}

[[noreturn]] inline void fail(const char* what)
{
    std::fprintf(stderr, "FUZZ CHECK FAILED: %s\n", what);
    std::abort();
}

} // namespace fuzz
