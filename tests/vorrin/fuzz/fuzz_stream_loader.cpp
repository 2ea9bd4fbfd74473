// Fuzz target: loading the calendar control's settings from a byte stream. Whatever bytes a host
// hands over, loading ends in success or a failure result, never in a crash; settings that load
// save again, and those saved bytes load into a new control and save to the same bytes. Each input
// goes to a control without a window and to one shown in a widget.
#include "FuzzControl.h"

#include <cstdint>

using namespace component;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    fuzz::loadSavedAndLoadAgain(input, fuzz::loadStream, [](const Ref<IUnknown>& control, QByteArray& saved) {
        saved = fuzz::savedStream(control);
        return !saved.isEmpty();
    });
    return 0;
}
