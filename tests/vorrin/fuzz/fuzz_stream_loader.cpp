// Fuzz target: loading the calendar control's settings from a byte stream. Whatever bytes a host
// hands over, loading ends in success or a failure result, never in a crash; settings that load
// save again, and those saved bytes load into a new control and save to the same bytes. Each input
// goes to a control without a window and to one shown in a widget.
#include "FuzzControl.h"

#include <cstdint>

using namespace component;

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::initialiseApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        Ref<IUnknown> control = fuzz::newControl(false);
        if (succeeded(fuzz::loadStream(control, input))) {
            const QByteArray first = fuzz::savedStream(control);
            if (first.isEmpty())
                fuzz::fail("loaded settings do not save");
            Ref<IUnknown> again = fuzz::newControl(false);
            if (failed(fuzz::loadStream(again, first)))
                fuzz::fail("saved settings do not load");
            if (fuzz::savedStream(again) != first)
                fuzz::fail("saved settings load to different settings");
            fuzz::closeControl(again);
        }
        fuzz::closeControl(control);
    }
    {
        Ref<IUnknown> control = fuzz::newControl(true);
        fuzz::loadStream(control, input);
        fuzz::savedStream(control);
        fuzz::closeControl(control);
    }
    return 0;
}
