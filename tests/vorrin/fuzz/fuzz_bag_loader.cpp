// Fuzz target: loading the calendar control's settings from a property bag. The input describes a
// bag (names, mostly the saved ones, with values of any type, fonts included); loading ends in
// success or a failure result, never in a crash. Settings that load save to a new bag that loads
// into a new control with the same result. Each bag goes to a control without a window and to one
// shown in a widget.
#include "FuzzBytes.h"
#include "FuzzControl.h"

#include "component/MemoryPropertyBag.h"
#include "component/SafeArray.h"
#include "component/StdFont.h"
#include "vorrin/persistence/SavedProperties.h"

#include <cstdint>

using namespace component;

namespace {

// The names the control saves, extents first, in the order it saves them.
const QStringList& savedNames()
{
    static const QStringList names = [] {
        QStringList list{vorrin::SavedProperties::extentXName(), vorrin::SavedProperties::extentYName()};
        for (const vorrin::SavedProperty& p : vorrin::SavedProperties::list())
            list << p.name;
        return list;
    }();
    return names;
}

Variant fontValue(FuzzBytes& in)
{
    StdFont::Description d;
    d.name = in.text(40);
    d.size = in.take<std::int64_t>();
    d.weight = in.take<std::int16_t>();
    d.charset = in.take<std::int16_t>();
    const auto style = in.take<std::uint8_t>();
    d.italic = style & 1;
    d.underline = style & 2;
    d.strikethrough = style & 4;
    Ref<IFont> font = StdFont::create(d);
    return Variant::fromDispatch(font.query<IDispatch>().get());
}

Variant value(FuzzBytes& in)
{
    switch (in.pick(15)) {
    case 0:
        return {};
    case 1:
        return Variant::null();
    case 2:
        return Variant::fromI2(in.take<std::int16_t>());
    case 3:
        return Variant::fromI4(in.take<std::int32_t>());
    case 4:
        return Variant::fromUI4(in.take<std::uint32_t>());
    case 5:
        return Variant::fromR8(in.take<double>());
    case 6:
        return Variant::fromDate(in.take<double>());
    case 7:
        return Variant::fromBool(in.flag());
    case 8:
        return Variant::fromString(in.text(24));
    case 9:
        return Variant::fromError(in.take<std::int32_t>());
    case 10:
        return fontValue(in);
    case 11:
        return Variant::fromDispatch(nullptr);
    case 12: {
        // An object that is no font.
        Ref<MemoryStream> stream = MemoryStream::create();
        return Variant::fromUnknown(stream.get());
    }
    case 13: {
        SafeArray array({{in.take<std::int32_t>(), static_cast<std::uint32_t>(in.pick(5))}});
        return Variant::fromArray(std::move(array));
    }
    default:
        return Variant::fromI4(in.pick(20) - 2); // small numbers: the likely valid values
    }
}

Ref<MemoryPropertyBag> bagFrom(FuzzBytes& in)
{
    Ref<MemoryPropertyBag> bag = MemoryPropertyBag::create();
    const int entries = in.pick(33);
    const int known = int(savedNames().size());
    for (int i = 0; i < entries && !in.atEnd(); ++i) {
        const int which = in.pick(known + 2);
        const QString name = which < known ? savedNames()[which] : in.text(12);
        bag->Write(name, value(in));
    }
    return bag;
}

HResult loadBag(const Ref<IUnknown>& control, const Ref<MemoryPropertyBag>& bag)
{
    return control.query<IPersistPropertyBag>()->Load(bag.get());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzBytes in(data, size);
    fuzz::loadSavedAndLoadAgain(
        bagFrom(in), loadBag, [](const Ref<IUnknown>& control, Ref<MemoryPropertyBag>& saved) {
            saved = MemoryPropertyBag::create();
            return succeeded(control.query<IPersistPropertyBag>()->Save(saved.get(), false, true));
        });
    return 0;
}
