#pragma once

// What the calendar control's fuzz targets share: a headless application, a widget to show
// controls in, fresh control objects, a check that stops the run with a message, and the round trip
// that settings which load must survive.
#include "component/MemoryStream.h"
#include "component/Persist.h"
#include "component/Site.h"
#include "vorrin/server/VorrinObject.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

// Every target includes this header from its one source file.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return 0;
}

namespace fuzz {

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

// Whatever `input` holds, `load` ends in success or a failure result, never in a crash, in a control
// without a window and in one shown in the host widget. Settings that load in the first are kept by
// `save`, and what it kept loads into a new control with the same settings.
template <class Input, class Load, class Save>
void loadSavedAndLoadAgain(const Input& input, Load load, Save save)
{
    component::Ref<component::IUnknown> control = newControl(false);
    if (component::succeeded(load(control, input))) {
        const QByteArray settings = savedStream(control);
        Input saved;
        if (!save(control, saved))
            fail("loaded settings do not save");
        component::Ref<component::IUnknown> again = newControl(false);
        if (component::failed(load(again, saved)))
            fail("saved settings do not load");
        if (savedStream(again) != settings)
            fail("saved settings load to different settings");
        closeControl(again);
    }
    closeControl(control);
    control = newControl(true);
    load(control, input);
    savedStream(control);
    closeControl(control);
}

} // namespace fuzz
