#pragma once

#include "component/Unknown.h"
#include "component/Variant.h"

#include <QString>

namespace component {

enum class SeekOrigin { Set, Current, End };

// A byte stream a host hands to an object to save into or load from.
struct IStream : IUnknown
{
    static constexpr Guid iid = Guid::parse("{0000000C-0000-0000-C000-000000000046}");

    // Reads up to `count` bytes; S_FALSE when fewer were available.
    virtual HResult Read(void* buffer, uint32_t count, uint32_t* read) = 0;
    virtual HResult Write(const void* buffer, uint32_t count, uint32_t* written) = 0;
    virtual HResult Seek(int64_t move, SeekOrigin origin, uint64_t* position) = 0;
};

// Saving to a stream for objects that are always loaded from one (fonts saved inside a control).
struct IPersistStream : IUnknown
{
    static constexpr Guid iid = Guid::parse("{00000109-0000-0000-C000-000000000046}");

    virtual HResult GetClassID(Guid& clsid) = 0;
    virtual HResult IsDirty() = 0; // S_OK when changed since the last save, S_FALSE otherwise
    virtual HResult Load(IStream* stream) = 0;
    virtual HResult Save(IStream* stream, bool clearDirty) = 0;
};

// Saving to a stream for objects that may also start fresh (InitNew) instead of loading.
struct IPersistStreamInit : IUnknown
{
    static constexpr Guid iid = Guid::parse("{7FD52380-4E07-101B-AE2D-08002B2EC713}");

    virtual HResult GetClassID(Guid& clsid) = 0;
    virtual HResult IsDirty() = 0;
    virtual HResult Load(IStream* stream) = 0;
    virtual HResult Save(IStream* stream, bool clearDirty) = 0;
    virtual HResult InitNew() = 0;
};

// A host's store of named values (the "property bag").
struct IPropertyBag : IUnknown
{
    static constexpr Guid iid = Guid::parse("{55272A00-42CB-11CE-8135-00AA004BB851}");

    // On entry `value` may carry the wanted type (VT_EMPTY accepts any); E_INVALIDARG when the
    // name is absent, DISP_E_TYPEMISMATCH when the stored value does not convert.
    virtual HResult Read(const QString& name, Variant& value) = 0;
    virtual HResult Write(const QString& name, const Variant& value) = 0;
};

struct IPersistPropertyBag : IUnknown
{
    static constexpr Guid iid = Guid::parse("{37D84F60-42CB-11CE-8135-00AA004BB851}");

    virtual HResult GetClassID(Guid& clsid) = 0;
    virtual HResult InitNew() = 0;
    virtual HResult Load(IPropertyBag* bag) = 0;
    virtual HResult Save(IPropertyBag* bag, bool clearDirty, bool saveAll) = 0;
};

} // namespace component
