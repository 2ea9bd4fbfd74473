#pragma once

#include <cstdint>

namespace component {

// Result codes of every component call. Negative values are failures; S_FALSE is a success that
// means "done, but not everything" (a short read, an empty answer).
using HResult = int32_t;

constexpr HResult makeResult(uint32_t code)
{
    return static_cast<HResult>(code);
}

constexpr HResult S_OK = 0;
constexpr HResult S_FALSE = 1;
constexpr HResult E_NOTIMPL = makeResult(0x80004001u);
constexpr HResult E_NOINTERFACE = makeResult(0x80004002u);
constexpr HResult E_POINTER = makeResult(0x80004003u);
constexpr HResult E_ABORT = makeResult(0x80004004u);
constexpr HResult E_FAIL = makeResult(0x80004005u);
constexpr HResult E_UNEXPECTED = makeResult(0x8000FFFFu);
constexpr HResult E_ACCESSDENIED = makeResult(0x80070005u);
constexpr HResult E_OUTOFMEMORY = makeResult(0x8007000Eu);
constexpr HResult E_INVALIDARG = makeResult(0x80070057u);

constexpr HResult CLASS_E_NOAGGREGATION = makeResult(0x80040110u);
constexpr HResult CLASS_E_CLASSNOTAVAILABLE = makeResult(0x80040111u);
constexpr HResult REGDB_E_CLASSNOTREG = makeResult(0x80040154u);
constexpr HResult REGDB_E_WRITEREGDB = makeResult(0x80040151u);
constexpr HResult CO_E_DLLNOTFOUND = makeResult(0x800401F8u);
constexpr HResult CO_E_ERRORINDLL = makeResult(0x800401F9u);
constexpr HResult SELFREG_E_CLASS = makeResult(0x80040201u);
constexpr HResult SELFREG_E_TYPELIB = makeResult(0x80040200u);

constexpr HResult DISP_E_UNKNOWNINTERFACE = makeResult(0x80020001u);
constexpr HResult DISP_E_MEMBERNOTFOUND = makeResult(0x80020003u);
constexpr HResult DISP_E_PARAMNOTFOUND = makeResult(0x80020004u);
constexpr HResult DISP_E_TYPEMISMATCH = makeResult(0x80020005u);
constexpr HResult DISP_E_UNKNOWNNAME = makeResult(0x80020006u);
constexpr HResult DISP_E_EXCEPTION = makeResult(0x80020009u);
constexpr HResult DISP_E_OVERFLOW = makeResult(0x8002000Au);
constexpr HResult DISP_E_BADINDEX = makeResult(0x8002000Bu);
constexpr HResult DISP_E_BADPARAMCOUNT = makeResult(0x8002000Eu);
constexpr HResult DISP_E_BADVARTYPE = makeResult(0x80020008u);

constexpr HResult CONNECT_E_NOCONNECTION = makeResult(0x80040200u);
constexpr HResult CONNECT_E_ADVISELIMIT = makeResult(0x80040201u);
constexpr HResult CONNECT_E_CANNOTCONNECT = makeResult(0x80040202u);

constexpr HResult STG_E_INVALIDFUNCTION = makeResult(0x80030001u);
constexpr HResult STG_E_READFAULT = makeResult(0x8003001Eu);
constexpr HResult STG_E_WRITEFAULT = makeResult(0x8003001Du);
constexpr HResult STG_E_INVALIDHEADER = makeResult(0x800300FBu);

// The automation error a bindable property returns when its container refuses the edit.
constexpr HResult CTL_E_SETNOTPERMITTED = makeResult(0x800A0183u);

constexpr bool succeeded(HResult hr)
{
    return hr >= 0;
}
constexpr bool failed(HResult hr)
{
    return hr < 0;
}

} // namespace component
